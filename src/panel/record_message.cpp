#include "panel/record_message.h"

#include "panel/record_files.h"
#include "startup/frm_qhmsgbox.h"
#include "startup/run_state.h"
#include "startup/services.h"

namespace panel {

QString recordTitle(const QString &name) {
    if (name == recname::Favourites || name == recname::FavouriteFlags)
        return QStringLiteral("收藏的题目");
    if (name == recname::WrongQuestions || name == recname::WrongFlags)
        return QStringLiteral("我的错题");
    if (name == recname::PaperHistory) return QStringLiteral("考试历史");
    if (name == recname::UnitProgress) return QStringLiteral("学习进度");
    if (name == recname::RandomPapers) return QStringLiteral("随机试卷");
    if (name.size() == 6 && name.startsWith(QStringLiteral("1824")))
        return QStringLiteral("试卷错题");
    return name.contains(QLatin1Char('.')) ? name : name + QStringLiteral(".mxy");
}

QString unsavedRecordsText(const QString &action, const QStringList &names, bool othersSaved) {
    QStringList titles;
    for (const QString &name : names)
        if (!titles.contains(recordTitle(name))) titles << recordTitle(name);
    return action + QStringLiteral("失败：") + titles.join(QStringLiteral("、")) +
           QStringLiteral("未能保存，仍是原来的内容。") +
           (othersSaved ? QStringLiteral("其它记录已经保存。") : QString());
}

void tellUnsavedRecords(const QString &action, const QStringList &names, bool othersSaved) {
    if (names.isEmpty()) return;
    const QString text = unsavedRecordsText(action, names, othersSaved);
    startup::trapError(QStringLiteral("recordfiles"), startup::err::PathAccess, text);
    startup::RunState &s = startup::state();
    s.MsgBoxResult = 0;
    auto *box = forms::form<FrmQHMSGBOX>();
    box->LblTitle->setCaption(kUnsavedRecordsTitle);
    forms::skip([&] { box->Image1->loadPicture(s.DataPath + QStringLiteral("l20072.mxy")); });
    box->LblPrompt->setCaption(QStringLiteral("\r\n\r\n") + text);
    box->show(forms::vbModal);
}

} // namespace panel
