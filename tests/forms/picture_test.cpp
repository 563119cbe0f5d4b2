// Pictures: format from the content, Windows-style names, cursors, the
// cache and failures.
#include "forms_fixture.h"

#include <QDateTime>
#include <QDir>

#include <sys/stat.h>

using namespace forms;
using formstest::FormsTest;
namespace ft = forms::testing;

namespace {
class PicForm : public Form {
public:
    PicForm() : Form("PicForm") {
        Pic = add<PictureBox>("Pic");
        Img = add<Image>("Img");
        Lbl = add<Label>("Lbl");
    }
    PictureBox *Pic;
    Image *Img;
    Label *Lbl;
};
} // namespace

TEST_F(FormsTest, PictureFormatComesFromTheContentNotTheName) {
    struct Case {
        const char *file;
        QByteArray bytes;
        int w, h;
    };
    const Case cases[] = {
        {"l20059.mxy", formstest::imageBytes(40, 30, "PNG"), 40, 30},
        {"9lX001.mxy", formstest::imageBytes(33, 17, "BMP"), 33, 17},
        {"photo.mxy", formstest::imageBytes(20, 10, "JPG"), 20, 10},
        {"anim.bmp", formstest::gifBytes(), 1, 1},
        {"l62011.mxy", formstest::imageBytes(32, 32, "ICO"), 32, 32},
        {"ico05.CUR", formstest::curBytes(3, 4), 32, 32},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.file);
        ASSERT_FALSE(c.bytes.isEmpty());
        write(c.file, c.bytes);
        Picture p = loadPicture(path(c.file));
        EXPECT_EQ(p.widthPx(), c.w);
        EXPECT_EQ(p.heightPx(), c.h);
        EXPECT_EQ(p.width(), c.w * 15.0);
    }
}

TEST_F(FormsTest, WindowsStylePathsFindTheFileInAnyCase) {
    QDir(dir.path()).mkpath("ExamData");
    write("ExamData/950099.MXY", formstest::imageBytes(5, 6, "PNG"));
    QString win = dir.path() + "\\examdata\\950099.mxy";
    Picture p = loadPicture(win);
    EXPECT_EQ(p.heightPx(), 6);
}

TEST_F(FormsTest, CursorFileGivesAPointerWithItsHotSpot) {
    write("ico03.CUR", formstest::curBytes(7, 21));
    PicForm f;
    Picture cur = loadPicture(path("ICO03.cur"));
    EXPECT_TRUE(cur.isCursor());
    EXPECT_EQ(cur.hotSpot(), QPoint(7, 21));
    f.Lbl->setMousePointer(vbCustom);
    f.Lbl->setMouseIcon(cur);
    EXPECT_EQ(f.Lbl->cursor().hotSpot(), QPoint(7, 21));
    EXPECT_EQ(f.Lbl->cursor().shape(), Qt::BitmapCursor);
    f.Lbl->setMousePointer(vbSizeAll);
    EXPECT_EQ(f.Lbl->cursor().shape(), Qt::SizeAllCursor);
    EXPECT_THROW(f.Lbl->setMousePointer(42), Error);
}

TEST_F(FormsTest, SameUnchangedFileIsDecodedOnce) {
    write("l01035.mxy", formstest::imageBytes(10, 10, "PNG"));
    PicForm f;
    const int before = pictureDecodeCount();
    f.Img->loadPicture(path("l01035.mxy"));
    f.Pic->loadPicture(path("L01035.MXY"));
    Picture again = loadPicture(path("l01035.mxy"));
    EXPECT_EQ(pictureDecodeCount(), before + 1);
    EXPECT_EQ(again, f.Img->picture());
    // Replaced by a different picture: decoded again.
    write("l01035.mxy", formstest::imageBytes(12, 11, "BMP"));
    QFile touched(path("l01035.mxy"));
    ASSERT_TRUE(touched.open(QIODevice::ReadWrite));
    touched.setFileTime(QDateTime::currentDateTime().addSecs(10),
                        QFileDevice::FileModificationTime);
    touched.close();
    EXPECT_EQ(loadPicture(path("l01035.mxy")).widthPx(), 12);
    EXPECT_EQ(pictureDecodeCount(), before + 2);
}

