#include "cli/Batch.h"

#include "cli/BatchTable.h"
#include "cli/CliIo.h"
#include "cli/CliOptions.h"
#include "cli/ProjectUse.h"
#include "cli/SizeOutput.h"
#include "cli/SizeRequest.h"
#include "cli/Table.h"
#include "cli/Workers.h"
#include "core/SystemReasons.h"

#include "core/CsvReader.h"
#include "core/Numbers.h"
#include "core/SafeFile.h"
#include "sheet/XlsxFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <deque>
#include <fcntl.h>
#include <future>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace cli {

namespace {

QString noRequiredColumn(const BatchKind& kind)
{
    return QStringLiteral("в заголовке нет столбца ") + kind.requiredColumn;
}

// The columns of the header, or the usage problem.
vedan::Outcome<QStringList> readHeader(const BatchKind& kind, const std::vector<QString>& fields)
{
    const auto refused = vedan::refusedInput<QStringList>;
    const QStringList header(fields.begin(), fields.end());
    for (qsizetype i = 0; i < header.size(); ++i) {
        if (!kind.inputColumns.contains(header[i]) && header[i] != kProjectColumn)
            return refused(QStringLiteral("неизвестный столбец «%1» в заголовке").arg(header[i]));
        if (header.indexOf(header[i]) != i)
            return refused(QStringLiteral("столбец «%1» повторяется в заголовке").arg(header[i]));
    }
    if (!header.contains(kind.requiredColumn) && !header.contains(kProjectColumn))
        return refused(noRequiredColumn(kind));
    return {header, std::nullopt};
}

// The projects the rows name, each read once a run (by whichever worker needs it first) and kept
// for the rows after it, whatever the number of threads.
class Projects {
public:
    explicit Projects(QString folder) : m_folder(std::move(folder)) {}

