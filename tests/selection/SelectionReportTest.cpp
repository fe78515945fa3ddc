// The selection report sheet, read back from the written workbook, and its order of operations.
#include "selection/SelectionReport.h"
#include "core/Numbers.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/SheetCalls.h"
#include "tests/support/WorkbookReader.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>

using namespace selection;
using sheet::XLApp;

namespace {

const QString prompt = QStringLiteral("Выберите величину");

SelectionReportData inputs(const QString& caption, const QStringList& lines)
{
    SelectionReportData d;
    d.caption = caption;
    d.inletPressure = "6";
    d.outletPressure = "3,5";
    d.supplyTemperature = "115";
    d.returnTemperature = "70";
    d.heatLoad = "0,08";
    d.systemResistance = "1,5";
    d.inletUnit = QStringLiteral("кг/см2");
    d.outletUnit = QStringLiteral("Бар");
    d.loadUnit = QStringLiteral("Гкал/час");
    d.resistanceUnit = QStringLiteral("м.вод.ст.");
    d.resultLines = lines;
    d.when = QDateTime(QDate(2026, 12, 7), QTime(9, 5, 3));
    return d;
}

int cellRow(const QString& name) { return name.mid(1).toInt(); }

struct Expected {
    QString text;
    const char* align;
};

// Rows 1 to 12 of every report: everything bold, the units left, the values centred.
std::map<QString, Expected> fixedGrid(const SelectionReportData& d)
{
    return {
        {"A1", {d.caption, "center"}},
        {"A2", {QStringLiteral("Дата подбора 07.12.2026 время подбора 09:05:03"), "center"}},
        {"A4", {QStringLiteral("Исходные параметры: "), "right"}},
        {"A6", {QStringLiteral("Давление на входе системы: "), "right"}},
        {"B6", {d.inletPressure, "center"}},
        {"C6", {d.inletUnit, "left"}},
        {"A7", {QStringLiteral("Давление на выходе системы: "), "right"}},
        {"B7", {d.outletPressure, "center"}},
        {"C7", {d.outletUnit, "left"}},
        {"A8", {QStringLiteral("Температурный график: "), "right"}},
        {"B8", {d.supplyTemperature + "/" + d.returnTemperature, "center"}},
        {"A9", {QStringLiteral("Тепловая нагрузка: "), "right"}},
        {"B9", {d.heatLoad, "center"}},
        {"C9", {d.loadUnit, "left"}},
        {"A10", {QStringLiteral("Сопротивление системы: "), "right"}},
        {"B10", {d.systemResistance, "center"}},
        {"C10", {d.resistanceUnit, "left"}},
        {"A12", {QStringLiteral("Промежуточные расчеты: "), "right"}},
    };
}

struct ReportCase {
    const char* name;
    SelectionReportData data;
    std::map<int, double> heights = {}; // the rows that grow for a wrapped result line
};

void PrintTo(const ReportCase& c, std::ostream* os) { *os << c.name; }

class ReportGrid : public testing::TestWithParam<ReportCase> {};

TEST_P(ReportGrid, WholeSheetAsWritten)
{
    const SelectionReportData& d = GetParam().data;
    QTemporaryDir dir;
    XLApp xl;
    xl.setTargetFile(dir.filePath("report.xlsx"));
    writeSelectionReport(xl, d);
    const QJsonObject sheet = readFirstSheet(dir.filePath("report.xlsx"));

    std::map<QString, Expected> grid = fixedGrid(d);
    QStringList merges{"A1:C1", "A2:C2"};
    for (int k = 0; k < d.resultLines.size(); ++k) {
        const QString row = QString::number(13 + k);
        if (!d.resultLines[k].isEmpty())
            grid["A" + row] = {d.resultLines[k], "left"};
        merges << "A" + row + ":C" + row;
    }
    merges.sort();

    EXPECT_EQ(sheet["name"].toString(), QStringLiteral("Подбор ЭЖ"));
    EXPECT_EQ(mergedRanges(sheet), merges);
    const QJsonObject cells = sheet["cells"].toObject();
    EXPECT_EQ(size_t(cells.size()), grid.size())
        << "cells: " << cells.keys().join(' ').toStdString();
    for (const auto& [name, want] : grid) {
        const QJsonObject cell = cellOf(sheet, name);
        SCOPED_TRACE(name.toStdString());
        if (cell["type"] == "n")
            EXPECT_DOUBLE_EQ(cell["value"].toDouble(), *num::parseDecimal(want.text));
        else
            EXPECT_EQ(cell["value"].toString(), want.text);
        EXPECT_EQ(cell["align"].toString(), want.align);
        EXPECT_TRUE(cell["bold"].toBool());
        // The result lines wrap inside their merged rows; nothing else does.
        EXPECT_EQ(cell["wrap"].toBool(), cellRow(name) >= 13);
    }
    std::map<int, double> heights;
    for (const QString& row : sheet["heights"].toObject().keys())
        heights[row.toInt()] = rowHeight(sheet, row.toInt());
    EXPECT_EQ(heights, GetParam().heights);
    EXPECT_EQ(cellOf(sheet, "B8")["type"].toString(), "s"); // 115/70 stays a text
    const std::map<QString, double> widths{{"A", 31}, {"B", 14}, {"C", 20}, {"D", 14}};
    for (const auto& [column, width] : widths)
        EXPECT_NEAR(shownWidth(sheet, column), width, 0.01) << column.toStdString();
}

SelectionReportData withoutSelection()
{
    SelectionReportData d = inputs(QStringLiteral("Регулятор давления и перепада"), {});
    d.inletUnit = prompt;
    return d;
}

INSTANTIATE_TEST_SUITE_P(
    Selection, ReportGrid,
    testing::Values(ReportCase{"hydroelevator_with_offer",
                               inputs(QStringLiteral("Регулирующий гидроэлеватор"),
                                      {QStringLiteral("Расход сетевой воды: 1,78 т/ч"),
                                       QStringLiteral("Коэффициент смешения: 1,07"),
                                       QStringLiteral("Диаметр горловины: 12,35 мм"),
                                       QStringLiteral("Предлагаемая модель: ГЭ-1")})},
                    ReportCase{
                        "valve_without_offer",
                        inputs(QStringLiteral("Запорно-регулирующий клапан"),
                               {QStringLiteral("Расход сетевой воды: 1,78 т/ч"),
                                QStringLiteral("Перепад давления на клапане: 2,50 кг/см2"),
                                QStringLiteral("Требуемая пропускная способность: 1,126 м3/ч"),
                                QStringLiteral("Подходящих моделей нет"), QString()})},
                    ReportCase{"no_result_lines", withoutSelection()},
                    // The line that printed as "…= 0,10 кгс/": two lines of 15 points.
                    ReportCase{"valve_with_a_long_line",
                               inputs(QStringLiteral("Запорно-регулирующий клапан"),
                                      {QStringLiteral("Расход сетевой воды = 1,77 т/час"),
                                       QStringLiteral("Перепад давления на клапане с учетом "
                                                      "падения давления = 0,10 кгс/см2"),
                                       QStringLiteral("Пропускная способность клапана = 5,60 "
                                                      "м3/час")}),
                               {{14, 30}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SelectionReportCalls, FollowTheExportSequence)
{
    QTemporaryDir dir;
    XLApp xl;
    xl.setTargetFile(dir.filePath("calls.xlsx"));
    SelectionReportData d = inputs(QStringLiteral("Клапан смесительный трехходовой"),
                                   {QStringLiteral("Строка 1"), QString()});
    writeSelectionReport(xl, d);
    const QStringList expected{"connect()",
                               "addWorkbook(-4167)",
                               "newestWorkbook()",
                               "firstWorksheet()",
                               "nameSheet(Подбор ЭЖ)",
                               "setColumnsBold()",
                               "alignColumns(-4152)",
                               "setColumnsWidth(14)",
                               "writeCell(A1,A1,Клапан смесительный трехходовой)",
                               "writeCell(A2,A2,Дата подбора 07.12.2026 время подбора 09:05:03)",
                               "writeCell(A4,A4,Исходные параметры: )",
                               "writeCell(A6,A6,Давление на входе системы: )",
                               "writeCell(B6,B6,6)",
                               "alignCells(B6,B6,-4108)",
                               "writeCell(C6,C6,кг/см2)",
                               "alignCells(C6,C6,-4131)",
                               "writeCell(A7,A7,Давление на выходе системы: )",
                               "writeCell(B7,B7,3,5)",
                               "alignCells(B7,B7,-4108)",
                               "writeCell(C7,C7,Бар)",
                               "alignCells(C7,C7,-4131)",
                               "writeCell(A8,A8,Температурный график: )",
                               "writeCell(B8,B8,115/70)",
                               "alignCells(B8,B8,-4108)",
                               "writeCell(A9,A9,Тепловая нагрузка: )",
                               "writeCell(B9,B9,0,08)",
                               "alignCells(B9,B9,-4108)",
                               "writeCell(C9,C9,Гкал/час)",
                               "alignCells(C9,C9,-4131)",
                               "writeCell(A10,A10,Сопротивление системы: )",
                               "writeCell(B10,B10,1,5)",
                               "alignCells(B10,B10,-4108)",
                               "writeCell(C10,C10,м.вод.ст.)",
                               "alignCells(C10,C10,-4131)",
                               "writeCell(A12,A12,Промежуточные расчеты: )",
                               "writeCell(A13,A13,Строка 1)",
                               "mergeCells(A13,C13)",
                               "alignCells(A13,C13,-4131)",
                               "wrapCells(A13,C13)",
                               "writeCell(A14,A14,)",
                               "mergeCells(A14,C14)",
                               "alignCells(A14,C14,-4131)",
                               "wrapCells(A14,C14)",
                               "setColumnWidth(A1,31)",
                               "alignCells(A1,A1,-4108)",
                               "mergeCells(A1,C1)",
                               "alignCells(A2,A2,-4108)",
                               "mergeCells(A2,C2)",
                               "setColumnWidth(C1,20)",
                               "showApplication()",
                               "disconnect()"};
    EXPECT_EQ(sheettest::recordedCalls(xl), expected);
}

} // namespace
