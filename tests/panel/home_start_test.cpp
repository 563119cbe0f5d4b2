// The stand-in home page starts the whole first unit, and a candidate
// works a question of it to the end through the panel.
#include "panel_fixture.h"

#include "home/frm_fengmian.h"
#include "simulator/step_record.h"
#include "startup/program_end.h"

using namespace panel;

class HomeStart : public PanelFixture {
protected:
    ~HomeStart() override { startup::resetProgramEnded(); }
};

TEST_F(HomeStart, TheStartButtonPractisesTheFirstUnitThroughThePanel) {
    FrmFengmian *home = forms::form<FrmFengmian>();
    home->show();
    ASSERT_FALSE(startup::programEnded());
    // The unit's question list: code, step count, text.
    const QStringList list =
        platform::readLines(dir().bankFile(QStringLiteral("288870"))).value_or(QStringList());
    const int count = static_cast<int>(list.size());
    ASSERT_GT(count, 1);
    ASSERT_EQ(S().UnitTable[0][2], QString::number(count));

    ft::click(home->ClickBotn(4), 150, 150); // the units tab holds the start button
    ft::click(home->ClickBotn(20), 150, 150);
    EXPECT_EQ(forms::loadedForm<FrmFengmian>(), nullptr);
    ft::advance(500);
    auto &s = S();
    FrmTm *p = tm();
    EXPECT_TRUE(p->visible());
    EXPECT_TRUE(frm()->visible());
    EXPECT_EQ(s.PaperMode, startup::UnitAll);
    EXPECT_EQ(s.QuestionCount, count);
    EXPECT_TRUE(s.StepFilePath.endsWith(QStringLiteral("288820.mxy")));
    EXPECT_TRUE(s.QuestionFilePath.endsWith(QStringLiteral("288870.mxy")));
    int first = 1;
    for (int q = 1; q <= count; ++q) {
        EXPECT_EQ(s.QuestionFirstLine[q - 1], first) << q;
        first += list[q - 1].mid(4, 2).toInt();
    }
    EXPECT_EQ(p->LblBiao->caption(), QStringLiteral("Wi 1单元1/%1题(未完成)").arg(count));
    EXPECT_EQ(p->RtbTM->text(), list[0].mid(6).replace(QLatin1Char('|'), QStringLiteral("\r\n")));
    EXPECT_EQ(sim::StepRecord(s.CurRecord).leadField(),
              sim::StepRecord(platform::readLines(s.StepFilePath).value_or(QStringList()).value(0))
                  .leadField());

    // The unit's last question is the picture question: open it from the
    // list and work it to its end.
    press(List);
    ft::click(p->CmTNO(count), 150, 150);
    ft::advance(100);
    EXPECT_TRUE(p->Image2->visible());
    EXPECT_TRUE(p->RtbTM->text().startsWith(QStringLiteral("参照图片")));
    ft::click(frm()->Label1, 300, 300);
    EXPECT_EQ(sim::StepRecord(s.CurRecord).actionCode(), "9999");
    EXPECT_EQ(s.QuestionStatus[count - 1], 5);
    EXPECT_TRUE(p->LblBiao->caption().endsWith(QStringLiteral("(已完成)")));
    EXPECT_FALSE(p->LblUnit->caption().endsWith(QStringLiteral(" %1").arg(count)));

    // The finish leads back to a fresh home page.
    press(Finish);
    EXPECT_EQ(forms::loadedForm<FrmTm>(), nullptr);
    ASSERT_NE(forms::loadedForm<FrmFengmian>(), nullptr);
    EXPECT_TRUE(forms::loadedForm<FrmFengmian>()->visible());
}
