#include "core/CsvReader.h"

#include <cstdint>

namespace csv {

namespace {

constexpr std::size_t kChunk = std::size_t{64} * 1024;

} // namespace

bool isUtf8(const char* data, std::size_t size)
{
    const auto* s = reinterpret_cast<const unsigned char*>(data);
    std::size_t i = 0;
    while (i < size) {
        const unsigned char c = s[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int extra = 0;
        std::uint32_t value = 0;
        if (c >= 0xC2 && c <= 0xDF) {
            extra = 1;
            value = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2;
            value = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3;
            value = c & 0x07;
        } else {
            return false;
        }
        if (size - i <= static_cast<std::size_t>(extra))
            return false;
        for (int k = 1; k <= extra; ++k) {
            const unsigned char next = s[i + static_cast<std::size_t>(k)];
            if ((next & 0xC0) != 0x80)
                return false;
            value = value << 6 | (next & 0x3F);
        }
        if ((extra == 2 && (value < 0x800 || (value >= 0xD800 && value <= 0xDFFF)))
            || (extra == 3 && (value < 0x10000 || value > 0x10FFFF)))
            return false;
        i += static_cast<std::size_t>(extra) + 1;
    }
    return true;
}

Reader::Reader(Source source, char separator) : m_source(std::move(source)), m_separator(separator)
{}

bool Reader::fill()
{
    if (m_eof)
        return false;
    // Read into a piece of its own, so that a source that gives a few bytes at a time costs what
    // it gives, not a chunk each time.
    if (m_piece.empty())
        m_piece.resize(kChunk);
    const std::ptrdiff_t got = m_source(m_piece.data(), m_piece.size());
    if (got <= 0) {
        m_eof = true;
        m_failed = got < 0;
        return false;
    }
    m_buffer.append(m_piece.data(), static_cast<std::size_t>(got));
    return true;
}

bool Reader::atEnd() { return m_pos >= m_buffer.size() && !fill(); }

// The length of the line end at `at`, a place in the buffer: 1 for LF or a lone CR, 2 for CR LF,
// 0 where no line ends. A CR at the end of the buffer reads on to see what follows it.
std::size_t Reader::lineEndAt(std::size_t at)
{
    if (m_buffer[at] == '\n')
        return 1;
    if (m_buffer[at] != '\r')
        return 0;
    if (at + 1 >= m_buffer.size())
        fill();
    return at + 1 < m_buffer.size() && m_buffer[at + 1] == '\n' ? 2 : 1;
}

// Goes on at the line after the one that begins at `from`, discarding what lies between.
void Reader::skipToNextLine(std::size_t from)
{
    m_pos = from;
    for (;;) {
        const std::size_t end = m_buffer.find_first_of("\r\n", m_pos);
        if (end != std::string::npos) {
            m_pos = end + lineEndAt(end);
            ++m_line;
            return;
        }
        m_buffer.clear();
        m_pos = 0;
        if (!fill())
            return;
    }
}

bool Reader::next(Record& record)
{
    record.fields.clear();
    record.problem.reset();
    // Keep the buffer small: what was read before this record is no longer needed.
    if (m_pos > kChunk) {
        m_buffer.erase(0, m_pos);
        m_pos = 0;
    }
    if (!m_started) {
        m_started = true;
        while (m_buffer.size() < 3 && fill()) {
        }
        if (m_buffer.compare(0, 3, "\xEF\xBB\xBF") == 0)
            m_pos = 3;
    }
    if (atEnd())
        return false;

    const std::size_t start = m_pos;
    const int startLine = m_line;
    record.line = startLine;
    std::string field;
    std::vector<std::string> fields;
    bool inQuotes = false;
    bool badBytes = false;
    int quoteLine = 0;            // where the last quote opened
    bool quoteSpansLines = false; // the field of that quote holds a line end
    // Where the first field that held a line end opened, when something other than a separator
    // or a line end followed its closing quote: the quote that closed it was a stray one, so the
    // one that opened it is the quote left open.
    int strayCloseLine = 0;
    const auto finishField = [&] {
        if (!isUtf8(field.data(), field.size()) || field.find('\0') != std::string::npos)
            badBytes = true;
        fields.push_back(std::move(field));
        field.clear();
    };
    const auto refused = [&](const QString& why, bool resync) {
        if (resync) {
            m_line = startLine;
            skipToNextLine(start);
        }
        record.fields.clear();
        record.problem = why;
        return true;
    };
    const auto openQuote = [&] {
        return QStringLiteral("кавычка не закрыта (открыта в строке %1)")
            .arg(strayCloseLine > 0 ? strayCloseLine : quoteLine);
    };
    for (;;) {
        if (m_pos - start > kMaxRecordBytes)
            return refused(inQuotes && (quoteSpansLines || strayCloseLine > 0)
                               ? openQuote()
                               : QStringLiteral("запись длиннее %1 байт").arg(kMaxRecordBytes),
                           true);
        if (m_pos >= m_buffer.size() && !fill()) {
            if (inQuotes)
                return refused(openQuote(), true);
            finishField();
            break;
        }
        const char c = m_buffer[m_pos];
        const std::size_t lineEnd = lineEndAt(m_pos);
        if (inQuotes) {
            if (c == '"') {
                if (m_pos + 1 >= m_buffer.size())
                    fill();
                if (m_pos + 1 < m_buffer.size() && m_buffer[m_pos + 1] == '"') {
                    field += '"';
                    m_pos += 2;
                } else {
                    inQuotes = false;
                    ++m_pos;
                    if (quoteSpansLines && strayCloseLine == 0 && m_pos < m_buffer.size()
                        && m_buffer[m_pos] != m_separator && lineEndAt(m_pos) == 0)
                        strayCloseLine = quoteLine;
                }
            } else if (lineEnd > 0) {
                field.append(m_buffer, m_pos, lineEnd);
                m_pos += lineEnd;
                ++m_line;
                quoteSpansLines = true;
                if (m_line - startLine >= kMaxRecordLines)
                    return refused(openQuote(), true);
            } else {
                field += c;
                ++m_pos;
            }
            continue;
        }
        if (lineEnd > 0) {
            finishField();
            m_pos += lineEnd;
            ++m_line;
            break;
        }
        if (c == m_separator) {
            finishField();
            ++m_pos;
        } else if (c == '"' && field.empty()) {
            inQuotes = true;
            quoteLine = m_line;
            quoteSpansLines = false;
            ++m_pos;
        } else {
            field += c;
            ++m_pos;
        }
    }
    if (badBytes)
        return refused(QStringLiteral("в записи нулевой байт или байты не в кодировке UTF-8"),
                       false);
    record.fields.reserve(fields.size());
    for (const std::string& f : fields)
        record.fields.push_back(QString::fromUtf8(f.data(), static_cast<qsizetype>(f.size())));
    return true;
}

} // namespace csv
