#include "core/Units.h"

#include <limits>

namespace units {

namespace {

template <typename Quantity> struct UnitItem {
    int item;
    Quantity (*make)(double);
};

constexpr UnitItem<qty::GaugePressure> kPressureUnits[] = {
    {kBar, &qty::GaugePressure::bar},               // Бар
    {kMegapascal, &qty::GaugePressure::megapascal}, // Мпа
    {kKgfPerCm2, &qty::GaugePressure::kgfPerCm2},   // кг/см2
};

constexpr UnitItem<qty::HeatLoad> kLoadUnits[] = {
    {kMegawatt, &qty::HeatLoad::megawatt},       // МВт
    {kGcalPerHour, &qty::HeatLoad::gcalPerHour}, // Гкал/час
};

template <typename Quantity, std::size_t N>
std::optional<Quantity> made(const UnitItem<Quantity> (&units)[N], int item, double value)
{
    for (const UnitItem<Quantity>& unit : units)
        if (unit.item == item)
            return unit.make(value);
    return std::nullopt;
}

} // namespace

QString unitPrompt() { return QStringLiteral("Выберите величину"); }

QString loadUnitMissingMessage() { return QStringLiteral("Выберите величину измерения нагрузки"); }

const QStringList& pressureUnitItems()
{
    static const QStringList list = {unitPrompt(), QStringLiteral("Бар"), QStringLiteral("Мпа"),
                                     QStringLiteral("кг/см2")};
    return list;
}

const QStringList& loadUnitItems()
{
    static const QStringList list = {unitPrompt(), QStringLiteral("МВт"),
                                     QStringLiteral("Гкал/час")};
    return list;
}

const QStringList& headUnitItems()
{
    static const QStringList list = {unitPrompt(), QStringLiteral("М.в,стб.")};
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
