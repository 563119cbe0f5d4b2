#include "panel/record_files.h"

#include "platform/file_read.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "startup/run_state.h"
#include "startup/services.h"

#include <set>
#include <utility>

namespace panel {

namespace {

std::set<QString> &heldBack() {
    static std::set<QString> paths;
    return paths;
}

std::set<QString> &troublesMet() {
    static std::set<QString> troubles;
    return troubles;
}

// The records held back that the candidate has not been told of, and
// those held back before the run log was named, whose report waits for it.
QStringList &untold() {
    static QStringList names;
    return names;
}

QStringList &unreported() {
    static QStringList names;
    return names;
}

void reportHeldBack(const QString &name) {
    startup::trapError(QStringLiteral("recordfiles"), startup::err::PathAccess,
                       startup::err::text(startup::err::PathAccess) + QStringLiteral(": ") + name +
                           QStringLiteral(".mxy"));
}

// The start reads the records before it names the run log, and a report
// made then would reach no log: it waits for the log.
void report(const QString &name) {
    if (startup::state().RunLogPath.isEmpty())
        unreported() << name;
    else
        reportHeldBack(name);
}

// Reported once per file and run: a second read of the same broken file
// says nothing new.
void holdBack(const QString &resolved, const QString &name) {
    if (!heldBack().insert(resolved).second) return;
    untold() << name;
    report(name);
}

// A file that cannot be read: held back, or for the banner's copy, which
// the next update replaces whatever it holds, only reported.
void cannotRead(const QString &resolved, const QString &name) {
    if (name != recname::Banner)
        holdBack(resolved, name);
    else if (firstTimeThisRun(QStringLiteral("unreadable ") + resolved))
        report(name);
}

} // namespace

QString paperWrongFileName(int slot) {
    return QStringLiteral("1824") + (QStringLiteral("00") + QString::number(slot)).right(2);
}

QString codeText(int code) {
    return QStringLiteral("%1").arg(code, 4, 10, QLatin1Char('0'));
}

int codeCount(const QString &list) {
    return static_cast<int>(list.size() / 4);
}

QString codeAt(const QString &list, int i) {
    return platform::mid1(list, 4 * i - 3, 4);
}

int entryOf(const QString &list, const QString &code) {
    const int n = codeCount(list);
    for (int i = 1; i <= n; ++i)
        if (codeAt(list, i) == code) return i;
    return 0;
}

QString flagsFor(const QString &flags, int n) {
    if (n <= 0) return {};
    if (flags.size() >= n) return flags.left(n);
    return flags + QString(n - flags.size(), QLatin1Char('F'));
}

QString setFlag(const QString &line, int k) {
    if (k < 1) return line;
    QString out = line;
    if (out.size() < k) out += QString(k - out.size(), QLatin1Char('F'));
    out[k - 1] = QLatin1Char('T');
    return out;
}

QString removeChar(const QString &line, int j) {
    if (j < 1 || j > line.size()) return line;
    QString out = line;
    out.remove(j - 1, 1);
    return out;
}

CodesWithFlags appendCodes(const CodesWithFlags &list, const QStringList &candidates) {
    CodesWithFlags out = list;
    // Compared with the entries as read and with the codes added here, not
    // with the list as it grows: after a ragged tail the grown text has
    // 4-character windows that are no entry, and a code matching one would
    // be lost. The codes added are compared too, so that a code repeated
    // among the candidates (a bank line naming a question twice) occurs once.
    QStringList added;
    for (const QString &code : candidates) {
        if (code.size() != 4 || entryOf(list.codes, code) != 0 || added.contains(code)) continue;
        added << code;
        out.codes += code;
    }
    out.flags = flagsFor(list.flags, codeCount(out.codes));
    return out;
}

CodesWithFlags removeCode(const CodesWithFlags &list, const QString &code) {
    const int j = entryOf(list.codes, code);
    if (j == 0) return list;
    CodesWithFlags out;
    const int n = codeCount(list.codes);
    for (int i = 1; i <= n; ++i)
        if (codeAt(list.codes, i) != code) out.codes += codeAt(list.codes, i);
    // A ragged tail of 1 to 3 characters is kept where it was.
    out.codes += list.codes.mid(n * 4);
    out.flags = removeChar(list.flags, j);
    return out;
}

// ---------------------------------------------------------------- history

const QString PaperHistoryTable::kNoExamYet = QStringLiteral("您还未考试！");

PaperHistoryTable::PaperHistoryTable() {
    for (int n = 1; n <= kLines; ++n) {
        switch (n % 3) {
        case 1: lines_ << kNoExamYet; break;
        case 2: lines_ << QStringLiteral("0"); break;
        default: lines_ << QStringLiteral("E"); break;
        }
    }
}

PaperHistoryTable PaperHistoryTable::fromLines(const QStringList &fileLines) {
    PaperHistoryTable t;
    for (int n = 1; n <= kLines && n <= fileLines.size(); ++n) t.lines_[n - 1] = fileLines[n - 1];
    return t;
}

QString PaperHistoryTable::line(int n) const {
    return n >= 1 && n <= kLines ? lines_[n - 1] : QString();
}

void PaperHistoryTable::setLine(int n, const QString &text) {
    if (n >= 1 && n <= kLines) lines_[n - 1] = text;
}

QString PaperHistoryTable::lastExamTime(int slot) const {
    return slot >= 0 ? line(3 * slot + 1) : QString();
}

QString PaperHistoryTable::bestScore(int slot) const {
    return slot >= 0 ? line(3 * slot + 2) : QString();
}

void PaperHistoryTable::setLastExamTime(int slot, const QString &t) {
    if (slot >= 0) setLine(3 * slot + 1, t);
}

void PaperHistoryTable::setBestScore(int slot, const QString &score) {
    if (slot >= 0) setLine(3 * slot + 2, score);
}

QStringList PaperHistoryTable::linesToWrite() const {
    QStringList out = lines_.mid(0, 3 * kWrittenRecords);
    out << QString();
    return out;
}

// ---------------------------------------------------------------- unit progress

QStringList unitProgressFrom(const QStringList &fileLines) {
    return fileLines.mid(0, kProgressLinesRead);
}

QStringList unitProgressToWrite(const QStringList &lines, int n) {
    QStringList out;
    for (int i = 0; i < n; ++i) out << (i < lines.size() ? lines[i] : QString());
    out << QString();
    return out;
}

QString normalisedUnitLine(const QString &stored, int count) {
    return flagsFor(stored, count);
}

// ---------------------------------------------------------------- files

// The writes of an action by record name, in the order first written, the
// records it could not take, and, once committed, those of its writes that
// stayed as they were.
struct RecordFiles::Pending {
    std::vector<std::pair<QString, QByteArray>> writes;
    // The lists written with their flags: each pair is saved whole or not at all.
    std::vector<std::pair<QString, QString>> lists;
    QStringList refused;
    bool committed = false;
    QStringList notSaved;

