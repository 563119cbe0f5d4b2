#include "platform/paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QMutex>

namespace platform {

namespace {

QMutex &pathMutex() {
    static QMutex m;
    return m;
}

QString &folderOverride() {
    static QString folder;
    return folder;
}

QString withSlash(QString folder) {
    if (!folder.endsWith(u'/')) folder += u'/';
    return folder;
}

// Directory listings keyed by folder, each name under its lower-case form.
// A cached name is trusted only after checking it still exists, and a
// name that is not in the listing makes the folder be listed again, so
// files created or removed later are always seen.
QHash<QString, QHash<QString, QString>> &listingCache() {
    static QHash<QString, QHash<QString, QString>> cache;
    return cache;
}

QHash<QString, QString> listFolder(const QString &folder) {
    QHash<QString, QString> names;
    QDir dir(folder.isEmpty() ? QStringLiteral(".") : folder);
    const QStringList entries = dir.entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    // Sorted by name, so when two spellings of one name exist the choice is
    // always the same one.
    for (const QString &e : entries) {
        const QString key = e.toLower();
        if (!names.contains(key)) names.insert(key, e);
    }
    return names;
}

// The actual spelling of name inside folder, or an empty text.
QString findInFolder(const QString &folder, const QString &name) {
    const QString key = name.toLower();
    QMutexLocker lock(&pathMutex());
    auto &cache = listingCache();
    auto it = cache.find(folder);
    if (it != cache.end()) {
        const QString hit = it->value(key);
        if (!hit.isEmpty() && QFileInfo::exists(folder + hit)) return hit;
    }
    QHash<QString, QString> names = listFolder(folder);
    const QString hit = names.value(key);
    cache.insert(folder, std::move(names));
    return hit;
}

} // namespace

QString programFolder() {
    {
        QMutexLocker lock(&pathMutex());
        if (!folderOverride().isEmpty()) return folderOverride();
    }
    if (QCoreApplication::instance()) return withSlash(QCoreApplication::applicationDirPath());
    return withSlash(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath());
}

void setProgramFolder(const QString &folder) {
    QMutexLocker lock(&pathMutex());
    folderOverride() =
        folder.isEmpty() ? QString() : withSlash(QString(folder).replace(u'\\', u'/'));
}

QString resolvePath(const QString &path) {
    QString p = path;
    p.replace(u'\\', u'/');
    if (p.isEmpty()) return p;

    const bool absolute = p.startsWith(u'/');
    const bool trailing = p.endsWith(u'/');
    const QStringList parts = p.split(u'/', Qt::SkipEmptyParts);

    QString current = absolute ? QStringLiteral("/") : QString();
    // Most names are already spelt as on disk: one look settles them.
    QString direct = current + parts.join(u'/');
    if (trailing && !parts.isEmpty()) direct += u'/';
    if (QFileInfo::exists(direct)) return direct;

    bool walking = true; // false once a folder on the way does not exist
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString &part = parts[i];
        QString name = part;
        if (walking && part != u"." && part != u"..") {
            const QString candidate = current + part;
            if (!QFileInfo::exists(candidate)) {
                const QString found = findInFolder(current, part);
                if (!found.isEmpty())
                    name = found;
                else
                    walking = false;
            }
        }
        current += name;
        if (i + 1 < parts.size()) {
            current += u'/';
            if (walking && !QFileInfo(current).isDir()) walking = false;
        }
    }
    if (trailing && !current.endsWith(u'/')) current += u'/';
    return current;
}

bool fileExists(const QString &path) {
    return QFileInfo(resolvePath(path)).isFile();
}

} // namespace platform
