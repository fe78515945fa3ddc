#pragma once
// Records of a semicolon-separated table as RFC 4180 has them, read from a byte stream a record
// at a time, so that a table of any length takes the memory of one record: fields in double
// quotes may hold separators, doubled quotes and line ends; a byte-order mark at the start is
// taken as the spreadsheets write it, and a line ends with LF, CR LF or a lone CR. A record holds
// at most 64 KiB besides its line end and spans at most 32 lines; a longer one, one whose quote
// is never closed, or one holding a NUL byte or bytes that are not UTF-8, becomes a record with a
// problem and no fields, and reading goes on at the line after the one it started on (after a
// NUL or bad UTF-8, at the record's end). So no byte is read more than 32 times, whatever the
// quotes, and reading stays linear in the input. A quote still open where a record breaks a limit
// is named by the line it opened on. Depends on Qt Core only.

#include <QString>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace csv {

inline constexpr std::size_t kMaxRecordBytes = std::size_t{64} * 1024;
// More lines than a cell of any table would hold: a quote opened by mistake swallows the lines
// after it, and is named as soon as the record reaches this many.
inline constexpr int kMaxRecordLines = 32;

struct Record {
    int line = 0; // where the record starts, 1 for the first line
    std::vector<QString> fields;
    std::optional<QString> problem; // in Russian; the fields are empty then
};

class Reader {
public:
    // Fills the buffer with up to `size` bytes; 0 at the end of the input, -1 on an error.
    using Source = std::function<std::ptrdiff_t(char* buffer, std::size_t size)>;

    explicit Reader(Source source, char separator = ';');

    // The next record; false at the end of the input or after a read error (readFailed()).
    bool next(Record& record);
    bool readFailed() const { return m_failed; }

private:
    bool fill();
    bool atEnd();
    std::size_t lineEndAt(std::size_t at);
    void skipToNextLine(std::size_t from);

    Source m_source;
    char m_separator;
    std::string m_buffer;
    std::vector<char> m_piece;
    std::size_t m_pos = 0;
    int m_line = 1;
    bool m_eof = false;
    bool m_failed = false;
    bool m_started = false;
};

// Whether the bytes are well-formed UTF-8 (no overlong forms, surrogates or values past
// U+10FFFF).
bool isUtf8(const char* data, std::size_t size);

} // namespace csv
