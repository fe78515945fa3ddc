#pragma once
// The step that hands a written workbook to the user's spreadsheet application, as a seam:
// the program opens it with the real application (sheet/Launcher.h), a test puts a stand-in in
// its place so that no test starts a real application. Depends on Qt Core only.

#include <QString>
#include <functional>

namespace sheet {

// Opens a written file; false when nothing could open it.
using Opener = std::function<bool(const QString& file)>;

// Replaces the step that opens a written file; returns the one it replaced. Empty: the
// process's own step below.
Opener setOpener(Opener opener);
// Replaces, for the whole process, the step used when no opener is set: normally the real
// spreadsheet application. The shared test set-up puts a stand-in here, so that no test can
// start a real application, even one that clears its own opener.
void replaceSystemOpener(Opener opener);

// Opens the file with the opener in force; false when nothing could open it.
bool openWorkbook(const QString& file);

} // namespace sheet
