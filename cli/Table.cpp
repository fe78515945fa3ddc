#include "cli/Table.h"

#include "cli/SizeOutput.h"
#include "core/Numbers.h"
#include "sheet/XlsxFile.h"

#include <algorithm>
#include <cmath>

namespace cli {

namespace {

QString formulaSafe(const QString& text)
{
    static const QString starts = QStringLiteral("=+-@\t\r");
    if (text.isEmpty() || !starts.contains(text.front()) || isNumberCell(text))
        return text;
    return QLatin1Char('\'') + text;
}

QString csvField(const QString& text)
{
    QString safe = formulaSafe(text);
    // One pass over the field, as a batch writes every field of every row.
    if (std::none_of(safe.cbegin(), safe.cend(),
                     [](QChar c) { return c == u';' || c == u'"' || c == u'\n' || c == u'\r'; }))
        return safe;
    return QLatin1Char('"') + safe.replace(QStringLiteral("\""), QStringLiteral("\"\""))
           + QLatin1Char('"');
}

} // namespace

bool isNumberCell(const QString& text) { return num::parseDecimal(text, u',').has_value(); }

Cell valueCell(double value)
{
    // A zero is written as 0, never as -0, in both formats.
    if (std::isfinite(value))
        return Number{value == 0 ? 0.0 : value};
    return unroundedCell(value);
}

Cell givenCell(const QString& text)
{
    if (const std::optional<double> value = num::parseDecimal(text, u','))
        return Number{*value, text};
    return text;
}

QString cellText(const Cell& cell)
{
    if (const Number* number = std::get_if<Number>(&cell))
        return number->given.isEmpty() ? unroundedCell(number->value) : number->given;
    return std::get<QString>(cell);
}

QByteArray csvLine(const QStringList& cells)
{
    QString line;
    for (qsizetype i = 0; i < cells.size(); ++i) {
        if (i > 0)
            line += QLatin1Char(';');
        line += csvField(cells[i]);
    }
    line += QLatin1Char('\n');
    return line.toUtf8();
}

QByteArray csvLine(const std::vector<Cell>& cells)
{
    QString line;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0)
            line += QLatin1Char(';');
        line += csvField(cellText(cells[i]));
    }
    line += QLatin1Char('\n');
    return line.toUtf8();
}

void writeSheetRow(sheet::RowSheet& sheet, int row, const std::vector<Cell>& cells)
{
    for (std::size_t c = 0; c < cells.size(); ++c) {
        const int column = static_cast<int>(c);
        if (const Number* number = std::get_if<Number>(&cells[c]))
            sheet.number(row, column, number->value);
        else if (const QString& text = std::get<QString>(cells[c]); !text.isEmpty())
            sheet.text(row, column, text);
    }
}

std::optional<TableFormat> tableFormatOf(const QString& out)
{
    if (out == QLatin1String("-") || out.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
        return TableFormat::Csv;
    if (out.endsWith(QLatin1String(".json"), Qt::CaseInsensitive))
        return TableFormat::Json;
    if (out.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive))
        return TableFormat::Xlsx;
    return std::nullopt;
}

QString unroundedCell(double value)
{
    return shortestNumber(value).replace(QLatin1Char('.'), QLatin1Char(','));
}

QByteArray csvTable(const QStringList& header, const std::vector<std::vector<Cell>>& rows,
                    bool byteOrderMark)
{
    QByteArray text = byteOrderMark ? QByteArray("\xEF\xBB\xBF") : QByteArray();
    text += csvLine(header);
    for (const std::vector<Cell>& row : rows)
        text += csvLine(row);
    return text;
}

vedan::Status xlsxTable(const QString& sheetName, const QStringList& header,
                        const std::vector<std::vector<Cell>>& rows, const QString& file)
{
    return sheet::writeRowsXlsx({file, sheetName}, [&](sheet::RowSheet& sheet) -> vedan::Status {
        writeSheetRow(sheet, 0, std::vector<Cell>(header.begin(), header.end()));
        int number = 0;
        for (const std::vector<Cell>& row : rows)
            writeSheetRow(sheet, ++number, row);
        return std::nullopt;
    });
}

} // namespace cli
