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
// error 53, a file that is no picture error 481. Decoded pictures are known
// by resolved path, size and modification time: an unchanged file that is
// still decoded (held by a control, or kept by the cache) is not decoded
// again, and every holder shares the one decoded copy.
Picture loadPicture(const QString &path = QString());

// The cache keeps the most recently loaded pictures decoded up to a number
// of bytes (the image and the pixmap drawn from it), least recently used
// out first, so that a long run over a large bank holds only what it shows
// and what it showed last. Pictures held elsewhere live on beyond it.
// A single picture larger than the limit is not kept.
constexpr qint64 kDefaultPictureCacheLimit = 64 * 1024 * 1024;
void setPictureCacheLimit(qint64 bytes);
qint64 pictureCacheLimit();
// Bytes the cache itself keeps decoded.
qint64 pictureCacheBytes();
// Bytes of every decoded picture alive, whoever holds it.
qint64 livePictureBytes();

// Decodes done so far (cache misses) and emptying the cache.
int pictureDecodeCount();
void clearPictureCache();

} // namespace forms
