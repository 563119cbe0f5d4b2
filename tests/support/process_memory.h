#pragma once
// This process's memory as the kernel counts it, for tests of memory bounds.
#include <QByteArray>
#include <QFile>
#include <QString>

namespace testsupport {

// A field of /proc/self/status in kB ("VmRSS:" the resident size now,
// "VmHWM:" its peak); -1 when it cannot be read.
inline qint64 statusKb(const char *field) {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

// Starts a new peak: "VmHWM:" counts from now on. False where the kernel
// does not offer it.
inline bool resetPeak() {
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    return f.open(QIODevice::WriteOnly) && f.write("5") == 1;
}

} // namespace testsupport
