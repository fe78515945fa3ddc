#include "selection/FormFields.h"

#include "core/Numbers.h"
#include "core/Regional.h"
#include "core/Units.h"

#include <map>

namespace selection {

namespace {

using Choices = std::map<QString, int>; // option value -> item of the choice

// The units of a choice by their command-line names.
template <typename Table> Choices unitChoices(const Table& table)
{
    Choices choices;
    for (const auto& unit : table)
        choices.emplace(QString::fromLatin1(unit.token), units::itemOf(table, unit.token));
    return choices;
}

const Choices kPressureUnits = unitChoices(units::kPressureUnits);
const Choices kLoadUnits = unitChoices(units::kLoadUnits);
const Choices kResistanceUnits = unitChoices(units::kHeadUnits);
const Choices kOneToThree = {
    {QStringLiteral("1"), 1}, {QStringLiteral("2"), 2}, {QStringLiteral("3"), 3}};

// A field naming a text box: its text goes into the form as typed.
const std::map<QString, FormText> kTextFields = {
    {QStringLiteral("inlet"), FormText::InletPressure},
    {QStringLiteral("outlet"), FormText::OutletPressure},
    {QStringLiteral("supply"), FormText::SupplyTemperature},
    {QStringLiteral("return"), FormText::ReturnTemperature},
    {QStringLiteral("load"), FormText::HeatLoad},
    {QStringLiteral("resistance"), FormText::SystemResistance},
};

struct ChoiceField {
    FormChoice choice;
    const Choices* choices;
};

// A field naming a choice.
const std::map<QString, ChoiceField> kChoiceFields = {
    {QStringLiteral("inlet-unit"), {FormChoice::InletUnit, &kPressureUnits}},
    {QStringLiteral("outlet-unit"), {FormChoice::OutletUnit, &kPressureUnits}},
    {QStringLiteral("load-unit"), {FormChoice::LoadUnit, &kLoadUnits}},
    {QStringLiteral("resistance-unit"), {FormChoice::ResistanceUnit, &kResistanceUnits}},
    {QStringLiteral("series"), {FormChoice::Series, &kOneToThree}},
    {QStringLiteral("range"), {FormChoice::SettingRange, &kOneToThree}},
};

} // namespace

const QStringList& formFieldNames()
{
    static const QStringList names = {QStringLiteral("kind"),
                                      QStringLiteral("inlet"),
                                      QStringLiteral("inlet-unit"),
                                      QStringLiteral("outlet"),
                                      QStringLiteral("outlet-unit"),
                                      QStringLiteral("supply"),
                                      QStringLiteral("return"),
                                      QStringLiteral("load"),
                                      QStringLiteral("load-unit"),
                                      QStringLiteral("resistance"),
                                      QStringLiteral("resistance-unit"),
                                      QStringLiteral("series"),
                                      QStringLiteral("range")};
    return names;
}

vedan::Outcome<SelectionForm> formOfFields(const Fields& fields)
{
    const auto refused = [](const QString& problem) {
        return vedan::Outcome<SelectionForm>{{}, vedan::Failure::input(problem)};
    };
    SelectionForm form;
    bool kindGiven = false;
    for (const auto& [name, value] : fields) {
        if (name == QLatin1String("kind")) {
            const std::optional<EquipmentKind> kind = kinds::ofToken(value);
            if (!kind)
                return refused(QStringLiteral("неизвестный вид оборудования «%1»").arg(value));
            form.title = kinds::caption(*kind);
            kindGiven = true;
        } else if (const auto text = kTextFields.find(name); text != kTextFields.end()) {
            // The form reads numbers as the window does, by the regional settings; the tool
            // takes a comma or a point.
            textOf(form, text->second) =
                num::withDecimalSeparator(value, regional::decimalSeparator());
        } else if (const auto choice = kChoiceFields.find(name); choice != kChoiceFields.end()) {
            const auto item = choice->second.choices->find(value);
            if (item == choice->second.choices->end())
                return refused(
                    QStringLiteral("недопустимое значение «%1» поля %2").arg(value, name));
            itemOf(form, choice->second.choice) = item->second;
        } else {
            return refused(QStringLiteral("неизвестное поле %1").arg(name));
        }
    }
    if (!kindGiven)
        return refused(QStringLiteral("не указан вид оборудования"));
    return {form, std::nullopt};
}

Fields fieldsOfForm(const SelectionForm& form)
{
    Fields fields;
    if (const std::optional<EquipmentKind> kind = kinds::ofCaption(form.title))
        fields.emplace_back(QStringLiteral("kind"), kinds::token(*kind));
    for (const QString& name : formFieldNames()) {
        if (const auto text = kTextFields.find(name); text != kTextFields.end()) {
            const QString typed = textOf(form, text->second);
            if (typed.isEmpty())
                continue;
            fields.emplace_back(name, numberField(typed));
        } else if (const auto choice = kChoiceFields.find(name); choice != kChoiceFields.end()) {
            const int item = itemOf(form, choice->second.choice);
            for (const auto& [token, at] : *choice->second.choices)
                if (at == item)
                    fields.emplace_back(name, token);
        }
    }
    return fields;
}

QString numberField(const QString& typed)
{
    const std::optional<double> value =
        num::parseDecimal(QString(typed).replace(u'−', u'-').trimmed());
    return value ? num::general(*value, QLatin1Char('.')) : typed;
}

QString boxText(const QString& field)
{
    return num::withDecimalSeparator(field, regional::decimalSeparator());
}

} // namespace selection
