// Every sample question answered by keys, texts, clicks, drags and
// pictures is worked from its first step to "操作成功！" with the mouse and
// the keyboard alone, as a candidate would.
#include "screen_fixture.h"
#include "simulator/step_record.h"

#include <functional>
#include <map>

namespace {

class JudgingSampleQuestions : public JudgingFixture {
protected:
    FrmMain *f() { return frm(); }

    void clickTarget(int button = forms::vbLeftButton, int shift = 0) {
        click(f()->Label1, midX(f()->Label1), midY(f()->Label1), button, shift);
    }
    // From the middle of the source to the middle of the target.
    void dragToTarget(int shift = 0) {
        press(f()->Label4, midX(f()->Label4), midY(f()->Label4), forms::vbLeftButton, shift);
        move(f()->Label1, midX(f()->Label1), midY(f()->Label1), shift);
        release(f()->Label1, midX(f()->Label1), midY(f()->Label1), forms::vbLeftButton, shift);
    }
    // Drags Image5 by its corner past the step's drag target.
    void dragPicture() {
        const sim::StepRecord r(S().CurRecord);
        const int code = r.actionValue();
        const int tx = r.dragTargetX(), ty = r.dragTargetY();
        double x = f()->Image5->left(), y = f()->Image5->top();
        if (code == 8001 || code == 8006 || code == 8008) x = tx - 600;
        if (code == 8002 || code == 8007 || code == 8009) x = tx + 600;
        if (code == 8003 || code == 8008 || code == 8009) y = ty - 600;
        if (code == 8004 || code == 8006 || code == 8007) y = ty + 600;
        press(f()->Image5, 15, 15);
        for (int i = 0; i < 8; ++i) move(f(), x, y);
        release(f(), x, y);
    }
    void selectAllAndType(forms::TextBox *box, const QString &text) {
        click(box, 30, 30);
        pressKey(forms::vbKeyA, forms::vbCtrlMask);
        typeText(text);
    }
};

} // namespace

