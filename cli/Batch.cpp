#include "cli/Batch.h"

#include "cli/BatchTable.h"
#include "cli/CliIo.h"
#include "cli/SizeOutput.h"
#include "cli/SizeRequest.h"
#include "cli/Table.h"
#include "cli/Workers.h"
#include "core/SystemReasons.h"

#include "core/CsvReader.h"
#include "core/Numbers.h"
#include "core/SafeFile.h"
#include "sheet/XlsxFile.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <deque>
#include <fcntl.h>
#include <future>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace cli {

namespace {

// The columns of the header, or the usage problem.
vedan::Outcome<QStringList> readHeader(const std::vector<QString>& fields)
{
    const auto refused = vedan::refusedInput<QStringList>;
    const QStringList header(fields.begin(), fields.end());
    for (qsizetype i = 0; i < header.size(); ++i) {
        if (!sizeFieldNames().contains(header[i]))
            return refused(QStringLiteral("неизвестный столбец «%1» в заголовке").arg(header[i]));
        if (header.indexOf(header[i]) != i)
            return refused(QStringLiteral("столбец «%1» повторяется в заголовке").arg(header[i]));
    }
    if (!header.contains(QStringLiteral("kind")))
        return refused(QStringLiteral("в заголовке нет столбца kind"));
    return {header, std::nullopt};
}

BatchRow sizeRow(int line, const QStringList& header, const std::vector<QString>& cells,
                 bool checkTexts)
{
    BatchRow row;
    row.line = line;
    for (qsizetype i = 0; i < sizeFieldNames().size(); ++i) {
        const qsizetype column = header.indexOf(sizeFieldNames()[i]);
        // A number is written back by the table's rule, with the decimal comma.
        row.inputs << (column >= 0 && column < qsizetype(cells.size())
                           ? num::withDecimalSeparator(cells[static_cast<size_t>(column)], u',')
                           : QString());
    }
    Fields fields;
    for (qsizetype i = 0; i < qsizetype(cells.size()); ++i) {
        if (cells[static_cast<size_t>(i)].isEmpty())
            continue;
        if (i >= header.size()) {
            row.run.refusal = vedan::Failure::input(
                QStringLiteral("лишнее поле в столбце %1 без заголовка").arg(i + 1));
            return row;
        }
        fields.emplace_back(header[i], cells[static_cast<size_t>(i)]);
    }
    vedan::Outcome<selection::SelectionForm> form = sizeForm(fields);
    if (form.failure) {
        row.run.refusal = std::move(form.failure);
        return row;
    }
    SizeResult result = sizeCase(form.value, true, checkTexts);
    row.run = std::move(result.run);
    row.checks = std::move(result.checks);
    return row;
}

// A row whose record could not be read: only its line and its message.
BatchRow refusedRow(int line, const QString& problem)
{
    BatchRow row;
    row.line = line;
    for (qsizetype i = 0; i < sizeFieldNames().size(); ++i)
        row.inputs << QString();
    row.run.refusal = vedan::Failure::input(QStringLiteral("строка %1: %2").arg(line).arg(problem));
    return row;
}

QByteArray jsonItem(const BatchRow& row)
{
    json::Value item;
    item["line"] = row.line;
    item.update(sizeJsonValue(row.run, row.checks));
    return json::dump(item);
}

// What one row adds to the output, made where the row was sized.
struct RowOutput {
    int line = 0;
    bool failed = false;      // the row ended in a message
    bool checkFailed = false; // a check of the row failed
    QByteArray bytes;         // CSV or JSON
    std::vector<Cell> cells;  // .xlsx
};

RowOutput render(const BatchRow& row, TableFormat format)
{
    RowOutput out;
    out.line = row.line;
    out.failed = row.run.failure().has_value();
    out.checkFailed = checks::verdict(row.checks) == checks::Status::Failed;
    switch (format) {
    case TableFormat::Csv: out.bytes = csvLine(batchCells(row)); break;
    case TableFormat::Json: out.bytes = jsonItem(row); break;
    case TableFormat::Xlsx: {
        out.cells = batchCells(row);
        // A cell longer than a sheet's cell makes the row a message instead.
        if (std::any_of(out.cells.begin(), out.cells.end(),
                        [](const Cell& c) { return !sheet::fitsInCell(cellText(c)); })) {
            const QString problem = QStringLiteral("значение длиннее %1 знаков не помещается в "
                                                   "ячейку листа .xlsx")
                                        .arg(sheet::kMaxCellText);
            out.cells = batchCells(refusedRow(row.line, problem));
            out.failed = true;
        }
        break;
    }
    }
    return out;
}

// The records of the table are sized in blocks, several blocks at once on a machine with
// several cores; the blocks are written in the order of the input.
constexpr std::size_t kBlock = 256;

struct Job {
    std::vector<csv::Record> records;
};

std::vector<RowOutput> sizeBlock(const Job& job, const QStringList& header, TableFormat format)
{
    std::vector<RowOutput> outputs;
    outputs.reserve(job.records.size());
    for (const csv::Record& record : job.records) {
        const BatchRow row = record.problem ? refusedRow(record.line, *record.problem)
                                            : sizeRow(record.line, header, record.fields,
                                                      format == TableFormat::Json);
        outputs.push_back(render(row, format));
    }
    return outputs;
}

// Where the rows go: a CSV or JSON stream, or a sheet.
class Sink {
public:
    virtual ~Sink() = default;
    virtual vedan::Status header(const QStringList& names) = 0;
    virtual vedan::Status row(const RowOutput& row) = 0;
    virtual vedan::Status finish() = 0;
};

class StreamSink : public Sink {
public:
    StreamSink(std::FILE* file, QString shownPath, TableFormat format, bool byteOrderMark)
        : m_file(file), m_shownPath(std::move(shownPath)), m_format(format), m_bom(byteOrderMark)
    {}
    vedan::Status header(const QStringList& names) override
    {
        if (m_format == TableFormat::Json)
            return put("[");
        return put((m_bom ? QByteArray("\xEF\xBB\xBF") : QByteArray()) + csvLine(names));
    }
    vedan::Status row(const RowOutput& row) override
    {
        if (m_format == TableFormat::Json) {
            const QByteArray separator = m_rows++ > 0 ? QByteArray(",\n") : QByteArray();
            return put(separator + row.bytes);
        }
        return put(row.bytes);
    }
    vedan::Status finish() override
    {
        if (m_format == TableFormat::Json)
            if (vedan::Status s = put("]\n"))
                return s;
        if (std::fflush(m_file) != 0)
            return writeFailure(errno);
        return std::nullopt;
    }

private:
    vedan::Status put(const QByteArray& bytes)
    {
        if (std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), m_file)
            != static_cast<size_t>(bytes.size()))
            return writeFailure(errno);
        return std::nullopt;
    }
    vedan::Status writeFailure(int error) const
    {
        if (m_file == stdout)
            return outputFailure(error);
        return vedan::Failure::file(QStringLiteral("Не удалось записать файл %1: %2")
                                        .arg(m_shownPath, systemreason::ofError(error)));
    }

    std::FILE* m_file;
    QString m_shownPath;
    TableFormat m_format;
    bool m_bom;
    long long m_rows = 0;
};

