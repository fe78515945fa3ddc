#include "selection/SelectionRun.h"

#include "core/Numbers.h"
#include "core/Units.h"
#include "selection/HydroelevatorSizing.h"
#include "selection/RegulatorSizing.h"
#include "selection/ValveSizing.h"

#include <vector>

using vedan::MathError;

namespace selection {

std::optional<QString> SelectionRun::message() const
{
    if (!failure)
        return std::nullopt;
    return failure->message;
}

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

SizingOutcome librarySizing(EquipmentKind kind, const SizingInputs& in, const SelectionForm& form)
{
    switch (kind) {
    case EquipmentKind::Hydroelevator: return sizing::PodborRG(in);
    case EquipmentKind::ControlValve: return sizing::PodborKZR(in);
    case EquipmentKind::MixingValve: return sizing::PodborKST(in);
    case EquipmentKind::Regulator: return sizing::PodborRp(in, form.comboBox5, form.comboBox6);
    }
    return {};
}

} // namespace

const Methods& libraryMethods()
{
    static const Methods methods{units::Translate, librarySizing};
    return methods;
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

std::variant<SizingInputs, QString> convertInputs(const SelectionForm& form, const Methods& methods)
{
    try {
        SizingInputs in;
        in.supplyTemperature = parse(form.edit3);
        in.returnTemperature = parse(form.edit4);
        in.heatLoad = methods.translate(form.comboBox4, units::kHeatLoad, parse(form.edit5));
        in.inletPressure = methods.translate(form.comboBox2, units::kPressure, parse(form.edit1));
        in.outletPressure = methods.translate(form.comboBox3, units::kPressure, parse(form.edit2));
        in.systemResistance = parse(form.edit6);
        return in;
    } catch (const ConversionFailed&) {
        return num::conversionErrorMessage();
    } catch (const MathError& error) {
        return sizing::arithmeticFailure(error.fault()).message;
    }
}

SelectionRun runSelection(const SelectionForm& form, const Methods& methods)
{
    SelectionRun run;
    if (const std::optional<QString> unit = checkUnits(form)) {
        run.failure = vedan::Failure::input(*unit);
        return run;
    }
    const auto converted = convertInputs(form, methods);
    if (const QString* message = std::get_if<QString>(&converted)) {
        run.failure = vedan::Failure::input(*message);
        return run;
    }
    const std::optional<EquipmentKind> kind = kinds::ofCaption(form.title);
    if (!kind)
        return run;
    run.kind = kind;
    run.inputs = std::get<SizingInputs>(converted);
    SizingOutcome outcome = methods.size(*kind, *run.inputs, form);
    run.lines = std::move(outcome.lines);
    run.failure = std::move(outcome.failure);
    run.values = outcome.values;
    run.offers = std::move(outcome.offers);
    return run;
}

} // namespace selection
