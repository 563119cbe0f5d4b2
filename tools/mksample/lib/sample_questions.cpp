#include "sample_questions.h"

#include "sample_pictures.h"
#include "step_builder.h"

#include "platform/text.h"

#include <QFile>
#include <QLinearGradient>
#include <QPainter>
#include <algorithm>

namespace sample {

namespace {

QString two(int n) {
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

// Sets unit u's question count in line 2 of the bank index.
bool setUnitCount(const SampleDir &dir, int unit, int count) {
    const QString path = dir.bankFile(QStringLiteral("288891"));
    QStringList lines = platform::readLines(path).value_or(QStringList());
    while (lines.size() < 2) lines << QString();
    QString counts = lines[1];
    const int need = 2 * (unit + 1);
    if (counts.size() < need) counts = counts.leftJustified(need, QLatin1Char('0'));
    counts.replace(2 * unit, 2, two(count));
    lines[1] = counts;
    // The number of units in line 1 must cover this one.
    QString head = lines[0].leftJustified(4, QLatin1Char('0'), true);
    if (platform::val(head.mid(2, 2)) < unit + 1) head.replace(2, 2, two(unit + 1));
    lines[0] = head;
    return platform::writeLinesAtomic(path, lines);
}

// ---- pictures

// A folder icon with its name under it.
void drawFolder(QPainter &p, QPoint at, const QString &name) {
    p.setPen(QColor(180, 140, 40));
    p.setBrush(QColor(240, 200, 90));
    p.drawRect(at.x() + 8, at.y() + 10, 56, 40);
    p.drawRect(at.x() + 8, at.y() + 4, 22, 8);
    p.setPen(Qt::black);
    p.setFont(uiFont(12));
    p.drawText(QRect(at.x() - 8, at.y() + 54, 88, 18), Qt::AlignCenter, name);
}

QImage explorerWindow(const QString &title, const QStringList &folders) {
    QImage img = windowPicture(QSize(1024, 600), title);
    QPainter p(&img);
    p.fillRect(7, 37, 1010, 28, QColor(232, 240, 250));
    p.setPen(Qt::black);
    p.setFont(uiFont(12));
    p.drawText(QRect(14, 37, 600, 28), Qt::AlignVCenter,
               QStringLiteral("组织 ▼    共享 ▼    新建文件夹"));
    for (int i = 0; i < folders.size(); ++i) drawFolder(p, QPoint(40 + 110 * i, 90), folders[i]);
    return img;
}

QImage dialogPicture(QSize size, const QString &title, const QStringList &rows) {
    QImage img = windowPicture(size, title);
    QPainter p(&img);
    p.setPen(Qt::black);
    p.setFont(uiFont(12));
    for (int i = 0; i < rows.size(); ++i)
        p.drawText(QRect(24, 50 + 28 * i, size.width() - 48, 24), Qt::AlignVCenter, rows[i]);
    // OK and Cancel at the foot.
    p.setPen(QColor(112, 112, 112));
    p.setBrush(QColor(236, 236, 236));
    p.drawRect(size.width() - 190, size.height() - 40, 80, 24);
    p.drawRect(size.width() - 100, size.height() - 40, 80, 24);
    p.setPen(Qt::black);
    p.drawText(QRect(size.width() - 190, size.height() - 40, 80, 24), Qt::AlignCenter,
               QStringLiteral("确定"));
    p.drawText(QRect(size.width() - 100, size.height() - 40, 80, 24), Qt::AlignCenter,
               QStringLiteral("取消"));
    return img;
}

// A tab page: the strip of tabs with tab `front` in front, and the page.
QImage tabPage(const QStringList &tabs, int front, const QStringList &rows) {
    QImage img(QSize(400, 350), QImage::Format_RGB32);
    img.fill(QColor(240, 240, 240));
    QPainter p(&img);
    p.setFont(uiFont(12));
    for (int i = 0; i < tabs.size(); ++i) {
        const QRect r(6 + 50 * i, i + 1 == front ? 0 : 3, 50, 20);
        p.setPen(QColor(137, 140, 149));
        p.setBrush(i + 1 == front ? Qt::white : QColor(225, 230, 240));
        p.drawRect(r);
        p.setPen(Qt::black);
        p.drawText(r, Qt::AlignCenter, tabs[i]);
    }
    p.setPen(QColor(137, 140, 149));
    p.setBrush(Qt::white);
    p.drawRect(4, 20, 390, 320);
    p.setPen(Qt::black);
    for (int i = 0; i < rows.size(); ++i)
        p.drawText(QRect(20, 34 + 26 * i, 360, 22), Qt::AlignVCenter, rows[i]);
    return img;
}

// The first folder of the explorer window as it looks selected, to be
// laid over it at 30, 80 pixels.
QImage selectedFolder(const QString &name) {
    QImage img(QSize(92, 86), QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setPen(QColor(153, 209, 255));
    p.setBrush(QColor(204, 232, 255));
    p.drawRect(2, 2, 87, 81);
    drawFolder(p, QPoint(10, 10), name);
    return img;
}

// The folder options dialog: its OK button and the back button of the
// tab set under the page.
QImage folderOptions() {
    QImage img = windowPicture(QSize(1024, 600), QStringLiteral("文件夹选项"));
    QPainter p(&img);
    p.setFont(uiFont(12));
    const QRect ok(410, 440, 80, 24), back(200, 440, 73, 19);
    for (const QRect &r : {ok, back}) {
        p.setPen(QColor(112, 112, 112));
        p.setBrush(QColor(236, 236, 236));
        p.drawRect(r);
    }
    p.setPen(Qt::black);
    p.drawText(ok, Qt::AlignCenter, QStringLiteral("确定"));
    p.drawText(back, Qt::AlignCenter, QStringLiteral("上一步"));
    return img;
}

QImage smallPicture(QSize size, const QString &label, QColor fill) {
    return placeholder(size, label, fill, Qt::black);
}

bool writePictures(const SampleDir &dir) {
    bool ok = true;
    const QStringList docs = {QStringLiteral("报告"), QStringLiteral("备份"),
                              QStringLiteral("照片")};
    ok &= saveBankPicture(dir, QStringLiteral("q00001"),
                          explorerWindow(QStringLiteral("文档"), docs));
    ok &= saveBankPicture(dir, QStringLiteral("q00002"),
                          explorerWindow(QStringLiteral("报告"), {QStringLiteral("年度总结")}));
    ok &= saveBankPicture(dir, QStringLiteral("q00003"),
                          dialogPicture(QSize(1024, 600), QStringLiteral("另存为"),
                                        {QString(), QString(), QString(), QString(), QString(),
                                         QString(), QString(), QString(), QString(), QString(),
                                         QString(), QString(), QStringLiteral("文件名(N):")}));
    ok &= saveBankPicture(dir, QStringLiteral("q00004"), folderOptions());
    ok &= saveBankPicture(dir, QStringLiteral("q00005"),
                          explorerWindow(QStringLiteral("文档"), docs));
    ok &= saveBankPicture(dir, QStringLiteral("q00011"), selectedFolder(QStringLiteral("报告")));
    ok &= saveBankPicture(
        dir, QStringLiteral("q00012"),
        smallPicture(QSize(250, 80), QStringLiteral("正在打开…"), QColor(230, 240, 255)));
    const QStringList tabs = {QStringLiteral("常规"), QStringLiteral("查看"),
                              QStringLiteral("搜索")};
    ok &= saveBankPicture(
        dir, QStringLiteral("q00021"),
        tabPage(tabs, 1, {QStringLiteral("浏览文件夹"), QStringLiteral("打开项目的方式")}));
    ok &= saveBankPicture(
        dir, QStringLiteral("q00022"),
        tabPage(tabs, 2,
                {QStringLiteral("文件夹视图"), QStringLiteral("☐ 隐藏已知文件类型的扩展名")}));
    ok &= saveBankPicture(dir, QStringLiteral("q00023"),
                          tabPage(tabs, 3, {QStringLiteral("搜索内容")}));
    ok &= saveBankPicture(
        dir, QStringLiteral("q00031"),
        smallPicture(QSize(100, 24), QStringLiteral("视图 ▼"), QColor(220, 232, 248)));
    ok &= saveBankPicture(
        dir, QStringLiteral("q00032"),
        smallPicture(QSize(100, 24), QStringLiteral("视图 ▼"), QColor(180, 210, 245)));
    // "No extra picture" is a picture too: a small blank one.
    if (!QFile::exists(dir.bankFile(QStringLiteral("000000")))) {
        QImage blank(QSize(1, 1), QImage::Format_RGB32);
        blank.fill(QColor(195, 217, 249));
        ok &= saveBankPicture(dir, QStringLiteral("000000"), blank, PictureFormat::Bmp);
    }
    if (!QFile::exists(dir.bankFile(QStringLiteral("l62009"))))
        ok &= saveBankPicture(
            dir, QStringLiteral("l62009"),
            smallPicture(QSize(116, 23), QStringLiteral("Windows 7 练习"), QColor(195, 217, 249)));
    return ok;
}

} // namespace

bool appendQuestions(const SampleDir &dir, int unit, const QList<SampleQuestion> &questions) {
    const QString list = dir.bankFile(QStringLiteral("2888") + two(70 + unit));
    const QString steps = dir.bankFile(QStringLiteral("2888") + two(20 + unit));
    const QStringList listLines = platform::readLines(list).value_or(QStringList());
    const QStringList stepLines = platform::readLines(steps).value_or(QStringList());
    // The questions already there, with their blocks of steps. The sample
    // is laid out again over an existing folder on every build: a question
    // whose text is there already has its steps replaced, not added twice.
    QList<SampleQuestion> all;
    int at = 0;
    for (const QString &line : listLines) {
        const int count = static_cast<int>(platform::val(line.mid(4, 2)));
        all << SampleQuestion{line.mid(6), stepLines.mid(at, count)};
        at += count;
    }
    for (const SampleQuestion &q : questions) {
        auto same = std::find_if(all.begin(), all.end(),
                                 [&](const SampleQuestion &o) { return o.text == q.text; });
        if (same != all.end())
            *same = q;
        else
            all << q;
    }
    QStringList outList, outSteps;
    for (int i = 0; i < all.size(); ++i) {
        outList << two(unit) + two(i + 1) + two(static_cast<int>(all[i].steps.size())) +
                       all[i].text;
        outSteps << all[i].steps;
    }
    return platform::writeLinesAtomic(list, outList) &&
           platform::writeLinesAtomic(steps, outSteps) &&
           setUnitCount(dir, unit, static_cast<int>(outList.size()));
}

int appendAnswerText(const SampleDir &dir, const QString &text) {
    const QString path = dir.bankFile(QStringLiteral("288890"));
    QStringList lines = platform::readLines(path).value_or(QStringList());
    // Laid out again over an existing folder, a text keeps its line.
    for (int i = 0; i < lines.size(); ++i)
        if (lines[i].mid(3) == text) return i + 1;
    const int n = static_cast<int>(lines.size()) + 1;
    lines << QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0')) + text;
    return platform::writeLinesAtomic(path, lines) ? n : 0;
}

QStringList sampleStyleTable() {
    QStringList t = {QStringLiteral("0宋体"),
                     QStringLiteral("1黑体"),
                     QStringLiteral("2楷体"),
                     QStringLiteral("3Arial"),
                     QStringLiteral("4Times New Roman"),
                     QStringLiteral("5仿宋"),
                     QStringLiteral("6微软雅黑"),
                     QStringLiteral("7Tahoma"),
                     QStringLiteral("8Courier New"),
                     QStringLiteral("9Verdana")};
    // Text colours 10-19 and background colours 20-29: R, G, B as three
    // digits each after one unread character.
    const QStringList fore = {"0000000000", "0255000000", "0000000255", "0000128000", "0128000128",
                              "0128128128", "0255128000", "0000128128", "0064064064", "0192000000"};
    const QStringList back = {"0255255255", "0255255192", "0220230240", "0240240240", "0255240220",
                              "0200255200", "0000000000", "0255220220", "0230230255", "0192192192"};
    t << fore << back;
    while (t.size() < 41) t << QStringLiteral("0");
    return t;
}

namespace {

// One row of the tab-set table: count, tab Top and height, the groups of
// page picture and Left, then the back label's Left, Top and Width.
QString tabRow(QChar count, int top, int height, const QList<QPair<QString, int>> &groups,
               int backLeft, int backTop, int backWidth) {
    QString row =
        QStringLiteral("0") + count + StepBuilder::digits(top, 4) + StepBuilder::digits(height, 3);
    for (const auto &g : groups) row += g.first.left(6) + StepBuilder::digits(g.second, 4);
    row = row.leftJustified(139, QLatin1Char('0'), true);
    row += StepBuilder::digits(backLeft, 4) + StepBuilder::digits(backTop, 4) +
           StepBuilder::digits(backWidth, 4);
    return row;
}

} // namespace

QStringList sampleTabSetTable() {
    QStringList t;
    // Row A: the three tabs of the folder options, 750 twips each from
    // Left 90; the group after the last gives the strip's end.
    t << tabRow('3', 0, 300, {{"q00021", 90}, {"q00022", 840}, {"q00023", 1590}, {"000000", 2340}},
                0, 0, 0);
    // Row B: a two-row strip of twelve tabs.
    QList<QPair<QString, int>> twelve;
    for (int i = 1; i <= 13; ++i)
        twelve << qMakePair(QStringLiteral("q00021"), 90 + 900 * ((i - 1) % 6));
    t << tabRow('C', 0, 300, twelve, 4500, 4800, 1095);
    while (t.size() < 21) t << QString();
    return t;
}

bool addStepEngineFiles(const SampleDir &dir) {
    bool ok = dir.makeFolders();
    ok &= writePictures(dir);
    ok &= writeGbkLines(dir.bankFile(QStringLiteral("288905")), sampleStyleTable());
    ok &= writeGbkLines(dir.bankFile(QStringLiteral("288906")), sampleTabSetTable());

    const int hintOpen = appendAnswerText(dir, QStringLiteral("双击“报告”文件夹|打开文件夹"));
    const int newName = appendAnswerText(dir, QStringLiteral("新建文本文档|新建文本文档.txt"));
    const int saveName = appendAnswerText(dir, QStringLiteral("年度总结|年度总结.txt"));
    const int keyword = appendAnswerText(dir, QStringLiteral("Windows 7"));
    const int hintView = appendAnswerText(dir, QStringLiteral("勾选“隐藏已知文件类型的扩展名”"));
    const int hintOk = appendAnswerText(dir, QStringLiteral("单击“确定”按钮"));
    const int hintDrag = appendAnswerText(dir, QStringLiteral("把“报告”拖到“备份”文件夹上"));
    const int hintMenu = appendAnswerText(dir, QStringLiteral("单击“视图”按钮"));
    ok &= hintOpen && newName && saveName && keyword && hintView && hintOk && hintDrag && hintMenu;

    QList<SampleQuestion> qs;

    // Opening a folder: a target on an overlay picture, a timed step that
    // keeps the first picture and adds a second, and the last step, which
    // hides both.
    qs << SampleQuestion{QStringLiteral("在“文档”窗口中打开“报告”文件夹。"),
                         {StepBuilder()
                              .background("q00001")
                              .picture(1, 450, 1200, "q00011")
                              .target(600, 1350, 1080, 1080)
                              .action("0002")
                              .hint(7500, 1500, hintOpen),
                          StepBuilder()
                              .action("8888")
                              .picture(1, 450, 1200, "888888")
                              .picture(2, 5000, 4000, "q00012"),
                          StepBuilder()
                              .background("q00002")
                              .picture(1, 0, 0, "000000")
                              .picture(2, 0, 0, "000000")
                              .action("9999")}};

    // Typing a file name: one input box per text style, then the last step.
    qs << SampleQuestion{QStringLiteral("在“另存为”对话框的文件名框中输入“年度总结”，然后保存。"),
                         {StepBuilder()
                              .background("q00003")
                              .textBox(2100, 6330, 6000, 330, newName)
                              .answerLine(saveName)
                              .hint(2100, 5700, saveName)
                              .textStyle(0, 'L', 0, 0, 0, 0)
                              .action("0024"),
                          StepBuilder()
                              .textBox(2100, 6330, 6000, 330, newName)
                              .answerLine(saveName)
                              .hint(2100, 5700, saveName)
                              .textStyle(120, 'R', 3, 1, 1, 1)
                              .target(12510, 8325, 1200, 360)
                              .action("0022"),
                          StepBuilder()
                              .textBox(2100, 6330, 6000, 330, 0)
                              .answerLine(keyword)
                              .hint(2100, 5700, keyword)
                              .textStyle(105, 'M', 4, 3, 2, 2)
                              .action("0027"),
                          StepBuilder()
                              .textBox(2100, 6330, 6000, 330, newName)
                              .answerLine(saveName)
                              .hint(2100, 5700, saveName)
                              .textStyle(90, 'r', 2, 2, 3, 3)
                              .action("0021"),
                          StepBuilder().action("9999")}};

    // Folder options: a tab step on row A of the tab-set table (tab 1 in
    // front, tab 2 expected, its page in Image2 with the target on it),
    // then a step with the back-step entry that returns to step 1.
    qs << SampleQuestion{
        QStringLiteral("在“文件夹选项”对话框中勾选“隐藏已知文件类型的扩展名”，然后单击“确定”。"),
        {StepBuilder()
             .background("q00004")
             .picture(2, 3000, 1200, "q00022")
             .tabStep('A', '1', '2', 2)
             .target(3300, 1980, 300, 300)
             .action("0001")
             .hint(3000, 6900, hintView),
         StepBuilder()
             .picture(2, 3000, 1200, "888888")
             .backEntry("Q0001", 3000, 6600)
             .target(6150, 6600, 1200, 360)
             .action("0001")
             .hint(3000, 6900, hintOk),
         StepBuilder().action("9999")}};

    // A drag from the source onto the target, with the custom pointer.
    qs << SampleQuestion{QStringLiteral("将“报告”文件夹拖动到“备份”文件夹中。"),
                         {StepBuilder()
                              .background("q00005")
                              .source(600, 1350, 1080, 1080)
                              .target(2250, 1350, 1080, 1080)
                              .cursor('M', 15)
                              .action("0050")
                              .hint(7500, 1500, hintDrag),
                          StepBuilder().action("9999")}};

    // The extra picture: a "视图" button drawn at the target, answered by
    // a click on it (its code is columns 4-5, "T1").
    qs << SampleQuestion{QStringLiteral("单击工具栏上的“视图”按钮。"),
                         {StepBuilder()
                              .background("q00005")
                              .windowKind('T')
                              .viewVariant('1')
                              .target(9000, 570, 1500, 360)
                              .extraPicture("q00031", '2')
                              .hit(1, StepBuilder::entry('H', "T1"))
                              .action("0000")
                              .hint(9000, 1500, hintMenu),
                          StepBuilder().action("9999")}};

    ok &= appendQuestions(dir, kEngineUnit, qs);
    return ok;
}

} // namespace sample
