#include "core/Units.h"

#include "core/Checked.h"

#include <stdexcept>

using vedan::Ext;
using vedan::store;

namespace units {

namespace {

struct Conversion {
    int quantity;
    int unitIndex;
    long double factor;
};

// kgf/cm² and Gcal/h are the units of the computations.
constexpr Conversion kConversions[] = {
    {kPressure, kBar, 1.019716L},        // Бар
    {kPressure, kMegapascal, 10.19716L}, // Мпа
    {kPressure, kKgfPerCm2, 1.0L},       // кг/см2
    {kHeatLoad, kMegawatt, 0.8598L},     // МВт
    {kHeatLoad, kGcalPerHour, 1.0L},     // Гкал/час
};

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

double Translate(int unitIndex, int quantity, double value)
{
    for (const Conversion& c : kConversions) {
        if (c.quantity == quantity && c.unitIndex == unitIndex)
            return c.factor == 1.0L ? value : store(Ext(value) * c.factor);
    }
    throw std::invalid_argument("no such unit");
}

} // namespace units
