#include "cli/Table.h"

#include "cli/SizeOutput.h"
#include "sheet/CellRange.h"
#include "sheet/Export.h"
#include "sheet/XLApp.h"

namespace cli {

namespace {

QString csvField(const QString& text)
{
    if (!text.contains(QLatin1Char(';')) && !text.contains(QLatin1Char('"'))
        && !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return text;
    return QLatin1Char('"') + QString(text).replace(QStringLiteral("\""), QStringLiteral("\"\""))
           + QLatin1Char('"');
}

} // namespace

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
    QString text;
    const auto add = [&text](const QStringList& cells) {
        QStringList fields;
        for (const QString& cell : cells)
            fields << csvField(cell);
        text += fields.join(QLatin1Char(';')) + QLatin1Char('\n');
    };
    add(header);
    for (const QStringList& row : rows)
        add(row);
    return (byteOrderMark ? QByteArray("\xEF\xBB\xBF") : QByteArray()) + text.toUtf8();
}

vedan::Status xlsxTable(const QString& sheetName, const QStringList& header,
                        const std::vector<QStringList>& rows, const QString& file)
{
    sheet::XLApp xl;
    xl.setTargetFile(file);
    return sheet::runExport(xl, sheetName, [&] {
        const auto writeRow = [&xl](int number, const QStringList& cells) {
            for (qsizetype c = 0; c < cells.size(); ++c) {
                if (cells[c].isEmpty())
                    continue;
                const QString address = sheet::cellName({number, static_cast<int>(c) + 1});
                xl.writeCell(address, address, cells[c]);
            }
        };
        writeRow(1, header);
        int number = 1;
        for (const QStringList& row : rows)
            writeRow(++number, row);
    });
}

} // namespace cli
