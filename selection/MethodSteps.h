#pragma once
// Each sizing method described once: per kind, one table of the values it computes, in the order
// it computes them. A row says how the result box prints the value, how JSON and the batch's CSV
// name it, how the calculation sheet writes its formula and puts the numbers into it, and what
// the README's table of values says of it. The sizing code, the calculation sheet, the tool's
// JSON and CSV and the README (through a test) all read these rows.
// Depends on Qt Core only.

#include "selection/EquipmentKinds.h"
#include "selection/SizingInputs.h"
#include "selection/SizingValues.h"

#include <QString>
#include <vector>

namespace selection {

struct MethodStep {
    const ValueField* value;
    const char* name; // in JSON and the CSV: "networkFlow"
    const char* memoLabel; // the result box's words before the number: "Расход сетевой воды = "
    const char* memoUnit;  // after the number: " т/час", or "" for none
    const char* title;     // the calculation sheet's name of the value
    const char* formula;   // the formula in symbols
    const char* sheetUnit; // the unit as the sheet writes it, "" for none
    const char* meaning;   // the README's words
    const char* unitName;  // the README's unit, "–" for none
    // The formula with the numbers put in: the inputs as the method took them, the earlier
    // values with the given number of decimals (the sheet takes as many as the row needs to
    // recompute to its printed result).
    QString (*substituted)(const SizingInputs& in, const SizingValues& values, int decimals);
};

// The steps of the kind's method, in the order it computes them.
const std::vector<MethodStep>& methodSteps(EquipmentKind kind);

// A number text put into a substituted formula: the typographic minus, and a negative number
// bracketed ("-3,20" -> "(−3,20)").
QString formulaNumber(QString text);

// The result box's line of a step: "Расход сетевой воды = 6,23 т/час".
QString memoLine(const MethodStep& step, double value);

} // namespace selection
