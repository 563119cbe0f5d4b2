#pragma once
// Telling the candidate that records of an action could not be saved, or
// could not be read: the texts, apart from the window, and the program's
// own message box. Every action that writes records (grading, the end of a
// set, a draw or a delete of a random paper, a clearing, a change of the
// input-method option) tells once when some of its records stayed as they
// were, with the error report behind it. A record held back because it
// could not be read (record_files.h) is told once a run, in a box of its
// own: at the start, after the last run's unsaved records, and later after
// the click or the action that met it.
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
inline const QString InputMethodOption = QStringLiteral("更改输入法设置");
// An action of the last run that its end broke off, told at the start.
inline const QString LastRun = QStringLiteral("上次运行的记录保存");
} // namespace recordaction

// A record as the candidate knows it: "收藏的题目" for the favourites and
// their flags, "我的错题" for the book and its flags, "试卷错题" for a
// paper's wrong list, "考试历史", "学习进度", "随机试卷", "输入法设置" for
// the options; another record by its file name (a name with an extension
// as it is).
QString recordTitle(const QString &name);
// "<action>失败：<records, each once, joined by 、>未能保存，仍是原来的内容。"
// and, when other records of the action were saved, "其它记录已经保存。"
QString unsavedRecordsText(const QString &action, const QStringList &names,
                           bool othersSaved = false);
inline const QString kUnsavedRecordsTitle = QStringLiteral("记录保存失败");

// Shows the text in the program's message box, as a notice, and reports it
// (tag "recordfiles"); no box when no record is named. Then the records
// held back and not yet told (tellUnreadableRecords).
void tellUnsavedRecords(const QString &action, const QStringList &names, bool othersSaved = false);

// "<records, each once, joined by 、>无法读取，本次运行不会修改这些记录。"
QString unreadableRecordsText(const QStringList &names);
inline const QString kUnreadableRecordsTitle = QStringLiteral("记录无法读取");

// The records held back in this run and not yet told, in the program's
// message box, as a notice (the reports went to the run log as they were
// held back). Nothing before the run log is named: the start tells them
// once it has named it. Nothing while the box is open for something else:
// they wait for the next call.
void tellUnreadableRecords();

} // namespace panel
