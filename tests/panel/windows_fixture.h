#pragma once
// The exam windows on the sample's program folder: start-up read, a fixed
// paper of 40 questions in the bank index with question lines for the
// score sheet, the unit files of units 0 and 1 for the review, and a
// session on the manual clock.
#include "forms/testing.h"
#include "panel/frm_tm.h"
#include "program_fixture.h"
#include "simulator/frm_main.h"
#include "startup/program_info.h"
#include "startup/run_state.h"

#include <gtest/gtest.h>

inline void PrintTo(const QString &s, std::ostream *os) {
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QStringList &l, std::ostream *os) {
    *os << '{' << l.join(", ").toStdString() << '}';
}

namespace paneltest {

namespace ft = forms::testing;

inline QString paperCodes() {
    QString out;
    for (int i = 1; i <= 40; ++i) out += QStringLiteral("%1%2").arg((i - 1) / 20, 2, 10, QChar('0')).arg((i - 1) % 20 + 1, 2, 10, QChar('0'));
    return out;
}

class ExamWindowsTest : public testsupport::ProgramFixture {
protected:
    ExamWindowsTest() {
        auto &s = startup::state();
        startup::readInfo(s);
        for (int u = 0; u < 2; ++u) {
            QStringList questions, steps;
            for (int k = 1; k <= 20; ++k) {
                questions << QStringLiteral("%1%2%3第%4单元第%5题")
                                 .arg(u, 2, 10, QChar('0')).arg(k, 2, 10, QChar('0')).arg("02").arg(u + 1).arg(k);
                steps << QStringLiteral("u%1q%2s1").arg(u).arg(k) << QStringLiteral("u%1q%2s2").arg(u).arg(k);
            }
            testsupport::writeBytes(dir().bankFile(QStringLiteral("2888%1").arg(70 + u)), testsupport::gbkLines(questions));
            testsupport::writeBytes(dir().bankFile(QStringLiteral("2888%1").arg(20 + u)), testsupport::gbkLines(steps));
        }
        testsupport::writeBytes(dir().bankFile("288891"),
                                testsupport::gbkLines({"0102", "2020", paperCodes()}));
        QStringList paperLines;
        for (int i = 1; i <= 40; ++i) paperLines << QStringLiteral("%1%2题目%3").arg(paperCodes().mid(4 * (i - 1), 4)).arg("02").arg(i);
        paperLines[6] = QStringLiteral("000702picturel62011第七题的图");
        testsupport::writeBytes(dir().bankFile("288850"), testsupport::gbkLines(paperLines));
        s.PaperMode = startup::MockPaper;
        s.PaperIndex = 0;
        s.PaperSlot = 0;
        s.StudyMode = startup::Exam;
        s.QuestionCount = 40;
        s.MinutesLeft = 50;
        startup::setExerciseFilePaths(s);
        for (int i = 0; i < 40; ++i) s.QuestionCodes[i] = paperCodes().mid(4 * i, 4).toInt();
        s.ExamStartTime = QStringLiteral("2015-03-07 09:00:00");
    }
    startup::RunState &s = startup::state();
    ft::Session session;

    // The paper running: the simulated screen and the panel shown.
    void paperRunning() {
        forms::form<FrmMain>()->show();
        forms::form<FrmTm>()->show();
    }
    QByteArray record(const QString &name) { return testsupport::readBytes(dir().ksdata() + name + ".mxy"); }
    int modalShows(const QString &name) const {
        int n = 0;
        for (const QString &m : modals) n += m == name;
        return n;
    }
    QStringList modals;
};

} // namespace paneltest