TEST_F(FormsTest, PictureThatCannotBeLoadedRaisesAndKeepsTheOldOne) {
    write("good.mxy", formstest::imageBytes(10, 20, "PNG"));
    write("junk.mxy", QByteArray("this is no picture"));
    write("empty.mxy", QByteArray());
    // What a user's machine can have in a picture's place: never opened,
    // or not read past a picture's limit.
    QFile huge(path("huge.mxy"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(qint64(40) << 20));
    huge.close();
    ASSERT_TRUE(QDir().mkpath(path("folder.mxy")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("pipe.mxy")).constData(), 0644), 0);
    ASSERT_TRUE(QFile::link("/dev/zero", path("zero.mxy")));
    PicForm f;
    f.Img->loadPicture(path("good.mxy"));
    struct Case {
        const char *file;
        int number;
    };
    const Case cases[] = {{"missing.mxy", 53}, {"junk.mxy", 481},  {"empty.mxy", 481},
                          {"huge.mxy", 75},    {"folder.mxy", 53}, {"pipe.mxy", 53},
                          {"zero.mxy", 53}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.file);
        try {
            f.Img->loadPicture(path(c.file));
            ADD_FAILURE() << "no error";
        } catch (const Error &e) {
            EXPECT_EQ(e.number(), c.number);
        }
        EXPECT_EQ(f.Img->picture().heightPx(), 20);
        EXPECT_FALSE(skip([&] { f.Pic->loadPicture(path(c.file)); }));
    }
    // An empty name clears the picture.
    f.Img->loadPicture("");
    EXPECT_TRUE(f.Img->picture().isNull());
}

TEST_F(FormsTest, AutoSizedPictureBoxAndUnstretchedImageTakeThePicturesSize) {
    write("p.mxy", formstest::imageBytes(80, 40, "BMP"));
    PicForm f;
    Picture p = loadPicture(path("p.mxy"));

    f.Pic->setBorderStyle(0);
    f.Pic->setAutoSize(true);
    f.Pic->setPicture(p);
    EXPECT_EQ(f.Pic->width(), 1200);
    EXPECT_EQ(f.Pic->height(), 600);
    f.Pic->setBorderStyle(1); // the border adds two pixels on each side
    EXPECT_EQ(f.Pic->width(), 1260);
    EXPECT_EQ(f.Pic->scaleWidth(), 1200);

    f.Img->move(0, 0, 3000, 3000);
    f.Img->setPicture(p);
    EXPECT_EQ(f.Img->width(), 1200);
    EXPECT_EQ(f.Img->height(), 600);
    f.Img->setStretch(true);
    f.Img->move(0, 0, 3000, 3000);
    f.Img->setPicture(p);
    EXPECT_EQ(f.Img->width(), 3000);
    // Clearing keeps the size.
    f.Img->setPicture(Picture());
    EXPECT_EQ(f.Img->width(), 3000);
}

TEST_F(FormsTest, PositionsAreHeldExactlyAsSet) {
    PicForm f;
    f.Lbl->move(1000.5, -333.25, 7.75, 1e6);
    EXPECT_EQ(f.Lbl->left(), 1000.5);
    EXPECT_EQ(f.Lbl->top(), -333.25);
    EXPECT_EQ(f.Lbl->width(), 7.75);
    EXPECT_EQ(f.Lbl->height(), 1e6);
    EXPECT_THROW(f.Lbl->setWidth(-1), Error);
}

TEST_F(FormsTest, AutoSizedLabelGrowsWithItsCaption) {
    initApplication();
    PicForm f;
    f.Lbl->setAutoSize(true);
    f.Lbl->setCaption("操作");
    const double w2 = f.Lbl->width();
    f.Lbl->setCaption("操作成功！");
    EXPECT_GT(f.Lbl->width(), w2 * 2);
    EXPECT_EQ(std::fmod(f.Lbl->width(), 15.0), 0.0);
    const double h9 = f.Lbl->height();
    f.Lbl->setFontSize(72);
    EXPECT_GT(f.Lbl->height(), h9 * 5);
    // With WordWrap it keeps its width and grows down.
    f.Lbl->setFontSize(9);
    f.Lbl->setWordWrap(true);
    f.Lbl->setWidth(600);
    f.Lbl->setCaption(QString(40, QChar(0x5B57)));
    EXPECT_EQ(f.Lbl->width(), 600);
    EXPECT_GT(f.Lbl->height(), h9 * 4);
}

TEST_F(FormsTest, SongFontRendersWithASongStyleFace) {
    initApplication();
    QFontInfo song(toQFont(Font{}));
    EXPECT_EQ(song.family(), "AR PL UMing CN");
    Font hei;
    hei.name = QStringLiteral("黑体");
    EXPECT_EQ(QFontInfo(toQFont(hei)).family(), "WenQuanYi Zen Hei");
}
