#pragma once
// What a sizing is asked for, in the selection's own terms: the kind of equipment, the design
// conditions as quantities, the regulator's series and setting range, and the inputs as the user
// typed them, which the reports show beside the converted values. Made by the window's form
// (selection/FormInput.h) or by the command-line tool; read by the sizing, the checks, the season
// and the sheets. Depends on Qt Core, the quantities and the selection's kinds only.

#include "core/Quantities.h"
#include "selection/EquipmentKinds.h"
#include "selection/SizingInputs.h"

#include <QString>
#include <optional>

namespace selection {

// The six design conditions of a sizing.
struct DesignConditions {
    qty::Temperature supplyTemperature = qty::Temperature::celsius(0);
    qty::Temperature returnTemperature = qty::Temperature::celsius(0);
    qty::HeatLoad heatLoad = qty::HeatLoad::gcalPerHour(0);
    qty::GaugePressure inletPressure = qty::GaugePressure::kgfPerCm2(0);
    qty::GaugePressure outletPressure = qty::GaugePressure::kgfPerCm2(0);
    qty::Head systemResistance = qty::Head::metres(0);
};

// The conditions in the units the sizing methods take: °C, Gcal/h, kgf/cm², metres of water.
SizingInputs inputsOf(const DesignConditions& conditions);
// The conditions of inputs in those units; inputsOf gives the same numbers back.
DesignConditions conditionsOf(const SizingInputs& in);

// The regulator's choices as rows of its tables (selection/RegulatorSizing.h): `series` a row of
// regulatorSeries(), `settingRange` a row of regulatorSettingRanges(); row 0 of each names
// nothing, and the sizing stops with "Выбраны не все параметры!".
struct RegulatorChoice {
    int series = 0;
    int settingRange = 0;
};

// A unit choice as shown: its text (the prompt's while nothing is chosen) and whether a unit is
// chosen.
struct ShownChoice {
    QString text;
    bool chosen = false;
};

// The inputs as typed and the unit choices as shown, for the reports.
struct TypedTexts {
    QString caption; // the kind of equipment as titled
    QString inletPressure;
    QString outletPressure;
    QString supplyTemperature;
    QString returnTemperature;
    QString heatLoad;
    QString systemResistance;
    ShownChoice inletUnit;
    ShownChoice outletUnit;
    ShownChoice loadUnit;
    ShownChoice resistanceUnit;
};

struct SizingRequest {
    EquipmentKind kind = EquipmentKind::Hydroelevator;
    DesignConditions conditions;
    std::optional<RegulatorChoice> regulator; // the regulator's only
    TypedTexts texts;
};

} // namespace selection
