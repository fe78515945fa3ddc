#pragma once
// Where calculation sheets of the window are kept and how one is shown: a new file in the
// user's private export folder (written as every export is), opened by the desktop's PDF viewer (xdg-open). The opening step is
// a seam, so that tests never start a viewer. Depends on Qt Core and Gui, the calculation sheet
// and the spreadsheet layer's folder of unsaved exports.

#include "calcsheet/CalculationSheet.h"
#include "core/Failure.h"

#include <QString>
#include <functional>

namespace calcsheet {

using Opener = std::function<bool(const QString& file)>;
// Replaces the opening step; returns the previous one.
Opener setOpener(Opener replacement);
// Opens the file in the desktop's viewer; false when nothing could be started.
bool openPdf(const QString& file);

// The window's command: draws the sheet into a new file of the folder of unsaved exports and
// opens it. The file written, or the failure that stopped it.
vedan::Outcome<QString> showSheet(const SheetData& data);

} // namespace calcsheet
