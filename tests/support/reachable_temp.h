#pragma once
// A temporary folder that a child process of another user can reach. A test
// that drops root's rights in a child (an unprivileged user, whom the
// folder's modes bind) must give it a folder on a path that user may pass:
// TMPDIR may lie below a folder only its owner can enter (a 0700 folder, the
// administrator's home folder), where every such child would fail for a
// reason that is not the test's. The folder itself is made 0700, as any
// QTemporaryDir; the test opens what the child needs.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

namespace testsupport {

// Every folder from the root down to folder lets other users pass, and
// folder itself lets them write (a shared temporary folder such as /tmp).
inline bool everyoneCanUse(const QString &folder) {
    const QString real = QFileInfo(folder).canonicalFilePath();
    if (real.isEmpty()) return false;
    QString at;
    const QStringList parts = real.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    struct stat st {};
    if (::stat("/", &st) != 0 || !(st.st_mode & S_IXOTH)) return false;
    for (const QString &part : parts) {
        at += QLatin1Char('/') + part;
        if (::stat(QFile::encodeName(at).constData(), &st) != 0 || !S_ISDIR(st.st_mode) ||
            !(st.st_mode & S_IXOTH))
            return false;
    }
    return (st.st_mode & S_IWOTH) != 0;
}

// TMPDIR's folder when every user can use it, else the first of the usual
// shared temporary folders that every user can use; TMPDIR's folder when
// there is none.
inline QString reachableTempRoot() {
    for (const QString &folder : {QDir::tempPath(), QStringLiteral("/tmp"),
                                  QStringLiteral("/var/tmp"), QStringLiteral("/dev/shm")})
        if (everyoneCanUse(folder)) return QFileInfo(folder).canonicalFilePath();
    return QDir::tempPath();
}

// A QTemporaryDir below reachableTempRoot().
class ReachableTemporaryDir : public QTemporaryDir {
public:
    ReachableTemporaryDir()
        : QTemporaryDir(reachableTempRoot() + QStringLiteral("/w7test-XXXXXX")) {}
};

} // namespace testsupport
