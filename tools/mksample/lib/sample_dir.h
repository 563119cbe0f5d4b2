#pragma once
// The sample installation: a program folder laid out by code. Every part
// of the program adds the files it needs through an add... function that
// takes the folder (see tools/mksample/main.cpp), using the builders here.
#include <QString>
#include <QStringList>

namespace sample {

// The installation's configuration, written into "ver.txt": the sample
// bank is module 7 in the folder "w7tk". The subject is named as the home
// page and the about box name it; its first two characters lead every
// title of the question panel ("中文 1单元1/6题").
constexpr int kModuleNumber = 7;
inline const QString kBankFolder = QStringLiteral("w7tk");
inline const QString kSubject = QStringLiteral("中文Windows 7");
inline const QString kModuleName = QStringLiteral("中文Windows 7操作系统");
inline const QString kBankVersion = QStringLiteral("201503070905");
// Titles of units 0..20 (an empty title: the unit does not exist).
QStringList unitTitles();

// Paths inside one program folder. Folder functions end in '/'.
struct SampleDir {
    QString root; // the program folder, ending in '/'

    explicit SampleDir(const QString &folder);
    QString bank() const;     // root & kBankFolder & '/'
    QString ksdata() const;   // the user's record folder
    QString examdata() const; // shell pictures
    // A bank file: bank() & name & ".mxy".
    QString bankFile(const QString &name) const;
    QString examFile(const QString &name) const;
    // Creates the program folder, the bank, "ksdata" and "examdata".
    bool makeFolders() const;
};

// Writes lines as GBK with CR LF after each, creating the folder.
bool writeGbkLines(const QString &path, const QStringList &lines);

// The coded form of a text, one six-digit group per character: the GBK
// code of the character plus the offset (200000 or 500000). With
// negativeForm, double-byte characters are written as their code - 65536
// plus the offset (the offset must then be 200000).
QString encodeCodedLine(const QString &text, int offset = 200000, bool negativeForm = false);

// The bank index "288891": line 1 the number of fixed papers and of units
// (two digits each), line 2 the question count of every unit (two digits
// each), then one line of 40 four-character question codes per paper.
bool writeBankIndex(const SampleDir &dir, const QList<int> &unitCounts,
                    const QStringList &paperLists = {});

} // namespace sample
