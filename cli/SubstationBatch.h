#pragma once
// vedan-cli substation --batch FILE.csv [--out OUT]: many substations in one run, one per row of a
// semicolon-separated table whose header names the options of substation without their dashes
// ("scheme" for the scheme), each row's budget exactly as the single command computes it, on the
// batch's reader, threads and writers (cli/Batch.h). Depends on Qt Core, core, sheet and the
// selection, checks and substation libraries.

#include "cli/Batch.h"

namespace cli {

// Computes every row's budget and writes the table (cli/SubstationTable.h) as runBatchOf does,
// with its exit statuses; --strict's 3 is for a failed verdict.
int runSubstationBatch(const BatchFiles& files, bool strict);

} // namespace cli
