#pragma once
// Text helpers of the bank and record files: GBK with CR LF on disk,
// QString in memory, and the number and rounding rules the files rely on.
#include "platform/file_read.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace platform {

// GBK bytes -> text. Invalid sequences become replacement characters; never throws.
QString decodeGbk(const QByteArray &bytes);
// Text -> GBK bytes. Characters GBK cannot hold become '?'.
QByteArray encodeGbk(const QString &text);

// The file functions below take paths as the program builds them: they go
// through resolvePath (paths.h), so backslashes and any letter case work.

// Reads a whole text file as lines (CR LF, LF or CR ends a line; the
// last line may lack an end). nullopt when the file cannot be read
// (file_read.h: also no regular file, or one over the limit of its kind,
// a bank file's unless given).
std::optional<QStringList> readLines(const QString &path, qint64 limit = readlimit::kBankText);
// Line n (1-based) of a file, or its last line when the file is shorter;
// nullopt when the file cannot be read or has no line at all.
std::optional<QString> readLineOrLast(const QString &path, int n,
                                      qint64 limit = readlimit::kBankText);
// Writes lines as GBK, each ended by CR LF, replacing the file whole
// through the atomic writer (atomic_files.h), so that a crash or a full
// disk never leaves a truncated file. False when it failed (old file kept).
bool writeLinesAtomic(const QString &path, const QStringList &lines);
// The bytes writeLinesAtomic writes for lines, and the lines readLines
// gives for the bytes of a file.
QByteArray linesToBytes(const QStringList &lines);
QStringList linesFromBytes(const QByteArray &bytes);

// The numeric value of a field: blanks (spaces, tabs, line feeds) ignored
// wherever they stand; reads an optional sign, digits, one
// decimal point and an exponent (E or D); stops at the first character that
// cannot continue the number. A field that starts with a letter reads 0, and
// so does a number too large for a double.
double val(const QString &field);
// Nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
// NaN gives 0; values beyond the int64 range give its nearest end.
int64_t roundEven(double v);
// Removes spaces at both ends only (tabs and other white space stay).
QString trimBlanks(const QString &s);
// Characters from..from+len-1 (1-based) of s; shorter or empty past the end.
// Positions before 1 hold nothing, so from 0 with len 3 gives characters 1..2.
QString mid1(const QString &s, int from, int len);
// Characters from 'from' (1-based) to the end.
QString mid1(const QString &s, int from);

} // namespace platform
