#include "assessment/ReportExport.h"

#include "sheet/XLApp.h"

namespace assessment {

QString exportSheetName(const QString& objectName) { return QStringLiteral("ТЭО") + objectName; }

QString exportReport(XLApp& xl, const QStringList& lines, const QString& objectName)
{
    const QString sheetName = exportSheetName(objectName);
    try {
        xl.connect();
        xl.addWorkbook(xlWBATWorksheet);
        xl.newestWorkbook();
        xl.firstWorksheet();
        xl.nameSheet(sheetName); // a refused name ends the export with the layer's message
        xl.setColumnsBold();
        xl.alignColumns(xlRight);
        xl.setColumnsWidth(14);
        for (int n = 1; n <= lines.size(); ++n) {
            const QString first = QStringLiteral("A%1").arg(n);
            const QString last = QStringLiteral("E%1").arg(n);
            xl.writeCell(first, first, lines[n - 1]);
            xl.mergeCells(first, last);
            xl.alignCells(first, last, n <= 4 ? xlCenter : xlLeft);
        }
        xl.showApplication();
        xl.disconnect();
    } catch (const SheetError& e) {
        return QString::fromUtf8(e.what());
    }
    return QString();
}

} // namespace assessment
