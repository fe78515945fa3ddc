#include "selection/Units.h"

namespace units {

namespace {

QStringList items(std::initializer_list<const char*> texts)
{
    QStringList list;
    for (const char* text : texts)
        list << QString::fromUtf8(text);
    return list;
}

} // namespace

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

} // namespace units
