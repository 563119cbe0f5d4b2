#include "home/frm_fengmian.h"

#include "panel/frm_tm.h"
#include "simulator/frm_main.h"
#include "panel/exercise_builder.h"
#include "panel/frm_logon.h"
#include "panel/record_files.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "startup/program_end.h"
#include "startup/run_state.h"
#include "startup/services.h"
#include "update/openers.h"

using startup::state;

namespace {

// Line n (1-based) of a file; error 53 when the file cannot be read, the
// empty text past its end.
QString lineOf(const QString &path, int n) {
    const auto lines = platform::readLines(path);
    if (!lines) forms::raise(forms::errFileNotFound);
    return n <= lines->size() ? lines->at(n - 1) : QString();
}

} // namespace

FrmFengmian::FrmFengmian() : forms::Form(QStringLiteral("FrmFengmian")) {
    setBorderStyle(forms::vbBSNone);
    setBackColor(forms::rgb(0xe8, 0xf0, 0xfa));
    LblCaption = add<forms::Label>(QStringLiteral("LblCaption"));
    LblCaption->setBackStyle(forms::vbTransparent);
    LblCaption->setAutoSize(true);
    LblCaption->setForeColor(forms::rgb(0x1e, 0x4e, 0x8c));
    auto *info = LblInfo.load(0);
    info->setBackStyle(forms::vbTransparent);
    info->setAutoSize(true);
    ClickBotn.load(3);
    ClickBotn.load(8);
    LblInfo.load(21)->setBackStyle(forms::vbTransparent);
    ClickBotn.load(20);
    LblInfo.onClick = [this](int i) { LblInfo_Click(i); };
    ClickBotn.load(70);
    TimFH = new forms::Timer(this, QStringLiteral("TimFH"));
    TimFH->setInterval(100);
    onLoad = [this] { Form_Load(); };
    ClickBotn.onClick = [this](int i) { ClickBotn_Click(i); };
    TimFH->onTimer = [this] { TimFH_Timer(); };
}

void FrmFengmian::Form_Load() {
    forms::Trap trap(QStringLiteral("fmload"), startup::reportingHandler());
    startup::RunState &s = state();
    trap([&] { s.ScaleX = forms::Screen::twipsPerPixelX() / 15; });
    trap([&] { s.ScaleY = forms::Screen::twipsPerPixelY() / 15; });
    trap([&] { setWidth(12000 * s.ScaleX); });
    trap([&] { setHeight(9000 * s.ScaleY); });
    trap([&] { setIcon(forms::loadPicture(s.DataPath + QStringLiteral("l62011.mxy"))); });
    trap([&] {
        move((forms::Screen::width() - width()) / 2, (forms::Screen::height() - height()) / 2);
    });
    FengMainCsh();
}

