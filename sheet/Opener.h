#pragma once
// The step that hands a written workbook to the user's spreadsheet application, as a seam:
// the program opens it with the real application (sheet/Launcher.h), a test puts a stand-in in
// its place so that no test starts a real application. The step does not wait for the
// application; it is told later when nothing could open the file (core/Desktop.h).
// Depends on Qt Core and core only.

#include "core/Desktop.h"

#include <QString>

namespace sheet {

// Opens a written file; tells the reason later when nothing could open it.
using Opener = desktop::Opener;

// Replaces the step that opens a written file; returns the one it replaced. Empty: the
// process's own step below.
Opener setOpener(Opener opener);
// Replaces, for the whole process, the step used when no opener is set: normally the real
// spreadsheet application. The shared test set-up puts a stand-in here, so that no test can
// start a real application, even one that clears its own opener.
void replaceSystemOpener(Opener opener);

// Opens the file with the opener in force; `failed` is told the reason when nothing could open it.
void openWorkbook(const QString& file, const desktop::Failed& failed);

} // namespace sheet
