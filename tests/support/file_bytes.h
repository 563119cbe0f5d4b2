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

#include <map>

#include <fcntl.h>
#include <unistd.h>

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

// A file of `size` bytes that takes no room on the disk (none of them is
// written), made or replaced; false when that fails.
inline bool makeSparseFile(const QString &path, qint64 size) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const bool ok = fd >= 0 && ::ftruncate(fd, size) == 0;
    if (fd >= 0) ::close(fd);
    return ok;
}

// What lies in a folder, by name: a file's bytes (its size when larger
// than 1 MiB), or what else it is: a link (never followed), a folder, or
// some other kind of entry. For comparing a folder before and after.
inline std::map<QString, QByteArray> folderContents(const QString &folder) {
    std::map<QString, QByteArray> out;
    const QDir dir(folder);
    for (const QFileInfo &info :
         dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        QByteArray &what = out[info.fileName()];
        if (info.isSymLink())
            what = "<link to " + QFile::encodeName(info.symLinkTarget()) + ">";
        else if (info.isDir())
            what = "<folder>";
        else if (!info.isFile())
            what = "<not a file>";
        else if (info.size() > (1 << 20))
            what = "<" + QByteArray::number(info.size()) + " bytes>";
        else
            what = readBytes(info.filePath());
    }
    return out;
}

} // namespace testsupport