void FrmFengmian::FengMainCsh() {
    forms::Trap trap(QStringLiteral("fengmaincsh"), startup::reportingHandler());
    startup::RunState &s = state();

    // Bank version.
    QString versionLine;
    trap([&] { versionLine = lineOf(s.DataPath + QStringLiteral("288895.mxy"), 1); });
    s.BankVersion = platform::trimBlanks(versionLine);

    // A bank of another module ends the run at once.
    QString moduleLine;
    trap([&] { moduleLine = lineOf(s.DataPath + QStringLiteral("288899.mxy"), 1); });
    if (platform::val(moduleLine) != s.ModuleNumber) {
        startup::endProgram();
        return;
    }

    // The input-method option.
    QString optionLine;
    trap([&] { optionLine = lineOf(s.UserDataFolder + QStringLiteral("288890.mxy"), 1); });
    s.UseInputMethod = platform::val(optionLine) != 0;

    trap([&] { setCaption(QStringLiteral("职称计算机考试练习系统")); });
    trap([&] {
        LblCaption->move(240 * s.ScaleX, 120 * s.ScaleY);
        LblCaption->setFontSize(10 * s.ScaleX);
        LblCaption->setCaption(s.ModuleName);
    });
    trap([&] {
        LblInfo(0)->setCaption(QStringLiteral("题库版本：V") + versionLine);
        LblInfo(0)->move(240 * s.ScaleX, 8670 * s.ScaleY);
        LblInfo(0)->setFontSize(9 * s.ScaleX);
    });
    trap([&] {
        ClickBotn(3)->move(width() - 420 * s.ScaleX, 90 * s.ScaleY, 330 * s.ScaleX, 330 * s.ScaleY);
    });
    trap([&] {
        ClickBotn(3)->setPicture(forms::loadPicture(s.DataPath + QStringLiteral("l20003.mxy")));
    });
    trap([&] {
        ClickBotn(20)->move(240 * s.ScaleX, 1200 * s.ScaleY, 1800 * s.ScaleX, 450 * s.ScaleY);
        ClickBotn(20)->setFontSize(10 * s.ScaleX);
        ClickBotn(20)->setCaption(QStringLiteral("练习第1单元"));
    });
    // Like the update button, the practice button works without its picture.
    forms::skip([&] {
        ClickBotn(20)->setPicture(forms::loadPicture(s.DataPath + QStringLiteral("l20020.mxy")));
    });

    // The update button and the cover's information area. A bank without
    // the button's picture still has the button.
    trap([&] {
        ClickBotn(8)->move(7800 * s.ScaleX, 7320 * s.ScaleY, 540 * s.ScaleX, 825 * s.ScaleY);
    });
    forms::skip([&] {
        ClickBotn(8)->setPicture(forms::loadPicture(s.DataPath + QStringLiteral("l20008.mxy")));
    });
    trap([&] {
        LblInfo(21)->move(480 * s.ScaleX, 6570 * s.ScaleY, 2820 * s.ScaleX, 300 * s.ScaleY);
    });
    trap([&] {
        ClickBotn(70)->move(4800 * s.ScaleX, 4200 * s.ScaleY, 2400 * s.ScaleX, 525 * s.ScaleY);
        ClickBotn(70)->setFontSize(10 * s.ScaleX);
        ClickBotn(70)->setCaption(QStringLiteral("模拟试卷一  开始考试"));
    });
    trap([&] {
        ClickBotn(70)->setPicture(forms::loadPicture(s.DataPath + QStringLiteral("l20048.mxy")));
    });

    // Numbers of papers and units, and the question count of every unit.
    const QString index = s.DataPath + QStringLiteral("288891.mxy");
    QString countsLine;
    trap([&] {
        const QString first = platform::trimBlanks(lineOf(index, 1));
        s.PaperCount = static_cast<int>(platform::val(platform::mid1(first, 1, 2)));
        s.UnitCount = static_cast<int>(platform::val(platform::mid1(first, 3, 2)));
        countsLine = lineOf(index, 2);
    });
    int counts[26] = {};
    for (int i = 1, u = 0; i <= countsLine.size() && u < 26; i += 2, ++u)
        counts[u] = static_cast<int>(platform::val(platform::mid1(countsLine, i, 2)));

    // The units' progress, brought into shape and written back.
    // A progress file that cannot be read is reported and left as it is.
    const panel::RecordFiles records(s.UserDataFolder);
    bool readable = true;
    const QStringList stored = records.readUnitProgress(&readable);
    QStringList progress;
    for (int u = 0; u <= 24; ++u)
        progress << panel::normalisedUnitLine(u < stored.size() ? stored[u] : QString(), counts[u]);
    if (readable) {
        trap([&] {
            if (!records.writeUnitProgress(progress, 25)) forms::raise(forms::errFileAccess);
        });
    }
    for (int u = 0; u < s.UnitCount && u < startup::kUnitRows; ++u) {
        const QString line = u < progress.size() ? platform::trimBlanks(progress[u]) : QString();
        s.UnitTable[u][2] = QString::number(line.size());
        s.UnitTable[u][3] = QString::number(line.count(QLatin1Char('F')));
        s.UnitTable[u][4] = line;
    }
}

void FrmFengmian::LblInfo_Click(int index) {
    if (index == 0 || index == 21) update::openAboutBox();
}

void FrmFengmian::TimFH_Timer() {
    TimFH->setEnabled(false);
    ClickBotn_Click(state().HomeReturnButton);
}

void FrmFengmian::StartFixedPaper(int k) {
    forms::Trap trap(QStringLiteral("clickbotn"), startup::reportingHandler());
    startup::RunState &s = state();
    QString codes;
    trap([&] { codes = lineOf(s.DataPath + QStringLiteral("288891.mxy"), k + 3); });
    const panel::ExerciseBuild build = panel::buildExercise(platform::trimBlanks(codes), s.DataPath);
    for (int code : build.skipped)
        startup::trapError(QStringLiteral("initshiti"), forms::errFileNotFound,
                           startup::err::text(forms::errFileNotFound) + QStringLiteral(": ") +
                               panel::codeText(code));
    s.PaperMode = startup::MockPaper;
    s.PaperIndex = k;
    s.PaperSlot = k;
    s.StudyMode = startup::Exam;
    trap([&] {
        if (!panel::writeExercise(build, startup::stepFileFor(s, k), startup::questionFileFor(s, k)))
            forms::raise(forms::errFileAccess);
    });
    s.QuestionCount = std::min(static_cast<int>(build.codes.size()), startup::kMaxQuestions);
    for (int q = 0; q < s.QuestionCount; ++q) {
        s.QuestionCodes[q] = build.codes[q];
        s.QuestionStatus[q] = 0;
        s.QuestionDone[q] = QStringLiteral("F");
    }
    s.TextFilePath = s.DataPath + QStringLiteral("288890.mxy");
    startup::setExerciseFilePaths(s);
    s.CurQuestion = 1;
    s.CurStep = 1;
    s.MinutesLeft = 50;
    const std::vector<int> first = panel::firstLinesOf(build.questionLines);
    for (size_t i = 0; i < first.size(); ++i) s.QuestionFirstLine[i] = first[i];
    panel::applyFavouriteMarks(s, panel::RecordFiles(s.UserDataFolder).readOneLine(panel::recname::Favourites));
    unload();
    forms::skip([] { forms::form<FrmLogon>()->show(); });
}

