#pragma once
// Choices of the selection window beyond the shared unit choices: the regulator series and
// its setting range, as combo box items made from the regulator's tables
// (selection/RegulatorSizing.h). Depends on Qt Core, the shared unit choices and the number
// texts only.

#include "core/Units.h"

#include <QStringList>

namespace units {

// Item 0 of each list is the prompt.
// The series and the setting ranges, in the order of the rows of regulatorSeries() and
// regulatorSettingRanges().
const QStringList& regulatorItems();
const QStringList& settingRangeItems();

} // namespace units
