// The batch's table reader: any bytes, fed in pieces of any size, are read without a fault; every
// record has a line no earlier than the one before it, either fields or a problem, never both,
// and fields of well-formed UTF-8; and the records are the same whatever the pieces.
#include "core/CsvReader.h"
#include "fuzz/FuzzSupport.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

std::vector<csv::Record> readAll(const uint8_t* data, size_t size, size_t piece)
{
    size_t at = 0;
    csv::Reader reader([&](char* buffer, std::size_t room) -> std::ptrdiff_t {
        const size_t n = std::min({room, piece, size - at});
        std::memcpy(buffer, data + at, n);
        at += n;
        return static_cast<std::ptrdiff_t>(n);
    });
    std::vector<csv::Record> records;
    csv::Record r;
    int line = 0;
    while (reader.next(r)) {
        fuzz::require(r.line >= line);
        line = r.line;
        fuzz::require(!(r.problem && !r.fields.empty()));
        fuzz::require(r.problem || !r.fields.empty());
        for (const QString& f : r.fields) {
            const QByteArray utf8 = f.toUtf8();
            fuzz::require(!utf8.contains('\0'));
        }
        records.push_back(r);
    }
    fuzz::require(!reader.readFailed());
    return records;
}

bool same(const std::vector<csv::Record>& a, const std::vector<csv::Record>& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].line != b[i].line || a[i].fields != b[i].fields || a[i].problem != b[i].problem)
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::vector<csv::Record> whole = readAll(data, size, size + 1);
    fuzz::require(same(whole, readAll(data, size, 1)));
    fuzz::require(same(whole, readAll(data, size, 7)));
    return 0;
}
