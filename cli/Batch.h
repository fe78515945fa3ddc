#pragma once
// vedan-cli size --batch FILE.csv [--out OUT]: many sizing cases in one run, one per row of a
// semicolon-separated table, each exactly as the single case with --checks --json would size it.
// Depends on Qt Core, core, sheet and the selection and checks libraries.

#include <QString>

namespace cli {

// The table of cases and the file the results go to.
struct BatchFiles {
    QString input;
    QString output;
};

// Sizes every row of the input and writes the table (CSV, JSON or .xlsx by the extension of the
// output; "-" is CSV on standard output). Returns 0, 1 when a row failed or the output could not
// be written, 2 when the header is wrong, and with `strict` 3 when no row failed but a check of
// some row did.
int runBatch(const BatchFiles& files, bool strict = false);

} // namespace cli
