#pragma once
// The screen in twips. Qt's logical pixels play the 96-dpi screen (15 twips
// per pixel); Qt's device-pixel ratio does high-DPI scaling. Tests fake the
// size (and, to check scale arithmetic, the twips per pixel).
#include <QRect>

namespace forms {

struct Screen {
    // Whole screen, twips.
    static double width();
    static double height();
    static double twipsPerPixelX();
    static double twipsPerPixelY();
    // Whole screen in pixels (the area a maximised window fills).
    static QRect geometryPx();

    // Tests: pretend the screen is widthPx × heightPx pixels.
    static void setFake(int widthPx, int heightPx, double twipsPerPixel = 15);
    static void clearFake();
};

// Twips <-> pixels with the screen's twips per pixel.
double twipsToPxX(double twips);
double twipsToPxY(double twips);
double pxToTwipsX(double px);
double pxToTwipsY(double px);

} // namespace forms
