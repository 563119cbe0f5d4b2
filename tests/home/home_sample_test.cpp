#include "box_watch.h"
#include "home/home_files.h"
#include "home_fixture.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "program_copy.h"
#include "sample_home.h"
#include "sample_judging.h"
#include "sample_questions.h"
#include "sample_shell.h"
#include "sample_shell_questions.h"
#include "sample_startup.h"

#include <gtest/gtest.h>

using startup::state;

namespace {

// The sample installation as the generator lays it out, bank index last.
class HomeSample : public hometest::HomeFixture {
protected:
    HomeSample()
        : HomeFixture({sample::addStartupFiles, sample::addHomeFiles, sample::addStepEngineFiles,
                       sample::addJudgingFiles, sample::addShellQuestions,
                       sample::addShellJudgingFiles, sample::addHomeBankIndex},
                      QStringLiteral("homesample")) {}
};

// The sample fills the first four units; the later ones, whose titles
// name subjects it has no questions for, are empty.
constexpr int kFilledUnits = 4;

// The bank index of a program folder: twelve units that count the lines of
// their lists, and four papers of 40 questions that exist, none twice.
void expectBankIndexOfExistingQuestions(const sample::SampleDir &dir) {
    const QStringList index =
        platform::readLines(dir.bankFile(QStringLiteral("288891"))).value_or(QStringList());
    ASSERT_GE(index.size(), 6);
    EXPECT_EQ(home::bankCounts(index[0]), (home::BankCounts{4, 12}));
    const auto counts = home::unitQuestionCounts(index[1]);
    for (int u = 0; u < 12; ++u) {
        const auto list = platform::readLines(dir.bankFile(QStringLiteral("2888%1").arg(70 + u)));
        ASSERT_TRUE(list) << u;
        EXPECT_EQ(counts[u], list->size()) << u;
        if (u < kFilledUnits)
            EXPECT_GT(counts[u], 0) << u;
        else
            EXPECT_EQ(counts[u], 0) << u;
        EXPECT_TRUE(platform::fileExists(dir.bankFile(QStringLiteral("2888%1").arg(20 + u))));
    }
    for (int k = 0; k < 4; ++k) {
        const QString paper = index[2 + k];
        ASSERT_EQ(paper.size(), 160) << k;
        QStringList seen;
        for (int i = 0; i < 160; i += 4) {
            const QString code = paper.mid(i, 4);
            const int unit = code.left(2).toInt(), number = code.mid(2).toInt();
            EXPECT_LT(unit, 12) << code.toStdString();
            EXPECT_GE(number, 1);
            EXPECT_LE(number, counts[unit]) << code.toStdString();
            EXPECT_FALSE(seen.contains(code)) << "paper " << k << " repeats " << code.toStdString();
            seen << code;
        }
    }
}

TEST_F(HomeSample, BankIndexHasTwelveUnitsAndFourPapersOfExistingQuestions) {
    expectBankIndexOfExistingQuestions(dir());
}

// The installation the build lays out beside the test programs has every
// part's questions, the panel's too: at its count a draw that stopped
// stepping past a question already drawn would repeat some, which the
// count of the parts above hides.
TEST(BuiltSample, BankIndexHasTwelveUnitsAndFourPapersOfExistingQuestions) {
    const sample::SampleDir built(testsupport::builtSampleFolder());
    ASSERT_TRUE(platform::fileExists(built.bankFile(QStringLiteral("288891"))))
        << "build the target sample first";
    expectBankIndexOfExistingQuestions(built);
}

TEST_F(HomeSample, HomePageCountsTheSampleBank) {
    home();
    EXPECT_TRUE(state().LastErrorProc.isEmpty()) << state().LastErrorProc.toStdString();
    EXPECT_EQ(state().PaperCount, 4);
    EXPECT_EQ(state().UnitCount, 12);
    EXPECT_EQ(state().UnitTable[11][1], QStringLiteral("多媒体与娱乐"));
    EXPECT_EQ(state().UnitTable[11][2], QStringLiteral("0"));
}

// An empty unit, chosen and started from the units tab, gets the home
// page's own message, and no set starts.
TEST_F(HomeSample, AnEmptyUnitSaysSoWhenStarted) {
    FrmFengmian *f = home();
    QStringList prompts;
    testsupport::watchBoxes(&prompts);
    clickButton(f, 4);
    clickButton(f, 50 + kFilledUnits);
    clickButton(f, 20);
    ASSERT_EQ(prompts.size(), 1);
    EXPECT_TRUE(prompts[0].contains(QStringLiteral("本单元没有题目！")))
        << prompts[0].toStdString();
    EXPECT_EQ(forms::loadedForm<FrmFengmian>(), f);
    EXPECT_TRUE(f->visible());
}

} // namespace
