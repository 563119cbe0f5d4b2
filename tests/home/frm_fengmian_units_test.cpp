#include "forms/testing.h"
#include "home/frm_fengmian.h"
#include "program_fixture.h"
#include "startup/frm_qhmsgbox.h"
#include "startup/program_end.h"
#include "startup/program_info.h"
#include "startup/run_state.h"

#include <gtest/gtest.h>

namespace ft = forms::testing;
using startup::state;

namespace {

class HomePage : public testsupport::ProgramFixture {
protected:
    HomePage() {
        startup::resetProgramEnded();
        startup::readInfo(state());
    }
    ~HomePage() override { startup::resetProgramEnded(); }
    ft::Session session;
};

TEST_F(HomePage, FillsUnitsAndRewritesTheirProgress) {
    ASSERT_TRUE(sample::writeBankIndex(dir(), {5, 5, 50}));
    ASSERT_TRUE(testsupport::writeBytes(
        dir().ksdata() + QStringLiteral("288893.mxy"),
        testsupport::gbkLines({QStringLiteral("TTF"), QStringLiteral("TFTFTFF")})));
    ASSERT_TRUE(testsupport::writeBytes(dir().ksdata() + QStringLiteral("288890.mxy"), "1\r\n"));
    forms::form<FrmFengmian>();
    const startup::RunState &s = state();
    EXPECT_EQ(s.UnitCount, 3);
    EXPECT_EQ(s.UnitTable[0][2], QStringLiteral("5"));
    EXPECT_EQ(s.UnitTable[0][3], QStringLiteral("3"));
    EXPECT_EQ(s.UnitTable[0][4], QStringLiteral("TTFFF"));
    EXPECT_EQ(s.UnitTable[1][4], QStringLiteral("TFTFT"));
    EXPECT_EQ(s.UnitTable[2][2], QStringLiteral("50")); // padded to its count, past 42
    EXPECT_TRUE(s.UnitTable[3][2].isEmpty());
    EXPECT_TRUE(s.UseInputMethod);

    QStringList expected = {QStringLiteral("TTFFF"), QStringLiteral("TFTFT"), QString(50, 'F')};
    while (expected.size() < 25) expected << QString();
    expected << QString();
    EXPECT_EQ(testsupport::readBytes(dir().ksdata() + QStringLiteral("288893.mxy")),
              testsupport::gbkLines(expected));
}

TEST_F(HomePage, AnotherModulesBankEndsTheRun) {
    const struct {
        QByteArray line;
        bool ends;
    } cases[] = {{"07\r\n", false}, {" 7 \r\n", false}, {"8\r\n", true}, {"", true}};
    for (const auto &c : cases) {
        startup::resetProgramEnded();
        ASSERT_TRUE(testsupport::writeBytes(dir().bankFile(QStringLiteral("288899")), c.line));
        forms::form<FrmFengmian>();
        EXPECT_EQ(startup::programEnded(), c.ends) << c.line.constData();
        forms::unloadForm<FrmFengmian>();
    }
}

TEST_F(HomePage, ExitAsksFirst) {
    FrmFengmian *home = forms::form<FrmFengmian>();
    home->show();
    QString prompt;
    ft::setModalHook([&](forms::Form &f) {
        auto &box = static_cast<FrmQHMSGBOX &>(f);
        prompt = box.LblPrompt->caption();
        ft::click(box.LblClick(0), 100, 100);
    });
    ft::click(home->ClickBotn(3), 50, 50);
    EXPECT_EQ(prompt, QStringLiteral("\r\n\r\n\r\n您确实要退出学习软件吗？"));
    EXPECT_FALSE(startup::programEnded());

    ft::setModalHook(
        [&](forms::Form &f) { ft::click(static_cast<FrmQHMSGBOX &>(f).LblClick(1), 100, 100); });
    ft::click(home->ClickBotn(3), 50, 50);
    EXPECT_TRUE(startup::programEnded());
}

} // namespace
