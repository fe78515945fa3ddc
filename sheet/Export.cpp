#include "sheet/Export.h"

namespace sheet {

namespace {

constexpr double kExportColumnWidth = 14;

void openExportSheet(XLApp& xl, const QString& sheetName)
{
    xl.connect();
    xl.addWorkbook(xlWBATWorksheet);
    xl.newestWorkbook();
    xl.firstWorksheet();
    xl.nameSheet(sheetName);
    xl.setColumnsBold();
    xl.alignColumns(xlRight);
    xl.setColumnsWidth(kExportColumnWidth);
}

} // namespace

vedan::Status runExport(XLApp& xl, const QString& sheetName, const std::function<void()>& body)
{
    try {
        openExportSheet(xl, sheetName);
        body();
        xl.showApplication();
        xl.disconnect();
    } catch (const SheetError& error) {
        return vedan::Failure::sheet(QString::fromUtf8(error.what()));
    }
    return std::nullopt;
}

} // namespace sheet
