#pragma once
// A control's font as the windows set it: name, size in points, weight and
// style. The character set is kept but changes nothing.
#include <QFont>
#include <QString>

namespace forms {

struct Font {
    QString name = QStringLiteral("宋体");
    double size = 9;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    int charset = 134; // GB2312
    bool operator==(const Font &) const = default;
};

// The Qt font that draws it (the family goes through the substitutions
// installed by initApplication, so "宋体" draws as a Song-style face).
QFont toQFont(const Font &f);

} // namespace forms
