#pragma once
// Where calculation sheets of the window are kept and how one is shown: a new file in the
// user's private export folder (written as every export is), opened by the desktop's PDF viewer
// (xdg-open) without waiting for it. The opening step is a seam, so that tests never start a
// viewer; a viewer that cannot open the file is told later, through the report of failed
// openings (core/Desktop.h), with the file's whole path. Depends on Qt Core and Gui, the
// calculation sheet and the spreadsheet layer's folder of unsaved exports.

#include "calcsheet/CalculationSheet.h"
#include "core/Desktop.h"
#include "core/Failure.h"

#include <QString>

namespace calcsheet {

using Opener = desktop::Opener;
// Replaces the opening step; returns the previous one.
Opener setOpener(Opener replacement);
// Opens the file in the desktop's viewer; `failed` is told the reason when it could not.
void openPdf(const QString& file, const desktop::Failed& failed);

// The window's command: draws the sheet into a new file of the folder of unsaved exports and
// opens it. The file written, or the failure that stopped it; a failed opening comes later.
vedan::Outcome<QString> showSheet(const SheetData& data);

} // namespace calcsheet
