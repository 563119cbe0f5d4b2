#pragma once
// Telling the candidate that records of an action could not be saved: the
// text, apart from the window, and the program's own message box with the
// error report behind it. Every action that writes records (grading, the
// end of a set, a draw or a delete of a random paper, a clearing) tells
// this once when some of its records stayed as they were.
#include <QString>
#include <QStringList>

namespace panel {

// What the candidate was doing, as the message names it.
namespace recordaction {
inline const QString Grading = QStringLiteral("成绩记录保存");
inline const QString SetEnd = QStringLiteral("练习记录保存");
inline const QString Draw = QStringLiteral("生成随机试卷");
inline const QString Delete = QStringLiteral("删除随机试卷");
inline const QString ClearFavourites = QStringLiteral("清除收藏的题目");
inline const QString ClearWrongBook = QStringLiteral("清除我的错题");
// An action of the last run that its end broke off, told at the start.
inline const QString LastRun = QStringLiteral("上次运行的记录保存");
} // namespace recordaction

// A record as the candidate knows it: "收藏的题目" for the favourites and
// their flags, "我的错题" for the book and its flags, "试卷错题" for a
// paper's wrong list, "考试历史", "学习进度", "随机试卷"; another record
// by its file name (a name with an extension as it is).
QString recordTitle(const QString &name);
// "<action>失败：<records, each once, joined by 、>未能保存，仍是原来的内容。"
// and, when other records of the action were saved, "其它记录已经保存。"
QString unsavedRecordsText(const QString &action, const QStringList &names,
                           bool othersSaved = false);
inline const QString kUnsavedRecordsTitle = QStringLiteral("记录保存失败");

// Shows the text in the program's message box, as a notice, and reports it
// (tag "recordfiles"). Nothing when no record is named.
void tellUnsavedRecords(const QString &action, const QStringList &names, bool othersSaved = false);

} // namespace panel