    const QByteArray *find(const QString &name) const {
        for (const auto &w : writes)
            if (w.first == name) return &w.second;
        return nullptr;
    }
    // The bond of a record for the atomic writer: 0 for a record of its own.
    int bondOf(const QString &name) const {
        for (size_t i = 0; i < lists.size(); ++i)
            if (lists[i].first == name || lists[i].second == name) return static_cast<int>(i) + 1;
        return 0;
    }
};

RecordFiles::RecordFiles(const QString &folder) : folder_(folder) {}

QString RecordFiles::path(const QString &name) const {
    return folder_ + name + QStringLiteral(".mxy");
}

RecordRead RecordFiles::read(const QString &name) const {
    // Until the commit the action reads what it means to write; after it,
    // what reached the disk, which is the old file where a rename was refused.
    if (pending_ && !pending_->committed)
        if (const QByteArray *bytes = pending_->find(name))
            return {platform::linesFromBytes(*bytes), true};
    const QString resolved = platform::resolvePath(path(name));
    platform::ReadFault fault = platform::ReadFault::None;
    const auto bytes = platform::readFileBytes(resolved, platform::readlimit::kRecord, &fault);
    if (fault == platform::ReadFault::Missing) return {};
    if (!bytes) {
        cannotRead(resolved, name);
        return {{}, false};
    }
    return {platform::linesFromBytes(*bytes), true};
}

// A file some writers replace without reading it first (a paper's wrong
// list) is tried for reading all the same: one that cannot be read is held
// back like any other, not overwritten.
bool RecordFiles::mayWrite(const QString &resolved, const QString &name) const {
    if (isHeldBack(resolved)) return false;
    const platform::ReadFault fault = platform::fileFault(resolved, platform::readlimit::kRecord);
    if (fault != platform::ReadFault::None && fault != platform::ReadFault::Missing) {
        holdBack(resolved, name);
        return false;
    }
    return true;
}

void RecordFiles::leaveOut(const QStringList &names) const {
    if (!pending_) return;
    for (const QString &name : names)
        if (!pending_->refused.contains(name)) pending_->refused << name;
}

bool RecordFiles::write(const QString &name, const QStringList &lines) const {
    const QString resolved = platform::resolvePath(path(name));
    if (pending_ && pending_->find(name)) {
        for (auto &w : pending_->writes)
            if (w.first == name) w.second = platform::linesToBytes(lines);
        return true;
    }
    if (!mayWrite(resolved, name)) {
        leaveOut({name});
        return false;
    }
    if (pending_) {
        pending_->writes.emplace_back(name, platform::linesToBytes(lines));
        return true;
    }
    return platform::writeLinesAtomic(resolved, lines);
}

QString RecordFiles::readOneLine(const QString &name, bool *readable) const {
    const RecordRead r = read(name);
    if (readable) *readable = r.readable;
    return r.lines.isEmpty() ? QString() : platform::trimBlanks(r.lines.first());
}

bool RecordFiles::writeOneLine(const QString &name, const QString &text) const {
    return write(name, {text});
}

CodesWithFlags RecordFiles::readList(const QString &listName, const QString &flagsName,
                                     bool *readable) const {
    bool a = true, b = true;
    const CodesWithFlags out{readOneLine(listName, &a), readOneLine(flagsName, &b)};
    if (readable) *readable = a && b;
    return a && b ? out : CodesWithFlags{};
}

bool RecordFiles::writeList(const QString &listName, const QString &flagsName,
                            const CodesWithFlags &list) const {
    const bool listFree = mayWrite(platform::resolvePath(path(listName)), listName);
    const bool flagsFree = mayWrite(platform::resolvePath(path(flagsName)), flagsName);
    if (!listFree || !flagsFree) {
        leaveOut({listName, flagsName});
        return false;
    }
    if (pending_) {
        if (pending_->bondOf(listName) == 0) pending_->lists.emplace_back(listName, flagsName);
        return writeOneLine(listName, list.codes) && writeOneLine(flagsName, list.flags);
    }
    // Outside an action the two files are still replaced together.
    return platform::replaceTogether(
        {{platform::resolvePath(path(listName)), platform::linesToBytes({list.codes}), 1},
         {platform::resolvePath(path(flagsName)), platform::linesToBytes({list.flags}), 1}});
}

PaperHistoryTable RecordFiles::readHistory() const {
    return PaperHistoryTable::fromLines(read(recname::PaperHistory).lines);
}

bool RecordFiles::writeHistory(const PaperHistoryTable &table) const {
    return write(recname::PaperHistory, table.linesToWrite());
}

QStringList RecordFiles::readUnitProgress(bool *readable) const {
    const RecordRead r = read(recname::UnitProgress);
    if (readable) *readable = r.readable;
    return unitProgressFrom(r.lines);
}

bool RecordFiles::writeUnitProgress(const QStringList &lines, int n) const {
    return write(recname::UnitProgress, unitProgressToWrite(lines, n));
}

RecordAction::RecordAction(const RecordFiles &files) : RecordFiles(files) {
    pending_ = std::make_shared<Pending>();
}

bool RecordAction::commit() {
    std::vector<platform::FileBytes> files;
    for (const auto &[name, bytes] : pending_->writes)
        files.push_back({platform::resolvePath(path(name)), bytes, pending_->bondOf(name)});
    QStringList paths;
    const bool ok = platform::replaceTogether(files, &paths);
    pending_->committed = true;
    pending_->notSaved.clear();
    for (size_t i = 0; i < files.size(); ++i)
        if (paths.contains(files[i].path)) pending_->notSaved << pending_->writes[i].first;
    return ok;
}

QStringList RecordAction::unsaved() const {
    QStringList names = pending_->refused;
    for (const QString &name : pending_->notSaved)
        if (!names.contains(name)) names << name;
    return names;
}

bool RecordAction::savedAny() const {
    return pending_->committed &&
           static_cast<qsizetype>(pending_->writes.size()) > pending_->notSaved.size();
}

platform::Recovery recoverRecords(const QString &folder) {
    platform::Recovery r = platform::recoverFolder(folder);
    // The candidate knows records by name, not by file.
    for (QString &file : r.notSaved)
        if (file.endsWith(QStringLiteral(".mxy"), Qt::CaseInsensitive)) file.chop(4);
    return r;
}

bool isHeldBack(const QString &path) {
    return heldBack().count(platform::resolvePath(path)) > 0;
}

QStringList heldBackToTell() {
    if (startup::state().RunLogPath.isEmpty()) return {};
    for (const QString &name : std::exchange(unreported(), {})) reportHeldBack(name);
    return std::exchange(untold(), {});
}

bool firstTimeThisRun(const QString &trouble) {
    return troublesMet().insert(trouble).second;
}

void forgetHeldBackRecords() {
    heldBack().clear();
    troublesMet().clear();
    untold().clear();
    unreported().clear();
}

} // namespace panel
