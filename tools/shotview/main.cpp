// Opens the simulated screen and its question panel on one sample question
// and step, as a practice set of that unit would show it, so that a person
// can look at (or take a picture of) any step without working up to it.
//
//   shotview <program folder> <unit> <question> <step> [guided|practice] [out.png]
//
// Units, questions and steps count from 1 as the panel shows them ("2单元"
// is the bank's unit 1), so that a question named as the panel names it
// opens as it is.
// With an output file it saves the whole screen there 1.5 s after the step
// is built and quits; otherwise it stays open.
#include "forms/forms.h"
#include "panel/frm_tm.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "simulator/frm_main.h"
#include "startup/run_state.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <cstdio>

namespace {

QString bankFile(const QString &bank, int n) {
    return bank + QStringLiteral("2888%1.mxy").arg(n, 2, 10, QLatin1Char('0'));
}

// The run state of a practice set of the whole unit (the bank's count,
// from 0), at the question.
bool practise(const QString &folder, int unit, int question) {
    if (unit < 0) return false;
    auto &s = startup::state();
    s.DataPath = QDir(folder).filePath(QStringLiteral("w7tk")) + QLatin1Char('/');
    s.UserDataFolder = QDir(folder).filePath(QStringLiteral("ksdata")) + QLatin1Char('/');
    s.ScaleX = s.ScaleY = 1;
    s.TextFilePath = s.DataPath + QStringLiteral("288890.mxy");
    s.StepFilePath = bankFile(s.DataPath, 20 + unit);
    s.QuestionFilePath = bankFile(s.DataPath, 70 + unit);
    s.PaperMode = startup::UnitAll;
    s.PaperIndex = unit;
    s.StudyMode = startup::Practice;
    const QStringList list = platform::readLines(s.QuestionFilePath).value_or(QStringList());
    if (question < 1 || question > list.size()) return false;
    s.QuestionCount = static_cast<int>(list.size());
    s.QuestionFirstLine[0] = 1;
    for (int i = 1; i < list.size(); ++i)
        s.QuestionFirstLine[i] =
            s.QuestionFirstLine[i - 1] + static_cast<int>(platform::val(list[i - 1].mid(4, 2)));
    for (int i = 0; i < list.size(); ++i) s.QuestionCodes[i] = unit * 100 + i + 1;
    s.CurQuestion = question;
    s.CurStep = 1;
    return true;
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    forms::initApplication();
    if (argc < 5) {
        std::fprintf(stderr, "usage: shotview <program folder> <unit> <question> <step> "
                             "[guided|practice] [out.png]\n"
                             "  unit, question and step count from 1, as the panel shows them\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    platform::setProgramFolder(folder);
    const int step = atoi(argv[4]);
    if (!practise(folder, atoi(argv[2]) - 1, atoi(argv[3]))) {
        std::fprintf(stderr, "shotview: no such question\n");
        return 1;
    }
    const bool guided = argc > 5 && QByteArray(argv[5]) == "guided";
    const QString out = argc > 6 ? QString::fromLocal8Bit(argv[6]) : QString();

    forms::form<FrmTm>()->show();
    forms::form<FrmMain>()->show();
    // The panel loads the question and arms the screen's start timer, which
    // builds step 1; the later steps are built in turn, so that what a step
    // carries over from the one before is there, as if each was answered.
    // The hint button then switches the guided look on, as a candidate would.
    QTimer::singleShot(400, [guided, step] {
        FrmMain *m = forms::form<FrmMain>();
        for (int k = 2; k <= step; ++k) {
            startup::state().CurStep = k;
            m->setData();
        }
        if (guided) forms::form<FrmTm>()->CmdGN(panel::Guide)->raiseClick();
    });
    if (!out.isEmpty())
        QTimer::singleShot(1500, [out] {
            QGuiApplication::primaryScreen()->grabWindow(0).save(out);
            QCoreApplication::exit(0);
        });
    return app.exec();
}
