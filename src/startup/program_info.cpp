#include "startup/program_info.h"

#include "forms/app.h"
#include "forms/form.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "startup/program_end.h"
#include "startup/services.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace startup {

namespace {

const QString kTag = QStringLiteral("readInfo");

// Stores the lines of a coded file into the table from entry `first` on;
// a line past the last entry is reported and dropped, and reading goes on.
void storeCodedLines(RunState &s, const std::optional<QStringList> &lines, int first) {
    if (!lines) {
        trapError(kTag, err::FileNotFound);
        return;
    }
    int entry = first;
    for (const QString &line : *lines) {
        std::vector<CodedLineError> errors;
        const QString text = decodeCodedLine(line, &errors);
        for (size_t i = 0; i < errors.size(); ++i) trapError(kTag, err::InvalidCall);
        if (entry >= kInfoEntries)
            trapError(kTag, err::OutOfRange);
        else
            s.InfoTable[entry] = text;
        ++entry;
    }
}

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// The blanks a coded group or a number may hold (the reading of a value
// skips them).
bool isBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n';
}

// Line 3 of "ver.txt": a folder of the program folder, by its bare name.
bool isFolderName(const QString &name) {
    return !name.isEmpty() && name != QStringLiteral(".") && name != QStringLiteral("..") &&
           !name.contains(u'/') && !name.contains(u'\\');
}

// Line 4 of "ver.txt": decimal digits, perhaps with a fraction (the value
// is taken to the nearest whole number), naming a module from 1 on.
bool isModuleNumber(const QString &text) {
    static const QRegularExpression number(QStringLiteral("^[0-9]+(\\.[0-9]+)?$"));
    if (!number.match(text).hasMatch()) return false;
    const int64_t n = platform::roundEven(platform::val(text));
    return n >= 1 && n <= 32767;
}

// A path as the candidate finds it: within the program folder.
QString installationPath(const QString &path) {
    const QString folder = platform::programFolder();
    return !folder.isEmpty() && path.startsWith(folder) ? path.mid(folder.size()) : path;
}

QString folderWithoutSeparator(const QString &folder) {
    QString f = folder;
    while (f.size() > 1 && f.endsWith(QLatin1Char('/'))) f.chop(1);
    return f;
}

} // namespace

QString decodeCodedLine(const QString &line, std::vector<CodedLineError> *errors) {
    QString out;
    int group = 0;
    for (qsizetype i = 0; i < line.size(); i += 6) {
        ++group;
        const double v = platform::val(line.mid(i, 6));
        // A group has at most six characters, so anything this large is a
        // reading of an exponent: outside every code all the same.
        const int64_t n =
            std::isfinite(v) && std::fabs(v) < 1e15 ? platform::roundEven(v) : int64_t{1} << 50;
        if (n == 0) continue;
        int64_t code = n > 500000 ? n - 500000 : n - 200000;
        if (code < -32768 || code > 65535) {
            if (errors) errors->push_back({group, code});
            continue;
        }
        if (code < 0) code += 65536;
        QByteArray bytes;
        if (code > 255) bytes.append(static_cast<char>((code >> 8) & 0xFF));
        bytes.append(static_cast<char>(code & 0xFF));
        out += platform::decodeGbk(bytes);
    }
    return out;
}

bool codedLineWellFormed(const QString &line) {
    if (!std::all_of(line.begin(), line.end(), [](QChar c) { return isDigit(c) || isBlank(c); }))
        return false;
    std::vector<CodedLineError> errors;
    const QString text = decodeCodedLine(line, &errors);
    // A code that is no character of GBK decodes to the replacement
    // character; control characters have no place in these texts.
    return errors.empty() && std::none_of(text.begin(), text.end(), [](QChar c) {
               return c == QChar::ReplacementCharacter || c.unicode() < 0x20 || c.unicode() == 0x7F;
           });
}

