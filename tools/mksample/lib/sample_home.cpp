#include "sample_home.h"

#include "platform/text.h"
#include "sample_pictures.h"

#include <QFile>
#include <QPainter>
#include <QPainterPath>
#include <vector>

namespace sample {

namespace {

// The trainer's palette: a Windows 7 sky blue with a warm accent.
const QColor kDeepBlue(0x1e, 0x4e, 0x8c);
const QColor kSkyBlue(0x3c, 0x8c, 0xdc);
const QColor kPale(0xe8, 0xf0, 0xfa);
const QColor kAccent(0xf0, 0x8c, 0x1e);

// ---------------------------------------------------------------- shared helpers

void verticalGradient(QPainter &p, const QRect &r, QColor top, QColor bottom) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillRect(r, g);
}

// The four-pane window logo of the era, size s at (x, y).
void drawLogo(QPainter &p, int x, int y, int s) {
    const QColor panes[] = {QColor(0xf2, 0x50, 0x22), QColor(0x7f, 0xba, 0x00),
                            QColor(0x00, 0xa4, 0xef), QColor(0xff, 0xb9, 0x00)};
    const int h = s / 2 - 1;
    for (int i = 0; i < 4; ++i)
        p.fillRect(x + (i % 2) * (h + 2), y + (i / 2) * (h + 2), h, h, panes[i]);
}

void drawText(QPainter &p, const QRect &r, const QString &text, int px, QColor colour,
              bool bold = false, int flags = Qt::AlignCenter) {
    p.setFont(uiFont(px, bold));
    p.setPen(colour);
    p.drawText(r, flags, text);
}

// A strip of four frames drawn by one function per frame (0 normal,
// 1 hover, 2 pressed, 3 disabled, which marks the chosen one of a group).
template <class DrawFrame> QImage strip(QSize frame, DrawFrame draw) {
    QImage img(frame.width() * 4, frame.height(), QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 4; ++i) {
        p.save();
        p.translate(frame.width() * i, 0);
        draw(p, QRect(QPoint(0, 0), frame), i);
        p.restore();
    }
    return img;
}

QColor frameColour(QColor base, int frame) {
    return frame == 1 ? base.lighter(120) : frame == 2 ? base.darker(125) : base;
}

// A button is a window of its own, so the corners a rounded strip leaves
// free would show its plain back colour: every frame is laid over the
// part of the background the button stands on, at (x, y) pixels.
QImage onBackground(const QImage &buttons, const QImage &back, QPoint at, int frames = 4) {
    const int w = buttons.width() / frames, h = buttons.height();
    QImage out(buttons.size(), QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter p(&out);
    for (int i = 0; i < frames; ++i)
        p.drawImage(QPoint(w * i, 0), back.copy(QRect(at, QSize(w, h))));
    p.drawImage(0, 0, buttons);
    return out;
}

// ---------------------------------------------------------------- backgrounds

QImage windowBack() {
    QImage img(800, 600, QImage::Format_RGB32);
    QPainter p(&img);
    verticalGradient(p, img.rect(), kPale, QColor(0xc8, 0xdc, 0xf4));
    return img;
}

QImage cover() {
    QImage img(800, 600, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    verticalGradient(p, img.rect(), QColor(0xf4, 0xf8, 0xfd), QColor(0xc6, 0xdc, 0xf5));
    verticalGradient(p, QRect(0, 0, 800, 170), kSkyBlue, kDeepBlue);
    // A soft glass arc over the banner.
    QPainterPath arc;
    arc.moveTo(0, 120);
    arc.cubicTo(260, 60, 520, 200, 800, 90);
    arc.lineTo(800, 0);
    arc.lineTo(0, 0);
    p.fillPath(arc, QColor(255, 255, 255, 40));
    drawLogo(p, 40, 40, 56);
    drawText(p, QRect(112, 34, 600, 40), QStringLiteral("职称计算机考试练习系统"), 32, Qt::white,
             true, Qt::AlignLeft | Qt::AlignVCenter);
    drawText(p, QRect(114, 78, 600, 28), kModuleName + QStringLiteral(" · 题库练习与模拟考试"), 17,
             QColor(0xdc, 0xeb, 0xfb), false, Qt::AlignLeft | Qt::AlignVCenter);
    // The link areas of the two-tile cover (labels 17 to 21) lie over these
    // captions. The heading's area (label 21, 438 to 458) and the first row's
    // (456 to 476) overlap: the heading stands at the top of its area, above
    // a rule, and the links at the foot of theirs.
    p.fillRect(QRect(24, 426, 300, 104), QColor(255, 255, 255, 170));
    p.setPen(QColor(0xa8, 0xc4, 0xe4));
    p.drawRect(QRect(24, 426, 300, 104));
    drawText(p, QRect(32, 434, 188, 18), QStringLiteral("关于本软件 · 版本信息"), 13, kDeepBlue,
             true, Qt::AlignLeft | Qt::AlignVCenter);
    p.setPen(QColor(0xc8, 0xda, 0xf0));
    p.drawLine(32, 455, 316, 455);
    const QString links[] = {QStringLiteral("官方网站"), QStringLiteral("考试资讯"),
                             QStringLiteral("在线客服二"), QStringLiteral("在线客服")};
    const QPoint at[] = {{96, 456}, {202, 456}, {96, 496}, {202, 496}};
    for (int i = 0; i < 4; ++i) {
        p.setBrush(kSkyBlue);
        p.setPen(Qt::NoPen);
        p.drawEllipse(at[i] + QPoint(-12, 12), 4, 4);
        drawText(p, QRect(at[i] + QPoint(0, 4), QSize(92, 16)), links[i], 13, kDeepBlue, false,
                 Qt::AlignLeft | Qt::AlignVCenter);
    }
    p.setPen(QColor(0xa8, 0xc4, 0xe4));
    p.drawLine(24, 570, 776, 570);
    return img;
}

QImage topBar() {
    QImage img(800, 110, QImage::Format_RGB32);
    QPainter p(&img);
    verticalGradient(p, img.rect(), kSkyBlue, kDeepBlue);
    p.fillRect(QRect(0, 0, 800, 26), QColor(255, 255, 255, 30));
    drawLogo(p, 740, 50, 36);
    return img;
}

QImage tabBack() {
    QImage img(800, 460, QImage::Format_RGB32);
    QPainter p(&img);
    verticalGradient(p, img.rect(), QColor(0xfa, 0xfc, 0xff), kPale);
    p.setPen(QColor(0xa8, 0xc4, 0xe4));
    p.drawRect(img.rect().adjusted(0, 0, -1, -1));
    return img;
}

QImage unitColumn() {
    QImage img(181, 458, QImage::Format_RGB32);
    QPainter p(&img);
    verticalGradient(p, img.rect(), QColor(0xdc, 0xea, 0xfa), QColor(0xb4, 0xd0, 0xf0));
    p.setPen(QColor(0x8c, 0xb4, 0xe0));
    p.drawLine(180, 0, 180, 457);
    return img;
}

// ---------------------------------------------------------------- button strips

// A cover tile: a rounded square with a big glyph and its caption.
QImage tile(const QString &glyph, const QString &caption, QColor base) {
    return strip(QSize(150, 150), [&](QPainter &p, QRect r, int f) {
        const QRectF box =
            QRectF(r).adjusted(4, 4, -4, -4).translated(f == 2 ? 1 : 0, f == 2 ? 1 : 0);
        QLinearGradient g(box.topLeft(), box.bottomLeft());
        g.setColorAt(0, frameColour(base, f).lighter(135));
        g.setColorAt(1, frameColour(base, f));
        p.setBrush(g);
        p.setPen(QPen(frameColour(base, f).darker(140), f == 1 ? 3 : 1));
        p.drawRoundedRect(box, 14, 14);
        drawText(p, box.adjusted(0, 10, 0, -50).toRect(), glyph, 52, Qt::white, true);
        drawText(p, box.adjusted(0, 90, 0, -10).toRect(), caption, 20, Qt::white, true);
    });
}

// A button of the cover's bottom row: a round icon over a two-character caption.
QImage iconButton(const QString &glyph, const QString &caption, QColor base) {
    return strip(QSize(36, 55), [&](QPainter &p, QRect r, int f) {
        p.setBrush(frameColour(base, f));
        p.setPen(frameColour(base, f).darker(140));
        p.drawEllipse(QRectF(r.center().x() - 15, 2, 30, 30));
        drawText(p, QRect(0, 2, 36, 30), glyph, 16, Qt::white, true);
        drawText(p, QRect(0, 34, 36, 20), caption, 12, f == 1 ? kAccent : kDeepBlue, true);
    });
}

// A tab-like button: the fourth frame marks the one chosen, in the accent.
QImage tabButton(QSize size, const QString &glyph, const QString &caption) {
    return strip(size, [&](QPainter &p, QRect r, int f) {
        const bool chosen = f == 3;
        const QColor base = chosen ? QColor(255, 255, 255, 235) : frameColour(kSkyBlue, f);
        p.setBrush(base);
        p.setPen(chosen ? kAccent : base.darker(130));
        p.drawRoundedRect(QRectF(r).adjusted(2, 2, -2, -2), 8, 8);
        const QColor text = chosen ? kDeepBlue : QColor(Qt::white);
        if (glyph.isEmpty()) {
            drawText(p, r, caption, std::min(r.height() / 2, 18), text, true);
        } else {
            drawText(p, QRect(0, 6, r.width(), r.height() / 2), glyph, 28, chosen ? kAccent : text,
                     true);
            drawText(p, QRect(0, r.height() / 2 + 4, r.width(), r.height() / 2 - 8), caption, 14,
                     text, true);
        }
    });
}

// A check box with its caption; ticked shows the tick.
QImage checkBox(QSize size, const QString &caption, bool ticked) {
    return strip(size, [&](QPainter &p, QRect r, int f) {
        const QRect box(4, (r.height() - 16) / 2, 16, 16);
        p.setBrush(f == 1 ? QColor(0xe8, 0xf4, 0xff) : QColor(Qt::white));
        p.setPen(f == 3 ? QColor(0xb0, 0xb0, 0xb0) : kDeepBlue);
        p.drawRect(box);
        if (ticked) {
            p.setPen(QPen(QColor(0x1f, 0x8f, 0x3f), 3));
            p.drawPolyline(QPolygon({box.topLeft() + QPoint(3, 8), box.topLeft() + QPoint(7, 12),
                                     box.topLeft() + QPoint(13, 3)}));
        }
        drawText(p, QRect(24, 0, r.width() - 24, r.height()), caption, 14, kDeepBlue, false,
                 Qt::AlignLeft | Qt::AlignVCenter);
    });
}

// A filter button under the units chart; selected it is filled in the accent.
QImage filterButton(const QString &caption, bool selected) {
    return strip(QSize(60, 25), [&](QPainter &p, QRect r, int f) {
        const QColor base = selected ? kAccent : frameColour(QColor(0x8c, 0xb4, 0xe0), f);
        p.setBrush(base);
        p.setPen(base.darker(130));
        p.drawRoundedRect(QRectF(r).adjusted(1, 1, -1, -1), 5, 5);
        drawText(p, r, caption, 13, Qt::white, true);
    });
}

QImage actionButton(QSize size, const QString &caption, QColor base = kAccent) {
    return buttonStrip(size, caption, base);
}

// A plain strip for buttons whose caption the page sets.
QImage plainButton(QSize size, QColor base) {
    return strip(size, [&](QPainter &p, QRect r, int f) {
        p.setBrush(f == 3 ? kAccent : frameColour(base, f));
        p.setPen(base.darker(130));
        p.drawRoundedRect(QRectF(r).adjusted(1, 1, -1, -1), 4, 4);
    });
}

bool writeButtonPictures(const SampleDir &dir) {
    const QImage coverBack = cover(), barBack = topBar(), tabBackground = tabBack(),
                 column = unitColumn();
    struct Named {
        int index;
        QImage image;
        const QImage &back; // what the button stands on
        QPoint at;          // its place there, pixels
    };
    const QColor red(0xc8, 0x3c, 0x3c);
    const QString helpTitles[] = {QStringLiteral("软件介绍"), QStringLiteral("备考指南"),
                                  QStringLiteral("考试大纲"), QStringLiteral("答题技巧"),
                                  QStringLiteral("常见问题")};
    const QString paperPages[] = {QStringLiteral("冲刺试卷"), QStringLiteral("模拟试卷"),
                                  QStringLiteral("随机组卷"), QStringLiteral("随机试卷")};
    std::vector<Named> buttons = {
        {4,
         tile(QStringLiteral("练"), QStringLiteral("章节练习"), QColor(0x2f, 0x8f, 0xd8)),
         coverBack,
         {160, 200}},
        {5,
         tile(QStringLiteral("考"), QStringLiteral("模拟考试"), QColor(0xe0, 0x7a, 0x1a)),
         coverBack,
         {460, 200}},
        {6,
         tile(QStringLiteral("藏"), QStringLiteral("我的收藏"), QColor(0x3c, 0xa0, 0x4a)),
         coverBack,
         {410, 256}},
        {7, tile(QStringLiteral("错"), QStringLiteral("我的错题"), red), coverBack, {590, 256}},
        {8,
         iconButton(QStringLiteral("↑"), QStringLiteral("升级"), QColor(0x3c, 0xa0, 0x4a)),
         coverBack,
         {520, 488}},
        {11,
         iconButton(QStringLiteral("?"), QStringLiteral("帮助"), kSkyBlue),
         coverBack,
         {648, 488}},
        {12,
         iconButton(QStringLiteral("网"), QStringLiteral("网站"), kAccent),
         coverBack,
         {712, 488}},
        {13, buttonStrip(QSize(22, 22), QStringLiteral("_"), kSkyBlue), barBack, {745, 6}},
        {14,
         buttonStrip(QSize(22, 22), QStringLiteral("×"), QColor(0xc0, 0x40, 0x30)),
         barBack,
         {772, 6}},
        {20, actionButton(QSize(120, 40), QStringLiteral("开始练习")), tabBackground, {600, 392}},
        {21, actionButton(QSize(120, 40), QStringLiteral("生成新试卷")), tabBackground, {650, 390}},
        {22, actionButton(QSize(120, 40), QStringLiteral("开始练习")), tabBackground, {592, 154}},
        {23,
         actionButton(QSize(80, 25), QStringLiteral("清除收藏"), red),
         tabBackground,
         {416, 220}},
        {24, actionButton(QSize(120, 40), QStringLiteral("开始练习")), tabBackground, {592, 154}},
        {25,
         actionButton(QSize(80, 25), QStringLiteral("清除错题"), red),
         tabBackground,
         {416, 220}},
        {40, checkBox(QSize(80, 30), QStringLiteral("未复习"), false), tabBackground, {385, 149}},
        {41, checkBox(QSize(80, 30), QStringLiteral("已复习"), false), tabBackground, {385, 179}},
        {42, checkBox(QSize(80, 30), QStringLiteral("未复习"), false), tabBackground, {385, 149}},
        {43, checkBox(QSize(80, 30), QStringLiteral("已复习"), false), tabBackground, {385, 179}},
        {90, checkBox(QSize(80, 30), QStringLiteral("未复习"), true), tabBackground, {385, 149}},
        {91, checkBox(QSize(80, 30), QStringLiteral("已复习"), true), tabBackground, {385, 179}},
        {92, checkBox(QSize(80, 30), QStringLiteral("未复习"), true), tabBackground, {385, 149}},
        {93, checkBox(QSize(80, 30), QStringLiteral("已复习"), true), tabBackground, {385, 179}},
        {37, filterButton(QStringLiteral("全部"), false), tabBackground, {299, 380}},
        {38, filterButton(QStringLiteral("已学"), false), tabBackground, {399, 380}},
        {39, filterButton(QStringLiteral("未学"), false), tabBackground, {499, 380}},
        {87, filterButton(QStringLiteral("全部"), true), tabBackground, {299, 380}},
        {88, filterButton(QStringLiteral("已学"), true), tabBackground, {399, 380}},
        {89, filterButton(QStringLiteral("未学"), true), tabBackground, {499, 380}},
        {44, tabButton(QSize(180, 58), {}, QStringLiteral("所有单元")), column, {1, 0}},
        {45, plainButton(QSize(180, 35), QColor(0xf4, 0xf8, 0xfd)), column, {1, 58}},
        {46, plainButton(QSize(79, 37), kSkyBlue), column, {10, 418}},
        {86, plainButton(QSize(79, 37), kAccent), column, {91, 418}},
        {47,
         actionButton(QSize(85, 30), QStringLiteral("开始考试"), red),
         tabBackground,
         {392, 50}},
        {48, actionButton(QSize(85, 30), QStringLiteral("开始考试")), tabBackground, {392, 50}},
    };
    const QString bar[] = {QStringLiteral("首页"), QStringLiteral("章节练习"),
                           QStringLiteral("模拟考试"), QStringLiteral("我的收藏"),
                           QStringLiteral("我的错题")};
    const QString glyphs[] = {QStringLiteral("⌂"), QStringLiteral("练"), QStringLiteral("考"),
                              QStringLiteral("藏"), QStringLiteral("错")};
    for (int k = 0; k < 5; ++k)
        buttons.push_back(
            {15 + k, tabButton(QSize(82, 80), glyphs[k], bar[k]), barBack, {15 + 87 * k, 29}});
    for (int k = 0; k < 4; ++k)
        buttons.push_back(
            {28 + k, tabButton(QSize(180, 50), {}, paperPages[k]), column, {1, 1 + 50 * k}});
    for (int k = 0; k < 5; ++k)
        buttons.push_back(
            {32 + k, tabButton(QSize(180, 50), {}, helpTitles[k]), column, {1, 1 + 50 * k}});
    bool ok = true;
    for (const Named &b : buttons)
        ok &= saveBankPicture(
            dir, QStringLiteral("l200") + QString::number(b.index).rightJustified(2, '0'),
            onBackground(b.image, b.back, b.at), PictureFormat::Png);
    return ok;
}

bool writeBackgrounds(const SampleDir &dir) {
    bool ok = saveBankPicture(dir, QStringLiteral("l20060"), windowBack());
    ok &= saveBankPicture(dir, QStringLiteral("l20051"), cover());
    ok &= saveBankPicture(dir, QStringLiteral("l20052"), topBar());
    ok &= saveBankPicture(dir, QStringLiteral("l20053"), tabBack());
    ok &= saveBankPicture(dir, QStringLiteral("l20054"), unitColumn());
    ok &= writeCursor(dir.bankFile(QStringLiteral("9l0015")), handPointer(), 6, 0);
    return ok;
}

// ---------------------------------------------------------------- help pages

QImage helpScreenshot() {
    QImage img = windowPicture(QSize(320, 180), QStringLiteral("计算机"));
    QPainter p(&img);
    drawText(p, QRect(20, 60, 280, 60),
             QStringLiteral("在模拟的 Windows 7 屏幕上\n按题目要求完成操作"), 14, kDeepBlue);
    return img;
}

QString helpPage(const QString &title, const QString &body) {
    return QStringLiteral(
               "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
               "charset=gb2312\">"
               "<title>%1</title></head>\r\n<body style=\"font-size:14px; color:#1e4e8c\">\r\n"
               "<h2>%1</h2>\r\n%2\r\n</body></html>")
        .arg(title, body);
}

bool writeHelpPages(const SampleDir &dir) {
    const QString pages[] = {
        helpPage(
            QStringLiteral("软件介绍"),
            QStringLiteral(
                "<p>本软件模拟全国专业技术人员计算机应用能力考试《中文Windows "
                "7操作系统》模块的考试环境。"
                "考生在模拟的 Windows 7 屏幕上完成每道题的操作，系统逐步判断操作是否正确。</p>\r\n"
                "<p><img src=\"L38189.MXY\" width=\"320\" height=\"180\"></p>\r\n"
                "<p>请先阅读<a href=\"l38181.mxy\">备考指南</a>，更多资料见"
                "<a href=\"http://www.qhqm-soft.example/\">官方网站</a>。</p>")),
        helpPage(QStringLiteral("备考指南"),
                 QStringLiteral("<ol><li>按章节逐一练习，每个单元的题目都练到“已学”。</li>"
                                "<li>把做错和没把握的题目加入收藏，考前集中复习。</li>"
                                "<li>最后做冲刺试卷和模拟试卷，熟悉50分钟的考试节奏。</li></ol>")),
        helpPage(QStringLiteral("考试大纲"),
                 QStringLiteral("<ul><li>Windows 7 的基本操作：桌面、开始菜单、任务栏与窗口</li>"
                                "<li>文件与文件夹的管理</li><li>控制面板与系统设置</li>"
                                "<li>附件程序与多媒体</li></ul>")),
        helpPage(QStringLiteral("答题技巧"),
                 QStringLiteral("<p>每道题只判断题目要求的操作，完成后点击“下一题”。"
                                "不会做的题可以先跳过，最后再回来完成。</p>")),
        helpPage(QStringLiteral("常见问题"),
                 QStringLiteral("<p><b>问：</b>为什么点击后没有反应？<br><b>答：</b>"
                                "该操作不是题目要求的步骤，请按题目要求重新操作。</p>"
                                "<p><a href=\"l38180.mxy\">返回软件介绍</a></p>")),
    };
    bool ok = true;
    for (int n = 0; n < 5; ++n) {
        QFile f(dir.bankFile(QStringLiteral("l3818") + QString::number(n)));
        const QByteArray bytes = platform::encodeGbk(pages[n]);
        ok &= f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
    }
    ok &= saveBankPicture(dir, QStringLiteral("l38189"), helpScreenshot(), PictureFormat::Png);
    return ok;
}

// ---------------------------------------------------------------- bank index

QString unitFile(int base, int unit) {
    return QStringLiteral("2888") + QString::number(base + unit);
}

// An empty file: the question list or step file of a unit without
// questions.
bool writeEmptyBankFile(const SampleDir &dir, const QString &name) {
    QFile f(dir.bankFile(name));
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate);
}

// The questions of a unit: the filled lines of its question list.
int questionCount(const SampleDir &dir, int unit) {
    int n = 0;
    for (const QString &l :
         platform::readLines(dir.bankFile(unitFile(70, unit))).value_or(QStringList()))
        n += !platform::trimBlanks(l).isEmpty();
    return n;
}

// Paper k: 40 codes taken round the list of every question, every third
// one from a start of its own, so that the four papers differ and mix the
// units; a question a paper already holds gives way to the next one after
// it. A bank of fewer than 40 questions has no papers.
QStringList papers(const QList<int> &counts) {
    QStringList all;
    for (int u = 0; u < counts.size(); ++u)
        for (int k = 1; k <= counts[u]; ++k)
            all << QString::number(u).rightJustified(2, '0') +
                       QString::number(k).rightJustified(2, '0');
    QStringList lists;
    if (all.size() < 40) return lists;
    for (int p = 0; p < kHomePapers; ++p) {
        QStringList codes;
        for (int i = 0; i < 40; ++i) {
            int at = (p * 37 + i * 3) % all.size();
            while (codes.contains(all[at])) at = (at + 1) % all.size();
            codes << all[at];
        }
        lists << codes.join(QString());
    }
    return lists;
}

} // namespace

bool addHomeBankIndex(const SampleDir &dir) {
    // The units the parts above give no questions (their titles are the
    // module's later subjects) are empty: the home page says so when one is
    // chosen.
    bool ok = true;
    for (int u = 0; u < kHomeUnits; ++u) {
        for (int base : {20, 70}) {
            if (!QFile::exists(dir.bankFile(unitFile(base, u))))
                ok &= writeEmptyBankFile(dir, unitFile(base, u));
        }
    }
    QList<int> counts;
    for (int u = 0; u < kHomeUnits; ++u) counts << questionCount(dir, u);
    return ok && writeBankIndex(dir, counts, papers(counts));
}

QStringList bannerLines() {
    return {QStringLiteral("  新版题库已上线◎点击查看备考资料  "), QStringLiteral("&H1E4EC8"),
            QStringLiteral("http://www.qhqm-soft.example/")};
}

bool addHomeFiles(const SampleDir &dir) {
    bool ok = dir.makeFolders();
    ok &= writeBackgrounds(dir);
    ok &= writeButtonPictures(dir);
    ok &= writeHelpPages(dir);
    ok &= addHomeTabPictures(dir);
    return ok;
}

QImage homeTabBackground() {
    return tabBack();
}

bool addHomeBanner(const SampleDir &dir) {
    return writeGbkLines(dir.ksdata() + QStringLiteral("170100.mxy"), bannerLines());
}

} // namespace sample
