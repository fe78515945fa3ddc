#include "sheet/XlsxCheck.h"

#include <QByteArray>
#include <QFile>

#include <algorithm>
#include <cstdint>
#include <zlib.h>

namespace sheet {

namespace {

constexpr std::uint32_t kLocalHeader = 0x04034b50;
constexpr std::uint32_t kCentralHeader = 0x02014b50;
constexpr std::uint32_t kEndOfCentral = 0x06054b50;
constexpr int kEndOfCentralSize = 22;
constexpr int kCentralSize = 46;
constexpr int kLocalSize = 30;
constexpr int kLongestComment = 0xFFFF;
constexpr std::uint64_t kMostDeflateRatio = 1032;

// Little-endian fields of the package, read within bounds.
class Bytes {
public:
    explicit Bytes(const QByteArray& data) : m_data(data) {}
    bool has(qint64 at, qint64 size) const
    {
        return at >= 0 && size >= 0 && at + size <= m_data.size();
    }
    std::uint32_t u16(qint64 at) const { return byte(at) | byte(at + 1) << 8; }
    std::uint32_t u32(qint64 at) const { return u16(at) | u16(at + 2) << 16; }
    const char* at(qint64 at) const { return m_data.constData() + at; }

private:
    std::uint32_t byte(qint64 at) const { return static_cast<unsigned char>(m_data[at]); }
    const QByteArray& m_data;
};

// What an entry inflates to, seen a piece at a time so that a part of any size takes a fixed
// amount of memory: its size and CRC-32, and its beginning and its end for the XML check (the
// whole of it when it is short).
struct Inflated {
    std::uint64_t size = 0;
    uLong crc = crc32(0L, Z_NULL, 0);
    QByteArray head; // the first kKept bytes
    QByteArray tail; // the last kKept bytes
};
constexpr qsizetype kKept = qsizetype{64} * 1024;

void take(Inflated& out, const char* data, std::size_t size)
{
    out.crc = crc32(out.crc, reinterpret_cast<const Bytef*>(data), uInt(size));
    out.size += size;
    if (out.head.size() < kKept)
        out.head.append(data, std::min<qsizetype>(kKept - out.head.size(), qsizetype(size)));
    out.tail.append(data, qsizetype(size));
    if (out.tail.size() > 2 * kKept)
        out.tail.remove(0, out.tail.size() - kKept);
}

// The package's bytes, read where they are asked for: a workbook of a million rows is checked a
// piece at a time, in the memory of a piece, never mapped or read whole.
class Package {
public:
    virtual ~Package() = default;
    virtual qint64 size() const = 0;
    // The bytes from `at` on, `count` of them or fewer at the end; empty where none can be read.
    virtual QByteArray read(qint64 at, qint64 count) = 0;
};

class PackageInMemory : public Package {
public:
    explicit PackageInMemory(const QByteArray& data) : m_data(data) {}
    qint64 size() const override { return m_data.size(); }
    QByteArray read(qint64 at, qint64 count) override { return m_data.mid(at, count); }

private:
    const QByteArray& m_data;
};

class PackageFile : public Package {
public:
    explicit PackageFile(QFile& file) : m_file(file) {}
    qint64 size() const override { return m_file.size(); }
    QByteArray read(qint64 at, qint64 count) override
    {
        return m_file.seek(at) ? m_file.read(count) : QByteArray();
    }

private:
    QFile& m_file;
};

constexpr qint64 kPiece = qint64{64} * 1024;

// What the `packed` bytes from `at` inflate to by the entry's method, read a piece at a time;
// none when they do not inflate to exactly `expected` bytes.
std::optional<Inflated> inflated(Package& package, qint64 at, std::uint32_t packed,
                                 std::uint32_t method, std::uint32_t expected)
{
    Inflated out;
    if (method == 0) {
        if (packed != expected)
            return std::nullopt;
        for (qint64 done = 0; done < packed;) {
            const QByteArray piece =
                package.read(at + done, std::min<qint64>(kPiece, packed - done));
            if (piece.isEmpty())
                return std::nullopt;
            take(out, piece.constData(), std::size_t(piece.size()));
            done += piece.size();
        }
        return out;
    }
    // Deflate shrinks data at most about 1032 times: a larger recorded size is not a real entry.
    if (method != Z_DEFLATED || expected > std::uint64_t(packed) * kMostDeflateRatio + 64)
        return std::nullopt;
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK)
        return std::nullopt;
    char piece[64 * 1024];
    int result = Z_OK;
    qint64 read = 0;
    QByteArray input;
    while (result == Z_OK) {
        if (stream.avail_in == 0 && read < packed) {
            input = package.read(at + read, std::min<qint64>(kPiece, packed - read));
            if (input.isEmpty())
                break;
            read += input.size();
            stream.next_in = reinterpret_cast<Bytef*>(input.data());
            stream.avail_in = uInt(input.size());
        }
        stream.next_out = reinterpret_cast<Bytef*>(piece);
        stream.avail_out = sizeof piece;
        result = inflate(&stream, Z_NO_FLUSH);
        take(out, piece, sizeof piece - stream.avail_out);
        // An entry longer than recorded shows as soon as it passes the recorded size.
        if (out.size > expected)
            break;
        // Input all given and nothing more coming out: the stream ends short.
        if (result == Z_BUF_ERROR && stream.avail_in == 0 && read >= packed)
            break;
        if (result == Z_BUF_ERROR)
            result = Z_OK;
    }
    inflateEnd(&stream);
    if (result != Z_STREAM_END || out.size != expected)
        return std::nullopt;
    return out;
}

// Whether an XML part ends with the closing tag of the element it opens with.
bool isWholeXml(const Inflated& part)
{
    const bool whole = part.size <= std::uint64_t(part.head.size());
    const QByteArray& xml = part.head;
    qsizetype at = 0;
    for (;;) {
        at = xml.indexOf('<', at);
        if (at < 0 || at + 1 >= xml.size())
            return false;
        if (xml[at + 1] != '?' && xml[at + 1] != '!')
            break;
        ++at;
    }
    qsizetype end = at + 1;
    while (end < xml.size() && xml[end] != ' ' && xml[end] != '>' && xml[end] != '/'
           && xml[end] != '\r' && xml[end] != '\n' && xml[end] != '\t')
        ++end;
    const QByteArray root = xml.mid(at + 1, end - at - 1);
    if (root.isEmpty())
        return false;
    if (part.tail.trimmed().endsWith("</" + root + '>'))
        return true;
    // A root element with nothing inside: <root .../>
    const QByteArray trimmed = xml.trimmed();
    return whole && trimmed.indexOf('>', at) == trimmed.size() - 1 && trimmed.endsWith("/>");
}

QString damaged(const QString& what)
{
    return QStringLiteral("книга записана не полностью (%1); возможно, на диске не хватило места")
        .arg(what);
}

QString partDamaged(const QString& name)
{
    return damaged(QStringLiteral("повреждена часть ") + name);
}

} // namespace