class SheetSink : public Sink {
public:
    explicit SheetSink(sheet::RowSheet& sheet) : m_sheet(sheet) {}
    vedan::Status header(const QStringList& names) override
    {
        for (qsizetype c = 0; c < names.size(); ++c)
            m_sheet.text(0, static_cast<int>(c), names[c]);
        return std::nullopt;
    }
    vedan::Status row(const RowOutput& row) override
    {
        if (++m_row >= sheet::kMaxSheetRows)
            return vedan::Failure::file(QStringLiteral("строка %1 не помещается в лист: в листе "
                                                       ".xlsx не более %2 строк")
                                            .arg(row.line)
                                            .arg(sheet::kMaxSheetRows));
        writeSheetRow(m_sheet, m_row, row.cells);
        return std::nullopt;
    }
    vedan::Status finish() override { return std::nullopt; }

private:
    sheet::RowSheet& m_sheet;
    int m_row = 0;
};

struct Totals {
    bool anyFailed = false;
    bool anyCheckFailed = false;
};

// A blank line, or a row of empty cells as spreadsheets write after a table, is no row.
bool isBlank(const csv::Record& record)
{
    return !record.problem
           && std::all_of(record.fields.begin(), record.fields.end(),
                          [](const QString& c) { return c.isEmpty(); });
}

