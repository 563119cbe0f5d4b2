#pragma once
// Whole files as raw bytes, for tests that check what reached the disk or
// lay a file out byte for byte. Paths are found like the program's files
// (any case); a file written gets its folder made.
#include "platform/paths.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

namespace testsupport {

// The file's bytes; empty when it cannot be read.
inline QByteArray readBytes(const QString &path) {
    QFile f(platform::resolvePath(path));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

// Replaces the file with `bytes`; false when that fails.
inline bool writeBytes(const QString &path, const QByteArray &bytes) {
    const QString p = platform::resolvePath(path);
    QDir().mkpath(QFileInfo(p).absolutePath());
    QFile f(p);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

} // namespace testsupport