namespace {

std::optional<QString> faultIn(Package& package)
{
    // The end of the central directory lies in the last 22 bytes and the comment after them.
    const qint64 size = package.size();
    const qint64 tailStart = std::max<qint64>(0, size - kEndOfCentralSize - kLongestComment);
    const QByteArray tail = package.read(tailStart, size - tailStart);
    const Bytes last(tail);
    qint64 end = -1;
    for (qint64 at = tail.size() - kEndOfCentralSize; at >= 0; --at) {
        if (last.u32(at) == kEndOfCentral) {
            end = at;
            break;
        }
    }
    if (end < 0)
        return damaged(QStringLiteral("нет оглавления архива"));
    const std::uint32_t count = last.u16(end + 10);
    qint64 entry = last.u32(end + 16);
    if (count == 0)
        return damaged(QStringLiteral("архив пуст"));
    for (std::uint32_t i = 0; i < count; ++i) {
        const QByteArray head = package.read(entry, kCentralSize);
        const Bytes central(head);
        if (!central.has(0, kCentralSize) || central.u32(0) != kCentralHeader)
            return damaged(QStringLiteral("оглавление архива повреждено"));
        const std::uint32_t method = central.u16(10);
        const std::uint32_t crc = central.u32(16);
        const std::uint32_t packed = central.u32(20);
        const std::uint32_t unpacked = central.u32(24);
        const std::uint32_t nameLength = central.u16(28);
        const qint64 local = central.u32(42);
        const QByteArray nameBytes = package.read(entry + kCentralSize, nameLength);
        if (nameBytes.size() != qsizetype(nameLength))
            return damaged(QStringLiteral("оглавление архива повреждено"));
        const QString name = QString::fromUtf8(nameBytes);
        entry += kCentralSize + nameLength + central.u16(30) + central.u16(32);

        const QByteArray localHead = package.read(local, kLocalSize);
        const Bytes localBytes(localHead);
        if (!localBytes.has(0, kLocalSize) || localBytes.u32(0) != kLocalHeader)
            return partDamaged(name);
        const qint64 start = local + kLocalSize + localBytes.u16(26) + localBytes.u16(28);
        if (start + packed > size)
            return partDamaged(name);
        const std::optional<Inflated> content = inflated(package, start, packed, method, unpacked);
        if (!content || content->crc != crc)
            return partDamaged(name);
        if ((name.endsWith(QLatin1String(".xml")) || name.endsWith(QLatin1String(".rels")))
            && !isWholeXml(*content))
            return partDamaged(name);
    }
    return std::nullopt;
}

} // namespace

std::optional<QString> packageFault(const QString& file)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return damaged(QStringLiteral("файл не читается"));
    PackageFile package(in);
    return faultIn(package);
}

std::optional<QString> packageFaultIn(const QByteArray& data)
{
    PackageInMemory package(data);
    return faultIn(package);
}

} // namespace sheet
