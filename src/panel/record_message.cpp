#include "panel/record_message.h"

#include "panel/record_files.h"
#include "startup/frm_qhmsgbox.h"
#include "startup/run_state.h"
#include "startup/services.h"

namespace panel {

namespace {

QString titlesOf(const QStringList &names) {
    QStringList titles;
    for (const QString &name : names)
        if (!titles.contains(recordTitle(name))) titles << recordTitle(name);
    return titles.join(QStringLiteral("、"));
}

void showNotice(const QString &title, const QString &text) {
    startup::RunState &s = startup::state();
    s.MsgBoxResult = 0;
    auto *box = forms::form<FrmQHMSGBOX>();
    box->LblTitle->setCaption(title);
    forms::skip([&] { box->Image1->loadPicture(s.DataPath + QStringLiteral("l20072.mxy")); });
    box->LblPrompt->setCaption(QStringLiteral("\r\n\r\n") + text);
    box->show(forms::vbModal);
}

} // namespace

QString recordTitle(const QString &name) {
    if (name == recname::Favourites || name == recname::FavouriteFlags)
        return QStringLiteral("收藏的题目");
    if (name == recname::WrongQuestions || name == recname::WrongFlags)
        return QStringLiteral("我的错题");
    if (name == recname::PaperHistory) return QStringLiteral("考试历史");
    if (name == recname::UnitProgress) return QStringLiteral("学习进度");
    if (name == recname::RandomPapers) return QStringLiteral("随机试卷");
    if (name == recname::Options) return QStringLiteral("输入法设置");
    if (name.size() == 6 && name.startsWith(QStringLiteral("1824")))
        return QStringLiteral("试卷错题");
    return name.contains(QLatin1Char('.')) ? name : name + QStringLiteral(".mxy");
}

QString unsavedRecordsText(const QString &action, const QStringList &names, bool othersSaved) {
    return action + QStringLiteral("失败：") + titlesOf(names) +
           QStringLiteral("未能保存，仍是原来的内容。") +
           (othersSaved ? QStringLiteral("其它记录已经保存。") : QString());
}

void tellUnsavedRecords(const QString &action, const QStringList &names, bool othersSaved) {
    if (!names.isEmpty()) {
        const QString text = unsavedRecordsText(action, names, othersSaved);
        startup::trapError(QStringLiteral("recordfiles"), startup::err::PathAccess, text);
        showNotice(kUnsavedRecordsTitle, text);
    }
    tellUnreadableRecords();
}

QString unreadableRecordsText(const QStringList &names) {
    return titlesOf(names) + QStringLiteral("无法读取，本次运行不会修改这些记录。");
}

void tellUnreadableRecords() {
    // One box at a time: the box is a single window.
    if (const FrmQHMSGBOX *open = forms::loadedForm<FrmQHMSGBOX>(); open && open->isModalShown())
        return;
    const QStringList names = heldBackToTell();
    if (!names.isEmpty()) showNotice(kUnreadableRecordsTitle, unreadableRecordsText(names));
}

} // namespace panel
