#include "sample_judging.h"

#include "sample_chrome.h"
#include "sample_pictures.h"
#include "sample_questions.h"
#include "sample_shell.h"
#include "simulator/shell_layout.h"
#include "simulator/shell_tables.h"
#include "step_builder.h"

#include <QFontMetrics>
#include <QPainter>

namespace sample {

namespace {

// A labelled place of a scene, in design twips (15 per pixel); a file or
// folder may be drawn selected.
struct Box {
    int x, y, w, h;
    QString label;
    bool selected = false;
};

QRect px(const Box &b) {
    return QRect(b.x / 15, b.y / 15, b.w / 15, b.h / 15);
}

// How a place of a scene looks in r (pixels), by its label: a file or
// folder with its name, an input field, a button, a spreadsheet cell or a
// slider's track.
void drawPlace(QPainter &p, const QRect &r, const QString &label, bool selected = false) {
    static const QStringList files = {QStringLiteral("报告"), QStringLiteral("总结")};
    static const QStringList folders = {QStringLiteral("备份"), QStringLiteral("照片"),
                                        QStringLiteral("新建文件夹"), QStringLiteral("资料")};
    if (files.contains(label) || folders.contains(label)) {
        if (selected) drawSelection(p, r.adjusted(0, 0, -1, -1));
        drawIcon(p, QRect(r.left() + 12, r.top() + 4, 56, 56),
                 files.contains(label) ? Icon::Notepad : Icon::Folder);
        p.setPen(Qt::black);
        p.drawText(QRect(r.left(), r.top() + 60, r.width(), 18), Qt::AlignCenter, label);
    } else if (label.isEmpty() || label == QLatin1String("B2")) {
        p.setPen(QColor(0x8e, 0xa4, 0xc1));
        p.setBrush(Qt::white);
        p.drawRect(r.adjusted(0, 0, -1, -1));
    } else if (label == QStringLiteral("滑轨")) {
        // Along the longer side: the slider runs across, the volume up.
        p.setPen(QColor(0x90, 0x98, 0xa8));
        p.setBrush(QColor(0xe4, 0xe8, 0xee));
        if (r.width() >= r.height())
            p.drawRoundedRect(QRectF(r.left(), r.center().y() - 3, r.width(), 6), 3, 3);
        else
            p.drawRoundedRect(QRectF(r.center().x() - 3, r.top(), 6, r.height()), 3, 3);
    } else {
        // Buttons: "确定", the formula bar's "√".
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, QColor(0xf6, 0xf6, 0xf6));
        g.setColorAt(1, QColor(0xdd, 0xdd, 0xdd));
        p.setPen(QColor(0x70, 0x70, 0x70));
        p.setBrush(g);
        p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
        p.setPen(Qt::black);
        p.drawText(r, Qt::AlignCenter, label);
    }
}

void drawPlace(QPainter &p, const Box &b) {
    drawPlace(p, px(b), b.label, b.selected);
}

// The spreadsheet's grid (pixels): the column letters in the row from
// kSheetTop, the row numbers left of kSheetLeft, then rows 1 to 21 of
// cells A to J.
constexpr int kSheetLeft = 30, kSheetTop = 90, kColumnWidth = 100, kRowHeight = 20;
constexpr int kSheetRight = 1017, kSheetBottom = 530;

// A sheet of cells behind the places of a spreadsheet: the formula bar,
// the column letters and the row numbers.
void drawSheet(QPainter &p) {
    p.fillRect(QRect(7, 56, 1010, 30), QColor(0xdf, 0xe8, 0xf5));
    p.setPen(QColor(0x8e, 0xa4, 0xc1));
    p.setBrush(Qt::white);
    p.drawRect(QRect(8, 60, 28, 21));
    p.drawRect(QRect(90, 60, 920, 21));
    p.setPen(Qt::black);
    p.drawText(QRect(64, 60, 24, 21), Qt::AlignCenter, QStringLiteral("fx"));
    const int top = kSheetTop;
    p.fillRect(QRect(7, top, kSheetRight - 7, kRowHeight), QColor(0xe8, 0xee, 0xf6));
    p.fillRect(QRect(7, top, kSheetLeft - 7, kSheetBottom - top), QColor(0xe8, 0xee, 0xf6));
    p.setPen(QColor(0xd0, 0xd7, 0xe5));
    for (int x = kSheetLeft; x < kSheetRight; x += kColumnWidth)
        p.drawLine(x, top, x, kSheetBottom);
    for (int y = top; y < kSheetBottom; y += kRowHeight) p.drawLine(7, y, kSheetRight - 1, y);
    p.setPen(QColor(0x30, 0x30, 0x30));
    for (int c = 0; c < 10; ++c)
        p.drawText(QRect(kSheetLeft + c * kColumnWidth, top, kColumnWidth, kRowHeight),
                   Qt::AlignCenter, QString(QChar(u'A' + c)));
    for (int r = 1; r < 22; ++r)
        p.drawText(QRect(7, top + r * kRowHeight, kSheetLeft - 7, kRowHeight), Qt::AlignCenter,
                   QString::number(r));
}

// A full-screen window with a title bar and the places the question's
// steps point at; the "文档" window has its address row, the spreadsheet
// its sheet.
QImage scene(const QString &title, const QList<Box> &boxes) {
    const bool documents = title == QStringLiteral("文档");
    QImage img = documents ? explorerWindowPicture(QSize(1024, 600), title,
                                                   {QStringLiteral("库"), title}, true)
                           : windowPicture(QSize(1024, 600), title, true);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setFont(uiFont(12));
    if (title.endsWith(QLatin1String("Excel"))) drawSheet(p);
    for (const Box &b : boxes) drawPlace(p, b);
    return img;
}

// The look of a command-bar button, normal or under the pointer: the
// extra picture of its step, and the background's own drawing of it.
QImage commandButton(const QString &label, bool hover) {
    return placeholder(QSize(80, 26), label, hover ? QColor(180, 210, 245) : QColor(220, 232, 248),
                       Qt::black);
}

// Places shared by several questions (design twips).
const Box kReport{1200, 1500, 1200, 1200, QStringLiteral("报告")};
const Box kBackup{3000, 1500, 1200, 1200, QStringLiteral("备份")};
const Box kPhotos{4800, 1500, 1200, 1200, QStringLiteral("照片")};
// A folder just made, beside the others, and the name it is given.
const Box kNewFolder{6600, 1500, 1200, 1200, QStringLiteral("新建文件夹")};
// A place drawn with another name, or selected.
Box renamed(Box b, const QString &name) {
    b.label = name;
    return b;
}
Box selected(Box b) {
    b.selected = true;
    return b;
}
// The pinned Windows Explorer on the desktop's taskbar (the notification
// area at the right lies under the docked question panel).
const Box kExplorerButton{1860, 8430, 600, 540, QString()};
// The address field, the search field and its button of the "文档"
// window's address row (as drawAddressRow lays them out at 1024 pixels).
const Box kAddress{930, 480, 10770, 330, QString()};
const Box kSearch{12150, 480, 2670, 330, QString()};
const Box kSearchButton{14850, 480, 300, 330, QString()};
// The name boxes of a rename lie over the name under the icon.
const Box kNameBox{1050, 2385, 1500, 300, QString()};
// The input field of the "运行" dialog.
const Box kRunBox{1500, 2400, 6000, 330, QString()};
const Box kNewFolderName{6450, 2385, 1500, 300, QString()};
// The file menu "V5" as the right click on 报告 opens it, its top-left
// corner at the pointer, and the place of its item 7, "属性(R)".
const QPoint kFileMenuAt(1800, 2100);
constexpr int kPropertiesItem = 7;
Box fileMenuItem(int item) {
    shell::ItemRects items{};
    shell::layoutLevel1(items, u"V5", shell::Scale{1, 1});
    const shell::Rect &r = items[size_t(item)];
    return Box{kFileMenuAt.x() + int(r.left), kFileMenuAt.y() + int(r.top), int(r.width),
               int(r.height), QString()};
}

// The command bar under the address row, and its buttons as the extra
// pictures draw them (80 x 26 pixels), clear of the back and forward
// buttons and the path above.
const QRect kCommandBar(7, 57, 1010, 32);
const Box kOrganise{150, 885, 1200, 390, QStringLiteral("组织 ▼")};
const Box kViews{1500, 885, 1200, 390, QStringLiteral("视图 ▼")};
const Box kLayout{2850, 885, 1200, 390, QStringLiteral("布局 ▼")};
const Box kCommandButtons[] = {kOrganise, kViews, kLayout};
// The spreadsheet's cell B2, framed where the value goes, and the formula
// bar's "√" button; every other cell of the sheet confirms the value too.
Box cellBox(const QString &name) {
    const QRect r = sheetCellPlace(name);
    return Box{r.x() * 15, r.y() * 15, r.width() * 15, r.height() * 15, name};
}
const Box kCellB2 = cellBox(QStringLiteral("B2"));
const Box kOtherCells{kSheetLeft * 15, (kSheetTop + kRowHeight) * 15,
                      (kSheetRight - kSheetLeft) * 15, (kSheetBottom - kSheetTop - kRowHeight) * 15,
                      QString()};
const Box kEnterButton{600, 900, 330, 330, QStringLiteral("√")};

// The Notepad window: its menu row under the title bar and the page under
// it, where the typing step lays its box (kNotepadPage).
QImage notepadScene(const QString &title) {
    QImage img = windowPicture(QSize(1024, 600), title, true);
    QPainter p(&img);
    drawMenuRow(p, QRect(7, 37, 1010, 21),
                {QStringLiteral("文件(F)"), QStringLiteral("编辑(E)"), QStringLiteral("格式(O)"),
                 QStringLiteral("查看(V)"), QStringLiteral("帮助(H)")});
    p.setPen(QColor(0xd5, 0xdb, 0xe3));
    p.drawLine(7, 58, 1016, 58);
    // The vertical scroll bar at the page's right edge.
    p.fillRect(QRect(1000, 59, 17, 461), QColor(0xe8, 0xe8, 0xec));
    return img;
}

// A window or a dialog laid over a scene at `at`: its shadow, its frame
// with the title and the dark line round it.
void drawWindowOver(QPainter &p, const QRect &at, const QString &title, WindowKind kind) {
    drawShadow(p, at, kind);
    p.drawImage(at.topLeft(), windowPicture(at.size(), title, false, kind));
    p.setPen(QColor(0x55, 0x6e, 0x8c));
    p.setBrush(Qt::NoBrush);
    p.drawRect(at.adjusted(0, 0, -1, -1));
}

// A dialog over a window, its face in the dialog's colour.
void drawDialog(QPainter &p, const QRect &dialog, const QString &title, const QColor &face) {
    drawWindowOver(p, dialog, title, WindowKind::Dialog);
    p.fillRect(dialog.adjusted(6, 36, -6, -6), face);
}

// The find box of Notepad's "查找" dialog, where its typing step lays its
// box (design twips).
const Box kFindBox{5100, 2880, 3300, 330, QString()};

// Notepad with its "查找" dialog open: the find box with its label, the
// buttons beside it and "区分大小写" ticked, as the question has it.
QImage findDialogScene() {
    QImage img = notepadScene(QStringLiteral("无标题 - 记事本"));
    QPainter p(&img);
    const QRect dialog(240, 150, 440, 140);
    drawDialog(p, dialog, QStringLiteral("查找"), QColor(240, 240, 240));
    p.setFont(uiFont(12));
    p.setPen(Qt::black);
    const QRect box = px(kFindBox);
    p.drawText(QRect(dialog.left() + 12, box.top(), box.left() - dialog.left() - 14, box.height()),
               Qt::AlignVCenter | Qt::AlignRight, QStringLiteral("查找内容(N):"));
    p.setPen(QColor(0x8e, 0xa4, 0xc1));
    p.setBrush(Qt::white);
    p.drawRect(box.adjusted(0, 0, -1, -1));
    for (const auto &[top, label] : {std::pair{box.top() - 1, QStringLiteral("查找下一个(F)")},
                                     std::pair{box.top() + 30, QStringLiteral("取消")}})
        drawPlace(p, QRect(box.right() + 14, top, 95, 24), label);
    const QRect check(dialog.left() + 16, box.bottom() + 40, 13, 13);
    drawCheckBox(p, check, true);
    p.drawText(QRect(check.right() + 6, check.top() - 4, 160, 20), Qt::AlignVCenter,
               QStringLiteral("区分大小写(C)"));
    return img;
}

// The "文档" window with its three files selected and, over them, the
// question 回车 answers after Delete: move them to the recycle bin?
QImage deleteConfirmationScene(const QList<Box> &files) {
    QImage img = scene(QStringLiteral("文档"), files);
    QPainter p(&img);
    const QRect dialog(300, 220, 420, 150);
    drawDialog(p, dialog, QStringLiteral("删除多个项目"), Qt::white);
    p.setPen(QColor(0x1e, 0x39, 0x87));
    p.setFont(uiFont(13));
    p.drawText(QRect(dialog.left() + 20, dialog.top() + 46, 380, 40), Qt::AlignVCenter,
               QStringLiteral("确实要将这 3 项移动到回收站吗?"));
    p.setFont(uiFont(12));
    drawPlace(p, QRect(dialog.right() - 190, dialog.bottom() - 38, 80, 24),
              QStringLiteral("是(Y)"));
    drawPlace(p, QRect(dialog.right() - 100, dialog.bottom() - 38, 80, 24),
              QStringLiteral("否(N)"));
    return img;
}

// A window of its own size on the desktop, its lower-right corner where
// the resize steps lay the grip they drag.
QImage resizeScene(const QString &title, const QRect &window) {
    QImage img(QSize(1024, 600), QImage::Format_RGB32);
    QPainter p(&img);
    QLinearGradient sky(0, 0, 0, 600);
    sky.setColorAt(0, QColor(0x0b, 0x4d, 0x9e));
    sky.setColorAt(1, QColor(0x4a, 0x9c, 0xe4));
    p.fillRect(img.rect(), sky);
    drawTaskbar(p, QRect(0, 560, 1024, 40));
    drawWindowOver(p, window, title, WindowKind::Window);
    return img;
}

// A picture dragged in small moves trails the pointer: each move takes its
// corner halfway there, so that it stands behind the pointer by about the
// length of one move (pixels; a hand moves a few pixels at a time near
// where it stops). The drag targets of the sample allow for it.
constexpr int kTrailing = 10;

// The resize question drags the window's corner grip four times: where
// the grip lies when each step begins and once they are done (pixels), and
// the background that shows the window at that size. Each step's window
// differs from the last by 40 pixels or more on both axes, so that the
// candidate sees the drag take effect.
struct ResizeStage {
    QPoint grip;
    const char *background;
};
const ResizeStage kResizeStages[] = {{{500, 300}, "j30010"},
                                     {{460, 340}, "j30019"},
                                     {{510, 380}, "j30020"},
                                     {{470, 340}, "j30021"},
                                     {{510, 300}, "j30022"}};
// The grip is the window's corner, as large as the size grip of a
// Windows 7 window.
constexpr int kGripSize = 12;
// How far each drag must take the grip's corner (pixels, on both axes): a
// drag of 20 pixels from anywhere on the grip gets there. Taken at its far
// side, 11 pixels in, the pointer ends 9 pixels past the corner, which
// trails it by up to 4 pixels in moves of 5.
constexpr int kGripReach = 5;
QRect resizedWindow(QPoint grip) {
    return QRect(QPoint(120, 60), grip + QPoint(kGripSize - 1, kGripSize - 1));
}

// The volume window's two sliders (pixels): the track across, whose knob
// the first steps drag to either end, and the volume's track up and down,
// above the question panel docked at the screen's lower-right corner,
// where its knob can be reached. Each track runs along the middle of its
// box, and its knob stands across it.
constexpr QRect kSliderTrack(200, 266, 440, 40);
constexpr QRect kVolumeTrack(805, 100, 20, 240);
constexpr QSize kSliderKnob(11, 21);
constexpr QSize kVolumeKnob(21, 11);
// Where a knob stops at each end of its track (its corner, pixels along
// the track): at the near end the knob trailing a pointer dropped there
// still counts; at the far end the knob whose far side reaches the end
// counts, and so does one trailing a pointer dropped there, as the knob is
// wider than it trails.
static_assert(kSliderKnob.width() >= kTrailing && kVolumeKnob.height() >= kTrailing);
constexpr int kSliderLeftStop = kSliderTrack.left() + kTrailing;
constexpr int kSliderRightStop = kSliderTrack.left() + kSliderTrack.width() - kSliderKnob.width();
constexpr int kVolumeTopStop = kVolumeTrack.top() + kTrailing;
constexpr int kVolumeBottomStop = kVolumeTrack.top() + kVolumeTrack.height() - kVolumeKnob.height();
// The knobs' places across their tracks, and where they start.
const QPoint kSliderKnobStart(400, kSliderTrack.center().y() - kSliderKnob.height() / 2);
const QPoint kVolumeKnobStart(kVolumeTrack.center().x() - kVolumeKnob.width() / 2, 300);

Box twipBox(const QRect &r, const QString &label = QString()) {
    return Box{r.x() * 15, r.y() * 15, r.width() * 15, r.height() * 15, label};
}

// The Notepad page, all of it under the menu row and left of the scroll
// bar: the typing step's box, so that the typing reaches it wherever the
// candidate clicks in the page. Its text starts at the top-left corner in
// the page's own look (宋体, 10.5 points, black), and the last step shows
// the line so typed (kNotepadLine, pixels). The hint stands in the menu
// row, right of the menus, leaving the page free.
const Box kNotepadPage{105, 885, 14895, 7410, QString()};
const QRect kNotepadLine(7, 59, 993, 22);

// The "文档" window with its command bar: the buttons the extra pictures
// lie over are drawn in it, so that a screen without those pictures (the
// demonstration's) shows them where the steps act.
QImage documentsWithCommandBar(const QList<Box> &boxes) {
    QImage img = scene(QStringLiteral("文档"), boxes);
    QPainter p(&img);
    QLinearGradient g(kCommandBar.topLeft(), kCommandBar.bottomLeft());
    g.setColorAt(0, QColor(0xf5, 0xfa, 0xff));
    g.setColorAt(1, QColor(0xdc, 0xe9, 0xf7));
    p.fillRect(kCommandBar, g);
    p.setPen(QColor(0xa0, 0xaf, 0xc3));
    p.drawLine(kCommandBar.bottomLeft(), kCommandBar.bottomRight());
    for (const Box &b : kCommandButtons)
        p.drawImage(px(b).topLeft(), commandButton(b.label, false));
    return img;
}

// A text as a finished step leaves it in its place: the typed name, the
// cell's number, the line of a page.
QImage typedText(const Box &b, const QString &text, Qt::Alignment align, QColor colour = Qt::black,
                 bool bold = false, int pixels = 12) {
    const QRect r = px(b);
    QImage img(r.size(), QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setPen(QColor(0x8e, 0xa4, 0xc1));
    p.drawRect(img.rect().adjusted(0, 0, -1, -1));
    p.setPen(colour);
    p.setFont(uiFont(pixels, bold));
    p.drawText(img.rect().adjusted(3, 0, -3, 0), align | Qt::AlignVCenter, text);
    return img;
}

// A line typed into the Notepad page, as the page shows it.
QImage notepadLine(const QString &text) {
    QImage img(kNotepadLine.size(), QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setPen(Qt::black);
    p.setFont(uiFont(14));
    p.drawText(img.rect().adjusted(3, 1, 0, 0), Qt::AlignLeft | Qt::AlignTop, text);
    return img;
}

// A text with a part of it selected, as a selecting step leaves it.
QImage selectedText(const Box &b, const QString &before, const QString &part,
                    const QString &after) {
    QImage img = typedText(b, QString(), Qt::AlignLeft);
    QPainter p(&img);
    p.setFont(uiFont(12));
    const QFontMetrics m(p.font());
    const QRect text = img.rect().adjusted(3, 0, -3, 0);
    int x = text.left();
    const auto segment = [&](const QString &t, bool chosen) {
        const QRect r(x, text.top() + 2, m.horizontalAdvance(t), text.height() - 4);
        if (chosen) p.fillRect(r, QColor(0x33, 0x99, 0xff));
        p.setPen(chosen ? Qt::white : Qt::black);
        p.drawText(QRect(x, text.top(), r.width() + 1, text.height()), Qt::AlignVCenter, t);
        x += r.width();
    };
    segment(before, false);
    segment(part, true);
    segment(after, false);
    return img;
}

// Saves bank pictures by name; remembers whether every one was written.
struct PictureSaver {
    const SampleDir &dir;
    bool ok = true;
    void operator()(const QString &name, const QImage &img,
                    std::optional<PictureFormat> format = std::nullopt) {
        ok &= saveBankPicture(dir, name, img, format);
    }
};

// The backgrounds: one window per kind of question, and the windows as
// the questions leave them.
void saveScenes(PictureSaver &save) {
    const QList<Box> files = {kReport, kBackup, kPhotos};
    const QString documents = QStringLiteral("文档");
    save("j30001", scene(documents, files));
    save("j30002", notepadScene(QStringLiteral("报告 - 记事本")));
    save("j30003", documentsWithCommandBar(files));
    save("j30004", scene(documents, files));
    save("j30005", scene(documents, files));
    save("j30006",
         scene(QStringLiteral("运行"), {kRunBox, {6300, 4200, 1200, 375, QStringLiteral("确定")}}));
    save("j30007", scene(QStringLiteral("Book1 - Excel"), {kCellB2, kEnterButton}));
    save("j30008", scene(QStringLiteral("音量"), {twipBox(kSliderTrack, QStringLiteral("滑轨")),
                                                  twipBox(kVolumeTrack, QStringLiteral("滑轨"))}));
    save("j30009", scene(QStringLiteral("打开方式"), {}));
    // The grip is cut from these: they keep their exact pixels.
    for (const ResizeStage &stage : kResizeStages)
        save(QString::fromLatin1(stage.background),
             resizeScene(documents, resizedWindow(stage.grip)), PictureFormat::Png);
    save("j30011", scene(documents, {kBackup, kPhotos}));
    save("j30012", scene(documents, {}));
    save("j30013", scene(documents, {renamed(kReport, QStringLiteral("总结")), kBackup, kPhotos}));
    save("j30014", scene(documents, files + QList<Box>{kNewFolder}));
    save("j30015",
         scene(documents, files + QList<Box>{renamed(kNewFolder, QStringLiteral("资料"))}));
    save("j30016", notepadScene(QStringLiteral("无标题 - 记事本")));
    save("j30017", scene(documents, {selected(kReport), selected(kBackup), selected(kPhotos)}));
    save("j30018", explorerWindowPicture(QSize(1024, 600), QStringLiteral("回收站"),
                                         {QStringLiteral("回收站")}, true));
    save("j30023", findDialogScene());
    // The files as the clicks before a step leave them selected.
    const QList<Box> allSelected = {selected(kReport), selected(kBackup), selected(kPhotos)};
    save("j30024", deleteConfirmationScene(allSelected));
    save("j30025", scene(documents, {selected(kReport), kBackup, kPhotos}));
    save("j30026", scene(documents, {selected(kReport), kBackup, selected(kPhotos)}));
    save("j30027", scene(documents, {kReport, selected(kBackup), kPhotos}));
}

// A slider's knob on the window's white: a rounded glassy block.
QImage knobPicture(QSize size) {
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, size.width(), size.height());
    g.setColorAt(0, QColor(0xf2, 0xf8, 0xfe));
    g.setColorAt(1, QColor(0xb9, 0xd6, 0xf2));
    p.setPen(QColor(0x3c, 0x7f, 0xb1));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(img.rect()).adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
    return img;
}

// The grip: the window's lower-right corner as the first stage draws it,
// with the size grip's six dots.
QImage gripPicture() {
    const QPoint at = kResizeStages[0].grip;
    QImage img = resizeScene(QStringLiteral("文档"), resizedWindow(at))
                     .copy(QRect(at, QSize(kGripSize, kGripSize)));
    QPainter p(&img);
    for (const QPoint dot :
         {QPoint(8, 2), QPoint(5, 5), QPoint(8, 5), QPoint(2, 8), QPoint(5, 8), QPoint(8, 8)}) {
        p.fillRect(QRect(dot + QPoint(1, 1), QSize(2, 2)), Qt::white);
        p.fillRect(QRect(dot, QSize(2, 2)), QColor(0x5a, 0x66, 0x78));
    }
    return img;
}

// Overlay pictures: the knobs and the window corner of the picture drags,
// the program list and buttons of a dialog.
void saveOverlays(PictureSaver &save) {
    // A knob the picture-drag tests of the program take, large enough for
    // a pointer anywhere on it.
    save("j30101",
         placeholder(QSize(30, 40), QStringLiteral("▮"), QColor(120, 160, 220), Qt::black));
    save("j30102", gripPicture(), PictureFormat::Png);
    save("j30114", knobPicture(kSliderKnob));
    save("j30115", knobPicture(kVolumeKnob));
    save("j30103",
         placeholder(QSize(160, 30), QStringLiteral("记事本"), QColor(250, 250, 250), Qt::black));
    save("j30104",
         placeholder(QSize(160, 30), QStringLiteral("写字板"), QColor(250, 250, 250), Qt::black));
    save("j30105",
         placeholder(QSize(80, 25), QStringLiteral("确定"), QColor(236, 236, 236), Qt::black));
    save("j30106",
         placeholder(QSize(160, 30), QStringLiteral("记事本"), QColor(51, 153, 255), Qt::black));
    // What the typing questions leave in their places.
    save("j30107", notepadLine(QStringLiteral("今天天气很好")));
    save("j30108", typedText(kCellB2, QStringLiteral("100"), Qt::AlignRight));
    save("j30109", typedText(kAddress, QStringLiteral("C:\\Windows"), Qt::AlignLeft));
    save("j30110", typedText(kSearch, QStringLiteral("报告"), Qt::AlignLeft));
    save("j30111", typedText(kFindBox, QStringLiteral("Abc123"), Qt::AlignLeft));
    save("j30112", selectedText(kRunBox, QStringLiteral("欢迎使用"), QStringLiteral("Windows 7"),
                                QStringLiteral("操作系统")));
    save("j30113", shellPicture(shell::panelPicture(u"V5")));
}

// The extra picture: each code's normal ("n") and hover ("h") looks.
void saveExtraPictureLooks(PictureSaver &save) {
    for (int i = 0; i < 3; ++i) {
        const QString b = QStringLiteral("j3e0%1").arg(i + 1);
        save(b + QLatin1Char('n'), commandButton(kCommandButtons[i].label, false));
        save(b + QLatin1Char('h'), commandButton(kCommandButtons[i].label, true));
    }
}

bool writePictures(const SampleDir &dir) {
    PictureSaver save{dir};
    saveScenes(save);
    saveOverlays(save);
    saveExtraPictureLooks(save);
    // The pointer of a copying drag.
    save.ok &= writeCursor(dir.root + QStringLiteral("ico03.CUR"), arrowPointer(), 0, 0);
    return save.ok;
}

StepBuilder at(StepBuilder b, const Box &t, QChar branch = '0') {
    return b.target(t.x, t.y, t.w, t.h, branch);
}

StepBuilder from(StepBuilder b, const Box &s, QChar branch = '0') {
    return b.source(s.x, s.y, s.w, s.h, branch);
}

StepBuilder done() {
    return StepBuilder().action("9999");
}

// Texts appended to the sample's answer-text file in the order the
// questions ask for them; remembers whether every one was written.
class AnswerTexts {
public:
    explicit AnswerTexts(const SampleDir &dir) : dir_(dir) {}
    // Appends a text and gives its line number.
    int operator()(const QString &t) {
        const int n = appendAnswerText(dir_, t);
        ok_ &= n != 0;
        return n;
    }
    // A step with a hint at the place every judging question uses.
    StepBuilder hinted(StepBuilder b, const QString &hint) {
        return b.hint(4800, 6600, (*this)(hint));
    }
    bool ok() const { return ok_; }

private:
    const SampleDir &dir_;
    bool ok_ = true;
};

// The target: buttons and Shift states.
QList<SampleQuestion> targetQuestions(AnswerTexts &text) {
    QList<SampleQuestion> qs;
    qs << SampleQuestion{
        QStringLiteral("单击选中“报告”文件，然后双击将其打开。"),
        {text.hinted(at(StepBuilder().background("j30001").action("0001"), kReport),
                     QStringLiteral("单击“报告”")),
         text.hinted(at(StepBuilder().background("j30025").action("0002"), kReport),
                     QStringLiteral("双击“报告”")),
         done().background("j30002")}};
    qs << SampleQuestion{
        QStringLiteral("按住Ctrl键依次单击“报告”和“照片”，然后右键单击“照片”。"),
        {text.hinted(at(StepBuilder().background("j30001").action("9201"), kReport),
                     QStringLiteral("按住Ctrl键单击“报告”")),
         text.hinted(at(StepBuilder().background("j30025").action("9201"), kPhotos),
                     QStringLiteral("按住Ctrl键单击“照片”")),
         text.hinted(at(StepBuilder().background("j30026").action("0003"), kPhotos),
                     QStringLiteral("右键单击“照片”")),
         done()}};
    qs << SampleQuestion{
        QStringLiteral("按住Shift键右键单击“备份”文件夹，然后用鼠标中键单击“照片”文件夹。"),
        {text.hinted(at(StepBuilder().background("j30001").action("9102"), kBackup),
                     QStringLiteral("按住Shift键右键单击“备份”")),
         text.hinted(at(StepBuilder().background("j30027").action("9004"), kPhotos),
                     QStringLiteral("用中键单击“照片”")),
         done()}};
    qs << SampleQuestion{
        QStringLiteral("将鼠标指向任务栏上的“Windows 资源管理器”图标。"),
        {text.hinted(
             at(StepBuilder().background(DesktopScreenPicture).action("0030").cursor('S', 1),
                kExplorerButton),
             QStringLiteral("指向“Windows 资源管理器”图标")),
         done()}};
    return qs;
}

// Rubber bands and drags from the source. Each names its own step as the
// source's branch: a press answers nothing, and a band or drag released
// off the target shows the step again. A band that takes in all three
// files starts anywhere in the blank corner up and left of them and ends
// anywhere in the blank area down and right of them, under the address
// row and clear of the question panel.
QList<SampleQuestion> sourceQuestions(AnswerTexts &text) {
    QList<SampleQuestion> qs;
    const Box bandStart{120, 870, 1260, 690, QString()};
    const Box bandEnd{6030, 2730, 4170, 2520, QString()};
    qs << SampleQuestion{
        QStringLiteral("在“文档”窗口中，从左上方的空白处拖出一个选框，框住全部文件。"),
        {text.hinted(
             at(from(StepBuilder().background("j30004").action("0040"), bandStart, '1'), bandEnd),
             QStringLiteral("从文件左上方的空白处|拖到文件右下方的空白处")),
         done().background("j30017")}};
    qs << SampleQuestion{
        QStringLiteral("按住Shift键，从左上方的空白处拖出选框，框住全部文件。"),
        {text.hinted(
             at(from(StepBuilder().background("j30004").noBars().action("0041"), bandStart, '1'),
                bandEnd),
             QStringLiteral("按住Shift键|从文件左上方的空白处|拖到文件右下方的空白处")),
         done().background("j30017")}};
    qs << SampleQuestion{
        QStringLiteral("将“报告”文件拖动到“备份”文件夹中。"),
        {text.hinted(at(from(StepBuilder().background("j30001").action("0050").cursor('S', 12),
                             kReport, '1'),
                        kBackup),
                     QStringLiteral("把“报告”拖到“备份”上")),
         done().background("j30011")}};
    qs << SampleQuestion{
        QStringLiteral("按住Ctrl键将“照片”文件夹复制到“备份”文件夹中。"),
        {text.hinted(at(from(StepBuilder().background("j30001").action("0052").cursor('M', 3),
                             kPhotos, '1'),
                        kBackup),
                     QStringLiteral("按住Ctrl键把“照片”拖到“备份”上")),
         done()}};
    return qs;
}

// Keys. A function key is past the two digits of the action code: its
// step is a key step of key code 0, which no key sends, and the key is its
// alternative (the first adds 100 to 13, the third to 15).
QList<SampleQuestion> keyQuestions(AnswerTexts &text) {
    QList<SampleQuestion> qs;
    qs << SampleQuestion{
        QStringLiteral("按Ctrl+A键选中全部文件，按Delete键删除，再按回车键确认。"),
        {text.hinted(StepBuilder().background("j30001").action("6265"), QStringLiteral("按Ctrl+A")),
         text.hinted(StepBuilder().background("j30017").action("6046").keyAlts("00000", "P6146"),
                     QStringLiteral("按Delete|或Shift+Delete")),
         text.hinted(StepBuilder().background("j30024").action("6013"), QStringLiteral("按回车键")),
         done().background("j30012")}};
    // The name box starts empty: a typing step leaves the caret in front
    // of the box's text and selects nothing, so "总结" typed in front of
    // "报告" would be judged wrong.
    qs << SampleQuestion{
        QStringLiteral("选中“报告”文件，按F2键将其重命名为“总结”，并按回车键确认。"),
        {text.hinted(at(StepBuilder().background("j30001").action("0001"), kReport),
                     QStringLiteral("单击“报告”")),
         text.hinted(StepBuilder().background("j30025").action("6000").keyAlts("P6013"),
                     QStringLiteral("按F2键")),
         StepBuilder()
             .action("0024")
             .textBox(kNameBox.x, kNameBox.y, kNameBox.w, kNameBox.h)
             .answerLine(text(QStringLiteral("总结")))
             .hint(4800, 6600, text(QStringLiteral("“总结”")))
             .textStyle(0, 'M', 0, 0, 0, 0),
         done().background("j30013")}};
    qs << SampleQuestion{QStringLiteral("按Alt+F4键关闭“文档”窗口。"),
                         {text.hinted(StepBuilder().background("j30001").action("6000").keyAlts(
                                          "00000", "00000", "P6415"),
                                      QStringLiteral("按Alt+F4")),
                          done().background(DesktopScreenPicture)}};
    return qs;
}

// Typed and selected texts.
QList<SampleQuestion> textQuestions(AnswerTexts &text) {
    QList<SampleQuestion> qs;
    qs << SampleQuestion{QStringLiteral("在地址栏中输入“C:\\Windows”。"),
                         {StepBuilder()
                              .background("j30005")
                              .action("0020")
                              .textBox(kAddress.x, kAddress.y, kAddress.w, kAddress.h)
                              .answerLine(text(QStringLiteral("C:\\Windows|C:\\Windows\\")))
                              .hint(4800, 6600, text(QStringLiteral("C:\\Windows"))),
                          done().picture(1, kAddress.x, kAddress.y, "j30109")}};
    // A text compared with its letter case: what 记事本 finds with
    // "区分大小写" ticked.
    qs << SampleQuestion{
        QStringLiteral("在记事本的“查找”对话框中，在“查找内容”框中输入“Abc123”（区分大小写）。"),
        {StepBuilder()
             .background("j30023")
             .action("0025")
             .textBox(kFindBox.x, kFindBox.y, kFindBox.w, kFindBox.h)
             .answerLine(text(QStringLiteral("Abc123")))
             .hint(4800, 6600, text(QStringLiteral("“Abc123”"))),
         done().picture(1, kFindBox.x, kFindBox.y, "j30111")}};
    // The new folder's name box starts empty, as the rename's does.
    qs << SampleQuestion{
        QStringLiteral("将新建的文件夹命名为“资料”。"),
        {StepBuilder()
             .background("j30014")
             .action("0021")
             .textBox(kNewFolderName.x, kNewFolderName.y, kNewFolderName.w, kNewFolderName.h)
             .answerLine(text(QStringLiteral("资料")))
             .hint(4800, 6600, text(QStringLiteral("“资料”"))),
         done().background("j30015")}};
    qs << SampleQuestion{
        QStringLiteral("在记事本中输入“今天天气很好”。"),
        {StepBuilder()
             .background("j30002")
             .action("0027")
             .textBox(kNotepadPage.x, kNotepadPage.y, kNotepadPage.w, kNotepadPage.h)
             .answerLine(text(QStringLiteral("今天天气很好")))
             .hint(5400, 585, text(QStringLiteral("“今天天气很好”")))
             .textStyle(105, 'L', 0, 0, 0, 0),
         done().picture(1, kNotepadLine.x() * 15, kNotepadLine.y() * 15, "j30107")}};
    qs << SampleQuestion{QStringLiteral("在搜索框中输入“报告”，然后按回车键或单击搜索按钮。"),
                         {at(StepBuilder()
                                 .background("j30005")
                                 .action("0022")
                                 .textBox(kSearch.x, kSearch.y, kSearch.w, kSearch.h)
                                 .answerLine(text(QStringLiteral("报告")))
                                 .hint(4800, 6600, text(QStringLiteral("“报告”"))),
                             kSearchButton),
                          done().picture(1, kSearch.x, kSearch.y, "j30110")}};
    qs << SampleQuestion{QStringLiteral("在“运行”对话框中输入“notepad”，然后单击“确定”按钮。"),
                         {at(StepBuilder()
                                 .background("j30006")
                                 .action("0026")
                                 .textBox(kRunBox.x, kRunBox.y, kRunBox.w, kRunBox.h)
                                 .answerLine(text(QStringLiteral("notepad")))
                                 .hint(4800, 6600, text(QStringLiteral("notepad"))),
                             Box{6300, 4200, 1200, 375, QString()}),
                          done().background("j30016")}};
    qs << SampleQuestion{QStringLiteral("在文本框中选中“Windows 7”。"),
                         {StepBuilder()
                              .background("j30006")
                              .action("0023")
                              .textBox(kRunBox.x, kRunBox.y, kRunBox.w, kRunBox.h,
                                       text(QStringLiteral("欢迎使用Windows 7操作系统")))
                              .hint(4800, 6600, text(QStringLiteral("Windows 7"))),
                          done().picture(1, kRunBox.x, kRunBox.y, "j30112")}};
    qs << SampleQuestion{
        QStringLiteral(
            "在单元格B2中输入“100”，然后按回车键、单击其他单元格或编辑栏的“√”按钮确认。"),
        {from(at(StepBuilder()
                     .background("j30007")
                     .action("0028")
                     .textBox(kCellB2.x, kCellB2.y, kCellB2.w, kCellB2.h)
                     .answerLine(text(QStringLiteral("100")))
                     .hint(4800, 6600, text(QStringLiteral("在B2中输入100并确认"))),
                 kOtherCells),
              kEnterButton),
         done().picture(1, kCellB2.x, kCellB2.y, "j30108")}};
    return qs;
}

// Picture drags: the two sliders, each knob to both ends of its track;
// once the volume's knob is dragged, the first slider's knob stays drawn
// at the right end it was dragged to. Then the window's corner, each way.
QList<SampleQuestion> pictureDragQuestions(AnswerTexts &text) {
    QList<SampleQuestion> qs;
    const auto twips = [](int pixels) { return pixels * 15; };
    const QPoint sliderRight(kSliderRightStop, kSliderKnobStart.y());
    const QPoint volumeTop(kVolumeKnobStart.x(), kVolumeTopStop);
    const QPoint volumeBottom(kVolumeKnobStart.x(), kVolumeBottomStop);
    qs << SampleQuestion{
        QStringLiteral(
            "拖动滑块：先拖到最左端，再拖到最右端；然后将音量滑块向上拖到顶，再向下拖到底。"),
        {text.hinted(
             StepBuilder()
                 .background("j30008")
                 .action("8001")
                 .picture(5, twips(kSliderKnobStart.x()), twips(kSliderKnobStart.y()), "j30114")
                 .dragTarget(twips(kSliderLeftStop), 0),
             QStringLiteral("向左拖动滑块")),
         text.hinted(StepBuilder()
                         .action("8002")
                         .picture(5, twips(kSliderLeftStop), twips(kSliderKnobStart.y()), "888888")
                         .dragTarget(twips(kSliderRightStop), 0),
                     QStringLiteral("向右拖动滑块")),
         text.hinted(
             StepBuilder()
                 .action("8003")
                 .picture(1, twips(sliderRight.x()), twips(sliderRight.y()), "j30114")
                 .picture(5, twips(kVolumeKnobStart.x()), twips(kVolumeKnobStart.y()), "j30115")
                 .dragTarget(0, twips(kVolumeTopStop)),
             QStringLiteral("向上拖动滑块")),
         text.hinted(StepBuilder()
                         .action("8004")
                         .picture(1, twips(sliderRight.x()), twips(sliderRight.y()), "888888")
                         .picture(5, twips(volumeTop.x()), twips(volumeTop.y()), "888888")
                         .dragTarget(0, twips(kVolumeBottomStop)),
                     QStringLiteral("向下拖动滑块")),
         done()
             .picture(1, twips(sliderRight.x()), twips(sliderRight.y()), "888888")
             .picture(5, twips(volumeBottom.x()), twips(volumeBottom.y()), "888888")}};
    // Each drag's code and the way it takes the corner, in pixels.
    struct Resize {
        const char *action;
        QPoint way;
        const char *hint;
    };
    const Resize resizes[] = {{"8006", {-1, 1}, "向左下拖动窗口的右下角"},
                              {"8007", {1, 1}, "向右下拖动窗口的右下角"},
                              {"8008", {-1, -1}, "向左上拖动窗口的右下角"},
                              {"8009", {1, -1}, "向右上拖动窗口的右下角"}};
    QStringList resize;
    for (int k = 0; k < 4; ++k) {
        const QPoint from = kResizeStages[k].grip;
        const QPoint to = from + resizes[k].way * kGripReach;
        resize << text.hinted(StepBuilder()
                                  .background(QString::fromLatin1(kResizeStages[k].background))
                                  .action(QString::fromLatin1(resizes[k].action))
                                  .picture(5, twips(from.x()), twips(from.y()),
                                           k == 0 ? QStringLiteral("j30102") : "888888")
                                  .dragTarget(twips(to.x()), twips(to.y())),
                              QString::fromUtf8(resizes[k].hint));
    }
    resize << done()
                  .background(QString::fromLatin1(kResizeStages[4].background))
                  .picture(5, 0, 0, "000000");
    qs << SampleQuestion{
        QStringLiteral("依次向左下、右下、左上、右上拖动窗口的右下角，调整窗口大小。"), resize};
    return qs;
}

// Overlay pictures. Every step has a target on the picture it wants
// clicked, for the red box and for the demonstration to point at: on the
// list's "记事本" the target takes the click itself; "确定" in slot 6, a
// window of its own, lies above the target and answers with its branch.
QList<SampleQuestion> overlayQuestions(AnswerTexts &text) {
    QList<SampleQuestion> qs;
    const Box notepadRow{3000, 2400, 2400, 450, QString()};
    const Box okButton{9000, 7000, 1200, 375, QString()};
    qs << SampleQuestion{QStringLiteral("在“打开方式”对话框中单击“记事本”，再单击“确定”按钮。"),
                         {text.hinted(at(StepBuilder()
                                             .background("j30009")
                                             .action("0001")
                                             .picture(1, notepadRow.x, notepadRow.y, "j30103")
                                             .picture(4, 3000, 2850, "j30104"),
                                         notepadRow),
                                      QStringLiteral("单击“记事本”")),
                          text.hinted(at(StepBuilder()
                                             .action("0001")
                                             .picture(1, notepadRow.x, notepadRow.y, "j30106")
                                             .picture(4, 3000, 2850, "888888")
                                             .picture(6, okButton.x, okButton.y, "j30105", '3'),
                                         okButton),
                                      QStringLiteral("单击“确定”")),
                          done().background("j30002")}};
    qs << SampleQuestion{QStringLiteral("在“运行”对话框中按下“确定”按钮。"),
                         {text.hinted(at(StepBuilder().background("j30006").action("0001"),
                                         Box{6300, 4200, 1200, 375, QString()}),
                                      QStringLiteral("按下“确定”")),
                          done().background(DesktopScreenPicture)}};
    return qs;
}

// The extra picture: a click on code U6, a click on a plain code,
// a double-click on an "S" code, on the buttons of the window's command
// bar. The double-click comes last: the release that ends it is judged
// against the step after it. They are hot-spot steps: the demonstration
// clicks the code's spot, which it lays on the target under the extra
// picture; the background draws the buttons too, for the demonstration,
// which shows no extra picture.
QList<SampleQuestion> extraPictureQuestions(AnswerTexts &text) {
    QList<SampleQuestion> qs;
    qs << SampleQuestion{
        QStringLiteral("单击工具栏上的“组织”按钮，再单击“视图”按钮，然后双击“布局”按钮。"),
        {text.hinted(at(StepBuilder()
                            .background("j30003")
                            .action("7000")
                            .windowKind('U')
                            .viewVariant('6')
                            .extraPicture(QStringLiteral("j3e01n"), 'h')
                            .hit(1, StepBuilder::entry('H', "U6")),
                        kOrganise),
                     QStringLiteral("单击“组织”")),
         text.hinted(at(StepBuilder()
                            .action("7000")
                            .windowKind('T')
                            .viewVariant('1')
                            .extraPicture(QStringLiteral("j3e02n"), 'h')
                            .hit(1, StepBuilder::entry('H', "T1")),
                        kViews),
                     QStringLiteral("单击“视图”")),
         text.hinted(at(StepBuilder()
                            .action("7000")
                            .windowKind('S')
                            .viewVariant('2')
                            .extraPicture(QStringLiteral("j3e03n"), 'h')
                            .hit(2, StepBuilder::entry('S', "S2")),
                        kLayout),
                     QStringLiteral("双击“布局”")),
         done()}};
    return qs;
}

// Context menus on the target.
QList<SampleQuestion> contextMenuQuestions(AnswerTexts &text) {
    QList<SampleQuestion> qs;
    // The recycle bin's icon on the desktop (spot 61's place). Its first
    // entry names the context panel "T5", the recycle bin's menu, which
    // opens at the target: the demonstration points there, and its
    // double-click ends the step and opens the bin.
    const Box bin{0, 75, 1170, 1080, QString()};
    qs << SampleQuestion{QStringLiteral("双击桌面上的“回收站”图标将其打开。"),
                         {text.hinted(at(StepBuilder()
                                             .background(DesktopScreenPicture)
                                             .action("7772")
                                             .hit(1, StepBuilder::entry('H', "T5"))
                                             .contextPanel("T5"),
                                         bin),
                                      QStringLiteral("双击“回收站”")),
                          done().background("j30018")}};
    // The right click on 报告, then its menu as a picture with the target
    // on "属性(R)": a context panel of a "7777" step has no frame of its
    // own for the guided mode, the target of this step has the red box.
    qs << SampleQuestion{
        QStringLiteral("右键单击“报告”文件，在快捷菜单中选择“属性”命令。"),
        {text.hinted(at(StepBuilder().background("j30001").action("0003"), kReport),
                     QStringLiteral("右键单击“报告”")),
         text.hinted(
             at(StepBuilder().action("0001").picture(1, kFileMenuAt.x(), kFileMenuAt.y(), "j30113"),
                fileMenuItem(kPropertiesItem)),
             QStringLiteral("选择“属性”")),
         done()}};
    return qs;
}

} // namespace

QRect sheetCellPlace(const QString &name) {
    const int column = name.isEmpty() ? -1 : name.at(0).unicode() - u'A';
    const int row = name.mid(1).toInt();
    if (column < 0 || column > 9 || row < 1 || row > 21) return QRect();
    return QRect(kSheetLeft + column * kColumnWidth, kSheetTop + row * kRowHeight, kColumnWidth,
                 kRowHeight);
}

bool addJudgingFiles(const SampleDir &dir) {
    bool ok = dir.makeFolders();
    ok &= writePictures(dir);

    // The questions' order is the unit's order, and their answer texts are
    // numbered as they come.
    AnswerTexts text(dir);
    QList<SampleQuestion> qs;
    qs << targetQuestions(text);
    qs << sourceQuestions(text);
    qs << keyQuestions(text);
    qs << textQuestions(text);
    qs << pictureDragQuestions(text);
    qs << overlayQuestions(text);
    qs << extraPictureQuestions(text);
    qs << contextMenuQuestions(text);
    ok &= text.ok();

    ok &= appendQuestions(dir, kJudgingUnit, qs);
    return ok;
}

} // namespace sample
