#include "selection/SelectionRun.h"

#include "core/Numbers.h"
#include "selection/EquipmentKinds.h"
#include "selection/HydroelevatorSizing.h"
#include "selection/RegulatorSizing.h"
#include "selection/Units.h"
#include "selection/ValveSizing.h"

namespace selection {

namespace {

struct UnitCheck {
    int SelectionForm::*combo;
    const char* message;
};

// In the order the window checks them.
const UnitCheck kUnitChecks[] = {
    {&SelectionForm::comboBox1, "Выберите величину сопротивления системы"},
    {&SelectionForm::comboBox2, "Выберите величину измерения давления"},
    {&SelectionForm::comboBox3, "Выберите величину измерения давления"},
    {&SelectionForm::comboBox4, "Выберите величину измерения нагрузки"},
};

struct ConversionFailed {};

double parse(const QString& text)
{
    const std::optional<double> value = num::parseDecimal(text);
    if (!value)
        throw ConversionFailed{};
    return *value;
}

SizingOutcome runSizing(EquipmentKind kind, const SizingInputs& in, const SelectionForm& form)
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

QString conversionErrorMessage()
{
    return QStringLiteral("Неправильный ввод данных. Дробные числа вводяться через запятую!!!");
}

QString mathErrorMessage() { return QStringLiteral("Неправильный ввод данных.!!!"); }

QString choicesMissingMessage() { return QStringLiteral("Выбраны не все параметры!"); }

std::optional<QString> checkUnits(const SelectionForm& form)
{
    for (const UnitCheck& check : kUnitChecks) {
        if (form.*check.combo == 0)
            return QString::fromUtf8(check.message);
    }
    return std::nullopt;
}

std::variant<SizingInputs, QString> convertInputs(const SelectionForm& form)
{
    try {
        SizingInputs in;
        in.supplyTemperature = parse(form.edit3);
        in.returnTemperature = parse(form.edit4);
        in.heatLoad = units::Translate(form.comboBox4, units::kHeatLoad, parse(form.edit5));
        in.inletPressure = units::Translate(form.comboBox2, units::kPressure, parse(form.edit1));
        in.outletPressure = units::Translate(form.comboBox3, units::kPressure, parse(form.edit2));
        in.systemResistance = parse(form.edit6);
        return in;
    } catch (const ConversionFailed&) {
        return conversionErrorMessage();
    } catch (const MathError&) {
        return mathErrorMessage();
    }
}

std::optional<QString> messageOf(const SizingOutcome& outcome)
{
    switch (outcome.stop) {
    case SizingOutcome::Stop::None: return std::nullopt;
    case SizingOutcome::Stop::MathFault: return mathErrorMessage();
    case SizingOutcome::Stop::ChoicesMissing: return choicesMissingMessage();
    }
    return std::nullopt;
}

SelectionRun runSelection(const SelectionForm& form)
{
    SelectionRun run;
    if ((run.message = checkUnits(form)))
        return run;
    const auto converted = convertInputs(form);
    if (const QString* message = std::get_if<QString>(&converted)) {
        run.message = *message;
        return run;
    }
    const std::optional<EquipmentKind> kind = kinds::ofCaption(form.title);
    if (!kind)
        return run;
    const SizingOutcome outcome = runSizing(*kind, std::get<SizingInputs>(converted), form);
    run.lines = outcome.lines;
    run.message = messageOf(outcome);
    return run;
}

} // namespace selection
