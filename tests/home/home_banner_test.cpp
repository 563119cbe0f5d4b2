// The banner strip of the home page: it stays as large as its text,
// whatever text and size the banner takes, also after the page build.
#include "home_fixture.h"
#include "sample_home.h"

#include <gtest/gtest.h>

namespace {

using HomeBanner = hometest::HomeFixture;

TEST_F(HomeBanner, TheStripTakesTheSizeOfEveryTextItHolds) {
    ASSERT_TRUE(sample::addHomeBanner(dir()));
    FrmFengmian *f = home();
    const struct {
        const char *text;
        double fontSize;
    } cases[] = {{"新版题库已上线\r\n点击查看备考资料，了解最新考试动态", 10},
                 {"短", 10},
                 {"第一行\r\n第二行\r\n第三行", 12},
                 {"", 10}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        f->LblAD->setFontSize(c.fontSize);
        f->LblAD->setCaption(QString::fromUtf8(c.text));
        EXPECT_DOUBLE_EQ(f->PicAd->width(), f->LblAD->width());
        EXPECT_DOUBLE_EQ(f->PicAd->height(), f->LblAD->height());
        EXPECT_EQ(f->PicAd->backColor(), forms::rgb(255, 255, 255));
    }
}

} // namespace
