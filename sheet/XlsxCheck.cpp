#include "sheet/XlsxCheck.h"

#include <QByteArray>
#include <QFile>

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

std::optional<Inflated> inflated(const char* data, std::uint32_t size, std::uint32_t method,
                                 std::uint32_t expected)
{
    Inflated out;
    if (method == 0) {
        if (size != expected)
            return std::nullopt;
        take(out, data, size);
        return out;
    }
    // Deflate shrinks data at most about 1032 times: a larger recorded size is not a real entry.
    if (method != Z_DEFLATED || expected > std::uint64_t(size) * kMostDeflateRatio + 64)
        return std::nullopt;
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK)
        return std::nullopt;
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data));
    stream.avail_in = size;
    char piece[64 * 1024];
    int result = Z_OK;
    while (result == Z_OK) {
        stream.next_out = reinterpret_cast<Bytef*>(piece);
        stream.avail_out = sizeof piece;
        result = inflate(&stream, Z_NO_FLUSH);
        take(out, piece, sizeof piece - stream.avail_out);
        // An entry longer than recorded shows as soon as it passes the recorded size.
        if (out.size > expected)
            break;
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

std::optional<QString> packageFault(const QString& file)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return damaged(QStringLiteral("файл не читается"));
    // Mapped, not read: a workbook of a million rows is checked in the memory of a piece of it.
    if (in.size() > 0)
        if (uchar* mapped = in.map(0, in.size()))
            return packageFaultIn(QByteArray::fromRawData(reinterpret_cast<const char*>(mapped),
                                                          qsizetype(in.size())));
    return packageFaultIn(in.readAll());
}

std::optional<QString> packageFaultIn(const QByteArray& data)
{
    const Bytes bytes(data);
    qint64 end = -1;
    for (qint64 at = data.size() - kEndOfCentralSize;
         at >= 0 && at >= data.size() - kEndOfCentralSize - kLongestComment; --at) {
        if (bytes.u32(at) == kEndOfCentral) {
            end = at;
            break;
        }
    }
    if (end < 0)
        return damaged(QStringLiteral("нет оглавления архива"));
    const std::uint32_t count = bytes.u16(end + 10);
    qint64 entry = bytes.u32(end + 16);
    if (count == 0)
        return damaged(QStringLiteral("архив пуст"));
    for (std::uint32_t i = 0; i < count; ++i) {
        if (!bytes.has(entry, kCentralSize) || bytes.u32(entry) != kCentralHeader)
            return damaged(QStringLiteral("оглавление архива повреждено"));
        const std::uint32_t method = bytes.u16(entry + 10);
        const std::uint32_t crc = bytes.u32(entry + 16);
        const std::uint32_t packed = bytes.u32(entry + 20);
        const std::uint32_t size = bytes.u32(entry + 24);
        const std::uint32_t nameLength = bytes.u16(entry + 28);
        const qint64 local = bytes.u32(entry + 42);
        if (!bytes.has(entry + kCentralSize, nameLength))
            return damaged(QStringLiteral("оглавление архива повреждено"));
        const QString name =
            QString::fromUtf8(bytes.at(entry + kCentralSize), qsizetype(nameLength));
        entry += kCentralSize + nameLength + bytes.u16(entry + 30) + bytes.u16(entry + 32);

        if (!bytes.has(local, kLocalSize) || bytes.u32(local) != kLocalHeader)
            return partDamaged(name);
        const qint64 start = local + kLocalSize + bytes.u16(local + 26) + bytes.u16(local + 28);
        if (!bytes.has(start, packed))
            return partDamaged(name);
        const std::optional<Inflated> content = inflated(bytes.at(start), packed, method, size);
        if (!content || content->crc != crc)
            return partDamaged(name);
        if ((name.endsWith(QLatin1String(".xml")) || name.endsWith(QLatin1String(".rels")))
            && !isWholeXml(*content))
            return partDamaged(name);
    }
    return std::nullopt;
}

} // namespace sheet
