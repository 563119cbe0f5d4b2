#pragma once
// Who holds the operating system's lock (flock) on a file, as the kernel
// lists it in /proc/locks: the processes a test can ask about, whatever
// the file holds and whoever may read it.
//
//   EXPECT_TRUE(testsupport::flockHolders(lockFile).contains(program.pid()));
#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>

#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace testsupport {

// The ids of the processes that hold a flock on the file at path (not
// following a link); empty when none does or it is not there.
inline QList<qint64> flockHolders(const QString &path) {
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0) return {};
    QFile locks(QStringLiteral("/proc/locks"));
    if (!locks.open(QIODevice::ReadOnly)) return {};
    // "1: FLOCK  ADVISORY  WRITE 28323 fe:00:10953172 0 EOF"; a waiter's
    // line has "->" after the number.
    const QByteArray file = QByteArray::number(major(st.st_dev), 16).rightJustified(2, '0') + ':' +
                            QByteArray::number(minor(st.st_dev), 16).rightJustified(2, '0') + ':' +
                            QByteArray::number(quint64(st.st_ino));
    QList<qint64> out;
    for (const QByteArray &line : locks.readAll().split('\n')) {
        const QList<QByteArray> f = line.simplified().split(' ');
        if (f.size() < 6 || f[1] != "FLOCK" || f[5] != file) continue;
        out << f[4].toLongLong();
    }
    return out;
}

} // namespace testsupport
