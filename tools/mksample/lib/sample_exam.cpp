#include "sample_exam.h"

#include "platform/text.h"
#include "sample_pictures.h"
#include "step_builder.h"

#include <QLinearGradient>
#include <QPainter>

namespace sample {

namespace {

const QColor kGlass(0x3c, 0x7c, 0xc8);
const QColor kNavy(0x1e, 0x4e, 0x8c);
const QColor kPage(0xf6, 0xf9, 0xfe);

// Design twips of the windows to pixels of their pictures.
int px(int twips) {
    return twips / 15;
}

// The blue band across the top of a full-screen picture, with its title.
void drawBanner(QPainter &p, int width, const QString &title, const QString &subtitle) {
    QLinearGradient g(0, 0, 0, 110);
    g.setColorAt(0, kGlass.lighter(120));
    g.setColorAt(1, kNavy);
    p.fillRect(QRect(0, 0, width, 110), g);
    p.setPen(Qt::white);
    p.setFont(uiFont(26, true));
    p.drawText(QRect(0, 18, width, 40), Qt::AlignCenter, title);
    p.setFont(uiFont(16));
    p.drawText(QRect(0, 64, width, 28), Qt::AlignCenter, subtitle);
}

// A rounded panel with a light border, as the Windows 7 dialogs draw them.
void drawPanel(QPainter &p, const QRect &r) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(0xa0, 0xb8, 0xd8));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
    p.setRenderHint(QPainter::Antialiasing, false);
}

// A painted push button at its place in the picture.
void drawFaceButton(QPainter &p, const QRect &r, const QString &label) {
    p.drawImage(r.topLeft(), buttonStrip(r.size(), label).copy(0, 0, r.width(), r.height()));
}

// A field title right-aligned before the place where the program puts a
// value or a text box.
void drawFieldTitle(QPainter &p, int rightEdge, int top, const QString &title) {
    p.setPen(QColor(0x33, 0x33, 0x33));
    p.setFont(uiFont(16, true));
    p.drawText(QRect(rightEdge - 160, top, 150, 24), Qt::AlignRight | Qt::AlignTop, title);
}

// The title of a row of the confirmation, level with the value the program
// writes at `top` in a 12-point label. The last rows stand only 20 pixels
// apart, so the titles are smaller than the values: rows of titles as tall
// as the values' would touch.
void drawRowTitle(QPainter &p, int rightEdge, int top, const QString &title) {
    p.setPen(QColor(0x44, 0x44, 0x44));
    p.setFont(uiFont(14, true));
    p.drawText(QRect(rightEdge - 160, top, 150, 17), Qt::AlignRight | Qt::AlignVCenter, title);
}

QImage loginScreen() {
    QImage img(800, 600, QImage::Format_RGB32);
    img.fill(kPage);
    QPainter p(&img);
    drawBanner(p, 800, QStringLiteral("全国专业技术人员计算机应用能力考试"), QStringLiteral("考生登录"));
    drawPanel(p, QRect(170, 230, 460, 200));
    // The text boxes lie at (338, 296) and (338, 327), 217 x 24 pixels.
    drawFieldTitle(p, px(5070), px(4440), QStringLiteral("座位号："));
    drawFieldTitle(p, px(5070), px(4905), QStringLiteral("身份证号："));
    drawFaceButton(p, QRect(px(4275), px(5640), px(1335), px(495)), QStringLiteral("登 录"));
    drawFaceButton(p, QRect(px(6660), px(5640), px(1335), px(495)), QStringLiteral("退 出"));
    p.setPen(QColor(0x66, 0x66, 0x66));
    p.setFont(uiFont(13));
    p.drawText(QRect(0, 540, 800, 24), Qt::AlignCenter,
               QStringLiteral("请输入座位号和身份证号，然后单击“登录”。"));
    return img;
}

QImage confirmScreen() {
    QImage img(800, 600, QImage::Format_RGB32);
    img.fill(kPage);
    QPainter p(&img);
    drawBanner(p, 800, QStringLiteral("全国专业技术人员计算机应用能力考试"), QStringLiteral("考生信息确认"));
    drawPanel(p, QRect(60, 150, 680, 250));
    const struct {
        int left, top;
        const char *title;
    } fields[] = {
        {4080, 2610, "考生姓名："}, {4080, 2940, "座 位 号："}, {4080, 3300, "考试批次："},
        {2505, 4215, "考试科目："}, {2505, 4590, "身份证号："}, {2505, 4950, "答题卡号："},
        {2505, 5250, "考试日期："},
    };
    for (const auto &f : fields) drawRowTitle(p, px(f.left), px(f.top), QString::fromUtf8(f.title));
    p.setPen(kNavy);
    p.setFont(uiFont(15, true));
    p.drawText(QRect(0, px(7980) - 40, 800, 28), Qt::AlignCenter,
               QStringLiteral("正在进入考试，请稍候……"));
    return img;
}