    std::shared_ptr<const vedan::Outcome<project::Project>> get(const QString& named)
    {
        const QString path = QDir(m_folder).absoluteFilePath(named);
        const std::lock_guard<std::mutex> lock(m_mutex);
        auto& kept = m_read[path];
        if (!kept)
            kept = std::make_shared<const vedan::Outcome<project::Project>>(
                project::readProject(path));
        return kept;
    }

private:
    QString m_folder;
    std::mutex m_mutex;
    std::map<QString, std::shared_ptr<const vedan::Outcome<project::Project>>> m_read;
};

// The project a row names, if any: its fields as the kind's columns, its kind (or scheme) under the
// required column; or the message of a project that cannot be read.
vedan::Outcome<Fields> projectOfRow(const BatchKind& kind, const std::vector<QString>& cells,
                                    const QStringList& header, Projects& projects)
{
    const qsizetype column = header.indexOf(kProjectColumn);
    if (column < 0 || column >= qsizetype(cells.size())
        || cells[static_cast<size_t>(column)].isEmpty())
        return {};
    const auto read = projects.get(cells[static_cast<size_t>(column)]);
    if (read->failure)
        return {{}, read->failure};
    Fields given = projectFields(read->value, kind.command, [&kind](const QString& name) {
        return kind.inputColumns.contains(name);
    });
    given.emplace_back(kind.requiredColumn, projectPositional(read->value, kind.command));
    return {given, std::nullopt};
}

RowOutput computeRecord(const BatchKind& kind, const csv::Record& record, const QStringList& header,
                        TableFormat format, Projects& projects)
{
    BatchRecord row;
    row.line = record.line;
    const auto refused = [&](const QString& problem) {
        return kind.refused(row, QStringLiteral("строка %1: %2").arg(record.line).arg(problem),
                            format);
    };
    if (record.problem)
        return refused(*record.problem);
    const std::vector<QString>& cells = record.fields;
    const auto cellOf = [&](const QString& name) {
        const qsizetype column = header.indexOf(name);
        return column >= 0 && column < qsizetype(cells.size()) ? cells[static_cast<size_t>(column)]
                                                               : QString();
    };
    // A number is written back by the table's rule, with the decimal comma.
    const auto writeInputs = [&](const auto& valueOf) {
        row.inputs.clear();
        for (const QString& name : kind.inputColumns)
            row.inputs << num::withDecimalSeparator(valueOf(name), u',');
    };
    writeInputs(cellOf);
    for (qsizetype i = header.size(); i < qsizetype(cells.size()); ++i)
        if (!cells[static_cast<size_t>(i)].isEmpty())
            return refused(QStringLiteral("лишнее поле в столбце %1 без заголовка").arg(i + 1));
    // A cell left empty takes the field of the row's project.
    const vedan::Outcome<Fields> fromProject = projectOfRow(kind, cells, header, projects);
    if (fromProject.failure)
        return refused(fromProject.failure->message);
    const auto valueOf = [&](const QString& name) {
        QString cell = cellOf(name);
        if (!cell.isEmpty())
            return cell;
        for (const auto& [field, value] : fromProject.value)
            if (field == name)
                return value;
        return QString();
    };
    if (!fromProject.value.empty())
        writeInputs(valueOf);
    // The fields in the order of the header, then those only the project gives.
    for (const QString& name : header)
        if (name != kProjectColumn && !cellOf(name).isEmpty())
            row.fields.emplace_back(name, cellOf(name));
    for (const auto& [name, value] : fromProject.value)
        if (cellOf(name).isEmpty())
            row.fields.emplace_back(name, value);
    return kind.computed(row, format);
}

// The row of a record, with a cell longer than a sheet's cell making it a message instead.
RowOutput render(const BatchKind& kind, const csv::Record& record, const QStringList& header,
                 TableFormat format, Projects& projects)
{
    RowOutput out = computeRecord(kind, record, header, format, projects);
    out.line = record.line;
    if (format == TableFormat::Xlsx
        && std::any_of(out.cells.begin(), out.cells.end(),
                       [](const Cell& c) { return !sheet::fitsInCell(cellText(c)); })) {
        const QString problem = QStringLiteral("строка %1: значение длиннее %2 знаков не "
                                               "помещается в ячейку листа .xlsx")
                                    .arg(record.line)
                                    .arg(sheet::kMaxCellText);
        out.cells = kind.refused(BatchRecord{record.line, {}, {}}, problem, format).cells;
        out.failed = true;
    }
    return out;
}

// The records of the table are computed in blocks, several blocks at once on a machine with
// several cores; the blocks are written in the order of the input.
constexpr std::size_t kBlock = 256;

struct Job {
    std::vector<csv::Record> records;
};

// The table being written: its kind, the columns of its input and the format of its output.
struct Table {
    const BatchKind& kind;
    QStringList header;
    TableFormat format;
    Projects& projects;
};

std::vector<RowOutput> computeBlock(const Job& job, const Table& table)
{
    std::vector<RowOutput> outputs;
    outputs.reserve(job.records.size());
    for (const csv::Record& record : job.records)
        outputs.push_back(render(table.kind, record, table.header, table.format, table.projects));
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

// Reads every record after the header, computes it and hands its row to the sink, in order.
vedan::Status computeAll(csv::Reader& reader, const Table& table, Sink& sink, Totals& totals)
{
    if (vedan::Status s = sink.header(table.kind.header))
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
            [job = std::move(job), &table] { return computeBlock(job, table); });
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

int runBatchOf(const BatchKind& kind, const BatchFiles& files, bool strict)
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
                                   : noRequiredColumn(kind));
    const vedan::Outcome<QStringList> header = readHeader(kind, first.fields);
    if (header.failure)
        return usage(header.failure->message);
    Projects projects(QFileInfo(file).absolutePath());
    const Table table{kind, header.value, *format, projects};