void FrmFengmian::ClickBotn_Click(int index) {
    if (index >= 16 && index <= 19) {
        // The tabs come with the whole page; until then the page itself.
        show();
        return;
    }
    if (index == 8) {
        update::openUpdateWindow();
        return;
    }
    if (index == 20) {
        prepareWholeUnit(0);
        // A bank without questions in the unit has nothing to practise.
        if (state().QuestionCount > 0) startLianXi();
        return;
    }
    if (index == 70) {
        StartFixedPaper(0);
        return;
    }
    if (index != 3) return;
    startup::RunState &s = state();
    s.MsgBoxResult = 0;
    auto *box = forms::form<FrmQHMSGBOX>();
    box->LblTitle->setCaption(QStringLiteral("退出系统"));
    forms::skip([&] { box->Image1->loadPicture(s.DataPath + QStringLiteral("l20071.mxy")); });
    box->LblPrompt->setCaption(QStringLiteral("\r\n\r\n\r\n您确实要退出学习软件吗？"));
    box->show(forms::vbModal);
    if (s.MsgBoxResult == 1) startup::endProgram();
}

void FrmFengmian::prepareWholeUnit(int u) {
    startup::RunState &s = state();
    const QString progress = s.UnitTable[u][4];
    s.StudyMode = startup::Practice;
    s.CurQuestion = 1;
    s.PaperMode = startup::UnitAll;
    s.PaperIndex = u;
    s.QuestionCount =
        std::clamp(static_cast<int>(platform::val(s.UnitTable[u][2])), 0, startup::kMaxQuestions);
    s.QuestionStatus.fill(0);
    for (int i = 1; i <= s.QuestionCount; ++i) {
        const bool done = i <= progress.size() && progress[i - 1] == QLatin1Char('T');
        s.QuestionCodes[i - 1] = u * 100 + i;
        s.QuestionDone[i - 1] = done ? QStringLiteral("T") : QStringLiteral("F");
        s.QuestionStatus[i - 1] = done ? startup::StatusDone : 0;
    }
}

void FrmFengmian::startLianXi() {
    forms::Trap trap(QStringLiteral("startlianxi"), startup::reportingHandler());
    startup::RunState &s = state();
    s.TextFilePath = s.DataPath + QStringLiteral("288890.mxy");
    startup::setExerciseFilePaths(s);
    s.CurQuestion = 1;
    s.CurStep = 1;
    s.MinutesLeft = 50;
    // The screens a question showed belong to the set that showed them.
    for (auto &pictures : s.QuestionPictures) pictures.fill(QString());

    s.QuestionFirstLine[0] = 1;
    QStringList list;
    trap([&] {
        const auto lines = platform::readLines(s.QuestionFilePath);
        if (!lines) forms::raise(forms::errFileNotFound);
        list = *lines;
    });
    for (int i = 1; i <= list.size() && i < startup::kMaxQuestions; ++i) {
        if (platform::trimBlanks(list[i - 1]).isEmpty()) break;
        s.QuestionFirstLine[i] = s.QuestionFirstLine[i - 1] +
                                 static_cast<int>(platform::val(platform::mid1(list[i - 1], 5, 2)));
    }

    QString favourites;
    trap([&] { favourites = lineOf(s.UserDataFolder + QStringLiteral("288862.mxy"), 1); });
    favourites = platform::trimBlanks(favourites);
    QStringList codes;
    for (int i = 0; i + 4 <= favourites.size(); i += 4) codes << favourites.mid(i, 4);
    for (int q = 0; q < startup::kMaxQuestions; ++q)
        if (codes.contains(QString::number(s.QuestionCodes[q]).rightJustified(4, QLatin1Char('0'))))
            s.QuestionStatus[q] += startup::StatusMarked;

    unload();
    if (s.PaperMode == startup::MockPaper || s.PaperMode == startup::RandomPaper) return;
    trap([&] { forms::form<FrmTm>()->TimerREDO->setEnabled(true); });
    trap([&] { forms::form<FrmTm>()->TimKsModel->setEnabled(true); });
    trap([&] { forms::form<FrmTm>()->show(); });
    trap([&] { forms::form<FrmMain>()->show(); });
}
