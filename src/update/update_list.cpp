#include "update/update_list.h"

#include "platform/paths.h"
#include "platform/text.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>

namespace update {

QString bareFolderName(const QString &dataPath, const QString &programFolder) {
    QString name = dataPath;
    if (!programFolder.isEmpty()) name.remove(programFolder, Qt::CaseSensitive);
    // "/" as well as "\": the list's address must not get a doubled slash.
    name.remove(QLatin1Char('\\'));
    name.remove(QLatin1Char('/'));
    return name;
}

bool isNewer(const QString &candidate, const QString &installed) {
    return QString::compare(candidate, installed, Qt::CaseSensitive) > 0;
}

QString stampOf(const QDateTime &localTime) {
    return localTime.toString(QStringLiteral("yyyyMMddHHmm"));
}

std::optional<ListEntry> parseListLine(const QString &line) {
    const QString t = platform::trimBlanks(line);
    if (t.startsWith(QStringLiteral("20")) || t.size() < 19) return std::nullopt;
    return ListEntry{t.at(0), t.mid(1, 12), t.mid(13)};
}

QString folderFor(QChar letter, const QString &bankFolder, const QString &current) {
    if (letter == QLatin1Char('D')) return bankFolder;
    if (letter == QLatin1Char('K')) return QStringLiteral("ksdata");
    if (letter == QLatin1Char('E')) return QStringLiteral("examdata");
    if (letter == QLatin1Char('M')) return QString();
    return current;
}

bool isSafeName(const QString &name) {
    static const QRegularExpression shape(QStringLiteral("^[A-Za-z0-9_-]+(\\.[A-Za-z0-9]+)?$"));
    if (!shape.match(name).hasMatch()) return false;
    return !name.contains(QLatin1Char('.')) || name.size() > 4;
}

QString localName(const QString &name) {
    if (name.contains(QLatin1Char('.'))) return name;
    return name + QStringLiteral(".mxy");
}

QString serverName(const QString &name) {
    if (name.contains(QLatin1Char('.'))) return name.left(name.size() - 4) + QStringLiteral(".rar");
    return name + QStringLiteral(".rar");
}

QString encodeSegment(const QString &segment) {
    return QString::fromLatin1(QUrl::toPercentEncoding(segment));
}

QString fileUrl(const QString &addressPrefix, const QString &folder, const QString &server) {
    QString url = addressPrefix;
    if (!folder.isEmpty()) url += encodeSegment(folder) + QLatin1Char('/');
    return url + encodeSegment(server);
}

namespace {

// A path built from a safe name cannot leave its folder; checked all the
// same, since the folder names come from the installation.
bool liesInside(const QString &path, const QString &folder) {
    const QString base = QDir::cleanPath(folder) + QLatin1Char('/');
    return QDir::cleanPath(path).startsWith(base);
}

// Where a path really leads: its spelling resolved as the program opens
// files (any case, backslashes), links followed when it exists.
QString realPath(const QString &path) {
    const QFileInfo info(platform::resolvePath(path));
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

bool isReserved(const QString &path, const QStringList &reserved) {
    const QString real = realPath(path);
    for (const QString &r : reserved)
        if (real.compare(realPath(r), Qt::CaseInsensitive) == 0) return true;
    return false;
}

} // namespace

UpdatePlan planUpdate(const QStringList &lines, const PlanContext &context,
                      const ModifiedTime &modified) {
    UpdatePlan plan;
    QString folder; // the program folder until a lettered line names another
    for (int i = 0; i < lines.size(); ++i) {
        const auto entry = parseListLine(lines[i]);
        if (!entry) continue;
        folder = folderFor(entry->folderLetter, context.bankFolder, folder);
        const QString folderPath =
            context.programFolder + (folder.isEmpty() ? QString() : folder + QLatin1Char('/'));
        PlannedFile f;
        f.listedName = entry->name;
        f.folder = folder;
        f.isProgram = !context.programName.isEmpty() &&
                      entry->name.compare(context.programName, Qt::CaseInsensitive) == 0;
        // The program keeps its own name, whatever case the list gives it.
        const QString path =
            folderPath + (f.isProgram ? context.programName : localName(entry->name));
        if (!isSafeName(entry->name) || !liesInside(path, folderPath) ||
            isReserved(path, context.reserved)) {
            plan.rejected.append({i + 1, lines[i]});
            continue;
        }
        f.serverStamp = entry->stamp;
        const auto time = modified(path);
        f.localStamp = time ? stampOf(*time) : kMissingFileStamp;
        // The running program is never overwritten: the new one goes beside it.
        f.localPath = f.isProgram ? path + QStringLiteral("_bak") : path;
        f.url = fileUrl(context.addressPrefix, folder, serverName(entry->name));
        f.fetch = isNewer(f.serverStamp, f.localStamp);
        plan.files.append(f);
    }
    return plan;
}

} // namespace update
