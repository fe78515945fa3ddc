#pragma once
// The first four operations of every export: a new workbook and its first worksheet.

#include "sheet/XLApp.h"

inline void startSheet(sheet::XLApp& xl)
{
    xl.connect();
    xl.addWorkbook();
    xl.newestWorkbook();
    xl.firstWorksheet();
}
