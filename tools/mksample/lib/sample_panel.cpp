#include "sample_panel.h"

#include "sample_pictures.h"
#include "sample_questions.h"
#include "step_builder.h"

#include <QLinearGradient>
#include <QPainter>

namespace sample {

namespace {

const QColor kStripTop(0x3c, 0x7f, 0xd1);
const QColor kStripFoot(0x1f, 0x57, 0xa5);
const QColor kBody(240, 240, 240);

// The panel's function buttons: picture name, caption, frame width in pixels.
struct PanelButtonLook {
    const char *name;
    const char *caption;
    int width;
};

const PanelButtonLook kFunctionButtons[] = {
    {"l01000", "上一题", 48},   {"l01001", "下一题", 48},   {"l01002", "重做本题", 58},
    {"l01003", "标记", 58},     {"l01004", "题目", 48},     {"l01005", "结束练习", 58},
    {"l01006", "操作提示", 58}, {"l01007", "操作演示", 58}, {"l01008", "交卷", 58},
    {"l01009", "考生信息", 58}, {"l01010", "查看答案", 58}, {"l01011", "取消标记", 58},
    {"l01053", "标记", 58},     {"l01054", "取消标记", 58},
};

// The question list: number buttons by state, caption drawn by the panel.
struct ListButtonLook {
    const char *name;
    QColor base;
};

const ListButtonLook kListButtons[] = {
    {"l01030", QColor(0x8a, 0x96, 0xa8)}, // never shown
    {"l01031", QColor(0x2f, 0x6f, 0xc0)}, // shown
    {"l01032", QColor(0xd8, 0x7a, 0x16)}, // marked
};

void paintStrip(QPainter &p, const QRect &r) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, kStripTop);
    g.setColorAt(1, kStripFoot);
    p.fillRect(r, g);
}

// A button strip whose caption the program sets: the four frames blank.
QImage plainStrip(QSize frame, QColor base) {
    return buttonStrip(frame, QString(), base);
}

QImage candidatePhoto() {
    QImage img(97, 116, QImage::Format_RGB32);
    img.fill(QColor(0xdc, 0xe6, 0xf2));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x8c, 0xa0, 0xb8));
    p.drawEllipse(QRect(30, 18, 37, 42));
    p.drawRoundedRect(QRect(14, 66, 69, 60), 20, 20);
    return img;
}

// The illustration of the picture question: the "备份" folder framed red.
QImage illustration() {
    QImage img = windowPicture(QSize(360, 220), QStringLiteral("示意图"));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRect folder(150, 70, 60, 46);
    p.setPen(QColor(0xc8, 0x9b, 0x2c));
    p.setBrush(QColor(0xf5, 0xd0, 0x6b));
    p.drawRect(folder.adjusted(0, 8, 0, 0));
    p.drawRect(QRect(folder.left(), folder.top(), 24, 10));
    p.setFont(uiFont(13));
    p.setPen(Qt::black);
    p.drawText(QRect(120, 122, 120, 20), Qt::AlignCenter, QStringLiteral("备份"));
    p.setPen(QPen(QColor(0xe0, 0x20, 0x20), 3));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRect(128, 58, 104, 92));
    return img;
}

bool addPanelPictures(const SampleDir &dir) {
    bool ok = true;
    ok &= saveBankPicture(dir, QStringLiteral("l01046"), panelBackground(), PictureFormat::Png);
    ok &= saveBankPicture(dir, QStringLiteral("l01050"), panelBar(), PictureFormat::Png);
    ok &= saveBankPicture(dir, QStringLiteral("l01051"), candidatePhoto());
    for (const auto &b : kFunctionButtons)
        ok &= saveBankPicture(dir, QString::fromLatin1(b.name),
                              buttonStrip(QSize(b.width, 22), QString::fromUtf8(b.caption)));
    for (const auto &b : kListButtons)
        ok &= saveBankPicture(dir, QString::fromLatin1(b.name), plainStrip(QSize(30, 30), b.base));
    ok &=
        saveBankPicture(dir, QStringLiteral("l01043"),
                        buttonStrip(QSize(16, 18), QStringLiteral("?"), QColor(0x1f, 0x57, 0xa5)));
    ok &= saveBankPicture(dir, QStringLiteral("l01044"),
                          plainStrip(QSize(58, 22), QColor(0xe8, 0xe8, 0xe8)));
    ok &= saveBankPicture(dir, QStringLiteral("l01045"),
                          buttonStrip(QSize(55, 22), QStringLiteral("返回")));
    ok &= saveBankPicture(dir, QStringLiteral("l01047"),
                          buttonStrip(QSize(55, 22), QStringLiteral("上一页")));
    ok &= saveBankPicture(dir, QStringLiteral("l01048"),
                          buttonStrip(QSize(55, 22), QStringLiteral("下一页")));
    ok &= saveBankPicture(dir, kPanelIllustration, illustration(), PictureFormat::Png);
    return ok;
}

// A picture question of the step engine's unit: the illustration shows
// which folder of the "文档" window to select.
bool addPictureQuestion(const SampleDir &dir) {
    const int hint = appendAnswerText(dir, QStringLiteral("单击“备份”文件夹"));
    if (hint == 0) return false;
    const QString text = QStringLiteral("picture") + kPanelIllustration +
                         QStringLiteral("参照图片，单击图中圈出的“备份”文件夹将其选中。");
    return appendQuestions(
        dir, kEngineUnit,
        {SampleQuestion{text,
                        {StepBuilder()
                             .background("q00005")
                             .target(2250, 1350, 1080, 1080)
                             .action("0001")
                             .hint(7500, 1500, hint),
                         StepBuilder().action("9999").picture(1, kBackupSelectedX, kBackupSelectedY,
                                                              kBackupSelected)}}});
}

} // namespace

QImage panelBackground() {
    QImage img(332, 242, QImage::Format_RGB32);
    img.fill(kBody);
    QPainter p(&img);
    paintStrip(p, QRect(0, 0, 332, 30));
    p.setPen(QColor(0x9a, 0xb4, 0xd6));
    p.drawRect(img.rect().adjusted(0, 0, -1, -1));
    return img;
}

QImage panelBar() {
    QImage img(54, 58, QImage::Format_RGB32);
    QPainter p(&img);
    paintStrip(p, img.rect());
    p.setPen(QColor(0xd6, 0xe4, 0xf5));
    p.drawRect(img.rect().adjusted(0, 0, -1, -1));
    // A restore sign in the middle of the bar.
    p.setPen(QPen(Qt::white, 2));
    p.drawRect(QRect(17, 24, 20, 16));
    p.drawLine(17, 27, 37, 27);
    p.setFont(uiFont(10));
    p.drawText(QRect(0, 2, 54, 14), Qt::AlignCenter, QStringLiteral("题目"));
    return img;
}

bool addPanelFiles(const SampleDir &dir) {
    bool ok = dir.makeFolders();
    ok &= addPanelPictures(dir);
    ok &= addPictureQuestion(dir);
    return ok;
}

} // namespace sample
