#pragma once
// The one set-up of every test program, GoogleTest and Qt Test alike. It runs before main:
// - pins the environment so that a run does not depend on the machine: the locale the run is
//   for (VEDAN_TEST_LOCALE: "C", which the program reads as the Russian settings it is made
//   for, or the users' ru_RU.UTF-8, which must then be in force, with a decimal comma, or the
//   program ends with status 1 before its first test), the offscreen platform, a home,
//   temporary folder and cache folder of the build, the command-line tool and Python to use
//   (the names and values are defined once, in tests/CMakeLists.txt);
// - replaces the step that starts the spreadsheet application with a recording stand-in, so
//   that an unexpected export never starts a real application from a test run;
// - turns on the log of spreadsheet operations (tests/support/SheetCalls.h) that tests compare.

#include <QStringList>

namespace testenv {

// Sets everything above; the test programs' start-up calls it, calling it again does no harm.
void pinEnvironment();
// The files that the stand-in was asked to open, in order, since the program started.
QStringList openedByStandIn();
// Whether this run is under the users' locale (ru_RU.UTF-8, a decimal comma in the C library).
bool underUsersLocale();

} // namespace testenv
