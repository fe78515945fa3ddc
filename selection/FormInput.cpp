#include "selection/FormInput.h"

#include "core/Numbers.h"
#include "core/Units.h"
#include "selection/Units.h"

#include <vector>

using vedan::MathError;

namespace selection {

namespace {

struct UnitCheck {
    int SelectionForm::*combo;
    QString message;
};

// In the order the window checks them.
const std::vector<UnitCheck>& unitChecks()
{
    static const QString pressure = QStringLiteral("Выберите величину измерения давления");
    static const std::vector<UnitCheck> checks = {
        {&SelectionForm::comboBox1, QStringLiteral("Выберите величину сопротивления системы")},
        {&SelectionForm::comboBox2, pressure},
        {&SelectionForm::comboBox3, pressure},
        {&SelectionForm::comboBox4, units::loadUnitMissingMessage()},
    };
    return checks;
}

struct ConversionFailed {};

double parse(const QString& text)
{
    const std::optional<double> value = num::parseDecimal(text);
    if (!value)
        throw ConversionFailed{};
    return *value;
}

ShownChoice shown(const QStringList& items, int item)
{
    return {items.value(item), item > units::kPromptItem && item < items.size()};
}

// The failure of a form that does not read, if any.
std::optional<vedan::Failure> refusalOf(const SelectionForm& form)
{
    if (const std::optional<QString> unit = checkUnits(form))
        return vedan::Failure::input(*unit);
    return convertInputs(form).failure;
}

} // namespace

QString& textOf(SelectionForm& form, FormText box)
{
    switch (box) {
    case FormText::InletPressure: return form.edit1;
    case FormText::OutletPressure: return form.edit2;
    case FormText::SupplyTemperature: return form.edit3;
    case FormText::ReturnTemperature: return form.edit4;
    case FormText::HeatLoad: return form.edit5;
    case FormText::SystemResistance: break;
    }
    return form.edit6;
}

int& itemOf(SelectionForm& form, FormChoice choice)
{
    switch (choice) {
    case FormChoice::ResistanceUnit: return form.comboBox1;
    case FormChoice::InletUnit: return form.comboBox2;
    case FormChoice::OutletUnit: return form.comboBox3;
    case FormChoice::LoadUnit: return form.comboBox4;
    case FormChoice::Series: return form.comboBox5;
    case FormChoice::SettingRange: break;
    }
    return form.comboBox6;
}

const QString& textOf(const SelectionForm& form, FormText box)
{
    return textOf(const_cast<SelectionForm&>(form), box);
}

int itemOf(const SelectionForm& form, FormChoice choice)
{
    return itemOf(const_cast<SelectionForm&>(form), choice);
}

std::optional<QString> checkUnits(const SelectionForm& form)
{
    for (const UnitCheck& check : unitChecks()) {
        if (form.*check.combo == units::kPromptItem)
            return check.message;
    }
    return std::nullopt;
}

std::optional<int> firstUnreadableEdit(const SelectionForm& form)
{
    // The order in which convertInputs reads the boxes: the temperatures, the load, the
    // pressures, the resistance.
    static const std::pair<QString SelectionForm::*, int> order[] = {
        {&SelectionForm::edit3, 3}, {&SelectionForm::edit4, 4}, {&SelectionForm::edit5, 5},
        {&SelectionForm::edit1, 1}, {&SelectionForm::edit2, 2}, {&SelectionForm::edit6, 6}};
    for (const auto& [edit, number] : order)
        if (!num::parseDecimal(form.*edit))
            return number;
    return std::nullopt;
}

vedan::Outcome<DesignConditions> convertInputs(const SelectionForm& form)
{
    // The converted values are kept in the units the methods take, so that they reach the
    // methods as the same numbers.
    try {
        SizingInputs in;
        in.supplyTemperature = parse(form.edit3);
        in.returnTemperature = parse(form.edit4);
        in.heatLoad = units::Translate(form.comboBox4, units::kHeatLoad, parse(form.edit5));
        in.inletPressure = units::Translate(form.comboBox2, units::kPressure, parse(form.edit1));
        in.outletPressure = units::Translate(form.comboBox3, units::kPressure, parse(form.edit2));
        in.systemResistance = parse(form.edit6);
        return {conditionsOf(in), std::nullopt};
    } catch (const ConversionFailed&) {
        return {{}, vedan::Failure::input(num::conversionErrorMessage())};
    } catch (const MathError& error) {
        return {{}, vedan::Failure::input(sizing::arithmeticFailure(error.fault()).message)};
    }
}

TypedTexts typedTexts(const SelectionForm& form)
{
    return {.caption = form.title,
            .inletPressure = form.edit1,
            .outletPressure = form.edit2,
            .supplyTemperature = form.edit3,
            .returnTemperature = form.edit4,
            .heatLoad = form.edit5,
            .systemResistance = form.edit6,
            .inletUnit = shown(units::pressureUnitItems(), form.comboBox2),
            .outletUnit = shown(units::pressureUnitItems(), form.comboBox3),
            .loadUnit = shown(units::loadUnitItems(), form.comboBox4),
            .resistanceUnit = shown(units::headUnitItems(), form.comboBox1)};
}

vedan::Outcome<SizingRequest> requestOf(const SelectionForm& form, EquipmentKind kind)
{
    if (const std::optional<QString> unit = checkUnits(form))
        return {{}, vedan::Failure::input(*unit)};
    vedan::Outcome<DesignConditions> conditions = convertInputs(form);
    if (conditions.failure)
        return {{}, std::move(conditions.failure)};
    SizingRequest request;
    request.kind = kind;
    request.conditions = conditions.value;
    // The series and range items stand in the order of the regulator's table rows.
    if (kind == EquipmentKind::Regulator)
        request.regulator =
            RegulatorChoice{.series = form.comboBox5, .settingRange = form.comboBox6};
    request.texts = typedTexts(form);
    return {std::move(request), std::nullopt};
}

SelectionRun runSelection(const SelectionForm& form, const SizingMethod& method)
{
    const std::optional<EquipmentKind> kind = kinds::ofCaption(form.title);
    if (!kind)
        return {refusalOf(form), std::nullopt};
    vedan::Outcome<SizingRequest> request = requestOf(form, *kind);
    if (request.failure)
        return {std::move(request.failure), std::nullopt};
    return {std::nullopt, size(request.value, method)};
}

} // namespace selection
