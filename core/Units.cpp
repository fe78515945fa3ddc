#include "core/Units.h"

#include <limits>

namespace units {

namespace {

template <typename Table> QStringList itemsOf(const Table& table)
{
    QStringList items{unitPrompt()};
    for (const auto& unit : table)
        items << QString::fromUtf8(unit.item);
    return items;
}

// The quantity of `value` in the unit of the item, none for the prompt or an item past the table.
template <typename Quantity, std::size_t N>
std::optional<Quantity> made(const Unit<Quantity> (&table)[N], int item, double value)
{
    if (item <= kPromptItem || item > static_cast<int>(N))
        return std::nullopt;
    return table[static_cast<std::size_t>(item - 1)].make(value);
}

} // namespace

QString unitPrompt() { return QStringLiteral("Выберите величину"); }

QString loadUnitMissingMessage() { return QStringLiteral("Выберите величину измерения нагрузки"); }

const QStringList& pressureUnitItems()
{
    static const QStringList list = itemsOf(kPressureUnits);
    return list;
}

const QStringList& loadUnitItems()
{
    static const QStringList list = itemsOf(kLoadUnits);
    return list;
}

const QStringList& headUnitItems()
{
    static const QStringList list = itemsOf(kHeadUnits);
    return list;
}

std::optional<qty::GaugePressure> pressureIn(int unitItem, double value)
{
    return made(kPressureUnits, unitItem, value);
}

std::optional<qty::HeatLoad> loadIn(int unitItem, double value)
{
    return made(kLoadUnits, unitItem, value);
}

// NOLINTNEXTLINE(bugprone-easily-swappable-parameters): the windows' item-index form
double Translate(int unitIndex, int quantity, double value)
{
    if (quantity == kPressure)
        if (const auto p = pressureIn(unitIndex, value))
            return p->inKgfPerCm2();
    if (quantity == kHeatLoad)
        if (const auto q = loadIn(unitIndex, value))
            return q->inGcalPerHour();
    return std::numeric_limits<double>::quiet_NaN();
}

} // namespace units
