#include "picture.h"
#include "error.h"
#include "screen.h"

#include "platform/paths.h"

#include <QBuffer>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QtEndian>
#include <unordered_map>

namespace forms {

struct Picture::Data {
    QImage image;
    mutable QPixmap pixmap; // made on first use: needs the GUI
    bool cursor = false;
    QPoint hot;
    QString path;
};

Picture Picture::fromImage(const QImage &image) {
    Picture p;
    if (image.isNull()) return p;
    auto d = std::make_shared<Data>();
    d->image = image;
    p.d_ = d;
    return p;
}

int Picture::widthPx() const {
    return d_ ? d_->image.width() : 0;
}
int Picture::heightPx() const {
    return d_ ? d_->image.height() : 0;
}
double Picture::width() const {
    return widthPx() * Screen::twipsPerPixelX();
}
double Picture::height() const {
    return heightPx() * Screen::twipsPerPixelY();
}

const QImage &Picture::image() const {
    static const QImage none;
    return d_ ? d_->image : none;
}

const QPixmap &Picture::pixmap() const {
    static const QPixmap none;
    if (!d_) return none;
    if (d_->pixmap.isNull() && !d_->image.isNull()) d_->pixmap = QPixmap::fromImage(d_->image);
    return d_->pixmap;
}

bool Picture::isCursor() const {
    return d_ && d_->cursor;
}
QPoint Picture::hotSpot() const {
    if (!d_) return QPoint();
    if (d_->cursor) return d_->hot;
    return QPoint(d_->image.width() / 2, d_->image.height() / 2);
}

QCursor Picture::cursor() const {
    if (!d_) return QCursor();
    QPoint h = hotSpot();
    return QCursor(pixmap(), h.x(), h.y());
}

QString Picture::path() const {
    return d_ ? d_->path : QString();
}

namespace {

struct CacheEntry {
    qint64 size;
    qint64 mtime;
    Picture picture;
};
std::unordered_map<QString, CacheEntry> g_cache;
int g_decodes = 0;

quint16 le16(const QByteArray &b, int at) {
    return qFromLittleEndian<quint16>(reinterpret_cast<const uchar *>(b.constData()) + at);
}
quint32 le32(const QByteArray &b, int at) {
    return qFromLittleEndian<quint32>(reinterpret_cast<const uchar *>(b.constData()) + at);
}

// The image format of the bytes, from their signature; empty when unknown.
QByteArray sniff(const QByteArray &b) {
    if (b.startsWith("BM")) return "bmp";
    if (b.startsWith("\x89PNG\r\n\x1a\n")) return "png";
    if (b.size() >= 3 && uchar(b[0]) == 0xFF && uchar(b[1]) == 0xD8 && uchar(b[2]) == 0xFF)
        return "jpeg";
    if (b.startsWith("GIF87a") || b.startsWith("GIF89a")) return "gif";
    if (b.size() >= 6 && le16(b, 0) == 0 && (le16(b, 2) == 1 || le16(b, 2) == 2) && le16(b, 4) > 0)
        return le16(b, 2) == 1 ? "ico" : "cur";
    return QByteArray();
}

struct Decoded {
    QImage image;
    bool cursor = false;
    QPoint hot;
};

bool decode(QByteArray bytes, Decoded &out) {
    QByteArray fmt = sniff(bytes);
    if (fmt.isEmpty()) return false;
    if (fmt == "cur") {
        // A cursor file is an icon file whose directory carries the hot
        // spot where an icon has planes and bit count: read the hot spot,
        // then let the icon reader decode it with those fields restored.
        if (bytes.size() < 6 + 16) return false;
        out.cursor = true;
        out.hot = QPoint(le16(bytes, 6 + 4), le16(bytes, 6 + 6));
        const int count = le16(bytes, 4);
        if (bytes.size() < 6 + 16 * count) return false;
        uchar *d = reinterpret_cast<uchar *>(bytes.data());
        qToLittleEndian<quint16>(1, d + 2);
        for (int i = 0; i < count; ++i) {
            const int e = 6 + 16 * i;
            const quint32 offset = le32(bytes, e + 12);
            quint16 bits = 32;
            if (offset + 16 <= quint32(bytes.size()) &&
                !bytes.mid(int(offset), 8).startsWith("\x89PNG"))
                bits = le16(bytes, int(offset) + 14);
            qToLittleEndian<quint16>(1, d + e + 4);
            qToLittleEndian<quint16>(bits, d + e + 6);
        }
        fmt = "ico";
    }
    QBuffer buf(&bytes);
    buf.open(QIODevice::ReadOnly);
    QImageReader reader(&buf, fmt);
    reader.setDecideFormatFromContent(false);
    QImage img = reader.read();
    if (img.isNull()) return false;
    out.image = img;
    if (out.cursor) {
        out.hot.setX(qBound(0, out.hot.x(), img.width() - 1));
        out.hot.setY(qBound(0, out.hot.y(), img.height() - 1));
    }
    return true;
}

} // namespace

Picture loadPicture(const QString &path) {
    if (path.isEmpty()) return Picture();
    const QString resolved = platform::resolvePath(path);
    QFileInfo fi(resolved);
    if (!fi.exists() || !fi.isFile()) raise(errFileNotFound);
    const qint64 size = fi.size();
    const qint64 mtime = fi.lastModified().toMSecsSinceEpoch();
    auto it = g_cache.find(resolved);
    if (it != g_cache.end() && it->second.size == size && it->second.mtime == mtime)
        return it->second.picture;

    QFile f(resolved);
    if (!f.open(QIODevice::ReadOnly)) raise(errFileAccess);
    const QByteArray bytes = f.readAll();
    ++g_decodes;
    Decoded dec;
    if (!decode(bytes, dec)) raise(errInvalidPicture);
    Picture p;
    auto d = std::make_shared<Picture::Data>();
    d->image = dec.image;
    d->cursor = dec.cursor;
    d->hot = dec.hot;
    d->path = resolved;
    p.d_ = d;
    g_cache[resolved] = CacheEntry{size, mtime, p};
    return p;
}

int pictureDecodeCount() {
    return g_decodes;
}
void clearPictureCache() {
    g_cache.clear();
}

} // namespace forms
