#include "cli/SizeRequest.h"

#include "cli/CliOptions.h"
#include "core/Numbers.h"
#include "core/Regional.h"
#include "core/Units.h"
#include "selection/EquipmentKinds.h"

#include <map>

using namespace selection;

namespace cli {

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

const QStringList& sizeFieldNames()
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

vedan::Outcome<SelectionForm> sizeForm(const Fields& fields)
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

vedan::Outcome<SelectionForm> sizeFormOfOptions(const QCommandLineParser& parser,
                                                const QString& kind)
{
    Fields fields = {{QStringLiteral("kind"), kind}};
    for (const QString& name : sizeFieldNames().mid(1)) {
        const std::optional<QString> value = single(parser, name);
        if (!value)
            return {{},
                    vedan::Failure::input(QStringLiteral("параметр --%1 указан дважды").arg(name))};
        if (parser.isSet(name))
            fields.emplace_back(name, *value);
    }
    return sizeForm(fields);
}

SizeResult sizeCase(const SelectionForm& form, bool withChecks, bool checkTexts)
{
    SizeResult result{form, selection::runSelection(form), {}};
    if (withChecks && result.run.sized)
        result.checks = checks::evaluate(*result.run.sized, checkTexts);
    return result;
}

} // namespace cli
