#pragma once
// The candidate login's rules apart from its window: how the seat and ID
// numbers typed are completed, which characters the ID box lets in, and how
// many ticks the progress bar takes.
#include <QString>

namespace panel {

// Fills an ID number shorter than 18 characters from the left.
inline const QString kSampleIdNumber = QStringLiteral("110101198001011234");

// The last two characters of "00" and the seat text, spaces trimmed.
QString seatNumberOf(const QString &typed);
// The last 18 characters of the sample ID number and the ID text, spaces trimmed.
QString idNumberOf(const QString &typed);

// May ch go into an ID box that holds length characters? Digits always,
// "X" or "x" only once 17 characters are there, nothing else (Backspace is
// an editing key, not a character, and always works).
bool idBoxAccepts(QChar ch, int length);
// What of a text arriving at once (pasted, or committed by an input method)
// the ID box keeps, each character judged with the length reached so far.
QString idBoxFilter(const QString &arriving, int length);

// Width of the progress bar after n ticks (design twips 255 plus 1500 ×
// ScaleX a tick) and whether it has passed its frame (10335 × ScaleX).
double loginBarWidth(int ticks, double scaleX);
bool loginBarFull(double barWidth, double scaleX);

// "yyyy年mm月dd日" of a date and time "yyyy-mm-dd hh:mm:ss".
QString loginDateText(const QString &dateTime);

} // namespace panel
