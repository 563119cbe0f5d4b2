#include "sample_update.h"

#include "sample_pictures.h"

#include <QLinearGradient>
#include <QPainter>

namespace sample {

namespace {

QImage aboutBack() {
    // 420 x 280 pixels: a title strip of 36 pixels over a light body, with
    // a lighter band behind the program's lines.
    QImage img(420, 280, QImage::Format_RGB32);
    img.fill(QColor(0xf4, 0xf7, 0xfb));
    QPainter p(&img);
    QLinearGradient g(0, 0, 0, 36);
    g.setColorAt(0, QColor(0x3c, 0x7c, 0xc8));
    g.setColorAt(1, QColor(0x1e, 0x4e, 0x8c));
    p.fillRect(QRect(0, 0, 420, 36), g);
    p.fillRect(QRect(16, 44, 388, 112), QColor(0xff, 0xff, 0xff));
    p.setPen(QColor(0xc8, 0xd4, 0xe4));
    p.drawRect(QRect(16, 44, 387, 111));
    p.setPen(QColor(0x1e, 0x4e, 0x8c));
    p.drawRect(img.rect().adjusted(0, 0, -1, -1));
    return img;
}

} // namespace

bool addUpdateFiles(const SampleDir &dir) {
    // The update button's strip is the home page's (its button table).
    return saveBankPicture(dir, QStringLiteral("l20070"), aboutBack());
}

} // namespace sample
