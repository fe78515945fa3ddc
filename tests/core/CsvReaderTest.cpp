// The table reader against what a hostile table holds: line ends of every kind, records at the
// byte and line limits, quotes left open, and every input read in pieces of several sizes, so
// that a doubled quote or a CR LF falls across a refill, gives what it gives read whole.

#include "core/CsvReader.h"
#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

// Every record as "line: field|field" or "line! problem", the input given in pieces of at most
// `piece` bytes.
QStringList recordsOf(const QByteArray& input, std::size_t piece)
{
    std::size_t at = 0;
    csv::Reader reader([&](char* buffer, std::size_t room) -> std::ptrdiff_t {
        const std::size_t n = std::min({room, piece, std::size_t(input.size()) - at});
        std::memcpy(buffer, input.constData() + at, n);
        at += n;
        return std::ptrdiff_t(n);
    });
    QStringList records;
    csv::Record r;
    while (reader.next(r))
        records << (r.problem ? QStringLiteral("%1! %2").arg(r.line).arg(*r.problem)
                              : QStringLiteral("%1: %2").arg(r.line).arg(
                                  QStringList(r.fields.begin(), r.fields.end()).join('|')));
    return records;
}

QByteArray repeated(const QByteArray& line, int times)
{
    QByteArray out;
    for (int i = 0; i < times; ++i)
        out += line;
    return out;
}

QStringList numbered(int first, int last, const QString& text)
{
    QStringList out;
    for (int line = first; line <= last; ++line)
        out << text.arg(line);
    return out;
}

QString openQuote(int record, int opened)
{
    return QStringLiteral("%1! кавычка не закрыта (открыта в строке %2)").arg(record).arg(opened);
}

struct Case {
    const char* name;
    QByteArray input;
    QStringList last; // the last records read, or all of them
};

// Padding that puts the next byte at `offset`: short lines, then one to fill the rest.
QByteArray paddingTo(int offset)
{
    return repeated("x\n", offset / 2 - 3) + QByteArray(5 + offset % 2, 'y') + "\n";
}

const QString kLong = QString(65534, 'x'); // with "a;", a record of 65,536 bytes

const Case kCases[] = {
    {"LF, CR LF and a lone CR each end a line",
     "a;b\nc;d\r\ne;f\rg;h",
     {"1: a|b", "2: c|d", "3: e|f", "4: g|h"}},
    {"quoted fields keep their line ends and count their lines",
     "\"x\r\ny\";z\n\"p\rq\"\nend\n",
     {"1: x\r\ny|z", "3: p\rq", "5: end"}},
    {"doubled quotes", "\"a\"\"b\";\"\"\"\"\n", {"1: a\"b|\""}},
    {"a doubled quote across the reader's own refill",
     paddingTo(65535 - 2) + "\"a\"\"b\"\r\nc\n",
     {"32764: yyyyyy", "32765: a\"b", "32766: c"}},
    {"a CR LF across the reader's own refill",
     paddingTo(65535 - 1) + "a\r\nb\n",
     {"32765: yyyyy", "32766: a", "32767: b"}},
    {"65,536 bytes before LF", "a;" + kLong.toLatin1() + "\nb\n", {"1: a|" + kLong, "2: b"}},
    {"65,536 bytes before CR LF", "a;" + kLong.toLatin1() + "\r\nb\n", {"1: a|" + kLong, "2: b"}},
    {"65,536 bytes before a lone CR", "a;" + kLong.toLatin1() + "\rb\n", {"1: a|" + kLong, "2: b"}},
    {"65,537 bytes before CR LF",
     "a;" + kLong.toLatin1() + "x\r\nb\n",
     {"1! запись длиннее 65536 байт", "2: b"}},
    // A stray quote that a second one closes 150 lines below: the first is named, and the lines
    // it would have swallowed are read as records of their own.
    {"a stray quote is named where it swallows more lines than a cell holds",
     "k;\"stray\n" + repeated("c;d\n", 150) + "e\";f\ng;h\n",
     QStringList{openQuote(1, 1)} + numbered(2, 151, QStringLiteral("%1: c|d"))
         + QStringList{"152: e\"|f", "153: g|h"}},
    {"a quote left open to the end names its line, not an earlier closed one",
     "\"p\nq\";\"r\ns\n",
     {openQuote(1, 2), openQuote(2, 2), "3: s"}},
    // Every line closes the quote of the line before with a stray quote and opens another: each
    // record is cut at 32 lines, so the reading stays linear, and names its own line.
    {"a quote opened on every line", repeated("a\"b;\"\n", 12000),
     numbered(1, 12000, QStringLiteral("%1! кавычка не закрыта (открыта в строке %1)"))},
    {"a quoted field of 32 lines",
     "\"" + repeated("x\n", 31) + "x\"\nb\n",
     {"1: " + QString("x\n").repeated(31) + "x", "33: b"}},
    {"a quoted field of 33 lines", "\"" + repeated("x\n", 32) + "x\"\nb\n",
     QStringList{openQuote(1, 1)} + numbered(2, 32, QStringLiteral("%1: x"))
         + QStringList{"33: x\"", "34: b"}},
};

TEST(CsvReader, RecordsOfHostileTables)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const QStringList whole = recordsOf(c.input, std::numeric_limits<std::size_t>::max());
        EXPECT_EQ(whole.mid(std::max<qsizetype>(0, whole.size() - c.last.size())), c.last);
        // Small pieces put every boundary between two reads; a long input is read in larger ones.
        const std::vector<std::size_t> pieces = c.input.size() < 4096
                                                    ? std::vector<std::size_t>{1, 2, 3, 7}
                                                    : std::vector<std::size_t>{7, 4093};
        for (const std::size_t piece : pieces)
            EXPECT_EQ(recordsOf(c.input, piece), whole) << "read in pieces of " << piece;
    }
}

} // namespace
