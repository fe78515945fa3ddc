#pragma once
// How many lines a text takes in a cell that wraps it, so that the writer can give a row of
// wrapped text the height that shows the text whole: spreadsheet applications do not grow a row
// for a merged cell themselves. The workbook's font is Calibri 11, which LibreOffice shows as
// Calibri, Carlito, DejaVu Sans or Liberation Sans, whichever the computer has; each character
// counts at the widest of its bold forms in these fonts, in widths of a digit of the same font's
// regular form (the unit of column widths), and a line breaks only at a blank, so the estimate
// errs towards one line too many rather than a line cut off. Depends on Qt Core only.

#include <QString>

namespace sheet {

// The height of a line of the workbook's font, in points: the standard row of Calibri 11.
inline constexpr double kLineHeight = 15;
// The tallest row a sheet holds, in points.
inline constexpr double kMaxRowHeight = 409;

// The lines, at least one, that the text takes in a cell over `columns` columns whose widths, as
// set, add up to `width` characters; each line end ("\n") starts a new line.
int wrappedLines(const QString& text, double width, int columns = 1);

} // namespace sheet
