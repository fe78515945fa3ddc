#pragma once
// Where unsaved workbooks are kept and how one is handed to the user's spreadsheet application:
// LibreOffice Calc when it is installed (opened as a new, untitled document, in the running
// instance if there is one), otherwise the desktop's default application for .xlsx files.
// Unsaved workbooks go to this user's private folder $XDG_CACHE_HOME/vedan/unsaved (by default
// ~/.cache/vedan/unsaved), which nobody else can enter (core/SafeFile.h).
// Depends on Qt Core only.

#include <QString>

namespace sheet {

// The folder of unsaved workbooks.
QString unsavedFolder();
// The name of a new unsaved workbook, without its extension: the sheet's name made safe as a
// file name, and the time.
QString exportStem(const QString& sheetName);
// Starts the spreadsheet application on the file, detached from this program.
// False when nothing could be started.
bool openInSpreadsheet(const QString& file);

} // namespace sheet
