#pragma once
// Sample questions of the step engine, and the builders every part uses to
// add its own questions: they append to a unit's question list and step
// file and to the answer-text file, so that the parts of the sample can be
// laid out one after another in any order.
#include "sample_dir.h"

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

// The step engine's part of the sample: the tables, the pictures and the
// questions of unit 0 that use every stage of building a step: overlay
// pictures hidden and kept, a target, a source, input boxes in each text
// style, a hint with "|", a tab step, a back-step entry, an "8888" step and
// the "9999" last steps.
bool addStepEngineFiles(const SampleDir &dir);

} // namespace sample
