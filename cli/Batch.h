#pragma once
// vedan-cli size --batch FILE.csv [--out OUT]: many sizing cases in one run, one per row of a
// semicolon-separated table, each exactly as the single case with --checks --json would size it.
// Depends on Qt Core, core, sheet and the selection and checks libraries.

#include <QString>

namespace cli {

// Sizes every row of the file and writes the table (CSV, JSON or .xlsx by the extension of
// `out`; "-" is CSV on standard output). Returns 0, 1 when a row failed or the output could not
// be written, 2 when the header is wrong, and with `strict` 3 when no row failed but a check of
// some row did.
int runBatch(const QString& file, const QString& out, bool strict = false);

} // namespace cli
