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

// One series of regulators, as the series combo box offers it.
struct RegulatorSeries {
    const char* item;  // the combo box item
    const char* code;  // the series that opens the designation
    bool differential; // holds a pressure difference (ЖМ), not a pressure (НС-А, НС-В)
};

// A setting range of the regulator's spring, MPa, and the code that closes the designation.
struct SettingRange {
    double from;
    double to;
    const char* suffix;
};

// Indexed by the item of the series combo box; row 0 is its prompt, which names no series.
const std::vector<RegulatorSeries>& regulatorSeries();
// Indexed by the item of the setting-range combo box; row 0 is its prompt. The items name the
// same figures: "от 0,04 МПа до 0,16 МПа".
const std::vector<SettingRange>& regulatorSettingRanges();

namespace sizing {

// seriesIndex and rangeIndex are the item indexes of the two regulator combo boxes; 0 (the
// prompt) in either ends with the failure sizing::choicesMissing() ("Выбраны не все
// параметры!") before anything is computed.
SizingOutcome PodborRp(const SizingInputs& in, int seriesIndex, int rangeIndex);

} // namespace sizing

} // namespace selection
