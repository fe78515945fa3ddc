#pragma once
// What vedan-cli size prints beside the result lines: the engineering checks, one Russian line
// each, and the whole selection as one JSON object (core/Json.h).
// Depends on Qt Core, core and the selection and checks libraries.

#include "checks/Checks.h"
#include "core/Json.h"
#include "selection/SelectionRun.h"

#include <QString>
#include <vector>

namespace cli {

// The shortest text that reads back as the same double, with a point: the JSON printer's and the
// batch's unrounded number.
QString shortestNumber(double value);

// One check as a JSON object: id, designation, status, title, formula, value, limits, unit,
// source, note.
json::Value checkJson(const checks::Check& check);

// "[не пройдена] title (designation): formula; note — источник: source"
QString checkLine(const checks::Check& check);

// {"lines": [...], "message": ..., "values": {...}, "offers": [...], "checks": [...],
// "verdict": ...}: numbers unrounded, fields that do not apply null; the verdict is the worst
// status of the checks, null when the run ended in a message.
json::Value sizeJsonValue(const selection::SelectionRun& run,
                          const std::vector<checks::Check>& found);
QString sizeJson(const selection::SelectionRun& run, const std::vector<checks::Check>& found);

} // namespace cli
