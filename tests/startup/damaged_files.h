#pragma once
// Damaged installations: the files the program cannot start without, each
// spoiled as a disk, a cut-off copy or a careless edit spoils it, and what
// the start must say about it. Shared by the start-up tests on the manual
// clock and the ones that run the program itself.
#include "file_bytes.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <QString>
#include <functional>

namespace damaged {

// The bytes from the start of line k (1-based, lines ended by CR LF).
inline qsizetype lineStart(const QByteArray &bytes, int k) {
    qsizetype at = 0;
    for (int i = 1; i < k && at >= 0; ++i) {
        at = bytes.indexOf("\r\n", at);
        if (at >= 0) at += 2;
    }
    return at;
}

inline QByteArray flipped(QByteArray bytes, qsizetype at, char mask) {
    bytes[at] = static_cast<char>(bytes[at] ^ mask);
    return bytes;
}

inline QByteArray lineDeleted(const QByteArray &bytes, int k) {
    const qsizetype from = lineStart(bytes, k);
    return bytes.left(from) + bytes.mid(lineStart(bytes, k + 1));
}

inline QByteArray inserted(QByteArray bytes, qsizetype at, const QByteArray &more) {
    return bytes.insert(at, more);
}

struct Damage {
    const char *what;
    QString file; // within the program folder
    // The new bytes from the old; null: a folder in the file's place.
    std::function<QByteArray(const QByteArray &)> spoil;
    // The message box's text; empty: the run ends without one.
    QString message;
};

// Spoils the file at path as d says, from its bytes now; its original
// bytes, empty when the file could not be read or spoilt.
inline QByteArray spoil(const QString &path, const Damage &d) {
    const QByteArray original = testsupport::readBytes(path);
    if (original.isEmpty()) return {};
    const bool done = d.spoil ? testsupport::writeBytes(path, d.spoil(original))
                              : QFile::remove(path) && QDir().mkpath(path);
    return done ? original : QByteArray();
}

inline const QString kVersionFile = QStringLiteral("ver.txt");
inline const QString kModuleFile = QStringLiteral("w7tk/288899.mxy");
inline const QString kIndexFile = QStringLiteral("w7tk/288891.mxy");

inline QString damagedText(const QString &file) {
    return QStringLiteral("题库文件已损坏：") + file + QStringLiteral("，请重新安装本软件。");
}
inline QString unreadableText(const QString &file) {
    return QStringLiteral("无法读取题库文件：") + file + QStringLiteral("，请重新安装本软件。");
}

// Every way of spoiling ver.txt and the module-number file, a bank index
// without units, and a bank that is another module's: that one ends
// silently.
inline QList<Damage> damages() {
    const QString ver = damagedText(kVersionFile);
    const QString module = damagedText(kModuleFile);
    return {
        {"ver.txt: a byte of a unit title flipped to a letter", kVersionFile,
         [](const QByteArray &b) { return flipped(b, lineStart(b, 10) + 3, 0x40); }, ver},
        {"ver.txt: a bit flipped that leaves a digit but no character", kVersionFile,
         [](const QByteArray &b) { return flipped(b, lineStart(b, 1), 0x01); }, ver},
        {"ver.txt: the line feed after line 2 flipped", kVersionFile,
         [](const QByteArray &b) { return flipped(b, lineStart(b, 3) - 1, 0x40); }, ver},
        {"ver.txt: cut short in the bank folder's line", kVersionFile,
         [](const QByteArray &b) { return b.left(lineStart(b, 3) + 7); }, ver},
        {"ver.txt: cut short in the middle of a group", kVersionFile,
         [](const QByteArray &b) { return b.left(lineStart(b, 12) + 9); }, ver},
        {"ver.txt: the module number's line deleted", kVersionFile,
         [](const QByteArray &b) { return lineDeleted(b, 4); }, ver},
        {"ver.txt: the bank folder's line deleted", kVersionFile,
         [](const QByteArray &b) { return lineDeleted(b, 3); }, ver},
        {"ver.txt: the subject's line deleted", kVersionFile,
         [](const QByteArray &b) { return lineDeleted(b, 1); }, ver},
        {"ver.txt: bytes that are not GBK", kVersionFile,
         [](const QByteArray &b) { return inserted(b, lineStart(b, 5), "\xff\xfe"); }, ver},
        {"ver.txt: a folder in its place", kVersionFile, nullptr, unreadableText(kVersionFile)},
        // Read whole under a bank file's limit, it would be ver.txt with
        // blank lines after it.
        {"ver.txt: blank lines up to 2 MiB, past a settings file's limit", kVersionFile,
         [](const QByteArray &b) {
             return b + QByteArray("\r\n").repeated(((qsizetype(2) << 20) - b.size()) / 2);
         },
         unreadableText(kVersionFile)},

        {"module file: its first digit flipped to a letter", kModuleFile,
         [](const QByteArray &b) { return flipped(b, 0, 0x40); }, module},
        {"module file: cut short to 0", kModuleFile, [](const QByteArray &b) { return b.left(1); },
         module},
        {"module file: its line deleted", kModuleFile,
         [](const QByteArray &b) { return lineDeleted(b, 1); }, module},
        {"module file: bytes that are not GBK", kModuleFile,
         [](const QByteArray &b) { return QByteArray("\x81") + b.mid(1); }, module},
        {"module file: a folder in its place", kModuleFile, nullptr, unreadableText(kModuleFile)},
        {"module file: another module's number", kModuleFile,
         [](const QByteArray &) { return QByteArray("08\r\n"); }, QString()},

        {"bank index: no units", kIndexFile,
         [](const QByteArray &b) { return b.left(2) + "00" + b.mid(4); },
         QStringLiteral("题库中没有任何单元：w7tk/288891.mxy，请重新安装本软件。")},
    };
}

} // namespace damaged
