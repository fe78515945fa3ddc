#pragma once
// Unit choices, shared by every window that asks for a unit: the items of the unit combo boxes
// (item 0 is the prompt "Выберите величину") and the conversion of a value typed in a chosen
// unit into the unit the computations work in (core/Quantities.h: bar × 1.019716 and
// MPa × 10.19716 give kgf/cm², MW × 0.8598 gives Gcal/h). Depends on Qt Core and the quantities.

#include "core/Quantities.h"

#include <QString>
#include <QStringList>
#include <optional>

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

// A value typed in the unit of a pressure or load choice item; none for the prompt or an item
// that is not in the choice.
std::optional<qty::GaugePressure> pressureIn(int unitItem, double value);
std::optional<qty::HeatLoad> loadIn(int unitItem, double value);

// value in unit `unitIndex` (the combo item index) of `quantity` -> kgf/cm² or Gcal/h. The windows
// call it only with an item of the choice; any other pair gives NaN, which every formula refuses
// as bad input. Throws MathError on overflow.
// NOLINTNEXTLINE(bugprone-easily-swappable-parameters): the windows' item-index form
double Translate(int unitIndex, int quantity, double value);

} // namespace units
