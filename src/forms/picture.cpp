#include "picture.h"
#include "error.h"
#include "screen.h"

#include "platform/file_read.h"
#include "platform/paths.h"

#include <QBuffer>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QtEndian>
#include <list>
#include <unordered_map>

namespace forms {

namespace {
qint64 g_liveBytes = 0; // every Picture::Data alive, image and pixmap

qint64 pixmapBytes(const QPixmap &pm) {
    return qint64(pm.width()) * pm.height() * pm.depth() / 8;
}

// The cache hears of a picture that grew its pixmap after it was loaded.
void cachedPictureGrew(const Picture::Data &d);
} // namespace

struct Picture::Data {
    explicit Data(const QImage &img) : image(img), bytes(img.sizeInBytes()) {
        g_liveBytes += bytes;
    }
    ~Data() { g_liveBytes -= bytes; }
    Data(const Data &) = delete;
    Data &operator=(const Data &) = delete;

    QImage image;
    mutable QPixmap pixmap; // made on first use: needs the GUI
    bool cursor = false;
    QPoint hot;
    QString path;
    mutable qint64 bytes; // the image and, once made, the pixmap
};

Picture Picture::fromImage(const QImage &image) {
    Picture p;
    if (image.isNull()) return p;
    p.d_ = std::make_shared<Data>(image);
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
    if (d_->pixmap.isNull() && !d_->image.isNull()) {
        d_->pixmap = QPixmap::fromImage(d_->image);
        const qint64 grown = pixmapBytes(d_->pixmap);
        d_->bytes += grown;
        g_liveBytes += grown;
        if (!d_->path.isEmpty()) cachedPictureGrew(*d_);
    }
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

// Every decoded file picture is known by its resolved path while it lives,
// so that holders share it; the most recently loaded ones are also kept
// alive by the cache itself, up to the limit in bytes.
using DataPtr = std::shared_ptr<const Picture::Data>;
struct CacheEntry {
    qint64 size = 0;
    qint64 mtime = 0;
    std::weak_ptr<const Picture::Data> known;
    DataPtr kept;            // set while the entry is in g_recent
    qint64 keptBytes = 0;    // its bytes as counted in g_keptBytes
    std::list<QString>::iterator recent;
};
std::unordered_map<QString, CacheEntry> g_cache;
std::list<QString> g_recent; // the kept entries, most recently loaded first
qint64 g_keptBytes = 0;
qint64 g_limit = kDefaultPictureCacheLimit;
int g_decodes = 0;

void release(CacheEntry &e) {
    if (!e.kept) return;
    g_recent.erase(e.recent);
    g_keptBytes -= e.keptBytes;
    e.keptBytes = 0;
    e.kept.reset(); // may free the picture: nothing else holds it
}

// Least recently loaded out until the kept bytes fit the limit.
void trimToLimit() {
    while (g_keptBytes > g_limit && !g_recent.empty()) {
        const auto it = g_cache.find(g_recent.back());
        release(it->second);
        if (it->second.known.expired()) g_cache.erase(it);
    }
}

// Entries of pictures nobody holds any more.
void forgetExpired() {
    for (auto it = g_cache.begin(); it != g_cache.end();) {
        if (!it->second.kept && it->second.known.expired())
            it = g_cache.erase(it);
        else
            ++it;
    }
}

void keep(const QString &key, CacheEntry &e, const DataPtr &d) {
    // One picture larger than the whole cache would push every other one
    // out and then go itself: it is not kept, and the others stay.
    if (d->bytes > g_limit) {
        release(e);
        return;
    }
    if (e.kept)
        g_recent.splice(g_recent.begin(), g_recent, e.recent);
    else
        e.recent = g_recent.insert(g_recent.begin(), key);
    e.kept = d;
    g_keptBytes += d->bytes - e.keptBytes;
    e.keptBytes = d->bytes;
    trimToLimit();
}

void cachedPictureGrew(const Picture::Data &d) {
    const auto it = g_cache.find(d.path);
    if (it == g_cache.end() || it->second.kept.get() != &d) return;
    // Its holder draws it, so it lives on without the cache.
    if (d.bytes > g_limit) {
        release(it->second);
        return;
    }
    g_keptBytes += d.bytes - it->second.keptBytes;
    it->second.keptBytes = d.bytes;
    trimToLimit();
}

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
    Picture p;
    if (auto it = g_cache.find(resolved);
        it != g_cache.end() && it->second.size == size && it->second.mtime == mtime) {
        DataPtr d = it->second.kept ? it->second.kept : it->second.known.lock();
        if (d) {
            keep(resolved, it->second, d);
            p.d_ = std::move(d);
            return p;
        }
    }

    // Within a picture's limit: a huge file, or a pipe put there since the
    // look above, is refused as a file that cannot be read.
    platform::ReadFault fault = platform::ReadFault::None;
    const auto read = platform::readFileBytes(resolved, platform::readlimit::kPicture, &fault);
    if (!read) raise(fault == platform::ReadFault::Missing ? errFileNotFound : errFileAccess);
    const QByteArray bytes = *read;
    ++g_decodes;
    Decoded dec;
    if (!decode(bytes, dec)) raise(errInvalidPicture);
    auto d = std::make_shared<Picture::Data>(dec.image);
    d->cursor = dec.cursor;
    d->hot = dec.hot;
    d->path = resolved;
    forgetExpired();
    CacheEntry &e = g_cache[resolved];
    release(e); // an older decode of a changed file
    e.size = size;
    e.mtime = mtime;
    e.known = d;
    keep(resolved, e, d);
    p.d_ = std::move(d);
    return p;
}

void setPictureCacheLimit(qint64 bytes) {
    g_limit = qMax<qint64>(0, bytes);
    trimToLimit();
}
qint64 pictureCacheLimit() {
    return g_limit;
}
qint64 pictureCacheBytes() {
    return g_keptBytes;
}
qint64 livePictureBytes() {
    return g_liveBytes;
}

int pictureDecodeCount() {
    return g_decodes;
}
void clearPictureCache() {
    g_recent.clear();
    g_cache.clear();
    g_keptBytes = 0;
}

} // namespace forms
