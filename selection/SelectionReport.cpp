#include "selection/SelectionReport.h"

#include "core/Regional.h"
#include "sheet/Export.h"

#include <optional>
#include <vector>

using sheet::XLApp;
using sheet::xlCenter;
using sheet::xlLeft;

namespace selection {

namespace {

const QString kSheetName = QStringLiteral("Подбор ЭЖ");
constexpr int kFirstResultRow = 13;

// One input row of the sheet: label in A, value in B, unit in C (no unit for the temperatures).
struct InputRow {
    int row;
    QString label;
    QString value;
    std::optional<QString> unit;
};

QString cellAt(const char* column, int row)
{
    return QString::fromLatin1(column) + QString::number(row);
}

void writeInputRow(XLApp& xl, const InputRow& input)
{
    const QString a = cellAt("A", input.row), b = cellAt("B", input.row),
                  c = cellAt("C", input.row);
    xl.writeCell(a, a, input.label);
    xl.writeCell(b, b, input.value);
    xl.alignCells(b, b, xlCenter);
    if (input.unit) {
        xl.writeCell(c, c, *input.unit);
        xl.alignCells(c, c, xlLeft);
    }
}

std::vector<InputRow> inputRows(const SelectionReportData& d)
{
    return {
        {6, QStringLiteral("Давление на входе системы: "), d.inletPressure, d.inletUnit},
        {7, QStringLiteral("Давление на выходе системы: "), d.outletPressure, d.outletUnit},
        {8, QStringLiteral("Температурный график: "),
         d.supplyTemperature + '/' + d.returnTemperature, std::nullopt},
        {9, QStringLiteral("Тепловая нагрузка: "), d.heatLoad, d.loadUnit},
        {10, QStringLiteral("Сопротивление системы: "), d.systemResistance, d.resistanceUnit},
    };
}

QString dateLine(const QDateTime& when)
{
    return QStringLiteral("Дата подбора ") + regional::shortDate(when.date())
           + QStringLiteral(" время подбора ") + regional::longTime(when.time());
}

void writeResultLines(XLApp& xl, const QStringList& lines)
{
    int row = kFirstResultRow;
    for (const QString& line : lines) {
        const QString a = cellAt("A", row), c = cellAt("C", row);
        xl.writeCell(a, a, line);
        xl.mergeCells(a, c);
        xl.alignCells(a, c, xlLeft);
        xl.wrapCells(a, c); // a long line shows whole, on further lines of its row
        ++row;
    }
}

} // namespace

vedan::Status writeSelectionReport(XLApp& xl, const SelectionReportData& data)
{
    return sheet::runExport(xl, kSheetName, [&] {
        xl.writeCell("A1", "A1", data.caption);
        xl.writeCell("A2", "A2", dateLine(data.when));
        xl.writeCell("A4", "A4", QStringLiteral("Исходные параметры: "));
        for (const InputRow& input : inputRows(data))
            writeInputRow(xl, input);
        xl.writeCell("A12", "A12", QStringLiteral("Промежуточные расчеты: "));
        writeResultLines(xl, data.resultLines);

        xl.setColumnWidth("A1", 31);
        xl.alignCells("A1", "A1", xlCenter);
        xl.mergeCells("A1", "C1");
        xl.alignCells("A2", "A2", xlCenter);
        xl.mergeCells("A2", "C2");
        xl.setColumnWidth("C1", 20);
    });
}

} // namespace selection