std::optional<DamagedFile::Fault> versionFileFault(const std::optional<QStringList> &lines) {
    using Fault = DamagedFile::Fault;
    if (!lines) return Fault::Unreadable;
    if (lines->size() < 4) return Fault::NotInFormat;
    if (!std::all_of(lines->begin(), lines->end(), codedLineWellFormed)) return Fault::NotInFormat;
    if (!isFolderName(platform::trimBlanks(decodeCodedLine(lines->at(2)))))
        return Fault::NotInFormat;
    if (!isModuleNumber(platform::trimBlanks(decodeCodedLine(lines->at(3)))))
        return Fault::NotInFormat;
    return std::nullopt;
}

QString damagedFileMessage(const DamagedFile &file) {
    const QString name = installationPath(file.path);
    switch (file.fault) {
    case DamagedFile::Fault::Unreadable:
        return QStringLiteral("无法读取题库文件：%1，请重新安装本软件。").arg(name);
    case DamagedFile::Fault::NoUnits:
        return QStringLiteral("题库中没有任何单元：%1，请重新安装本软件。").arg(name);
    case DamagedFile::Fault::NotInFormat:
        break;
    }
    return QStringLiteral("题库文件已损坏：%1，请重新安装本软件。").arg(name);
}

void endForDamagedFile(const DamagedFile &file) {
    // The system's box: the bank's own pictures may be what is damaged.
    forms::msgBox(damagedFileMessage(file), forms::vbOKOnly | forms::vbCritical,
                  QStringLiteral("系统提示"));
    endProgram();
}

const std::array<QString, kInfoEntries> &infoDefaults() {
    static const std::array<QString, kInfoEntries> defaults = [] {
        std::array<QString, kInfoEntries> d;
        d[0] = QStringLiteral("青禾启明");
        d[1] = QStringLiteral("http://www.qhqm-soft.example/");
        d[2] = QStringLiteral("http://www.qhqm-exam.example/");
        d[3] = QStringLiteral("tencent://message/?uin=800000001&Site=qhqm&Menu=yes");
        d[4] = QStringLiteral("tencent://message/?uin=800000002&Site=qhqm&Menu=yes");
        d[5] = QStringLiteral("http://pay.qhqm-soft.example/");
        d[6] = QStringLiteral("http://shop.qhqm-soft.example/");
        d[7] = QStringLiteral("青禾启明软件工作室");
        d[8] = QStringLiteral("青禾1");
        d[9] = QStringLiteral("职称计算机考试练习系统");
        d[10] = QStringLiteral("400-000-0000");
        d[11] = QStringLiteral("800000001");
        d[12] = QStringLiteral("kvtn");
        d[13] = QStringLiteral("http://www.qhqm-soft.example/");
        d[14] = QStringLiteral("service@qhqm-soft.example");
        d[15] = QStringLiteral("kvtn");
        d[16] = QStringLiteral("www.qhqm-soft.example");
        d[17] = QStringLiteral("update.qhqm-soft.example");
        d[18] = QStringLiteral("kvtnup.exe");
        d[19] = QStringLiteral("0001");
        d[20] = QStringLiteral("010-00000000");
        d[21] = QStringLiteral("qhqm@qhqm-soft.example");
        d[22] = QStringLiteral("青禾职称");
        d[23] = QStringLiteral("全国");
        d[24] = QStringLiteral("http://bbs.qhqm-soft.example/");
        d[25] = QStringLiteral("http://help.qhqm-soft.example/");
        d[26] = QStringLiteral("2015");
        d[27] = QStringLiteral("0");
        d[28] = QStringLiteral("B");
        d[29] = QStringLiteral("&H666666");
        d[30] = QStringLiteral("240");
        d[31] = QStringLiteral("5040");
        d[32] = QStringLiteral("7440");
        d[33] = QStringLiteral("9930");
        d[34] = QStringLiteral("2");
        d[35] = QStringLiteral("青禾启明统一");
        return d;
    }();
    return defaults;
}

