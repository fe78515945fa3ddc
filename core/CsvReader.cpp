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
    const std::size_t old = m_buffer.size();
    m_buffer.resize(old + kChunk);
    const std::ptrdiff_t got = m_source(m_buffer.data() + old, kChunk);
    if (got <= 0) {
        m_buffer.resize(old);
        m_eof = true;
        m_failed = got < 0;
        return false;
    }
    m_buffer.resize(old + static_cast<std::size_t>(got));
    return true;
}

bool Reader::atEnd() { return m_pos >= m_buffer.size() && !fill(); }

// Goes on at the line after the one that begins at `from`, discarding what lies between.
void Reader::skipToNextLine(std::size_t from)
{
    m_pos = from;
    for (;;) {
        const std::size_t newline = m_buffer.find('\n', m_pos);
        if (newline != std::string::npos) {
            m_pos = newline + 1;
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
    for (;;) {
        if (m_pos - start > kMaxRecordBytes)
            return refused(QStringLiteral("запись длиннее %1 байт").arg(kMaxRecordBytes), true);
        if (m_pos >= m_buffer.size() && !fill()) {
            if (inQuotes)
                return refused(QStringLiteral("кавычка не закрыта"), true);
            if (!field.empty() && field.back() == '\r')
                field.pop_back();
            finishField();
            break;
        }
        const char c = m_buffer[m_pos];
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
                }
            } else {
                if (c == '\n')
                    ++m_line;
                field += c;
                ++m_pos;
            }
            continue;
        }
        if (c == m_separator) {
            finishField();
            ++m_pos;
        } else if (c == '\n') {
            if (!field.empty() && field.back() == '\r')
                field.pop_back();
            finishField();
            ++m_pos;
            ++m_line;
            break;
        } else if (c == '"' && field.empty()) {
            inQuotes = true;
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
