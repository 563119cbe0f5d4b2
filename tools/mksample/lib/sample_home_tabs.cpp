// The pictures of the home page's list tabs: the units chart and its
// heading, the paper rows, the new-random-paper page, and the favourites
// and wrong-question panels. Positions are pixels of the 800 x 460 tab
// panel, where the page puts the controls these pictures stand behind.
#include "sample_home.h"
#include "sample_pictures.h"

#include <QPainter>
#include <QPainterPath>

namespace sample {

namespace {

const QColor kInk(0x1e, 0x4e, 0x8c);
const QColor kLine(0xa8, 0xc4, 0xe4);
const QColor kSoft(0x66, 0x66, 0x66);

void text(QPainter &p, const QRect &r, const QString &s, int px, QColor c, bool bold = false,
          int flags = Qt::AlignLeft | Qt::AlignVCenter) {
    p.setFont(uiFont(px, bold));
    p.setPen(c);
    p.drawText(r, flags, s);
}

// A white card with a soft border, the rows' and panels' common frame.
void card(QPainter &p, const QRectF &r, QColor fill = Qt::white) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(fill);
    p.setPen(kLine);
    p.drawRoundedRect(r, 8, 8);
}

// The part of the tab background that a picture at (x, y) covers.
QImage backAt(const QRect &r) {
    return homeTabBackground().copy(r);
}

// The chart behind the bars (placed at 182, 112): a grid, the baseline
// the bars stand on (y 370 of the panel) and the three columns' names.
QImage unitChart() {
    QImage img = backAt(QRect(182, 112, 420, 300));
    QPainter p(&img);
    card(p, QRectF(6, 0.5, 408, 296));
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QColor(0xe4, 0xec, 0xf6));
    for (int y = 258; y > 20; y -= 24) p.drawLine(100, y, 400, y);
    p.setPen(QPen(kInk, 2));
    p.drawLine(100, 258, 400, 258);
    // Under the total count the page shows at the top of the first column.
    text(p, QRect(94, 22, 90, 24), QStringLiteral("题目总数"), 13, kSoft, false, Qt::AlignCenter);
    return img;
}

// The heading of the chart (at 210, 28), behind the selection's caption.
QImage chartHeading() {
    QImage img = backAt(QRect(210, 28, 380, 70));
    QPainter p(&img);
    card(p, QRectF(0.5, 0.5, 379, 69), QColor(0xf4, 0xf8, 0xfd));
    p.setBrush(QColor(0x3c, 0x8c, 0xdc));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(14, 16, 34, 38), 4, 4);
    p.setBrush(Qt::white);
    for (int i = 0; i < 3; ++i) p.drawRect(QRectF(20, 24 + 9 * i, 22, 3));
    return img;
}

// One paper row (294 x 80): the card the title, time, score and links sit on.
QImage paperRow() {
    QImage img = backAt(QRect(192, 8, 294, 80));
    QPainter p(&img);
    card(p, QRectF(0.5, 0.5, 293, 79));
    p.setPen(QColor(0xe4, 0xec, 0xf6));
    p.drawLine(8, 34, 190, 34);
    return img;
}

// The new-random-paper page (at 182, 6), above the draw button.
QImage randomPaperPage() {
    QImage img = backAt(QRect(182, 6, 610, 440));
    QPainter p(&img);
    card(p, QRectF(10.5, 10.5, 589, 360));
    text(p, QRect(40, 30, 520, 40), QStringLiteral("随机组卷"), 26, kInk, true);
    const QString lines[] = {
        QStringLiteral("从全部单元中随机抽取 40 道不重复的题目，组成一套新试卷。"),
        QStringLiteral("试卷按正式考试计时 50 分钟，交卷后给出成绩和错题。"),
        QStringLiteral("最近的 10 套随机试卷保存在“随机试卷”中，可以重做或删除。"),
    };
    for (int i = 0; i < 3; ++i)
        text(p, QRect(40, 100 + 44 * i, 540, 30), QStringLiteral("● ") + lines[i], 15, kSoft);
    text(p, QRect(40, 300, 540, 30), QStringLiteral("点击右下方的按钮生成一套新试卷。"), 15,
         QColor(0xe0, 0x7a, 0x1a), true);
    return img;
}

// The favourites' or the wrong book's panel: a heading, the two rows the
// check boxes and counts stand in (y 149 and 179), and a hint below.
QImage reviewPanel(const QString &title, const QString &hint) {
    QImage img = homeTabBackground();
    QPainter p(&img);
    card(p, QRectF(190.5, 40.5, 580, 70), QColor(0xf4, 0xf8, 0xfd));
    text(p, QRect(210, 48, 540, 30), title, 22, kInk, true);
    text(p, QRect(210, 78, 540, 26), hint, 13, kSoft);
    p.setRenderHint(QPainter::Antialiasing, false);
    for (int row = 0; row < 2; ++row)
        text(p, QRect(520, 149 + 30 * row, 40, 30), QStringLiteral("题"), 14, kInk);
    p.setPen(kLine);
    p.drawLine(385, 212, 580, 212);
    text(p, QRect(210, 300, 560, 26),
         QStringLiteral("勾选要练习或清除的题目，再点“开始练习”或“清除”。"), 13, kSoft);
    return img;
}

} // namespace

bool addHomeTabPictures(const SampleDir &dir) {
    bool ok = saveBankPicture(dir, QStringLiteral("l20055"), unitChart());
    ok &= saveBankPicture(dir, QStringLiteral("l20064"), chartHeading());
    ok &= saveBankPicture(dir, QStringLiteral("l20065"), paperRow());
    ok &= saveBankPicture(dir, QStringLiteral("l20066"), randomPaperPage());
    ok &= saveBankPicture(dir, QStringLiteral("l20057"),
                          reviewPanel(QStringLiteral("我的收藏"),
                                      QStringLiteral("做题时标记的题目会自动加入收藏。")));
    ok &= saveBankPicture(
        dir, QStringLiteral("l20058"),
        reviewPanel(QStringLiteral("我的错题"),
                    QStringLiteral("考试中做错或没有完成的题目会自动记入错题本。")));
    return ok;
}

} // namespace sample