QImage scoreSheetBack() {
    QImage img(800, 600, QImage::Format_RGB32);
    img.fill(kPage);
    QPainter p(&img);
    drawBanner(p, 800, QStringLiteral("考试成绩"), QStringLiteral("本场考试已结束"));
    drawPanel(p, QRect(60, 250, 680, 320));
    p.setPen(QColor(0x55, 0x55, 0x55));
    p.setFont(uiFont(13));
    p.drawText(QRect(60, 130, 680, 24), Qt::AlignCenter,
               QStringLiteral("绿色题号为做对的题目，红色题号为做错的题目；单击题号可查看题目。"));
    return img;
}

// A square result button: a tick on green or a cross on red.
QImage resultStrip(bool right) {
    const QColor base = right ? QColor(0x3a, 0x9a, 0x4a) : QColor(0xc8, 0x3c, 0x32);
    return buttonStrip(QSize(30, 30), QString(), base);
}

QImage noticeBack() {
    QImage img(420, 280, QImage::Format_RGB32);
    img.fill(QColor(0xe1, 0xff, 0xff));
    QPainter p(&img);
    QLinearGradient g(0, 0, 0, 36);
    g.setColorAt(0, kGlass);
    g.setColorAt(1, kNavy);
    p.fillRect(QRect(0, 0, 420, 36), g);
    p.setPen(kNavy);
    p.drawRect(img.rect().adjusted(0, 0, -1, -1));
    p.setPen(QColor(0xb0, 0xd8, 0xd8));
    p.drawLine(12, 220, 408, 220);
    return img;
}

bool writeExamPictures(const SampleDir &dir) {
    const QColor red(0xc0, 0x40, 0x30);
    bool ok = saveBankPicture(dir, QStringLiteral("9l0056"), loginScreen());
    ok &= saveBankPicture(dir, QStringLiteral("9l0057"), confirmScreen());
    ok &= saveBankPicture(dir, QStringLiteral("9l0058"), scoreSheetBack());
    ok &= saveBankPicture(dir, QStringLiteral("l01041"), buttonStrip(QSize(88, 28), QStringLiteral("交 卷"), red));
    ok &= saveBankPicture(dir, QStringLiteral("l01042"), buttonStrip(QSize(88, 28), QStringLiteral("返 回")));
    ok &= saveBankPicture(dir, QStringLiteral("l01033"), resultStrip(true), PictureFormat::Png);
    ok &= saveBankPicture(dir, QStringLiteral("l01034"), resultStrip(false), PictureFormat::Png);
    ok &= saveBankPicture(dir, QStringLiteral("l01035"), buttonStrip(QSize(128, 30), QStringLiteral("本次考题复习")));
    ok &= saveBankPicture(dir, QStringLiteral("l01036"), buttonStrip(QSize(128, 30), QStringLiteral("本次错题复习"), red));
    ok &= saveBankPicture(dir, QStringLiteral("l01037"), buttonStrip(QSize(58, 30), QStringLiteral("返回")));
    ok &= saveBankPicture(dir, QStringLiteral("l01038"), buttonStrip(QSize(128, 30), QStringLiteral("关 闭")));
    ok &= saveBankPicture(dir, QStringLiteral("l01039"), buttonStrip(QSize(128, 30), QStringLiteral("我想立即看答案"), red));
    ok &= saveBankPicture(dir, QStringLiteral("l20070"), noticeBack());
    return ok;
}

// The question count of every unit whose question list the sample has.
QList<int> unitCounts(const SampleDir &dir) {
    QList<int> counts;
    for (int u = 0;; ++u) {
        const auto lines = platform::readLines(dir.bankFile(QStringLiteral("2888") + QString::number(70 + u)));
        if (!lines) break;
        int n = 0;
        for (const QString &l : *lines) n += !platform::trimBlanks(l).isEmpty();
        counts << n;
    }
    return counts;
}

// Paper 1: the first 40 questions in unit order; paper 2: the last 40, the
// units taken from the last one back, so the two papers differ in order.
QStringList fixedPapers(const QList<int> &counts) {
    QStringList all;
    for (int u = 0; u < counts.size(); ++u)
        for (int k = 1; k <= counts[u]; ++k) all << StepBuilder::digits(u, 2) + StepBuilder::digits(k, 2);
    if (all.size() < 40) return {};
    QStringList second = all.mid(all.size() - 40);
    std::reverse(second.begin(), second.end());
    return {all.mid(0, 40).join(QString()), second.join(QString())};
}

} // namespace

bool addExamFiles(const SampleDir &dir) {
    bool ok = writeExamPictures(dir);
    const QList<int> counts = unitCounts(dir);
    ok &= writeBankIndex(dir, counts, fixedPapers(counts));
    return ok;
}

} // namespace sample
