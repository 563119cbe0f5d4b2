#pragma once
// Colours as the program writes them: a 32-bit value &H00BBGGRR, or a
// system colour &H800000nn.
#include <QColor>
#include <cstdint>

namespace forms {

using Color = uint32_t;

constexpr Color rgb(int r, int g, int b) {
    return Color(r & 255) | (Color(g & 255) << 8) | (Color(b & 255) << 16);
}

// System colours used by the windows' designs.
namespace sys {
constexpr Color ScrollBars = 0x80000000;
constexpr Color Desktop = 0x80000001;
constexpr Color WindowBackground = 0x80000005;
constexpr Color WindowText = 0x80000008;
constexpr Color ButtonFace = 0x8000000F;
constexpr Color ButtonShadow = 0x80000010;
constexpr Color GrayText = 0x80000011;
constexpr Color ButtonText = 0x80000012;
constexpr Color InfoText = 0x80000017;
constexpr Color InfoBackground = 0x80000018;
} // namespace sys

// The colour on screen (system colours take the Windows 7 defaults).
QColor toQColor(Color c);
// Inverse of toQColor for plain colours (alpha dropped).
Color fromQColor(const QColor &c);

} // namespace forms
