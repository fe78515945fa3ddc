#pragma once
// Unit choices, shared by every window that asks for a unit: the items of the unit combo boxes
// (item 0 is the prompt "Выберите величину") and the conversion of a value typed in a chosen
// unit into the unit the computations work in: bar × 1.019716 and MPa × 10.19716 give kgf/cm²,
// MW × 0.8598 gives Gcal/h. Depends on Qt Core and the checked arithmetic only.

#include <QString>
#include <QStringList>

namespace units {

// The quantity argument of Translate.
constexpr int kPressure = 1;
constexpr int kHeatLoad = 2;

// Item 0 of every choice is its prompt: nothing is chosen yet.
constexpr int kPromptItem = 0;
// Items of the pressure unit choice.
constexpr int kBar = 1;
constexpr int kMegapascal = 2;
constexpr int kKgfPerCm2 = 3;
// Items of the load unit choice.
constexpr int kMegawatt = 1;
constexpr int kGcalPerHour = 2;
// Item of the head (resistance) unit choice.
constexpr int kMetreOfWater = 1;

QString unitPrompt(); // "Выберите величину"
// "Выберите величину измерения нагрузки": an action needs the load unit left at its prompt.
QString loadUnitMissingMessage();
const QStringList& pressureUnitItems(); // prompt, "Бар", "Мпа", "кг/см2"
const QStringList& loadUnitItems();     // prompt, "МВт", "Гкал/час"
const QStringList& headUnitItems();     // prompt, "М.в,стб."

// Bar per metre of water column (1 m w.c. = 9806.65 Pa): the valve authority adds the system's
// resistance in metres to the valve's drop G²/Kvy² in bar.
inline constexpr long double kBarPerMetreOfWater = 0.0980665L;
// Bar per kgf/cm² (1 kgf/cm² = 98 066.5 Pa = 0.980665 bar).
inline constexpr double kBarPerKgfCm2 = 0.980665;
// Megapascals per kgf/cm² (1 kgf/cm² = 98 066.5 Pa): the water properties take MPa.
inline constexpr double kMegapascalPerKgfCm2 = 0.0980665;

// value in unit `unitIndex` (the combo item index) of `quantity` -> kgf/cm² or Gcal/h.
// Throws MathError on overflow, std::invalid_argument for a pair that is not a unit.
double Translate(int unitIndex, int quantity, double value);

} // namespace units
