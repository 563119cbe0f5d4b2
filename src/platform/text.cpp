#include "platform/text.h"

#include "platform/atomic_files.h"
#include "platform/paths.h"

#include <QSysInfo>

#include <cerrno>
#include <cmath>
#include <iconv.h>
#include <limits>

namespace platform {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

// One converter per direction and thread, opened on first use: opening
// iconv for every line of a bank file would cost more than the decoding.
class Converter {
public:
    Converter(const char *to, const char *from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (ok()) iconv_close(cd_);
    }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;

    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    void reset() { iconv(cd_, nullptr, nullptr, nullptr, nullptr); }
    iconv_t handle() const { return cd_; }

private:
    iconv_t cd_;
};

const char *utf16Name() {
    return QSysInfo::ByteOrder == QSysInfo::LittleEndian ? "UTF-16LE" : "UTF-16BE";
}

const char *ucs4Name() {
    return QSysInfo::ByteOrder == QSysInfo::LittleEndian ? "UCS-4LE" : "UCS-4BE";
}

Converter &decoder() {
    thread_local Converter c(utf16Name(), "GBK");
    return c;
}

Converter &encoder() {
    thread_local Converter c("GBK", ucs4Name());
    return c;
}

bool isAscii(const QByteArray &bytes) {
    for (char ch : bytes)
        if (static_cast<unsigned char>(ch) >= 0x80) return false;
    return true;
}

bool isLatin1Ascii(const QString &text) {
    for (QChar ch : text)
        if (ch.unicode() >= 0x80) return false;
    return true;
}

// Splits raw bytes at CR LF, LF or CR. Bytes are split before decoding:
// GBK trail bytes are never CR or LF, so no character straddles a line end.
QList<QByteArray> splitLines(const QByteArray &data) {
    QList<QByteArray> lines;
    qsizetype start = 0;
    const qsizetype n = data.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char ch = data[i];
        if (ch != '\r' && ch != '\n') continue;
        lines.append(data.mid(start, i - start));
        if (ch == '\r' && i + 1 < n && data[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < n) lines.append(data.mid(start));
    return lines;
}

} // namespace

QString decodeGbk(const QByteArray &bytes) {
    if (isAscii(bytes)) return QString::fromLatin1(bytes);

    Converter &conv = decoder();
    if (!conv.ok()) {
        // Without a GBK table keep what is certain: ASCII as is, the rest replaced.
        QString out;
        for (char ch : bytes)
            out += static_cast<unsigned char>(ch) < 0x80 ? QChar(ch) : QChar(kReplacement);
        return out;
    }
    conv.reset();

    QString out;
    out.reserve(bytes.size());
    QByteArray buffer(bytes.size() * 2 + 16, Qt::Uninitialized);
    char *in = const_cast<char *>(bytes.constData());
    size_t inLeft = static_cast<size_t>(bytes.size());
    while (inLeft > 0) {
        char *outPtr = buffer.data();
        size_t outLeft = static_cast<size_t>(buffer.size());
        const size_t rc = iconv(conv.handle(), &in, &inLeft, &outPtr, &outLeft);
        const int err = errno;
        out.append(reinterpret_cast<const QChar *>(buffer.constData()),
                   (outPtr - buffer.data()) / 2);
        if (rc != static_cast<size_t>(-1)) break;
        if (err == E2BIG) continue;
        // An invalid or cut-off sequence: one replacement for its first byte,
        // then go on with the next byte.
        out.append(QChar(kReplacement));
        ++in;
        --inLeft;
        conv.reset();
    }
    return out;
}

QByteArray encodeGbk(const QString &text) {
    if (isLatin1Ascii(text)) return text.toLatin1();

    Converter &conv = encoder();
    const QList<uint> ucs4 = text.toUcs4();
    QByteArray out;
    out.reserve(text.size() * 2);
    if (!conv.ok()) {
        for (uint cp : ucs4) out += cp < 0x80 ? static_cast<char>(cp) : '?';
        return out;
    }
    conv.reset();

    char *in = reinterpret_cast<char *>(const_cast<uint *>(ucs4.constData()));
    size_t inLeft = static_cast<size_t>(ucs4.size()) * sizeof(uint);
    QByteArray buffer(ucs4.size() * 2 + 16, Qt::Uninitialized);
    while (inLeft > 0) {
        char *outPtr = buffer.data();
        size_t outLeft = static_cast<size_t>(buffer.size());
        const size_t rc = iconv(conv.handle(), &in, &inLeft, &outPtr, &outLeft);
        const int err = errno;
        out.append(buffer.constData(), outPtr - buffer.data());
        if (rc != static_cast<size_t>(-1)) break;
        if (err == E2BIG) continue;
        out.append('?');
        in += sizeof(uint);
        inLeft -= sizeof(uint);
        conv.reset();
    }
    return out;
}

std::optional<QStringList> readLines(const QString &path, qint64 limit) {
    const auto data = readFileBytes(resolvePath(path), limit);
    if (!data) return std::nullopt;
    return linesFromBytes(*data);
}

QStringList linesFromBytes(const QByteArray &bytes) {
    QStringList lines;
    for (const QByteArray &raw : splitLines(bytes)) lines.append(decodeGbk(raw));
    return lines;
}

std::optional<QString> readLineOrLast(const QString &path, int n, qint64 limit) {
    const auto lines = readLines(path, limit);
    if (!lines || lines->isEmpty()) return std::nullopt;
    if (n < 1) n = 1;
    return n <= lines->size() ? lines->at(n - 1) : lines->last();
}

QByteArray linesToBytes(const QStringList &lines) {
    QByteArray data;
    for (const QString &line : lines) {
        data += encodeGbk(line);
        data += "\r\n";
    }
    return data;
}

bool writeLinesAtomic(const QString &path, const QStringList &lines) {
    return replaceFile(path, linesToBytes(lines));
}

double val(const QString &field) {
    // The characters a number may contain, with blanks (space, tab, line
    // feed) dropped wherever they stand, as the bank files were written for.
    QByteArray number;
    bool digitsSeen = false;
    bool pointSeen = false;
    enum { Sign, Mantissa, ExpSign, ExpDigits } state = Sign;
    QByteArray exponent;
    for (QChar qc : field) {
        const char16_t ch = qc.unicode();
        if (ch == u' ' || ch == u'\t' || ch == u'\n') continue;
        const bool digit = ch >= u'0' && ch <= u'9';
        if (state == Sign) {
            state = Mantissa;
            if (ch == u'+' || ch == u'-') {
                if (ch == u'-') number += '-';
                continue;
            }
        }
        if (state == Mantissa) {
            if (digit) {
                number += static_cast<char>(ch);
                digitsSeen = true;
            } else if (ch == u'.' && !pointSeen) {
                number += '.';
                pointSeen = true;
            } else if ((ch == u'e' || ch == u'E' || ch == u'd' || ch == u'D') && digitsSeen) {
                state = ExpSign;
            } else {
                break;
            }
            continue;
        }
        if (state == ExpSign) {
            state = ExpDigits;
            if (ch == u'+' || ch == u'-') {
                if (ch == u'-') exponent += '-';
                continue;
            }
        }
        if (!digit) break;
        exponent += static_cast<char>(ch);
    }
    if (!digitsSeen) return 0.0;
    if (!exponent.isEmpty() && exponent != "-") number += 'e' + exponent;
    bool ok = false;
    const double v = number.toDouble(&ok);
    // A number too large for a double has no sensible value for any field.
    if (!ok || !std::isfinite(v)) return 0.0;
    return v;
}

int64_t roundEven(double v) {
    if (std::isnan(v)) return 0;
    constexpr double kMax = 9223372036854775807.0;
    if (v >= kMax) return std::numeric_limits<int64_t>::max();
    if (v <= -kMax) return std::numeric_limits<int64_t>::min();
    const double f = std::floor(v);
    const double diff = v - f;
    double r = f;
    if (diff > 0.5 || (diff == 0.5 && std::fmod(f, 2.0) != 0.0)) r = f + 1.0;
    return static_cast<int64_t>(r);
}

QString trimBlanks(const QString &s) {
    qsizetype start = 0;
    qsizetype end = s.size();
    while (start < end && s[start] == u' ') ++start;
    while (end > start && s[end - 1] == u' ') --end;
    return s.mid(start, end - start);
}

QString mid1(const QString &s, int from, int len) {
    if (len <= 0) return {};
    // Positions before the first character hold nothing, as those past the end.
    qsizetype first = from;
    qsizetype last = static_cast<qsizetype>(from) + len - 1;
    if (first < 1) first = 1;
    if (last > s.size()) last = s.size();
    if (first > last) return {};
    return s.mid(first - 1, last - first + 1);
}

QString mid1(const QString &s, int from) {
    if (from < 1) from = 1;
    if (from > s.size()) return {};
    return s.mid(from - 1);
}

} // namespace platform
