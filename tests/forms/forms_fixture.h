#pragma once
// Shared helpers of the forms-layer tests: a session per test, a log of
// events, and picture files written in the test.
#include "forms/forms.h"
#include "forms/testing.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>
#include <QtEndian>
#include <gtest/gtest.h>

// Real mouse events go through the window, as the platform delivers them
// (mouse grabs, the buttons Qt believes held, the widget under the point).
#define QTEST_QPA_MOUSE_HANDLING
#include <QTest>

namespace formstest {

class FormsTest : public ::testing::Test {
protected:
    forms::testing::Session session;
    QTemporaryDir dir;
    QStringList log;

    QString path(const QString &name) const { return dir.path() + "/" + name; }

    void write(const QString &name, const QByteArray &bytes) {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    // Records the mouse events of a control as "name:Event(button,shift,x,y)".
    void watchMouse(forms::Control *c, const QString &name) {
        c->onMouseDown = [this, name](int b, int s, double x, double y) {
            log << QStringLiteral("%1:Down(%2,%3,%4,%5)").arg(name).arg(b).arg(s).arg(x).arg(y);
        };
        c->onMouseMove = [this, name](int b, int s, double x, double y) {
            log << QStringLiteral("%1:Move(%2,%3,%4,%5)").arg(name).arg(b).arg(s).arg(x).arg(y);
        };
        c->onMouseUp = [this, name](int b, int s, double x, double y) {
            log << QStringLiteral("%1:Up(%2,%3,%4,%5)").arg(name).arg(b).arg(s).arg(x).arg(y);
        };
        c->onClick = [this, name] { log << name + ":Click"; };
        c->onDblClick = [this, name] { log << name + ":DblClick"; };
    }
    // Only the kinds of events (no arguments), moves left out.
    QStringList kinds() const {
        QStringList out;
        for (const QString &e : log) {
            if (e.contains(":Move")) continue;
            out << e.section('(', 0, 0);
        }
        return out;
    }
};

// A picture of w × h pixels in one colour, as the bytes of a file format.
inline QByteArray imageBytes(int w, int h, const char *format, QColor color = Qt::red) {
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(color);
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, format);
    return bytes;
}

// A one-pixel GIF (Qt writes no GIF).
inline QByteArray gifBytes() {
    return QByteArray::fromHex("474946383961010001008000000000ff00000021f90400000000002c0000000001"
                               "000100000202440100003b");
}

// A Windows cursor file: one 32 × 32, 32-bit image with its hot spot.
inline QByteArray curBytes(int hotX, int hotY) {
    const int w = 32, h = 32;
    QByteArray out;
    auto u16 = [&](int v) {
        char b[2];
        qToLittleEndian<quint16>(quint16(v), b);
        out.append(b, 2);
    };
    auto u32 = [&](quint32 v) {
        char b[4];
        qToLittleEndian<quint32>(v, b);
        out.append(b, 4);
    };
    const int xorSize = w * h * 4, andSize = h * 4;
    const int dibSize = 40 + xorSize + andSize;
    u16(0);
    u16(2); // cursor
    u16(1);
    out.append(char(w));
    out.append(char(h));
    out.append(char(0));
    out.append(char(0));
    u16(hotX);
    u16(hotY);
    u32(quint32(dibSize));
    u32(6 + 16);
    // BITMAPINFOHEADER: the height counts the image and its mask.
    u32(40);
    u32(w);
    u32(h * 2);
    u16(1);
    u16(32);
    u32(0);
    u32(quint32(xorSize + andSize));
    u32(0);
    u32(0);
    u32(0);
    u32(0);
    for (int i = 0; i < w * h; ++i) {
        out.append(char(0));
        out.append(char(0));
        out.append(char(0));
        out.append(char(0xFF));
    }
    out.append(QByteArray(andSize, char(0)));
    return out;
}

} // namespace formstest

// Readable failure messages for Qt strings.
inline void PrintTo(const QString &s, std::ostream *os) {
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QStringList &l, std::ostream *os) {
    *os << '{';
    for (int i = 0; i < l.size(); ++i) *os << (i ? ", " : "") << '"' << l[i].toStdString() << '"';
    *os << '}';
}
