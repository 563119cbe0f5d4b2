#include "forms/forms.h"
#include "forms/testing.h"
#include "startup/kvtn_button.h"
#include "startup/run_state.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace ft = forms::testing;

namespace {

TEST(KvtnButtonCentring, RoundsToEvenThenDownToWholePixels) {
    const struct {
        double W, w, at;
    } cases[] = {
        {1350, 600, 375},  // (1350 - 600) / 2 = 375, already a multiple of 15
        {450, 180, 135},   //
        {450, 405, 15},    // 22.5 -> 22 (even) -> 15
        {450, 375, 30},    // 37.5 -> 38 (even) -> 30
        {600, 1350, -375}, // a caption wider than the button
        {375, 450, -30},   // -37.5 -> -38 -> -30, toward zero
        {330, 329, 0},
    };
    for (const auto &c : cases) EXPECT_EQ(kvtnButton::centred(c.W, c.w), c.at) << c.W << " " << c.w;
}

// A strip of four frames, each 1350 x 450 twips (90 x 30 pixels).
forms::Picture strip() {
    QImage img(360, 30, QImage::Format_RGB32);
    QPainter p(&img);
    const QColor looks[] = {Qt::blue, Qt::cyan, Qt::darkBlue, Qt::gray};
    for (int i = 0; i < 4; ++i) p.fillRect(90 * i, 0, 90, 30, looks[i]);
    return forms::Picture::fromImage(img);
}

class Host : public forms::Form {
public:
    Host() : forms::Form(QStringLiteral("Host")) {
        setBorderStyle(forms::vbBSNone);
        move(0, 0, 6000, 3000);
        Button = add<kvtnButton>(QStringLiteral("Button"));
        Button->move(1500, 1500, 1350, 450);
        Button->setPicture(strip());
        Button->setCaption(QStringLiteral("确定"));
        Button->onClick = [this] { ++clicks; };
    }
    kvtnButton *Button;
    int clicks = 0;
};

class KvtnButtonMouse : public ::testing::Test {
protected:
    void SetUp() override {
        startup::resetState();
        host = forms::form<Host>();
        host->show();
        b = host->Button;
    }
    double imgLeft() const { return b->ImgBack->left(); }
    double centredLeft() const { return kvtnButton::centred(1350, b->LblCaption->width()); }
    double centredTop() const { return kvtnButton::centred(450, b->LblCaption->height()); }

    ft::Session session;
    Host *host = nullptr;
    kvtnButton *b = nullptr;
};

TEST_F(KvtnButtonMouse, PressShowsPressedFrameAndNudgesTheCaption) {
    EXPECT_EQ(imgLeft(), 0);
    EXPECT_EQ(b->LblCaption->left(), centredLeft());
    ft::press(b, 100, 100);
    EXPECT_EQ(imgLeft(), -2 * 1350);
    EXPECT_EQ(b->LblCaption->left(), centredLeft() + 15);
    EXPECT_EQ(b->LblCaption->top(), centredTop() + 15);
    ft::release(b, 100, 100);
    EXPECT_EQ(imgLeft(), 0);
    EXPECT_EQ(b->LblCaption->left(), centredLeft());
    EXPECT_EQ(host->clicks, 1);
}

TEST_F(KvtnButtonMouse, ReleaseOffTheButtonStillClicksOnce) {
    ft::press(b, 100, 100);
    ft::move(b, 3000, -900); // dragged off, the pressed frame stays
    EXPECT_EQ(imgLeft(), -2 * 1350);
    ft::release(b, 3000, -900);
    EXPECT_EQ(imgLeft(), 0);
    EXPECT_EQ(host->clicks, 1);
}

TEST_F(KvtnButtonMouse, RightButtonAndCaptionClickToo) {
    ft::click(b, 100, 100, forms::vbRightButton);
    ft::click(b->LblCaption, 10, 10);
    EXPECT_EQ(host->clicks, 2);
}

TEST_F(KvtnButtonMouse, HoverShowsAndLeavingRestoresWithinATick) {
    ft::move(b, 100, 100);
    EXPECT_EQ(imgLeft(), -1350);
    ft::advance(100); // still over the button: nothing changes
    EXPECT_EQ(imgLeft(), -1350);
    ft::move(host, 100, 100);
    ft::advance(100);
    EXPECT_EQ(imgLeft(), 0);
    EXPECT_FALSE(b->Timer1->enabled());
}

TEST_F(KvtnButtonMouse, DisabledFrameAndNoClicks) {
    b->setEnabled(false);
    EXPECT_EQ(imgLeft(), -4050);
    ft::click(b, 100, 100);
    EXPECT_EQ(host->clicks, 0);
    EXPECT_EQ(imgLeft(), -4050);
    // Enabling shows the normal frame although the pointer is over it.
    b->setEnabled(true);
    EXPECT_EQ(imgLeft(), 0);
    ft::move(b, 110, 100);
    EXPECT_EQ(imgLeft(), -1350);
}

TEST_F(KvtnButtonMouse, CaptionStaysCentredAfterResizeAndChange) {
    b->setCaption(QStringLiteral("一段比按钮还要宽得多的文字说明"));
    EXPECT_LT(b->LblCaption->left(), 0);
    EXPECT_EQ(b->LblCaption->left(), centredLeft());
    b->setEnabled(false);
    b->setWidth(2700);
    EXPECT_EQ(b->LblCaption->left(), kvtnButton::centred(2700, b->LblCaption->width()));
    EXPECT_EQ(imgLeft(), -3 * 2700);
}

// The host sets no colour or font: its caption is white 宋体 of 9 points,
// whose width the centring goes by.
TEST_F(KvtnButtonMouse, CaptionWithoutAFontOfItsOwnIsWhiteSongNinePoint) {
    EXPECT_EQ(b->LblCaption->foreColor(), forms::rgb(255, 255, 255));
    EXPECT_EQ(b->LblCaption->font().name, QStringLiteral("宋体"));
    EXPECT_EQ(b->LblCaption->font().size, 9);
    EXPECT_EQ(b->LblCaption->left(), centredLeft());
}

} // namespace
