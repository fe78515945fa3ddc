#include "assessment/ReportExport.h"

#include "sheet/Export.h"
#include "sheet/XLApp.h"

using sheet::XLApp;
using sheet::xlCenter;
using sheet::xlLeft;

namespace assessment {

namespace {

constexpr int kCentredRows = 4; // the title lines of the report

} // namespace

QString exportSheetName(const QString& objectName) { return QStringLiteral("ТЭО") + objectName; }

vedan::Status exportReport(XLApp& xl, const QStringList& lines, const QString& objectName)
{
    return sheet::runExport(xl, exportSheetName(objectName), [&] {
        for (int n = 1; n <= lines.size(); ++n) {
            const QString first = QStringLiteral("A%1").arg(n);
            const QString last = QStringLiteral("E%1").arg(n);
            xl.writeCell(first, first, lines[n - 1]);
            xl.mergeCells(first, last);
            xl.alignCells(first, last, n <= kCentredRows ? xlCenter : xlLeft);
            xl.wrapCells(first, last); // a long line shows whole, on further lines of its row
        }
    });
}

} // namespace assessment
