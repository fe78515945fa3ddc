#pragma once
// The log of spreadsheet operations that tests compare: every operation called on a component
// (sheet::XLApp), one line each with its arguments, kept per component over its life (several
// exports of one window follow each other). The shared test set-up starts it.

#include "sheet/XLApp.h"

#include <QStringList>

namespace sheettest {

// Starts keeping the log, for the whole test program.
void startRecording();
// Stops keeping it (what was kept stays readable); startRecording goes on.
void stopRecording();

// The operations called on this component while the log was kept.
QStringList recordedCalls(const sheet::XLApp& app);

} // namespace sheettest
