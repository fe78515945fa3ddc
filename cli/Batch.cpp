#include "cli/Batch.h"

#include "cli/CliIo.h"
#include "cli/SizeOutput.h"
#include "cli/SizeRequest.h"
#include "cli/Table.h"
#include "core/SystemReasons.h"

#include <QFile>
#include <algorithm>
#include <optional>

namespace cli {

namespace {

// One sized row of the table.
struct BatchRow {
    int line = 0;
    QStringList inputs;          // in the order of sizeFieldNames(), empty where left out
    selection::SelectionRun run; // a bad field is a run that failed with its description
    std::vector<checks::Check> checks;
};

// Splits a line at the semicolons; a field in double quotes may hold semicolons and doubled
// quotes, as spreadsheets write them.
QStringList splitFields(const QString& line)
{
    QStringList fields;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < line.size() && line[i + 1] == QLatin1Char('"'))
                field += line[++i];
            else if (c == QLatin1Char('"'))
                quoted = false;
            else
                field += c;
        } else if (c == QLatin1Char('"') && field.isEmpty()) {
            quoted = true;
        } else if (c == QLatin1Char(';')) {
            fields << field;
            field.clear();
        } else {
            field += c;
        }
    }
    return fields << field;
}

// The columns of the header, or the usage problem.
std::variant<QStringList, QString> readHeader(const QString& line)
{
    const QStringList header = splitFields(line);
    for (qsizetype i = 0; i < header.size(); ++i) {
        if (!sizeFieldNames().contains(header[i]))
            return QStringLiteral("неизвестный столбец «%1» в заголовке").arg(header[i]);
        if (header.indexOf(header[i]) != i)
            return QStringLiteral("столбец «%1» повторяется в заголовке").arg(header[i]);
    }
    if (!header.contains(QStringLiteral("kind")))
        return QStringLiteral("в заголовке нет столбца kind");
    return header;
}

BatchRow sizeRow(int line, const QStringList& header, const QStringList& cells)
{
    BatchRow row;
    row.line = line;
    for (qsizetype i = 0; i < sizeFieldNames().size(); ++i) {
        const qsizetype column = header.indexOf(sizeFieldNames()[i]);
        row.inputs << (column >= 0 ? cells.value(column) : QString());
    }
    Fields fields;
    for (qsizetype i = 0; i < cells.size(); ++i) {
        if (cells[i].isEmpty())
            continue;
        if (i >= header.size()) {
            row.run.failure = vedan::Failure::input(
                QStringLiteral("лишнее поле в столбце %1 без заголовка").arg(i + 1));
            return row;
        }
        fields.emplace_back(header[i], cells[i]);
    }
    const auto form = sizeForm(fields);
    if (const QString* problem = std::get_if<QString>(&form)) {
        row.run.failure = vedan::Failure::input(*problem);
        return row;
    }
    SizeResult result = sizeCase(std::get<selection::SelectionForm>(form), true);
    row.run = std::move(result.run);
    row.checks = std::move(result.checks);
    return row;
}

QString worstCheck(const BatchRow& row)
{
    if (row.run.failure || row.checks.empty())
        return QString();
    const checks::Status order[] = {checks::Status::Failed, checks::Status::Warning,
                                    checks::Status::Passed, checks::Status::NotApplicable};
    for (const checks::Status status : order)
        for (const checks::Check& check : row.checks)
            if (check.status == status)
                return checks::statusId(status);
    return QString();
}

QStringList columnNames()
{
    QStringList names{QStringLiteral("line")};
    names += sizeFieldNames();
    for (const selection::NamedValue& column : selection::allValues())
        names << QString::fromLatin1(column.name);
    return names << QStringLiteral("offers") << QStringLiteral("message")
                 << QStringLiteral("worst_check");
}

QStringList cellsOf(const BatchRow& row)
{
    QStringList cells{QString::number(row.line)};
    cells += row.inputs;
    for (const selection::NamedValue& column : selection::allValues()) {
        bool ofKind = false;
        if (row.run.kind)
            for (const selection::NamedValue& named : selection::valuesOf(*row.run.kind))
                ofKind = ofKind || named.value == column.value;
        const std::optional<double>& value = row.run.values.*column.value;
        cells << (ofKind && value ? unroundedCell(*value) : QString());
    }
    QStringList offers;
    for (const selection::Offer& offer : row.run.offers)
        offers << offer.designation;
    return cells << offers.join(QStringLiteral(" | ")) << row.run.message().value_or(QString())
                 << worstCheck(row);
}

std::vector<QStringList> cellsOf(const std::vector<BatchRow>& rows)
{
    std::vector<QStringList> cells;
    cells.reserve(rows.size());
    for (const BatchRow& row : rows)
        cells.push_back(cellsOf(row));
    return cells;
}

QByteArray json(const std::vector<BatchRow>& rows)
{
    // One row a line: the row's line number, then the single case's fields in their order.
    QByteArray out = "[";
    for (const BatchRow& row : rows) {
        json::Value item;
        item["line"] = row.line;
        item.update(sizeJsonValue(row.run, row.checks));
        if (out.size() > 1)
            out += ",\n";
        out += json::dump(item);
    }
    return out + "]\n";
}

} // namespace

int runBatch(const BatchFiles& files, bool strict)
{
    const QString& file = files.input;
    const QString& out = files.output;
    const std::optional<TableFormat> format = tableFormatOf(out);
    if (!format)
        return usage(QStringLiteral("--out: расширение файла должно быть .csv, .json или .xlsx"));
    QFile input(file);
    if (!input.open(QIODevice::ReadOnly)) {
        err(QStringLiteral("Не удалось прочитать файл %1: %2")
                .arg(file, systemReason::inRussian(input.errorString())));
        return 1;
    }
    QByteArray bytes = input.readAll();
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    QStringList lines = QString::fromUtf8(bytes).split(QLatin1Char('\n'));
    for (QString& line : lines)
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    const auto header = readHeader(lines.value(0));
    if (const QString* problem = std::get_if<QString>(&header))
        return usage(*problem);

    std::vector<BatchRow> rows;
    bool anyFailed = false;
    bool anyCheckFailed = false;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        // A blank line, or a row of empty cells as spreadsheets write after a table, is no row.
        const QStringList cells = splitFields(lines[i]);
        if (std::all_of(cells.begin(), cells.end(), [](const QString& c) { return c.isEmpty(); }))
            continue;
        rows.push_back(sizeRow(static_cast<int>(i) + 1, std::get<QStringList>(header), cells));
        anyFailed = anyFailed || rows.back().run.failure.has_value();
        anyCheckFailed =
            anyCheckFailed || checks::verdict(rows.back().checks) == checks::Status::Failed;
    }

    vedan::Status written;
    switch (*format) {
    case TableFormat::Csv:
        written =
            saveOutput(out, csvTable(columnNames(), cellsOf(rows), out != QLatin1String("-")));
        break;
    case TableFormat::Json: written = saveOutput(out, json(rows)); break;
    case TableFormat::Xlsx:
        written = xlsxTable(QStringLiteral("Подбор"), columnNames(), cellsOf(rows), out);
        break;
    }
    if (failed(written) || anyFailed)
        return 1;
    return strict && anyCheckFailed ? 3 : 0;
}

} // namespace cli
