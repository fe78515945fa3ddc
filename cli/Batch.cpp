#include "cli/Batch.h"

#include "cli/CliIo.h"
#include "cli/SizeOutput.h"
#include "cli/SizeRequest.h"
#include "core/SystemReasons.h"
#include "sheet/CellRange.h"
#include "sheet/Export.h"
#include "sheet/XLApp.h"

#include <QFile>
#include <QLocale>
#include <algorithm>
#include <optional>

using sheet::XLApp;

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

QString unrounded(double value)
{
    return shortestNumber(value).replace(QLatin1Char('.'), QLatin1Char(','));
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

QStringList header()
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
        cells << (ofKind && value ? unrounded(*value) : QString());
    }
    QStringList offers;
    for (const selection::Offer& offer : row.run.offers)
        offers << offer.designation;
    return cells << offers.join(QStringLiteral(" | ")) << row.run.message().value_or(QString())
                 << worstCheck(row);
}

QString csvField(const QString& text)
{
    if (!text.contains(QLatin1Char(';')) && !text.contains(QLatin1Char('"'))
        && !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return text;
    return QLatin1Char('"') + QString(text).replace(QStringLiteral("\""), QStringLiteral("\"\""))
           + QLatin1Char('"');
}

QByteArray csv(const std::vector<BatchRow>& rows, bool byteOrderMark)
{
    QString text;
    const auto add = [&text](const QStringList& cells) {
        QStringList fields;
        for (const QString& cell : cells)
            fields << csvField(cell);
        text += fields.join(QLatin1Char(';')) + QLatin1Char('\n');
    };
    add(header());
    for (const BatchRow& row : rows)
        add(cellsOf(row));
    return (byteOrderMark ? QByteArray("\xEF\xBB\xBF") : QByteArray()) + text.toUtf8();
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

vedan::Status xlsx(const std::vector<BatchRow>& rows, const QString& file)
{
    XLApp xl;
    xl.setTargetFile(file);
    return sheet::runExport(xl, QStringLiteral("Подбор"), [&] {
        const auto writeRow = [&xl](int number, const QStringList& cells) {
            for (qsizetype c = 0; c < cells.size(); ++c) {
                if (cells[c].isEmpty())
                    continue;
                const QString address = sheet::cellName({number, static_cast<int>(c) + 1});
                xl.writeCell(address, address, cells[c]);
            }
        };
        writeRow(1, header());
        int number = 1;
        for (const BatchRow& row : rows)
            writeRow(++number, cellsOf(row));
    });
}

enum class Format { Csv, Json, Xlsx };

std::optional<Format> formatOf(const QString& out)
{
    if (out == QLatin1String("-") || out.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
        return Format::Csv;
    if (out.endsWith(QLatin1String(".json"), Qt::CaseInsensitive))
        return Format::Json;
    if (out.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive))
        return Format::Xlsx;
    return std::nullopt;
}

} // namespace

int runBatch(const BatchFiles& files, bool strict)
{
    const QString& file = files.input;
    const QString& out = files.output;
    const std::optional<Format> format = formatOf(out);
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
    case Format::Csv: written = saveOutput(out, csv(rows, out != QLatin1String("-"))); break;
    case Format::Json: written = saveOutput(out, json(rows)); break;
    case Format::Xlsx: written = xlsx(rows, out); break;
    }
    if (failed(written) || anyFailed)
        return 1;
    return strict && anyCheckFailed ? 3 : 0;
}

} // namespace cli
