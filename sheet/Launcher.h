#pragma once
// Where unsaved workbooks are kept and how one is handed to the user's spreadsheet application:
// LibreOffice Calc when it is installed (opened as a new, untitled document, in the running
// instance if there is one), otherwise the desktop's default application for .xlsx files.
// Depends on Qt Core only.

#include <QString>

namespace sheet {

// The folder of unsaved workbooks under the user's temporary folder.
QString unsavedFolder();
// Reserves a new file name there that no earlier workbook uses, built from the sheet's name.
QString reserveUnsavedFile(const QString& sheetName);
// Starts the spreadsheet application on the file, detached from this program.
// False when nothing could be started.
bool openInSpreadsheet(const QString& file);

} // namespace sheet