// Reads every record after the header, sizes it and hands its row to the sink, in order.
vedan::Status sizeAll(csv::Reader& reader, const QStringList& header, TableFormat format,
                      Sink& sink, Totals& totals)
{
    if (vedan::Status s = sink.header(batchHeader()))
        return s;
    // The output is the same bytes whatever the number of threads (cli/Workers.h).
    Workers workers(batchThreads());
    std::deque<std::future<std::vector<RowOutput>>> pending;
    const auto drainOne = [&]() -> vedan::Status {
        const std::vector<RowOutput> rows = pending.front().get();
        pending.pop_front();
        for (const RowOutput& row : rows) {
            totals.anyFailed = totals.anyFailed || row.failed;
            totals.anyCheckFailed = totals.anyCheckFailed || row.checkFailed;
            if (vedan::Status s = sink.row(row))
                return s;
        }
        return std::nullopt;
    };
    csv::Record record;
    bool more = true;
    while (more) {
        Job job;
        job.records.reserve(kBlock);
        while (job.records.size() < kBlock && (more = reader.next(record))) {
            if (isBlank(record))
                continue;
            job.records.push_back(std::move(record));
        }
        if (job.records.empty())
            break;
        auto task = std::make_shared<std::packaged_task<std::vector<RowOutput>()>>(
            [job = std::move(job), &header, format] { return sizeBlock(job, header, format); });
        pending.push_back(task->get_future());
        workers.run([task] { (*task)(); });
        if (pending.size() >= 2 * std::max<std::size_t>(1, workers.count()))
            if (vedan::Status s = drainOne())
                return s;
    }
    while (!pending.empty())
        if (vedan::Status s = drainOne())
            return s;
    if (reader.readFailed())
        return vedan::Failure::file(QStringLiteral("Не удалось дочитать входной файл"));
    return sink.finish();
}

// The input opened for reading: a regular file only, opened without waiting, so that a named
// pipe or a device is refused at once.
vedan::Outcome<int> openInput(const QString& file)
{
    const int fd = ::open(QFile::encodeName(file).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return {-1, vedan::Failure::file(systemreason::ofError(errno))};
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return {-1, vedan::Failure::file(QStringLiteral("это не обычный файл"))};
    }
    return {fd, std::nullopt};
}

} // namespace

int runBatch(const BatchFiles& files, bool strict)
{
    const QString& file = files.input;
    const QString& out = files.output;
    const std::optional<TableFormat> format = tableFormatOf(out);
    if (!format)
        return usage(QStringLiteral("--out: расширение файла должно быть .csv, .json или .xlsx"));
    const vedan::Outcome<int> opened = openInput(file);
    if (opened.failure) {
        err(QStringLiteral("Не удалось прочитать файл %1: %2").arg(file, opened.failure->message));
        return 1;
    }
    const int fd = opened.value;
    csv::Reader reader([fd](char* buffer, std::size_t size) -> std::ptrdiff_t {
        for (;;) {
            const ssize_t got = ::read(fd, buffer, size);
            if (got >= 0 || errno != EINTR)
                return got;
        }
    });
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};

    csv::Record first;
    bool read = false;
    while ((read = reader.next(first)) && isBlank(first)) {
    }
    if (!read || first.problem)
        return usage(first.problem ? QStringLiteral("заголовок не прочитан: ") + *first.problem
                                   : QStringLiteral("в заголовке нет столбца kind"));
    const vedan::Outcome<QStringList> header = readHeader(first.fields);
    if (header.failure)
        return usage(header.failure->message);
    const QStringList& columns = header.value;

    Totals totals;
    vedan::Status written;
    if (*format == TableFormat::Xlsx) {
        written = sheet::writeRowsXlsx({out, QStringLiteral("Подбор")}, [&](sheet::RowSheet& s) {
            SheetSink sink(s);
            return sizeAll(reader, columns, *format, sink, totals);
        });
    } else if (out == safefile::kStandardOutput) {
        StreamSink sink(stdout, QStringLiteral("стандартный вывод"), *format, false);
        written = sizeAll(reader, columns, *format, sink, totals);
    } else {
        written = safefile::saveReplacing(out, [&](const QString& staged) -> vedan::Status {
            std::FILE* f = std::fopen(QFile::encodeName(staged).constData(), "wb");
            if (!f)
                return vedan::Failure::file(QStringLiteral("Не удалось записать файл %1: %2")
                                                .arg(out, systemreason::ofError(errno)));
            StreamSink sink(f, out, *format, *format == TableFormat::Csv);
            vedan::Status s = sizeAll(reader, columns, *format, sink, totals);
            if (std::fclose(f) != 0 && !s)
                s = vedan::Failure::file(QStringLiteral("Не удалось записать файл %1: %2")
                                             .arg(out, systemreason::ofError(errno)));
            return s;
        });
    }
    if (failed(written) || totals.anyFailed)
        return 1;
    return strict && totals.anyCheckFailed ? 3 : 0;
}

} // namespace cli