    Totals totals;
    vedan::Status written;
    if (*format == TableFormat::Xlsx) {
        written = sheet::writeRowsXlsx({out, kind.sheetName}, [&](sheet::RowSheet& s) {
            SheetSink sink(s);
            return computeAll(reader, table, sink, totals);
        });
    } else if (out == safefile::kStandardOutput) {
        StreamSink sink(stdout, QStringLiteral("стандартный вывод"), *format, false);
        written = computeAll(reader, table, sink, totals);
    } else {
        written = safefile::saveReplacing(out, [&](const QString& staged) -> vedan::Status {
            std::FILE* f = std::fopen(QFile::encodeName(staged).constData(), "wb");
            if (!f)
                return vedan::Failure::file(QStringLiteral("Не удалось записать файл %1: %2")
                                                .arg(out, systemreason::ofError(errno)));
            StreamSink sink(f, out, *format, *format == TableFormat::Csv);
            vedan::Status s = computeAll(reader, table, sink, totals);
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

RowOutput tableRow(TableFormat format, std::vector<Cell> cells)
{
    RowOutput out;
    if (format == TableFormat::Csv)
        out.bytes = csvLine(cells);
    else
        out.cells = std::move(cells);
    return out;
}

namespace {

// size --batch: the row of a sizing with its checks, as size --checks --json gives them.

RowOutput sizeOutput(const BatchRow& row, TableFormat format)
{
    RowOutput out;
    if (format == TableFormat::Json) {
        json::Value item;
        item["line"] = row.line;
        item.update(sizeJsonValue(row.run, row.checks));
        out.bytes = json::dump(item);
    } else {
        out = tableRow(format, batchCells(row));
    }
    out.failed = row.run.failure().has_value();
    out.checkFailed = checks::verdict(row.checks) == checks::Status::Failed;
    return out;
}

RowOutput sizedRow(const BatchRecord& record, TableFormat format)
{
    BatchRow row;
    row.line = record.line;
    row.inputs = record.inputs;
    vedan::Outcome<selection::SelectionForm> form = sizeForm(record.fields);
    if (form.failure) {
        row.run.refusal = std::move(form.failure);
        return sizeOutput(row, format);
    }
    // Only JSON prints the checks' texts.
    SizeResult result = sizeCase(form.value, true, format == TableFormat::Json);
    row.run = std::move(result.run);
    row.checks = std::move(result.checks);
    return sizeOutput(row, format);
}

RowOutput refusedSizeRow(const BatchRecord& record, const QString& message, TableFormat format)
{
    BatchRow row;
    row.line = record.line;
    row.inputs = record.inputs;
    row.run.refusal = vedan::Failure::input(message);
    return sizeOutput(row, format);
}

} // namespace

int runBatch(const BatchFiles& files, bool strict)
{
    static const BatchKind kind{.command = QStringLiteral("size"),
                                .inputColumns = sizeFieldNames(),
                                .requiredColumn = QStringLiteral("kind"),
                                .sheetName = QStringLiteral("Подбор"),
                                .header = batchHeader(),
                                .computed = sizedRow,
                                .refused = refusedSizeRow};
    return runBatchOf(kind, files, strict);
}

vedan::Outcome<BatchFiles> batchFilesOf(const QCommandLineParser& parser)
{
    const auto refused = vedan::refusedInput<BatchFiles>;
    for (const QString& name : parser.optionNames())
        if (name != QLatin1String("batch") && name != QLatin1String("out")
            && name != QLatin1String("strict"))
            return refused(QStringLiteral("с --batch задаются только --out и --strict"));
    const std::optional<QString> batch = single(parser, QStringLiteral("batch"));
    const std::optional<QString> out = single(parser, QStringLiteral("out"));
    if (!batch || !out || batch->isEmpty() || !parser.positionalArguments().isEmpty())
        return refused(QStringLiteral("пакетный подбор: --batch ФАЙЛ.csv [--out ФАЙЛ]"));
    const QString target = out->isEmpty() ? QStringLiteral("-") : *out;
    if (const std::optional<QString> clash =
            clashingFiles({.inputs = {{QStringLiteral("--batch"), *batch}},
                           .outputs = {{QStringLiteral("--out"), target}}}))
        return refused(*clash);
    return {{.input = *batch, .output = target}, std::nullopt};
}

} // namespace cli
