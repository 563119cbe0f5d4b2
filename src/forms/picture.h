#pragma once
// Pictures loaded from files. The format is taken from the file's content,
// never from its name (bank pictures are all called "*.mxy" and may hold
// BMP, JPEG, GIF, PNG, ICO or CUR data). A cursor file also gives a mouse
// pointer with its own hot spot.
//
// Picture is a small value: copies share the decoded image. An empty
// Picture stands for "no picture" (Set x.Picture = Nothing, LoadPicture("")).
#include <QCursor>
#include <QImage>
#include <QPixmap>
#include <QPoint>
#include <QString>
#include <memory>

namespace forms {

class Picture {
public:
    Picture() = default;
    // A picture made in code (tests, drawings); not cached.
    static Picture fromImage(const QImage &image);

    bool isNull() const { return !d_; }
    explicit operator bool() const { return !isNull(); }

    // Size in pixels and in twips (pixels × Screen twips per pixel).
    int widthPx() const;
    int heightPx() const;
    double width() const;
    double height() const;

    const QImage &image() const;
    const QPixmap &pixmap() const;

    // Cursor files: the hot spot from the file's header, in pixels.
    bool isCursor() const;
    QPoint hotSpot() const;
    // The pointer this picture makes: a cursor with its hot spot, or any
    // other picture with its hot spot at the centre.
    QCursor cursor() const;

    // The resolved file it came from (empty when made in code).
    QString path() const;

    // Same decoded picture (pictures from the same unchanged file compare equal).
    bool operator==(const Picture &o) const { return d_ == o.d_; }

    struct Data;

private:
    std::shared_ptr<const Data> d_;
    friend Picture loadPicture(const QString &);
};

// Loads a picture. The path may be Windows-style (backslashes, any letter
// case). An empty path gives the empty picture. A missing file raises
// error 53, a file that is no picture error 481. Decoded pictures are kept
// by resolved path, size and modification time, so the same unchanged file
// is decoded once.
Picture loadPicture(const QString &path = QString());

// Decodes done so far (cache misses) and emptying the cache.
int pictureDecodeCount();
void clearPictureCache();

} // namespace forms
