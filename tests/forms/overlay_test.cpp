// Windowless controls drawn above the windowed children: seen over a
// picture box, beneath the pop-up the container names, and never in the
// way of the mouse, for the driver's events and for real ones.
#include "forms_fixture.h"

using namespace forms;
using formstest::FormsTest;
namespace ft = forms::testing;

namespace {

// A window with a picture box (and a spot inside it) covered by a yellow
// note and a red frame, and a pop-up box that may lie over the note.
class OverlayForm : public Form {
public:
    OverlayForm() : Form("OverlayForm") {
        setBorderStyle(vbBSNone);
        setBackColor(rgb(255, 255, 255));
        move(0, 0, 6000, 4500);
        Region = add<PictureBox>("Region");
        Region->setBorderStyle(0);
        Region->setBackColor(rgb(0, 0, 255));
        Region->move(0, 0, 4500, 3000);
        Spot = new Label(Region, "Spot");
        Spot->setBackStyle(vbTransparent);
        Spot->move(600, 600, 1500, 1500);
        Popup = add<PictureBox>("Popup");
        Popup->setBorderStyle(0);
        Popup->setBackColor(rgb(0, 128, 0));
        Popup->move(1500, 1500, 1500, 1500);
        Popup->setVisible(false);
        Note = add<Label>("Note");
        Note->setBackColor(rgb(255, 255, 192));
        Note->move(450, 450, 3000, 1500);
        Frame = add<Shape>("Frame");
        Frame->setBorderColor(rgb(255, 0, 0));
        Frame->setBorderWidth(2);
        Frame->move(300, 300, 3600, 2100);
    }
    PictureBox *Region, *Popup;
    Label *Spot, *Note;
    Shape *Frame;
};

QColor pixel(const QImage &img, Control *c, int dx, int dy) {
    const QPoint p = c->originInFormPx() + QPoint(dx, dy);
    return img.pixelColor(p);
}

} // namespace

TEST_F(FormsTest, DrawnAboveControlsShowOverWindowedChildrenAndBeneathTheirPopup) {
    OverlayForm f;
    f.show();
    auto shot = [&] { return f.widget()->grab().toImage(); };
    const QColor yellow(255, 255, 192), red(255, 0, 0), blue(0, 0, 255), green(0, 128, 0);

    // Plain windowless controls lie beneath the picture box.
    QImage img = shot();
    EXPECT_EQ(pixel(img, f.Note, 5, 5), blue);
    EXPECT_EQ(pixel(img, f.Frame, 0, 50), blue);

    f.Note->setDrawnAbove(true);
    f.Frame->setDrawnAbove(true);
    img = shot();
    EXPECT_EQ(pixel(img, f.Note, 5, 5), yellow);
    EXPECT_EQ(pixel(img, f.Frame, 0, 50), red);
    // Changes of a drawn-above control are painted at once.
    f.Note->setBackColor(rgb(255, 192, 255));
    EXPECT_EQ(pixel(shot(), f.Note, 5, 5), QColor(255, 192, 255));
    f.Note->setBackColor(rgb(255, 255, 192));

    // The pop-up named as the overlay's upper neighbour covers the note;
    // without one the overlay lies above every windowed child.
    f.Popup->setVisible(true);
    EXPECT_EQ(pixel(shot(), f.Popup, 5, 5), yellow);
    f.setOverlayBeneath(f.Popup);
    EXPECT_EQ(pixel(shot(), f.Popup, 5, 5), green);
    EXPECT_EQ(pixel(shot(), f.Note, 5, 5), yellow) << "beside the pop-up the note still shows";
    // A windowed child raised later does not change that.
    f.Region->zOrder(vbBringToFront);
    EXPECT_EQ(pixel(shot(), f.Note, 5, 5), blue) << "the raised region now covers the note";
    f.Region->zOrder(vbSendToBack);
    EXPECT_EQ(pixel(shot(), f.Note, 5, 5), yellow);
    EXPECT_EQ(pixel(shot(), f.Popup, 5, 5), green);

    f.Note->setDrawnAbove(false);
    EXPECT_EQ(pixel(shot(), f.Note, 5, 5), blue);
}

TEST_F(FormsTest, DrawnAboveControlsLetTheMouseThroughToWhatLiesBeneath) {
    OverlayForm f;
    f.show();
    f.Note->setDrawnAbove(true);
    f.Frame->setDrawnAbove(true);
    watchMouse(f.Spot, "Spot");
    watchMouse(f.Note, "Note");
    watchMouse(f.Region, "Region");

    // The driver's click on the note reaches the spot beneath it.
    ft::click(f.Note, 300, 300);
    EXPECT_EQ(kinds(), QStringList({"Spot:Down", "Spot:Up", "Spot:Click"}));
    log.clear();

    // So does a real click through the window, and one on the frame's edge.
    QWidget *w = f.widget();
    QTest::mouseClick(w, Qt::LeftButton, {}, f.Note->originInFormPx() + QPoint(30, 30));
    EXPECT_EQ(kinds(), QStringList({"Spot:Down", "Spot:Up", "Spot:Click"}));
    log.clear();
    QTest::mouseClick(w, Qt::LeftButton, {}, f.Frame->originInFormPx() + QPoint(1, 80));
    EXPECT_EQ(kinds(), QStringList({"Region:Down", "Region:Up", "Region:Click"}));
    log.clear();

    // Outside the picture box the note covers only the form: the form takes it.
    f.Region->setVisible(false);
    f.onClick = [this] { log << "Form:Click"; };
    QTest::mouseClick(w, Qt::LeftButton, {}, f.Note->originInFormPx() + QPoint(30, 30));
    EXPECT_EQ(kinds(), QStringList({"Form:Click"}));
}
