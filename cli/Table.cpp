#include "cli/Table.h"

#include "cli/SizeOutput.h"
#include "core/Numbers.h"
#include "sheet/XlsxFile.h"

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
    if (!safe.contains(QLatin1Char(';')) && !safe.contains(QLatin1Char('"'))
        && !safe.contains(QLatin1Char('\n')) && !safe.contains(QLatin1Char('\r')))
        return safe;
    return QLatin1Char('"') + safe.replace(QStringLiteral("\""), QStringLiteral("\"\""))
           + QLatin1Char('"');
}

} // namespace

bool isNumberCell(const QString& text) { return num::parseDecimal(text, u',').has_value(); }

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

QByteArray csvTable(const QStringList& header, const std::vector<QStringList>& rows,
                    bool byteOrderMark)
{
    QByteArray text = byteOrderMark ? QByteArray("\xEF\xBB\xBF") : QByteArray();
    text += csvLine(header);
    for (const QStringList& row : rows)
        text += csvLine(row);
    return text;
}

vedan::Status xlsxTable(const QString& sheetName, const QStringList& header,
                        const std::vector<QStringList>& rows, const QString& file)
{
    return sheet::writeRowsXlsx({file, sheetName}, [&](sheet::RowSheet& sheet) -> vedan::Status {
        const auto writeRow = [&sheet](int number, const QStringList& cells) {
            for (qsizetype c = 0; c < cells.size(); ++c) {
                if (cells[c].isEmpty())
                    continue;
                if (const auto value = num::parseDecimal(cells[c], u','))
                    sheet.number(number, static_cast<int>(c), *value);
                else
                    sheet.text(number, static_cast<int>(c), cells[c]);
            }
        };
        writeRow(0, header);
        int number = 0;
        for (const QStringList& row : rows)
            writeRow(++number, row);
        return std::nullopt;
    });
}

} // namespace cli
