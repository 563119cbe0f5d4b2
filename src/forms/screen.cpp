#include "screen.h"

#include <QGuiApplication>
#include <QScreen>

namespace forms {

namespace {
struct Fake {
    bool on = false;
    int w = 0, h = 0;
    double tpp = 15;
} g_fake;
} // namespace

QRect Screen::geometryPx() {
    if (g_fake.on) return QRect(0, 0, g_fake.w, g_fake.h);
    if (QScreen *s = QGuiApplication::primaryScreen()) return s->geometry();
    return QRect(0, 0, 1024, 768);
}

double Screen::twipsPerPixelX() {
    return g_fake.on ? g_fake.tpp : 15.0;
}
double Screen::twipsPerPixelY() {
    return g_fake.on ? g_fake.tpp : 15.0;
}
double Screen::width() {
    return geometryPx().width() * twipsPerPixelX();
}
double Screen::height() {
    return geometryPx().height() * twipsPerPixelY();
}

void Screen::setFake(int widthPx, int heightPx, double twipsPerPixel) {
    g_fake = {true, widthPx, heightPx, twipsPerPixel > 0 ? twipsPerPixel : 15};
}
void Screen::clearFake() {
    g_fake = Fake();
}

double twipsToPxX(double twips) {
    return twips / Screen::twipsPerPixelX();
}
double twipsToPxY(double twips) {
    return twips / Screen::twipsPerPixelY();
}
double pxToTwipsX(double px) {
    return px * Screen::twipsPerPixelX();
}
double pxToTwipsY(double px) {
    return px * Screen::twipsPerPixelY();
}

} // namespace forms
