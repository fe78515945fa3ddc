#pragma once
// What vedan-cli size prints beside the result lines: the engineering checks, one Russian line
// each, and the whole selection as one JSON object.

#include "checks/Checks.h"
#include "selection/SelectionRun.h"

#include <QString>
#include <vector>

namespace cli {

// "[не пройдена] title (designation): formula; note — источник: source"
QString checkLine(const checks::Check& check);

// {"lines": [...], "message": ..., "values": {...}, "offers": [...], "checks": [...]}: numbers
// unrounded, fields that do not apply null.
QString sizeJson(const selection::SelectionRun& run, const std::vector<checks::Check>& found);

} // namespace cli