TEST_F(JudgingSampleQuestions, EveryQuestionCanBeWorkedToTheEnd) {
    using Work = std::function<void()>;
    const std::map<QString, Work> work = {
        {QStringLiteral("单击选中“报告”文件，然后双击将其打开。"),
         [&] {
             clickTarget();
             dblClick(f()->Label1, 300, 300);
         }},
        {QStringLiteral("按住Ctrl键依次单击“报告”和“照片”，然后右键单击“照片”。"),
         [&] {
             clickTarget(forms::vbLeftButton, forms::vbCtrlMask);
             clickTarget(forms::vbLeftButton, forms::vbCtrlMask);
             clickTarget(forms::vbRightButton);
         }},
        {QStringLiteral("按住Shift键右键单击“备份”文件夹，然后用鼠标中键单击“照片”文件夹。"),
         [&] {
             clickTarget(forms::vbRightButton, forms::vbShiftMask);
             clickTarget(forms::vbMiddleButton);
         }},
        {QStringLiteral("将鼠标指向任务栏上的“Windows 资源管理器”图标。"),
         [&] { move(f()->Label1, 60, 60); }},
        {QStringLiteral("在“文档”窗口中，从左上方的空白处拖出一个选框，框住全部文件。"),
         [&] { dragToTarget(); }},
        {QStringLiteral("按住Shift键，从左上方的空白处拖出选框，框住全部文件。"),
         [&] { dragToTarget(forms::vbShiftMask); }},
        {QStringLiteral("将“报告”文件拖动到“备份”文件夹中。"), [&] { dragToTarget(); }},
        {QStringLiteral("按住Ctrl键将“照片”文件夹复制到“备份”文件夹中。"),
         [&] { dragToTarget(forms::vbCtrlMask); }},
        {QStringLiteral("按Ctrl+A键选中全部文件，按Delete键删除，再按回车键确认。"),
         [&] {
             pressKey(forms::vbKeyA, forms::vbCtrlMask);
             pressKey(forms::vbKeyDelete, forms::vbShiftMask);
             pressKey(forms::vbKeyReturn);
         }},
        {QStringLiteral("选中“报告”文件，按F2键将其重命名为“总结”，并按回车键确认。"),
         [&] {
             clickTarget();
             pressKey(forms::vbKeyF1 + 1);
             pressKey(forms::vbKeyA, forms::vbCtrlMask);
             typeText(QStringLiteral("总结"));
             pressKey(forms::vbKeyReturn);
         }},
        {QStringLiteral("按Alt+F4键关闭“文档”窗口。"),
         [&] { pressKey(forms::vbKeyF1 + 3, forms::vbAltMask); }},
        {QStringLiteral("在地址栏中输入“C:\\Windows”。"),
         [&] { typeText(QStringLiteral("C:\\Windows")); }},
        {QStringLiteral("在记事本的“查找”对话框中，在“查找内容”框中输入“Abc123”（区分大小写）。"),
         [&] { typeText(QStringLiteral("Abc123")); }},
        {QStringLiteral("将新建的文件夹命名为“资料”。"),
         [&] { selectAllAndType(f()->Text2, QStringLiteral("资料")); }},
        {QStringLiteral("在记事本中输入“今天天气很好”。"),
         [&] { selectAllAndType(f()->Text3, QStringLiteral("今天天气很好")); }},
        {QStringLiteral("在搜索框中输入“报告”，然后按回车键或单击搜索按钮。"),
         [&] {
             typeText(QStringLiteral("报告"));
             pressKey(forms::vbKeyReturn);
         }},
        {QStringLiteral("在“运行”对话框中输入“notepad”，然后单击“确定”按钮。"),
         [&] {
             typeText(QStringLiteral("notepad"));
             clickTarget();
         }},
        {QStringLiteral("在文本框中选中“Windows 7”。"),
         [&] {
             pressKey(forms::vbKeyHome);
             for (int i = 0; i < 4; ++i) pressKey(forms::vbKeyRight);
             for (int i = 0; i < 9; ++i) pressKey(forms::vbKeyRight, forms::vbShiftMask);
             click(f()->Text1, 60, 60, forms::vbRightButton);
         }},
        {QStringLiteral(
             "在单元格B2中输入“100”，然后按回车键、单击其他单元格或编辑栏的“√”按钮确认。"),
         [&] {
             typeText(QStringLiteral("100"));
             click(f()->Label4, 60, 60);
         }},
        {QStringLiteral(
             "拖动滑块：先拖到最左端，再拖到最右端；然后将音量滑块向上拖到顶，再向下拖到底。"),
         [&] {
             for (int i = 0; i < 4; ++i) dragPicture();
         }},
        {QStringLiteral("依次向左下、右下、左上、右上拖动窗口的右下角，调整窗口大小。"),
         [&] {
             for (int i = 0; i < 4; ++i) dragPicture();
         }},
        {QStringLiteral("在“打开方式”对话框中单击“记事本”，再单击“确定”按钮。"),
         [&] {
             click(f()->Image4, 60, 60); // the wrong program does nothing
             click(f()->Image1, 60, 60);
             click(f()->Image6, 60, 60);
         }},
        {QStringLiteral("在“运行”对话框中按下“确定”按钮。"), [&] { clickTarget(); }},
        {QStringLiteral("单击工具栏上的“组织”按钮，再单击“视图”按钮，然后双击“布局”按钮。"),
         [&] {
             click(f()->ImgElse, 60, 60);
             click(f()->ImgElse, 60, 60);
             dblClick(f()->ImgElse, 60, 60);
         }},
        {QStringLiteral("双击桌面上的“回收站”图标将其打开。"),
         [&] { dblClick(f()->Label1, 300, 300); }},
        {QStringLiteral("右键单击“报告”文件，在快捷菜单中选择“属性”命令。"),
         [&] {
             clickTarget(forms::vbRightButton);
             ASSERT_TRUE(f()->Image1->isShown()); // the menu
             clickTarget();
         }},
    };

    const QStringList texts = questionTexts();
    ASSERT_EQ(texts.size(), static_cast<int>(work.size()));
    for (int q = 1; q <= texts.size(); ++q) {
        const QString &text = texts[q - 1];
        SCOPED_TRACE(text.toStdString());
        const auto it = work.find(text);
        ASSERT_NE(it, work.end());
        S().CurQuestion = q;
        S().CurStep = 1;
        start();
        it->second();
        EXPECT_EQ(sim::StepRecord(S().CurRecord).actionCode(), QStringLiteral("9999"))
            << "stopped at step " << step();
        EXPECT_TRUE(frm()->LblSuccess->visible());
        EXPECT_GE(S().QuestionStatus[q - 1], 4);
        forms::testing::unloadAll();
    }
}
