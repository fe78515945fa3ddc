#pragma once
// A table of results as vedan-cli writes it with --out: CSV (semicolons, the Russian decimal
// comma, a byte-order mark in a file so that a spreadsheet reads it as UTF-8), JSON, or an .xlsx
// workbook of one sheet, chosen by the file's extension ("-": CSV on standard output).
// Depends on Qt Core, core and the sheet library.

#include "core/Failure.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <variant>
#include <vector>

namespace sheet {
class RowSheet;
}

namespace cli {

enum class TableFormat { Csv, Json, Xlsx };

// A number cell: its value, and the text a user gave for it if it came from the input (written
// in CSV as given; a computed value is written unrounded with the decimal comma).
struct Number {
    double value;
    QString given = {};
};

// A cell of a table, a number or a text from the start; an empty text is an empty cell.
using Cell = std::variant<QString, Number>;

// A computed value: a number cell, or its text where it is not finite.
Cell valueCell(double value);
// A text as the user gave it: a number cell where it reads as a number by the program's rule
// (the decimal comma), a text cell otherwise.
Cell givenCell(const QString& text);
// The cell as CSV writes it, before any quoting.
QString cellText(const Cell& cell);

// One CSV line of cells, with the rules of csvLine below.
QByteArray csvLine(const std::vector<Cell>& cells);
// Row `row` of a sheet: a number cell as a number, a text cell as a text, an empty cell
// unwritten. Every text must fit a cell of the sheet.
void writeSheetRow(sheet::RowSheet& sheet, int row, const std::vector<Cell>& cells);

// A column of a table of rows of type Row: its header, and how its cell is made from a row. One
// list of columns describes a table for every format that writes cells (CSV and .xlsx).
template <typename Row> struct TableColumn {
    QString name;
    std::function<Cell(const Row&)> cell;
};

template <typename Row> QStringList headerOf(const std::vector<TableColumn<Row>>& columns)
{
    QStringList names;
    for (const TableColumn<Row>& column : columns)
        names << column.name;
    return names;
}

template <typename Row>
std::vector<Cell> cellsOf(const std::vector<TableColumn<Row>>& columns, const Row& row)
{
    std::vector<Cell> cells;
    cells.reserve(columns.size());
    for (const TableColumn<Row>& column : columns)
        cells.push_back(column.cell(row));
    return cells;
}

// The format for --out, or none for an extension the tool does not write.
std::optional<TableFormat> tableFormatOf(const QString& out);

// An unrounded number with the decimal comma, as a table cell.
QString unroundedCell(double value);

// Whether a cell's text is a number by the program's rule (the decimal comma): a number cell in
// .xlsx, and never given an apostrophe in CSV.
bool isNumberCell(const QString& text);

// One CSV line. A text field that a spreadsheet would take for a formula (starting with =, +, -,
// @, a tab or a carriage return, and not a number) gets a leading apostrophe, the OWASP rule
// against CSV injection; a field with a separator, quote or line end is quoted.
QByteArray csvLine(const QStringList& cells);

// The table as CSV.
QByteArray csvTable(const QStringList& header, const std::vector<std::vector<Cell>>& rows,
                    bool byteOrderMark);

// The table as a workbook of one sheet: a number cell for a number, a text cell for a text,
// never a formula; an empty text is left unwritten.
vedan::Status xlsxTable(const QString& sheetName, const QStringList& header,
                        const std::vector<std::vector<Cell>>& rows, const QString& file);

} // namespace cli
