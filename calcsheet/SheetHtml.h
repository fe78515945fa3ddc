#pragma once
// The pieces of rich text the calculation sheet's pages share: escaped texts that keep their units
// whole, table rows and headings, the table of engineering checks with its conclusion, and the
// page's measures for the charts painted onto it. Internal to the calculation sheet; depends on
// Qt Core and the checks.

#include "checks/Checks.h"

#include <QSize>
#include <QString>
#include <QStringList>
#include <vector>

namespace calcsheet {

inline constexpr int kResolution = 300; // dots per inch of the PDF's layout
inline constexpr double kMarginMm = 12;

// A chart image as wide as the page's text and `heightMm` high, in pixels at kResolution.
QSize chartPixels(double heightMm);
// An image resource of that size placed in its own paragraph.
QString chartParagraph(const QString& resource, double heightMm);

// A text for the sheet: escaped, with every unit written with a slash (кгс/см², м³/ч, Гкал/ч)
// kept whole on one line, and кгс/см² kept with a number that it follows. A label before a unit
// ("Δp, кгс/см²") stays free to break from it, so that a narrow column's heading breaks between
// its words rather than anywhere inside the unit. pdftotext reads the joiners back as nothing
// and the no-break space as a blank.
QString esc(const QString& text);

QString cell(const QString& text, const char* attributes = "");
QString row(const QStringList& cells);
// The heading row of a table, repeated at the top of every page the table runs on; the widths,
// in per cent of the page, fix the columns.
QString headRow(const QStringList& cells, const std::vector<int>& widths);
QString table(const QString& rows);
QString heading(const QString& text);

// "Инженерные проверки": a row for each check, and the conclusion under the table; empty
// without checks.
QString checksHtml(const std::vector<checks::Check>& found);

} // namespace calcsheet
