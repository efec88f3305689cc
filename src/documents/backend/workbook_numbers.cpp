#include "documents/backend/workbook_numbers.h"

#include <zlib.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <optional>
#include <vector>

namespace lumora {

namespace {

// The library writes 16 significant digits and drops trailing zeros: a value with fewer digits is
// already the shortest decimal of its number.
bool mayBeLong(const char *first, const char *last) {
    int digits = 0;
    for (const char *c = first; c != last && *c != 'E' && *c != 'e'; ++c) {
        if (*c >= '1' && *c <= '9')
            ++digits;
        else if (*c == '0' && digits > 0)
            ++digits;  // a zero inside or after the significant digits
    }
    return digits >= 16;
}

// The sheet with its long values shortened; nullopt when no value changes.
std::optional<QByteArray> shortenedSheet(const QByteArray &xml) {
    QByteArray out;
    qsizetype copied = 0;  // the part of `xml` already in `out`
    bool changed = false;
    qsizetype from = 0;
    for (;;) {
        const qsizetype open = xml.indexOf("<v>", from);
        const qsizetype close = open < 0 ? -1 : xml.indexOf("</v>", open + 3);
        if (close < 0) break;
        from = close;
        const char *first = xml.constData() + open + 3, *last = xml.constData() + close;
        if (!mayBeLong(first, last)) continue;
        double value = 0;
        char shortest[32];
        const auto read = std::from_chars(first, last, value);
        const auto written = std::to_chars(shortest, shortest + sizeof shortest, value);
        if (read.ec != std::errc() || read.ptr != last || written.ec != std::errc()) continue;
        if (written.ptr - shortest == last - first && std::equal(shortest, written.ptr, first)) continue;
        if (!changed) out.reserve(xml.size());
        changed = true;
        // What comes before the value as it is, then the value in its shortest form.
        out.append(xml.constData() + copied, open + 3 - copied);
        out.append(shortest, written.ptr - shortest);
        copied = close;
    }
    if (!changed) return std::nullopt;
    out.append(xml.constData() + copied, xml.size() - copied);
    return out;
}

}  // namespace

QByteArray shortestCellValues(const QByteArray &xml) {
    std::optional<QByteArray> shortened = shortenedSheet(xml);
    return shortened ? *shortened : xml;
}

namespace {

uint32_t le(const QByteArray &b, qsizetype at, int bytes) {
    uint32_t v = 0;
    for (int k = bytes - 1; k >= 0; --k) v = v << 8 | static_cast<uint8_t>(b[at + k]);
    return v;
}

void put(QByteArray &b, uint32_t v, int bytes) {
    for (int k = 0; k < bytes; ++k, v >>= 8) b += static_cast<char>(v & 0xff);
}

// One inflater and one deflater for all the sheets of a package: setting a stream up costs more
// than packing a small sheet.
class Streams {
public:
    Streams() {
        inflating_ = inflateInit2(&in_, -MAX_WBITS) == Z_OK;
        // Raw deflate, as the workbook library packs its parts; the fastest level, since the sheets
        // have been packed once already and the XML of figures packs well at any level.
        deflating_ = deflateInit2(&out_, Z_BEST_SPEED, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) == Z_OK;
    }
    ~Streams() {
        if (inflating_) inflateEnd(&in_);
        if (deflating_) deflateEnd(&out_);
    }
    Streams(const Streams &) = delete;
    Streams &operator=(const Streams &) = delete;

    std::optional<QByteArray> inflated(const QByteArray &data, uint32_t size) {
        if (!inflating_ || inflateReset(&in_) != Z_OK) return std::nullopt;
        QByteArray out(static_cast<qsizetype>(size), '\0');
        in_.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.constData()));
        in_.avail_in = static_cast<uInt>(data.size());
        in_.next_out = reinterpret_cast<Bytef *>(out.data());
        in_.avail_out = static_cast<uInt>(out.size());
        if (inflate(&in_, Z_FINISH) != Z_STREAM_END || in_.total_out != size) return std::nullopt;
        return out;
    }

    std::optional<QByteArray> deflated(const QByteArray &data) {
        if (!deflating_ || deflateReset(&out_) != Z_OK) return std::nullopt;
        QByteArray out(static_cast<qsizetype>(deflateBound(&out_, static_cast<uLong>(data.size()))), '\0');
        out_.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.constData()));
        out_.avail_in = static_cast<uInt>(data.size());
        out_.next_out = reinterpret_cast<Bytef *>(out.data());
        out_.avail_out = static_cast<uInt>(out.size());
        if (deflate(&out_, Z_FINISH) != Z_STREAM_END) return std::nullopt;
        out.truncate(static_cast<qsizetype>(out_.total_out));
        return out;
    }

