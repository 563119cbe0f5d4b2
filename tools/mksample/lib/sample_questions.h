#pragma once
// Sample questions of the step engine, and the builders every part uses to
// add its own questions: they append to a unit's question list and step
// file and to the answer-text file, so that the parts of the sample can be
// laid out one after another in any order.
#include "sample_dir.h"

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

namespace sample {

struct SampleQuestion {
    QString text;      // the question text ("|" breaks a line)
    QStringList steps; // its step records, first step first
};

// The unit the step engine's sample questions are in: unit 0, with the
// step file "288820" and the question list "288870".
constexpr int kEngineUnit = 0;

// Appends questions to unit u's question list ("2888" & 70 + u) and step
// file ("2888" & 20 + u), numbering them after those already there, and
// sets the unit's question count in the bank index "288891".
bool appendQuestions(const SampleDir &dir, int unit, const QList<SampleQuestion> &questions);

// Appends a text to the answer-text file "288890"; returns its line number
// (0 when it could not be written).
int appendAnswerText(const SampleDir &dir, const QString &text);

// The style table "288905" and the tab-set table "288906" of the sample.
QStringList sampleStyleTable();
QStringList sampleTabSetTable();

// A rectangle in design twips (15 to the pixel in the sample's pictures).
struct TwipRect {
    int x, y, w, h;
};

// Places on the "查看" page "q00022" of the folder options, in twips from
// the page picture's top-left corner: the check box of "隐藏已知文件类型的
// 扩展名" and the "还原为默认值" button.
inline constexpr TwipRect kHideExtensionsBox{255, 3060, 300, 300};
// The same box with its label: a click on either ticks it, as in Windows.
inline constexpr TwipRect kHideExtensionsChoice{255, 3060, 2550, 300};
inline constexpr TwipRect kRestoreDefaultsButton{4140, 4500, 1650, 345};

// The folder "备份" of the "文档" window (the bank picture "q00005") as it
// looks selected, to be laid over it at 2100, 1200 twips.
inline const QString kBackupSelected = QStringLiteral("q00015");
inline constexpr int kBackupSelectedX = 2100, kBackupSelectedY = 1200;

// The whole screen with the "文档" window open and, over it, the frame of
// a tab dialog whose page picture a step lays at pageX, pageY (screen
// twips): the title bar above the page, the buttons "确定", "取消" and
// "应用(A)" under it. Without a title, the window alone.
QImage tabDialogScreen(const QString &title, int pageX, int pageY);
// Where tabDialogScreen draws the dialog's "确定" and "取消" buttons
// (screen twips).
TwipRect tabDialogOkButton(int pageX, int pageY);
TwipRect tabDialogCancelButton(int pageX, int pageY);

// The step engine's part of the sample: the tables, the pictures and the
// questions of unit 0 that use every stage of building a step: overlay
// pictures hidden and kept, a target, a source, input boxes in each text
// style, a hint with "|", a tab step, a back-step entry, an "8888" step and
// the "9999" last steps.
bool addStepEngineFiles(const SampleDir &dir);

} // namespace sample
