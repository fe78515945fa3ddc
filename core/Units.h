#pragma once
// Unit choices, shared by every window that asks for a unit and by the command-line tool: one
// table per choice, one row per unit, holding the text of its combo item, its name on the command
// line and the quantity a value typed in it makes (core/Quantities.h: bar × 1.019716 and
// MPa × 10.19716 give kgf/cm², MW × 0.8598 gives Gcal/h). The combo items (item 0 is the prompt
// "Выберите величину"), their named indexes, the tool's accepted names and the conversion into
// the units the computations work in are all read from these tables. Depends on Qt Core and the
// quantities.

#include "core/Quantities.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <string_view>

namespace units {

// One unit of a choice.
template <typename Quantity> struct Unit {
    const char* item;  // the text of its combo item, UTF-8
    const char* token; // its name on the command line
    Quantity (*make)(double);
};

// The units of each choice, in the order of their combo items after the prompt.
inline constexpr Unit<qty::GaugePressure> kPressureUnits[] = {
    {"Бар", "bar", &qty::GaugePressure::bar},
    {"Мпа", "mpa", &qty::GaugePressure::megapascal},
    {"кг/см2", "kgf", &qty::GaugePressure::kgfPerCm2},
};
inline constexpr Unit<qty::HeatLoad> kLoadUnits[] = {
    {"МВт", "mw", &qty::HeatLoad::megawatt},
    {"Гкал/час", "gcal", &qty::HeatLoad::gcalPerHour},
};
inline constexpr Unit<qty::Head> kHeadUnits[] = {
    {"М.в,стб.", "m", &qty::Head::metres},
};

// Item 0 of every choice is its prompt: nothing is chosen yet.
constexpr int kPromptItem = 0;

// The combo item of the unit named `token` in its table, or kPromptItem when the table has no
// unit of that name.
template <typename Table> constexpr int itemOf(const Table& table, std::string_view token)
{
    int item = kPromptItem;
    for (const auto& unit : table) {
        ++item;
        if (unit.token == token)
            return item;
    }
    return kPromptItem;
}

// Whether every unit of a table has a name of its own, so that a name finds its unit.
template <typename Table> constexpr bool namesAreOwn(const Table& table)
{
    int item = kPromptItem;
    for (const auto& unit : table)
        if (itemOf(table, unit.token) != ++item)
            return false;
    return true;
}
static_assert(namesAreOwn(kPressureUnits) && namesAreOwn(kLoadUnits) && namesAreOwn(kHeadUnits),
              "no two units of a choice share a command-line name");

// The command-line names of a table's units, in order.
template <typename Table> QStringList tokens(const Table& table)
{
    QStringList names;
    for (const auto& unit : table)
        names << QString::fromLatin1(unit.token);
    return names;
}

// Items of the pressure unit choice.
constexpr int kBar = itemOf(kPressureUnits, "bar");
constexpr int kMegapascal = itemOf(kPressureUnits, "mpa");
constexpr int kKgfPerCm2 = itemOf(kPressureUnits, "kgf");
// Items of the load unit choice.
constexpr int kMegawatt = itemOf(kLoadUnits, "mw");
constexpr int kGcalPerHour = itemOf(kLoadUnits, "gcal");
// Item of the head (resistance) unit choice.
constexpr int kMetreOfWater = itemOf(kHeadUnits, "m");
static_assert(kBar != kPromptItem && kMegapascal != kPromptItem && kKgfPerCm2 != kPromptItem
                  && kMegawatt != kPromptItem && kGcalPerHour != kPromptItem
                  && kMetreOfWater != kPromptItem,
              "every named item is a unit of its table");

// The quantity argument of Translate.
constexpr int kPressure = 1;
constexpr int kHeatLoad = 2;

QString unitPrompt(); // "Выберите величину"
// "Выберите величину измерения нагрузки": an action needs the load unit left at its prompt.
QString loadUnitMissingMessage();
// The items of each choice: the prompt, then the units of its table.
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
