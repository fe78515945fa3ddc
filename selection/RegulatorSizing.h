#pragma once
// Sizing of a direct-acting pressure or differential-pressure regulator: network flow, the
// pressure drop left for the regulator, the required capacity and nominal capacity, and the size
// whose nominal capacity is the next one above it, with the series and setting range codes.
// Depends on Qt Core and the checked arithmetic only.

#include "selection/SizingInputs.h"
#include "selection/SizingOutcome.h"

#include <vector>

namespace selection {

// One size of the regulator catalogue, shared by every series and setting range.
struct RegulatorSize {
    const char* sizeSuffix; // "-" + nominal bore + "." + nominal capacity as designated
    double kvy;             // nominal capacity, m³/h
    int bore;               // nominal bore DN, mm, the first number of the suffix (0: bound row)
};

// Row 0 is a bound row, never offered; the capacities increase strictly.
const std::vector<RegulatorSize>& regulatorCatalogue();
// Indexed by the regulator combo item (0, the prompt, maps to nothing).
const std::vector<const char*>& regulatorSeriesNames();
// Indexed by the setting-range combo item (0, the prompt, maps to nothing).
const std::vector<const char*>& regulatorRangeSuffixes();

// A setting range of the regulator's spring, MPa.
struct SettingRange {
    double from;
    double to;
};

// The setting ranges, indexed like the range suffixes; the same figures the combo box items name.
const std::vector<SettingRange>& regulatorSettingRanges();

namespace sizing {

// seriesIndex and rangeIndex are the item indexes of the two regulator combo boxes; 0 (the
// prompt) in either ends with the failure sizing::choicesMissing() ("Выбраны не все
// параметры!") before anything is computed.
SizingOutcome PodborRp(const SizingInputs& in, int seriesIndex, int rangeIndex);

} // namespace sizing

} // namespace selection
