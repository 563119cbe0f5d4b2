#include "sample_startup.h"

#include "sample_pictures.h"
#include "startup/program_info.h"
#include "step_builder.h"

#include <QFileInfo>
#include <QPainter>

namespace sample {

namespace {

bool writeVerTxt(const SampleDir &dir) {
    // Entries 1 to 25: subject, module name, bank folder, module number and
    // the titles of units 0 to 20. Lines use each way of coding a character.
    QStringList lines = {
        encodeCodedLine(kSubject),
        encodeCodedLine(kModuleName, 200000, true),
        encodeCodedLine(kBankFolder, 500000),
        encodeCodedLine(StepBuilder::digits(kModuleNumber, 2)),
    };
    const QStringList titles = unitTitles();
    for (int u = 0; u < titles.size(); ++u)
        lines << encodeCodedLine(titles[u], u % 2 ? 500000 : 200000);
    return writeGbkLines(dir.root + QStringLiteral("ver.txt"), lines);
}

bool writeInfoTable(const SampleDir &dir) {
    // Entries 0 to 35 of the table as the maker ships it.
    const auto &values = startup::infoDefaults();
    QStringList lines;
    for (int i = 0; i <= 35; ++i) lines << encodeCodedLine(values[i]);
    return writeGbkLines(dir.bankFile(QStringLiteral("288901")), lines);
}

QImage splash() {
    QImage img = placeholder(QSize(400, 200), QString(), QColor(0x1e, 0x4e, 0x8c));
    QPainter p(&img);
    p.setFont(uiFont(22, true));
    p.setPen(Qt::white);
    p.drawText(QRect(0, 40, 400, 40), Qt::AlignCenter, QStringLiteral("职称计算机考试练习系统"));
    p.setFont(uiFont(14));
    p.drawText(QRect(0, 84, 400, 24), Qt::AlignCenter, kModuleName);
    p.setPen(QColor(0xa0, 0xc0, 0xe8));
    p.drawLine(60, 132, 340, 132);
    return img;
}

QImage messageBoxBack() {
    // 370 x 250 pixels: a title strip of 36 pixels over a light body.
    QImage img(370, 250, QImage::Format_RGB32);
    img.fill(QColor(0xf4, 0xf7, 0xfb));
    QPainter p(&img);
    QLinearGradient g(0, 0, 0, 36);
    g.setColorAt(0, QColor(0x3c, 0x7c, 0xc8));
    g.setColorAt(1, QColor(0x1e, 0x4e, 0x8c));
    p.fillRect(QRect(0, 0, 370, 36), g);
    p.setPen(QColor(0x1e, 0x4e, 0x8c));
    p.drawRect(img.rect().adjusted(0, 0, -1, -1));
    p.setPen(QColor(0xc8, 0xd4, 0xe4));
    p.drawLine(10, 184, 360, 184);
    return img;
}

QImage badge(const QString &symbol, QColor fill, int size) {
    QImage img(size, size, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(fill);
    p.setPen(fill.darker(150));
    p.drawEllipse(QRectF(1, 1, size - 2, size - 2));
    p.setFont(uiFont(size * 2 / 3, true));
    p.setPen(Qt::white);
    p.drawText(img.rect(), Qt::AlignCenter, symbol);
    return img;
}

bool writePictures(const SampleDir &dir) {
    bool ok = saveBankPicture(dir, QStringLiteral("l20059"), splash());
    ok &= writeIcon(dir.bankFile(QStringLiteral("l62011")),
                    badge(QStringLiteral("7"), QColor(0x2f, 0x8f, 0x3f), 32));
    ok &= saveBankPicture(dir, QStringLiteral("l20069"), messageBoxBack());
    ok &= saveBankPicture(dir, QStringLiteral("l20067"),
                          badge(QStringLiteral("青"), QColor(0x2f, 0x8f, 0x3f), 24));
    ok &= saveBankPicture(dir, QStringLiteral("l20071"),
                          badge(QStringLiteral("?"), QColor(0x2f, 0x6f, 0xc0), 48));
    ok &= saveBankPicture(dir, QStringLiteral("l20072"),
                          badge(QStringLiteral("i"), QColor(0xd0, 0x90, 0x20), 48));
    // Message-box buttons: 0 the negative, 1 the affirmative (90 x 30
    // frames), 2 a minimise box and 3 the close box (22 x 22 frames).
    ok &= saveBankPicture(dir, QStringLiteral("l20000"),
                          buttonStrip(QSize(90, 30), QStringLiteral("取消")));
    ok &= saveBankPicture(dir, QStringLiteral("l20001"),
                          buttonStrip(QSize(90, 30), QStringLiteral("确定")));
    ok &=
        saveBankPicture(dir, QStringLiteral("l20002"),
                        buttonStrip(QSize(22, 22), QStringLiteral("_"), QColor(0x3c, 0x7c, 0xc8)));
    ok &=
        saveBankPicture(dir, QStringLiteral("l20003"),
                        buttonStrip(QSize(22, 22), QStringLiteral("×"), QColor(0xc0, 0x40, 0x30)));
    // The home page's start button (120 x 30 frames); its caption is set by
    // the page.
    ok &= saveBankPicture(dir, QStringLiteral("l20020"), buttonStrip(QSize(120, 30), QString()));
    // The home page's start button of a paper row (160 x 35 frames).
    ok &= saveBankPicture(dir, QStringLiteral("l20048"), buttonStrip(QSize(160, 35), QString()));
    return ok;
}

} // namespace

bool addStartupFiles(const SampleDir &dir) {
    bool ok = dir.makeFolders();
    ok &= writeVerTxt(dir);
    ok &= writeInfoTable(dir);
    ok &= writeGbkLines(dir.bankFile(QStringLiteral("288892")), {QStringLiteral("0")});
    ok &= writeGbkLines(dir.bankFile(QStringLiteral("288895")), {kBankVersion});
    ok &= writeGbkLines(dir.bankFile(QStringLiteral("288899")),
                        {StepBuilder::digits(kModuleNumber, 2)});
    ok &= writeBankIndex(dir, QList<int>(10, 0));
    // A fresh installation's records: the input-method option off and no
    // unit progress yet (the home page reports files it cannot open). What a
    // developer practised on the sample survives the next build.
    const QString options = dir.ksdata() + QStringLiteral("288890.mxy");
    if (!QFileInfo::exists(options)) ok &= writeGbkLines(options, {QStringLiteral("0")});
    const QString progress = dir.ksdata() + QStringLiteral("288893.mxy");
    if (!QFileInfo::exists(progress)) ok &= writeGbkLines(progress, QStringList(26));
    ok &= writePictures(dir);
    ok &= writeCursor(dir.root + QStringLiteral("ico00.CUR"), arrowPointer(), 0, 0);
    ok &= writeCursor(dir.root + QStringLiteral("ico15.CUR"), handPointer(), 6, 0);
    return ok;
}

} // namespace sample
