#include "selection/Units.h"

#include "core/Checked.h"

#include <stdexcept>

namespace units {

namespace {

struct Conversion {
    int quantity;
    int unitIndex;
    long double factor;
};

// kgf/cm² and Gcal/h are the units of the computations.
constexpr Conversion kConversions[] = {
    {kPressure, 1, 1.019716L}, // Бар
    {kPressure, 2, 10.19716L}, // Мпа
    {kPressure, 3, 1.0L},      // кг/см2
    {kHeatLoad, 1, 0.8598L},   // МВт
    {kHeatLoad, 2, 1.0L},      // Гкал/час
};

QStringList items(std::initializer_list<const char*> texts)
{
    QStringList list;
    for (const char* text : texts)
        list << QString::fromUtf8(text);
    return list;
}

} // namespace

const QStringList& pressureUnitItems()
{
    static const QStringList list = items({"Выберите величину", "Бар", "Мпа", "кг/см2"});
    return list;
}

const QStringList& loadUnitItems()
{
    static const QStringList list = items({"Выберите величину", "МВт", "Гкал/час"});
    return list;
}

const QStringList& resistanceUnitItems()
{
    static const QStringList list = items({"Выберите величину", "М.в,стб."});
    return list;
}

const QStringList& regulatorItems()
{
    static const QStringList list = items({
        "Выберите регулятор давления и перепада",
        "РЕГУЛЯТОР ПЕРЕПАДА ДАВЛЕНИЯ ПРЯМОГО ДЕЙСТВИЯ ЖМ",
        "РЕГУЛЯТОР ДАВЛЕНИЯ ПРЯМОГО ДЕЙСТВИЯ \"ПОСЛЕ СЕБЯ\" НС-А",
        "РЕГУЛЯТОР ДАВЛЕНИЯ ПРЯМОГО ДЕЙСТВИЯ \"ДО СЕБЯ\" НС-В",
    });
    return list;
}

const QStringList& settingRangeItems()
{
    static const QStringList list = items({
        "Выберите диапазон настройки",
        "от 0,04 МПа до 0,16 МПа",
        "от 0,1 МПа до 0,4 МПа",
        "от 0,3 МПа до 0,7 МПа",
    });
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
