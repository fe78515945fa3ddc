#include "core/PlantInfo.h"

#include <initializer_list>
#include <iterator>

// All numbers, addresses and accounts below are placeholders: telephone numbers of the 555-01
// series, e-mail and web addresses of the reserved .example domain, postal codes 000000 and
// invented street names.

namespace plant {

namespace {

struct Department {
    const char* heading;
    std::initializer_list<const char*> lines;
};

const Department kDepartments[] = {
    {"Приёмная",
     {"Тел.: +7 (495) 555-01-00", "Факс: +7 (495) 555-01-01", "E-mail: priem@vedan.example",
      "Skype: vedan.example.priem"}},
    {"Отдел сбыта и маркетинга (внутренний рынок)",
     {"Тел.: +7 (495) 555-01-10, +7 (495) 555-01-11", "Факс: +7 (495) 555-01-02",
      "E-mail: sbyt@vedan.example", "Skype: vedan.example.sbyt", "ICQ: 555-010-110"}},
    {"Отдел сбыта и маркетинга по Российской Федерации и странам СНГ",
     {"Тел.: +7 (495) 555-01-20, +7 (495) 555-01-21", "Факс: +7 (495) 555-01-22",
      "E-mail: sng@vedan.example", "Skype: vedan.example.sng", "ICQ: 555-010-120"}},
    {"Отдел маркетинга строительно-монтажных работ",
     {"Тел.: +7 (495) 555-01-30", "Факс: +7 (495) 555-01-31", "E-mail: montazh@vedan.example",
      "Skype: vedan.example.montazh"}},
    {"Конструкторское бюро запорно-регулирующей арматуры и приборов",
     {"Тел.: +7 (495) 555-01-40", "Факс: +7 (495) 555-01-41", "E-mail: kb-armatura@vedan.example",
      "Skype: vedan.example.kb1"}},
    {"Конструкторское бюро электронной техники",
     {"Тел.: +7 (495) 555-01-42", "Факс: +7 (495) 555-01-43",
      "E-mail: kb-elektronika@vedan.example", "Skype: vedan.example.kb2"}},
    {"Отдел технического контроля",
     {"Тел.: +7 (495) 555-01-45", "Факс: +7 (495) 555-01-46", "E-mail: otk@vedan.example"}},
};

const Department kRepresentatives[] = {
    {"ООО \"Ведан-Рус\" (представительство завода в Российской Федерации)",
     {"Директор: Иванов Иван Иванович", "Адрес: 000000, г. Москва, ул. Примерная, д. 1, офис 10",
      "Тел./факс: +7 (495) 555-01-50, +7 (495) 555-01-51", "E-mail: info@vedan-rus.example",
      "Сайт: www.vedan-rus.example"}},
    {"Филиал ОАО \"Завод Ведан\"",
     {"Руководитель филиала: Петров Пётр Петрович",
      "Адрес: 000000, г. Санкт-Петербург, Условный проспект, д. 2",
      "Тел.: +7 (812) 555-01-60, факс: +7 (812) 555-01-61", "E-mail: filial@vedan.example",
      "Сайт: vedan.example/filial"}},
    {"ООО \"Теплосервис-Партнёр\" (партнёр завода)",
     {"Адрес: 000000, г. Екатеринбург, ул. Вымышленная, д. 3",
      "Тел.: +7 (343) 555-01-70, +7 (343) 555-01-71", "E-mail: partner@teploservis.example",
      "Сайт: www.teploservis.example"}},
};

const char* const kHistory[] = {
    "Открытое акционерное общество \"Завод Ведан\" основано в 1959 году как приборостроительное "
    "предприятие оборонной промышленности.",
    "В начале 1990-х годов завод прошёл конверсию и перешёл на выпуск гражданской продукции, а в "
    "1994 году преобразован в открытое акционерное общество.",
    "Сегодня завод разрабатывает и выпускает энергосберегающее оборудование для систем отопления "
    "и горячего водоснабжения: регулирующие гидроэлеваторы, запорно-регулирующие и смесительные "
    "клапаны, регуляторы давления, теплообменники, блочные тепловые пункты. На всё оборудование "
    "завод даёт гарантию четыре года.",
    "Завод выполняет полный цикл работ: обследование объектов, проектирование, монтаж и "
    "пусконаладку тепловых пунктов, а также поставку и установку приборов учёта тепловой "
    "энергии и воды.",
    "Оборудование завода работает в Москве, Санкт-Петербурге, Екатеринбурге, Казани и других "
    "городах России и стран СНГ. Автоматизация тепловых пунктов сократила потребление тепла на "
    "отопление зданий на 20-30 %, на горячее водоснабжение - на 10-15 %.",
    "Продукция завода сертифицирована и внесена в Государственный реестр средств измерений; "
    "система менеджмента качества сертифицирована по ГОСТ Р ИСО 9001. Завод имеет лицензии на "
    "проектные и строительно-монтажные работы.",
    "В 2004 году учреждено представительство завода в Российской Федерации - ООО \"Ведан-Рус\", "
    "а в 2008 году открыт филиал ОАО \"Завод Ведан\" в Санкт-Петербурге.",
};

QStringList entries(const Department* first, const Department* last)
{
    QStringList lines;
    for (const Department* d = first; d != last; ++d) {
        if (d != first)
            lines << QString();
        lines << QString::fromUtf8(d->heading);
        for (const char* line : d->lines)
            lines << QString::fromUtf8(line);
    }
    return lines;
}

} // namespace

QString programTitle()
{
    return QStringLiteral("Программа подбора оборудования произодства ОАО \"Завод Ведан\"");
}

QString shortName() { return QStringLiteral("Завод Ведан"); }
QString fullName()
{
    return QStringLiteral("Открытое акционерное общество \"Завод Ведан\" (ОАО \"Завод Ведан\")");
}
QString webAddress() { return QStringLiteral("vedan.example"); }
QString faxNumber() { return QStringLiteral("+7 (495) 555-01-02"); }
QString email() { return QStringLiteral("sbyt@vedan.example"); }

QStringList contactsText()
{
    QStringList lines{fullName(), QString()};
    return lines + entries(std::begin(kDepartments), std::end(kDepartments));
}

QStringList representativesText()
{
    QStringList lines{QStringLiteral("Представительства и партнёры завода"), QString()};
    return lines + entries(std::begin(kRepresentatives), std::end(kRepresentatives));
}

QStringList historyText()
{
    QStringList lines;
    for (const char* paragraph : kHistory) {
        if (!lines.isEmpty())
            lines << QString();
        lines << QString::fromUtf8(paragraph);
    }
    return lines;
}

} // namespace plant