FirstRunValues firstRunValues(const RunState &s, const QString &programFolder,
                              const QString &exeName) {
    const QString nn = twoDigits(s.ModuleNumber);
    FirstRunValues v;
    v.key = QStringLiteral("Software\\") + s.InfoTable[15];
    v.pathName = QStringLiteral("ProPath") + nn;
    v.pathData = folderWithoutSeparator(programFolder) + QString(72, QLatin1Char('*'));
    v.nameName = QStringLiteral("ProName") + nn;
    v.nameData = exeName + QString(36, QLatin1Char('*'));
    return v;
}

std::optional<DamagedFile> readInfo(RunState &s) {
    const QString folder = platform::programFolder();

    // Built-in values first, for entries no file sets.
    s.InfoTable = infoDefaults();

    // The version override: line k into entry k.
    const QString versionPath = folder + QStringLiteral("ver.txt");
    const auto versionLines = platform::readLines(versionPath, platform::readlimit::kSettings);
    storeCodedLines(s, versionLines, 1);

    // The configuration comes from the table as it stands now, before the
    // bank's own file is read.
    // The module number is a 16-bit integer.
    const double module = platform::val(s.InfoTable[4]);
    const int64_t moduleNumber = std::fabs(module) < 1e9 ? platform::roundEven(module) : 1 << 20;
    if (moduleNumber < -32768 || moduleNumber > 32767)
        trapError(kTag, err::Overflow);
    else
        s.ModuleNumber = static_cast<int>(moduleNumber);
    s.SubjectName = platform::trimBlanks(s.InfoTable[1]);
    s.ModuleName = platform::trimBlanks(s.InfoTable[2]);
    s.DataPath = folder + platform::trimBlanks(s.InfoTable[3]) + QStringLiteral("/");
    s.UserDataFolder = folder + QStringLiteral("ksdata/");

    // Unit titles of units 0 to 20.
    for (int u = 0; u <= 20; ++u) s.UnitTable[u][1] = platform::trimBlanks(s.InfoTable[u + 5]);

    // The bank's information file: line i into entry i. The values
    // derived above stay as they are.
    storeCodedLines(s, platform::readLines(s.DataPath + QStringLiteral("288901.mxy")), 0);

    // Every entry is used without the blanks around it.
    for (QString &e : s.InfoTable) e = platform::trimBlanks(e);

    s.ApplicationTitle = s.InfoTable[0] + s.InfoTable[9] + QStringLiteral("——") + s.SubjectName +
                         QStringLiteral("模块");
    forms::setAppTitle(s.ApplicationTitle);

    // A damaged installation writes nothing: the run ends before the home
    // page.
    if (const auto fault = versionFileFault(versionLines)) return DamagedFile{versionPath, *fault};

    // The first run writes where the program lives, once per installation.
    const QString flagFile = platform::resolvePath(s.DataPath + QStringLiteral("288892.mxy"));
    const auto flag = platform::readLines(flagFile);
    if (!flag) {
        trapError(kTag, err::FileNotFound);
        return std::nullopt;
    }
    const QString first = flag->isEmpty() ? QString() : flag->first();
    if (first != QStringLiteral("0")) return std::nullopt;
    const QString exeName = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    const FirstRunValues v = firstRunValues(s, folder, exeName);
    long bytes = 0;
    QVariant path = v.pathData;
    ModZCB::SetRegValue(ModZCB::HKEY_CURRENT_USER, v.key, v.pathName, ModZCB::REG_SZ, path, bytes);
    QVariant name = v.nameData;
    ModZCB::SetRegValue(ModZCB::HKEY_CURRENT_USER, v.key, v.nameName, ModZCB::REG_SZ, name, bytes);
    if (!platform::writeLinesAtomic(flagFile, {QStringLiteral("1")}))
        trapError(kTag, err::PathAccess);
    return std::nullopt;
}

} // namespace startup
