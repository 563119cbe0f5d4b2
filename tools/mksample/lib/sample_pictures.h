#pragma once
// Pictures of the sample installation, drawn by code. The program decides a
// picture's format from its content, never from its name, so bank pictures
// are saved in a format taken from a table (BMP, PNG or JPEG).
#include <QColor>
#include <QFont>
#include <QImage>
#include <QSize>
#include <QString>
#include <optional>

namespace sample {

struct SampleDir;

enum class PictureFormat { Bmp, Png, Jpeg };

// The format a bank picture of this name is saved in: the table's choice
// for the names listed there, otherwise one of the three by the name's
// characters, so that every format occurs.
PictureFormat formatFor(const QString &name);

// The font of every caption the sample draws, at a size in pixels.
QFont uiFont(int pixelSize, bool bold = false);

// A window, or a dialog, which has a close button but no minimise or
// maximise button.
enum class WindowKind { Window, Dialog };

// A Windows 7 window as large as the picture: the glass title bar with its
// caption and buttons over a white client area. With a taskbar, the window
// ends 40 pixels above the foot, where the taskbar lies.
QImage windowPicture(QSize size, const QString &title, bool withTaskbar = false,
                     WindowKind kind = WindowKind::Window);

// A placeholder: a filled rectangle with a frame and a centred label.
QImage placeholder(QSize px, const QString &label, QColor fill = QColor(0x2b, 0x5c, 0x9c),
                   QColor text = Qt::white);

// A button picture strip: four frames side by side (normal, hover,
// pressed, disabled), each frame px large, with the label on every frame.
QImage buttonStrip(QSize frame, const QString &label, QColor base = QColor(0x2f, 0x6f, 0xc0));

// Saves image at path in the given format (whatever the path's extension).
bool savePicture(const QImage &image, const QString &path, PictureFormat format);
// Saves a bank picture as dir.bankFile(name) in formatFor(name) unless a
// format is given (pictures whose exact pixels matter should use PNG or BMP).
bool saveBankPicture(const SampleDir &dir, const QString &name, const QImage &image,
                     std::optional<PictureFormat> format = std::nullopt);

// An icon file (.ico) holding image (at most 256 x 256 pixels).
bool writeIcon(const QString &path, const QImage &image);
// A cursor file (.cur) holding image with its hot spot.
bool writeCursor(const QString &path, const QImage &image, int hotX, int hotY);
// The usual arrow and hand pointers, 32 x 32, for cursor files.
QImage arrowPointer();
QImage handPointer();

} // namespace sample