private:
    z_stream in_{}, out_{};
    bool inflating_ = false, deflating_ = false;
};

bool isSheet(const QByteArray &name) {
    return name.startsWith("xl/worksheets/sheet") && name.endsWith(".xml");
}

}  // namespace

// The package is read through its central directory; every part is written again with a local
// header of its own (sizes in it, no data descriptor); a sheet whose values change is packed again.
std::optional<std::string> shortenWorkbookNumbers(QByteArray &zip) {
    const std::string broken =
        "Не удалось записать книгу: библиотека книг записала файл, который не читается.";
    const qsizetype end = zip.lastIndexOf(QByteArray("PK\x05\x06", 4));
    if (end < 0 || end + 22 > zip.size()) return broken;
    const uint32_t count = le(zip, end + 10, 2), directory = le(zip, end + 16, 4);
    QByteArray parts, central;
    Streams streams;
    qsizetype at = directory;
    for (uint32_t n = 0; n < count; ++n) {
        if (at + 46 > zip.size() || le(zip, at, 4) != 0x02014b50) return broken;
        QByteArray head = zip.mid(at, 46);
        const uint32_t method = le(zip, at + 10, 2), packed = le(zip, at + 20, 4), size = le(zip, at + 24, 4);
        const uint32_t nameLength = le(zip, at + 28, 2), extra = le(zip, at + 30, 2),
                       note = le(zip, at + 32, 2);
        const uint32_t local = le(zip, at + 42, 4);
        const QByteArray name = zip.mid(at + 46, nameLength);
        at += 46 + nameLength + extra + note;
        if (local + 30 > static_cast<uint64_t>(zip.size()) || le(zip, local, 4) != 0x04034b50) return broken;
        const qsizetype dataAt = local + 30 + le(zip, local + 26, 2) + le(zip, local + 28, 2);
        if (dataAt + packed > zip.size() || size == 0xffffffff) return broken;
        QByteArray data = zip.mid(dataAt, packed);
        uint32_t storedMethod = method, crc = le(head, 16, 4), newSize = size;
        if (isSheet(name) && (method == 0 || method == Z_DEFLATED)) {
            std::optional<QByteArray> xml =
                method == 0 ? std::optional<QByteArray>(data) : streams.inflated(data, size);
            if (!xml) return broken;
            if (const std::optional<QByteArray> shorter = shortenedSheet(*xml)) {
                const QByteArray &shortest = *shorter;
                const std::optional<QByteArray> packedAgain = streams.deflated(shortest);
                if (!packedAgain) return broken;
                data = *packedAgain;
                storedMethod = Z_DEFLATED;
                newSize = static_cast<uint32_t>(shortest.size());
                crc = static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef *>(shortest.constData()),
                                                  static_cast<uInt>(shortest.size())));
            }
        }
        // The central entry: flags without the data descriptor, the new method, crc, sizes and offset.
        const uint32_t flags = le(head, 8, 2) & ~8u;
        QByteArray entry = head.left(8);
        put(entry, flags, 2);
        put(entry, storedMethod, 2);
        entry += head.mid(12, 4);  // time and date
        put(entry, crc, 4);
        put(entry, static_cast<uint32_t>(data.size()), 4);
        put(entry, newSize, 4);
        put(entry, nameLength, 2);
        put(entry, 0, 2);          // no extra field
        put(entry, 0, 2);          // no comment
        entry += head.mid(34, 8);  // disk, attributes
        put(entry, static_cast<uint32_t>(parts.size()), 4);
        central += entry + name;
        QByteArray header("PK\x03\x04", 4);
        header += head.mid(6, 2);  // the version needed
        put(header, flags, 2);
        put(header, storedMethod, 2);
        header += head.mid(12, 4);
        put(header, crc, 4);
        put(header, static_cast<uint32_t>(data.size()), 4);
        put(header, newSize, 4);
        put(header, nameLength, 2);
        put(header, 0, 2);
        parts += header + name + data;
    }
    QByteArray tail("PK\x05\x06", 4);
    put(tail, 0, 4);  // this disk, the directory's disk
    put(tail, count, 2);
    put(tail, count, 2);
    put(tail, static_cast<uint32_t>(central.size()), 4);
    put(tail, static_cast<uint32_t>(parts.size()), 4);
    put(tail, 0, 2);
    zip = parts + central + tail;
    return std::nullopt;
}

}  // namespace lumora
