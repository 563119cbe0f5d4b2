#pragma once
// The home page on the sample's start-up and home files, with the
// program information read as start-up reads it and a manual clock.
#include "forms/testing.h"
#include "home/frm_fengmian.h"
#include "program_fixture.h"
#include "startup/program_end.h"
#include "startup/program_info.h"
#include "startup/run_state.h"

#include <QFile>

namespace hometest {

namespace ft = forms::testing;

class HomeFixture : public testsupport::ProgramFixture {
protected:
    HomeFixture() { readInfo(); }
    HomeFixture(std::vector<testsupport::AddFiles> parts, const QString &cacheKey)
        : ProgramFixture(std::move(parts), cacheKey) {
        readInfo();
    }
    void readInfo() {
        startup::resetProgramEnded();
        startup::readInfo(startup::state());
    }
    ~HomeFixture() override { startup::resetProgramEnded(); }

    // Loads the home page (its page build runs) and shows it.
    FrmFengmian *home() {
        FrmFengmian *f = forms::form<FrmFengmian>();
        if (!startup::programEnded()) f->show();
        return f;
    }
    // A click in the middle of home button i, through the real event path.
    static void clickButton(FrmFengmian *f, int i) {
        kvtnButton *b = f->ClickBotn(i);
        ft::click(b, b->width() / 2, b->height() / 2);
    }
    bool writeKsdata(const QString &name, const QStringList &lines) const {
        return testsupport::writeBytes(dir().ksdata() + name + QStringLiteral(".mxy"),
                                       testsupport::gbkLines(lines));
    }
    void removeKsdata(const QString &name) const {
        QFile::remove(dir().ksdata() + name + QStringLiteral(".mxy"));
    }

    ft::Session session;
};

} // namespace hometest
