#pragma once
// Where unsaved workbooks are kept and how one is handed to the user's spreadsheet application:
// LibreOffice Calc when it is installed (opened as a new, untitled document, in the running
// instance if there is one), otherwise the desktop's default application for .xlsx files
// (xdg-open); neither is waited for (core/Desktop.h).
// Unsaved workbooks go to this user's private folder $XDG_CACHE_HOME/vedan/unsaved (by default
// ~/.cache/vedan/unsaved), which nobody else can enter (core/SafeFile.h).
// Depends on Qt Core and core only.

#include "core/Desktop.h"

#include <QString>

namespace sheet {

// The folder of unsaved workbooks.
QString unsavedFolder();
// The name of a new unsaved workbook, without its extension: the sheet's name made safe as a
// file name, and the time.
QString exportStem(const QString& sheetName);
// Starts the spreadsheet application on the file without waiting for it; `failed` is told the
// reason when neither program could start or the one that started failed.
void openInSpreadsheet(const QString& file, const desktop::Failed& failed);

} // namespace sheet
