#include "questionnaire/Panels.h"

#include "core/Units.h"

namespace questionnaire {

namespace {

const QStringList& kPressureUnits = units::pressureUnitItems();
const QStringList& kLoadUnits = units::loadUnitItems();
const QStringList& kHeadUnits = units::headUnitItems();

ControlSpec edit(const QString& name, const QString& text, bool enabled = true)
{
    return {name, ControlType::Edit, text, {}, false, enabled};
}

ControlSpec combo(const QString& name, const QStringList& items)
{
    return {name, ControlType::Combo, {}, items, false, true};
}

ControlSpec check(const QString& name, const QString& caption)
{
    return {name, ControlType::Check, caption, {}, true, true};
}

ControlSpec memo(const QString& name, const QString& text)
{
    return {name, ControlType::Memo, text, {}, false, true};
}

// The customer block, the same on every panel under the panel's own names (organisation, head,
// who filled in the form, telephones, object, address). The samples are placeholders: area
// code 000 is assigned to nobody, the street is a made-up one.
QList<ControlSpec> customerControls(const QStringList& names)
{
    static const QStringList samples = {
        QStringLiteral("ООО \"Организация №1\""),
        QStringLiteral("Иванов Иван Иванович"),
        QStringLiteral("Петров Петр Петрович, менеджер по продажам"),
        QStringLiteral("+7 (000) 000-00-01, +7 (000) 000-00-02"),
        QStringLiteral("Производственный корпус ОАО \"Завод Ведан\""),
        QStringLiteral("Россия, г. Москва, ул. Примерная, д. 1"),
    };
    QList<ControlSpec> controls;
    for (int i = 0; i < names.size(); ++i)
        controls.append(edit(names[i], samples[i]));
    return controls;
}

QList<FormLine> customerLines(const QStringList& names)
{
    QList<FormLine> lines;
    for (int i = 0; i < names.size(); ++i)
        lines.append({customerLabels()[i], {names[i]}, {}});
    return lines;
}

QString itpMemoTemplate()
{
    return QStringList{
        QStringLiteral(
            "1. Атоматическое регулирование систем отопления( если да - вид и количество "),
        QStringLiteral("систем в одном теплопункте."),
        {},
        {},
        QStringLiteral("2. Необходимость установки контрольных датчиков температуры в "),
        QStringLiteral("помещениях( да/нет)"),
        {},
        {},
        QStringLiteral("3.Автоматическое регулирование систем ГВС(если да -вид и количество "),
        QStringLiteral("систем в одном теплопункте)"),
        {},
        {},
        QStringLiteral("4. Необходимость в шкафах управления(уточнить количство - для насосов "),
        QStringLiteral("отопления и ГВС)"),
        {},
        {},
        QStringLiteral("5. Диспетчиризация систем регулирования(при возможности указать вид "),
        QStringLiteral("связи - радио, GSM, выделенная линия и т.п.)"),
        {},
        {},
        QStringLiteral("6. дополнительные требования:"),
    }
        .join(QLatin1Char('\n'));
}

PanelSpec itpPanel()
{
    PanelSpec p{Kind::Itp,
                QStringLiteral("Panel3"),
                QStringLiteral("Опросный лист индивидульного теплового пункта"),
                QStringLiteral("Button3"),
                QStringLiteral("BitBtn3"),
                {},
                {}};
    p.controls = customerControls({QStringLiteral("Edit38"), QStringLiteral("Edit39"),
                                   QStringLiteral("Edit40"), QStringLiteral("Edit41"),
                                   QStringLiteral("Edit48"), QStringLiteral("Edit49")});
    p.controls += {
        edit(QStringLiteral("Edit42"), QStringLiteral("100")),
        edit(QStringLiteral("Edit43"), QStringLiteral("5")),
        edit(QStringLiteral("Edit44"), QStringLiteral("4")),
        combo(QStringLiteral("ComboBox17"),
              {QStringLiteral("Выберите вид объекта регулирования"), QStringLiteral("ИТП"),
               QStringLiteral("ЦТП"), QStringLiteral("Технологическое оборудование"),
               QStringLiteral("Другое")}),
        edit(QStringLiteral("Edit45"), QStringLiteral("Укажите вид объекта регулирования"), false),
        combo(QStringLiteral("ComboBox18"), {QStringLiteral("Выберите вид теплоносителя"),
                                             QStringLiteral("Вода"), QStringLiteral("Пар")}),
        combo(QStringLiteral("ComboBox19"),
              {QStringLiteral("Выберите тип теплоисточника"), QStringLiteral("ТЭЦ"),
               QStringLiteral("Котельная"), QStringLiteral("ЦТП"), QStringLiteral("Другое")}),
        edit(QStringLiteral("Edit46"), QStringLiteral("Альтернативный тип теплоисточника"), false),
        edit(QStringLiteral("Edit47"), QStringLiteral("115")),
        edit(QStringLiteral("Edit50"), QStringLiteral("70")),
        edit(QStringLiteral("Edit51"), QStringLiteral("4")),
        combo(QStringLiteral("ComboBox20"), kPressureUnits),
        check(QStringLiteral("CheckBox6"),
              QStringLiteral("Установка приборов учета тепловой энергии")),
        edit(QStringLiteral("Edit52"), QStringLiteral("Введите производителя")),
        check(QStringLiteral("CheckBox7"),
              QStringLiteral(
                  "Организация контроля систем регулирования с ПК, находящейся на объекте")),
        edit(QStringLiteral("Edit53"), QStringLiteral("3")),
        edit(QStringLiteral("Edit54"), QStringLiteral("4")),
        edit(QStringLiteral("Edit55"), QStringLiteral("2")),
        edit(QStringLiteral("Edit57"), QStringLiteral("3")),
        edit(QStringLiteral("Edit56"), QStringLiteral("4")),
        combo(QStringLiteral("ComboBox21"),
              {QStringLiteral("Выберите вид системы отопления"), QStringLiteral("Независимая"),
               QStringLiteral("Зависимая с элеватором"),
               QStringLiteral("Зависимая без элеватора")}),
        edit(QStringLiteral("Edit58"), QStringLiteral("1")),
        edit(QStringLiteral("Edit59"), QStringLiteral("15")),
        edit(QStringLiteral("Edit60"), QStringLiteral("50")),
        combo(QStringLiteral("ComboBox22"),
              {QStringLiteral("Выберите вид системы ГВС"), QStringLiteral("Открытая"),
               QStringLiteral("От ЦТП"), QStringLiteral("Параллельная"),
               QStringLiteral("Двухступенчатая смешанная")}),
        edit(QStringLiteral("Edit61"), QStringLiteral("55")),
        combo(QStringLiteral("ComboBox23"),
              {QStringLiteral("Выберите наличие циркуляции"), QStringLiteral("Циркуляция есть"),
               QStringLiteral("Циркуляции нет")}),
        edit(QStringLiteral("Edit62"), QStringLiteral("4")),
        combo(QStringLiteral("ComboBox24"), kPressureUnits),
        edit(QStringLiteral("Edit63"), QStringLiteral("50")),
        memo(QStringLiteral("Memo3"), itpMemoTemplate()),
    };
    QList<FormLine> customer = customerLines({QStringLiteral("Edit38"), QStringLiteral("Edit39"),
                                              QStringLiteral("Edit40"), QStringLiteral("Edit41"),
                                              QStringLiteral("Edit48"), QStringLiteral("Edit49")});
    QList<FormLine> object = customer.mid(4);
    customer = customer.mid(0, 4);
    object += {
        {QStringLiteral("Количество квартир"), {QStringLiteral("Edit42")}, {}},
        {QStringLiteral("Количество этажей"), {QStringLiteral("Edit43")}, {}, true},
        {QStringLiteral("Количество подъездов"), {QStringLiteral("Edit44")}, {}, true},
        {{}, {QStringLiteral("ComboBox17"), QStringLiteral("Edit45")}, {}},
    };
    p.groups = {
        {customerHeading(), 0, customer},
        {QStringLiteral("СВЕДЕНИЯ ОБ ОБЪЕКТЕ"), 0, object},
        {QStringLiteral("РЕГУЛИРУЮЩАЯ СРЕДА"),
         0,
         {
             {QStringLiteral("Вид теплоносителя"), {QStringLiteral("ComboBox18")}, {}},
             {QStringLiteral("Тип теплоисточника"),
              {QStringLiteral("ComboBox19"), QStringLiteral("Edit46")},
              {}},
             {QStringLiteral("Температурный график тепловой сети на вводе в объект"),
              {QStringLiteral("Edit47"), QStringLiteral("Edit50")},
              QStringLiteral("/")},
             {QStringLiteral("Перепад давления между под. и обр. трубопроводами на вводе"),
              {QStringLiteral("Edit51"), QStringLiteral("ComboBox20")},
              {}},
         }},
        {QStringLiteral("ДОПОЛНИТЕЛЬНЫЕ СВЕДЕНИЯ"),
         0,
         {
             {{}, {QStringLiteral("CheckBox6"), QStringLiteral("Edit52")}, {}},
             {{}, {QStringLiteral("CheckBox7")}, {}},
             {QStringLiteral("Габариты помещения для установки (Длинна/Ширина/Высота) в метрах"),
              {QStringLiteral("Edit53"), QStringLiteral("Edit54"), QStringLiteral("Edit55")},
              QStringLiteral("/")},
             {QStringLiteral(
                  "Мин. габариты проемов для доставки к месту установки (ширина/высота) в метрах"),
              {QStringLiteral("Edit57"), QStringLiteral("Edit56")},
              QStringLiteral("/")},
         }},
        {QStringLiteral("СВЕДЕНИЯ О СИСТЕМАХ ТЕПЛОСНАБЖЕНИЯ ОБЪЕКТА"),
         1,
         {
             {QStringLiteral("Вид системы отопления"), {QStringLiteral("ComboBox21")}, {}},
             {QStringLiteral(
                  "Стат. давление системы отопления относительно теплопункта, м.вод.сб."),
              {QStringLiteral("Edit58")},
              {}},
             {QStringLiteral("Расчетная температура наружного воздуха для системы отопления, С"),
              {QStringLiteral("Edit59")},
              {}},
             {QStringLiteral("Ду трубопроводов в месте монтажа клапанов для системы отопления"),
              {QStringLiteral("Edit60")},
              {}},
             {QStringLiteral("Вид системы ГВС"), {QStringLiteral("ComboBox22")}, {}},
             {QStringLiteral("Температура горячей воды, С"), {QStringLiteral("Edit61")}, {}},
             {QStringLiteral("Наличие циркуляции в системе ГВС"),
              {QStringLiteral("ComboBox23")},
              {}},
             {QStringLiteral("Давление на вводе водопровода"),
              {QStringLiteral("Edit62"), QStringLiteral("ComboBox24")},
              {}},
             {QStringLiteral("Ду трубопроводов в месте монтажа клапанов для системы ГВС"),
              {QStringLiteral("Edit63")},
              {}},
         }},
        {QStringLiteral("ПРЕДЛОЖЕНИЕ ЗАКАЗЧИКА ПО СИСТЕМАМ РЕГУЛИРОВАНИЯ"),
         1,
         {{{}, {QStringLiteral("Memo3")}, {}}}},
    };
    return p;
}

PanelSpec btpPanel()
{
    PanelSpec p{Kind::Btp,
                QStringLiteral("Panel1"),
                QStringLiteral("Опросный лист блочного теплового пункта"),
                QStringLiteral("Button1"),
                QStringLiteral("BitBtn1"),
                {},
                {}};
    const QStringList customer = {QStringLiteral("Edit1"), QStringLiteral("Edit2"),
                                  QStringLiteral("Edit3"), QStringLiteral("Edit4"),
                                  QStringLiteral("Edit5"), QStringLiteral("Edit6")};
    p.controls = customerControls(customer);
    p.controls += {
        edit(QStringLiteral("Edit7"), QStringLiteral("0,08")),
        combo(QStringLiteral("ComboBox4"), kLoadUnits),
        edit(QStringLiteral("Edit8"), QStringLiteral("0,08")),
        combo(QStringLiteral("ComboBox2"), kLoadUnits),
        combo(QStringLiteral("ComboBox1"),
              {QStringLiteral("Выберите среду"), QStringLiteral("Вода"), QStringLiteral("Пар")}),
        edit(QStringLiteral("Edit9"), QStringLiteral("115")),
        edit(QStringLiteral("Edit10"), QStringLiteral("70")),
        edit(QStringLiteral("Edit11"), QStringLiteral("4")),
        combo(QStringLiteral("ComboBox3"), kPressureUnits),
        edit(QStringLiteral("Edit12"), QStringLiteral("3,8")),
        combo(QStringLiteral("ComboBox5"), kPressureUnits),
        combo(QStringLiteral("ComboBox6"),
              {QStringLiteral("Выберите систему"), QStringLiteral("Независимая"),
               QStringLiteral("Зависимая")}),
        combo(QStringLiteral("ComboBox7"),
              {QStringLiteral("Выберите тип системы"), QStringLiteral("С элеваторным узлом"),
               QStringLiteral("С насосами смешения")}),
        combo(QStringLiteral("ComboBox8"),
              {QStringLiteral("Выберите тип системы"), QStringLiteral("Открытая"),
               QStringLiteral("Параллельная"), QStringLiteral("Двухступенчатая смешанная")}),
        edit(QStringLiteral("Edit13"), QStringLiteral("55")),
        edit(QStringLiteral("Edit14"), QStringLiteral("4")),
        combo(QStringLiteral("ComboBox9"), kPressureUnits),
        combo(QStringLiteral("ComboBox10"),
              {QStringLiteral("Выберите параметр"), QStringLiteral("Да"), QStringLiteral("Нет")}),
        check(QStringLiteral("CheckBox1"),
              QStringLiteral("Установка приборов учета тепловой энергии")),
        edit(QStringLiteral("Edit15"), QStringLiteral("Введите производителя")),
        check(QStringLiteral("CheckBox2"),
              QStringLiteral("Автоматическое регулирование в системе отопления")),
        check(QStringLiteral("CheckBox3"),
              QStringLiteral(
                  "Автоматическое снижение расхода тепла на отопление в \"нерабочее\" время")),
        check(QStringLiteral("CheckBox4"),
              QStringLiteral("Автоматическое поддержание температуры горячей воды")),
        check(QStringLiteral("CheckBox5"),
              QStringLiteral("Автоматическое отключение циркуляционных насосов ГВС по времени")),
        edit(QStringLiteral("Edit16"), QStringLiteral("3")),
        edit(QStringLiteral("Edit17"), QStringLiteral("4")),
        edit(QStringLiteral("Edit18"), QStringLiteral("2")),
        edit(QStringLiteral("Edit20"), QStringLiteral("3")),
        edit(QStringLiteral("Edit19"), QStringLiteral("4")),
        memo(QStringLiteral("Memo1"), {}),
    };
    p.groups = {
        {customerHeading(), 0, customerLines(customer)},
        {QStringLiteral("ТЕПЛОВЫЕ НАГРУЗКИ"),
         0,
         {
             {QStringLiteral("На отопление"),
              {QStringLiteral("Edit7"), QStringLiteral("ComboBox4")},
              {}},
             {QStringLiteral("На горячее водоснабжение"),
              {QStringLiteral("Edit8"), QStringLiteral("ComboBox2")},
              {}},
             {QStringLiteral("Греющая среда"), {QStringLiteral("ComboBox1")}, {}},
             {QStringLiteral("Температурный график"),
              {QStringLiteral("Edit9"), QStringLiteral("Edit10")},
              QStringLiteral("/")},
             {QStringLiteral("Давление в подающей линии"),
              {QStringLiteral("Edit11"), QStringLiteral("ComboBox3")},
              {}},
             {QStringLiteral("Давление в обратной линии"),
              {QStringLiteral("Edit12"), QStringLiteral("ComboBox5")},
              {}},
             {QStringLiteral("Система отопления"),
              {QStringLiteral("ComboBox6"), QStringLiteral("ComboBox7")},
              {}},
             {QStringLiteral("Система горячего водоснабжения"), {QStringLiteral("ComboBox8")}, {}},
             {QStringLiteral("Температура горячей воды, С"), {QStringLiteral("Edit13")}, {}},
             {QStringLiteral("Давление на вводе водопровода"),
              {QStringLiteral("Edit14"), QStringLiteral("ComboBox9")},
              {}},
             {QStringLiteral("Наличие циркуляции в системе ГВС"),
              {QStringLiteral("ComboBox10")},
              {}},
         }},
        {QStringLiteral("ДОПОЛНИТЕЛЬНЫЕ ТРЕБОВАНИЯ"), 1, {{{}, {QStringLiteral("Memo1")}, {}}}},
        {QStringLiteral("ДОПОЛНИТЕЛЬНЫЕ ПАРАМЕТРЫ"),
         1,
         {
             {{}, {QStringLiteral("CheckBox1"), QStringLiteral("Edit15")}, {}},
             {{}, {QStringLiteral("CheckBox2")}, {}},
             {{}, {QStringLiteral("CheckBox3")}, {}},
             {{}, {QStringLiteral("CheckBox4")}, {}},
             {{}, {QStringLiteral("CheckBox5")}, {}},
             {QStringLiteral(
                  "Габариты помещения для установки БТП (Длинна/Ширина/Высота) в метрах"),
              {QStringLiteral("Edit16"), QStringLiteral("Edit17"), QStringLiteral("Edit18")},
              QStringLiteral("/")},
             {QStringLiteral("Минимальные габариты проемов для доставки БТП к месту установки "
                             "(ширина/высота) в метрах"),
              {QStringLiteral("Edit20"), QStringLiteral("Edit19")},
              QStringLiteral("/")},
         }},
    };
    return p;
}

PanelSpec platePanel()
{
    PanelSpec p{Kind::Plate,
                QStringLiteral("Panel2"),
                QStringLiteral("Опросный лист пластинчатого теплообменника"),
                QStringLiteral("Button2"),
                QStringLiteral("BitBtn2"),
                {},
                {}};
    const QStringList customer = {QStringLiteral("Edit21"), QStringLiteral("Edit22"),
                                  QStringLiteral("Edit23"), QStringLiteral("Edit24"),
                                  QStringLiteral("Edit25"), QStringLiteral("Edit26")};
    p.controls = customerControls(customer);
    p.controls += {
        edit(QStringLiteral("Edit27"), QStringLiteral("0,08")),
        combo(QStringLiteral("ComboBox11"), kLoadUnits),
        edit(QStringLiteral("Edit28"), QStringLiteral("0,08")),
        combo(QStringLiteral("ComboBox12"), kLoadUnits),
        edit(QStringLiteral("Edit29"), QStringLiteral("115")),
        edit(QStringLiteral("Edit30"), QStringLiteral("115")),
        edit(QStringLiteral("Edit31"), QStringLiteral("0,08")),
        combo(QStringLiteral("ComboBox13"), kHeadUnits),
        edit(QStringLiteral("Edit34"), QStringLiteral("115")),
        edit(QStringLiteral("Edit33"), QStringLiteral("115")),
        edit(QStringLiteral("Edit32"), QStringLiteral("0,08")),
        combo(QStringLiteral("ComboBox14"), kHeadUnits),
        combo(QStringLiteral("ComboBox15"),
              {QStringLiteral("Выберите схему присоединения системы ГВС к тепловым сетям."),
               QStringLiteral("Параллельная"), QStringLiteral("Двухступенчатая смешанная"),
               QStringLiteral("Двухступенчатая последовательная"),
               QStringLiteral("Наличие циркуляционного патрубка для ГВС")}),
        edit(QStringLiteral("Edit35"), QStringLiteral("4")),
        combo(QStringLiteral("ComboBox16"), kPressureUnits),
        edit(QStringLiteral("Edit36"), QStringLiteral("115")),
        edit(QStringLiteral("Edit37"), QStringLiteral("20")),
        memo(QStringLiteral("Memo2"), {}),
    };
    const QString headLoss = QStringLiteral("Допустимые потери напора в теплообменнике");
    p.groups = {
        {customerHeading(), 0, customerLines(customer)},
        {QStringLiteral("ТЕПЛОНОСИТЕЛЬ"),
         0,
         {
             {QStringLiteral("Тепловая нагрузка на отопление"),
              {QStringLiteral("Edit27"), QStringLiteral("ComboBox11")},
              {}},
             {QStringLiteral("Тепловая нагрузка на горячее водоснабжение"),
              {QStringLiteral("Edit28"), QStringLiteral("ComboBox12")},
              {}},
         }},
        {QStringLiteral("ГРЕЮЩАЯ СРЕДА"),
         0,
         {
             {QStringLiteral("Температура в подающем трубопроводе, С"),
              {QStringLiteral("Edit29")},
              {}},
             {QStringLiteral("Температура в обратном трубопроводе, С"),
              {QStringLiteral("Edit30")},
              {}},
             {headLoss, {QStringLiteral("Edit31"), QStringLiteral("ComboBox13")}, {}},
         }},
        {QStringLiteral("НАГРЕВАЕМАЯ СРЕДА"),
         0,
         {
             {QStringLiteral("Начальна температура, С"), {QStringLiteral("Edit34")}, {}},
             {QStringLiteral("Конечная температура, С"), {QStringLiteral("Edit33")}, {}},
             {headLoss, {QStringLiteral("Edit32"), QStringLiteral("ComboBox14")}, {}},
         }},
        {QStringLiteral("ТРЕБОВАНИЯ К ТЕПЛООБМЕННИКУ"),
         1,
         {
             {{}, {QStringLiteral("ComboBox15")}, {}},
             {QStringLiteral("Максимальное рабочее давление"),
              {QStringLiteral("Edit35"), QStringLiteral("ComboBox16")},
              {}},
             {QStringLiteral("Максимальная рабочаа температура, С"),
              {QStringLiteral("Edit36")},
              {}},
             {QStringLiteral("Запас теплообменника по поверхности, не менее %"),
              {QStringLiteral("Edit37")},
              {}},
         }},
        {QStringLiteral("ДОПОЛНИТЕЛЬНЫЕ ТРЕБОВАНИЯ"), 1, {{{}, {QStringLiteral("Memo2")}, {}}}},
    };
    return p;
}

} // namespace

const ControlSpec* PanelSpec::control(const QString& name) const
{
    for (const ControlSpec& c : controls)
        if (c.name == name)
            return &c;
    return nullptr;
}

QString labelOf(const PanelSpec& panel, const QString& control)
{
    for (const GroupSpec& group : panel.groups)
        for (const FormLine& line : group.lines)
            if (!line.controls.isEmpty() && line.controls.front() == control)
                return line.label;
    return {};
}

const QList<PanelSpec>& panels()
{
    static const QList<PanelSpec> all = {itpPanel(), btpPanel(), platePanel()};
    return all;
}

const PanelSpec& panel(Kind kind)
{
    for (const PanelSpec& p : panels())
        if (p.kind == kind)
            return p;
    return panels().front();
}

std::optional<Kind> kindForCaption(const QString& caption)
{
    for (const PanelSpec& p : panels())
        if (p.caption == caption)
            return p.kind;
    return std::nullopt;
}

QString defaultCaption() { return QStringLiteral("Заполнение опросного листа"); }
QString customerHeading() { return QStringLiteral("СВЕДЕНИЯ О ЗАКАЗЧИКЕ"); }

const QStringList& customerLabels()
{
    static const QStringList labels = {
        QStringLiteral("Организация (предприятие)"),
        QStringLiteral("ФИО руководителя"),
        QStringLiteral("ФИО, должность заполнившего опросный лист"),
        QStringLiteral("Контактный телефон, факс"),
        QStringLiteral("Наименование объекта"),
        QStringLiteral("Адрес объекта"),
    };
    return labels;
}

QString requestCaption() { return QStringLiteral("Сформировать заявку"); }
QString exitCaption() { return QStringLiteral("Выход"); }

PanelValues defaults(Kind kind)
{
    PanelValues values;
    for (const ControlSpec& c : panel(kind).controls) {
        switch (c.type) {
        case ControlType::Edit:
        case ControlType::Memo: values.texts.insert(c.name, c.text); break;
        case ControlType::Combo: values.choices.insert(c.name, 0); break;
        case ControlType::Check: values.checks.insert(c.name, c.checked); break;
        }
    }
    return values;
}

QString chosenItem(const PanelSpec& panel, const PanelValues& values, const QString& combo)
{
    const ControlSpec* spec = panel.control(combo);
    const int index = values.choices.value(combo, 0);
    if (!spec || index < 0 || index >= spec->items.size())
        return {};
    return spec->items[index];
}

} // namespace questionnaire
