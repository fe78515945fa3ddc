#include "selection/MethodSteps.h"

#include "core/Numbers.h"

namespace selection {

namespace {

// An input, as the method took it (as typed, for a value typed in the method's unit).
QString p(double input) { return formulaNumber(num::general(input)); }
// An earlier value of the method, with the decimals the row needs to recompute.
QString q(const ValueField& field, const SizingValues& values, int decimals)
{
    // Earlier values are present whenever a later one is: the methods compute them in order.
    return formulaNumber(num::fixed(field.read(values).value_or(0), decimals));
}

const char* const kFlowFormula = "G = Q·10⁶·1,163·3,6 / ((τ1 − τ2)·4,2) / 1000";

QString flowNumbers(const SizingInputs& in, const SizingValues&, int)
{
    return p(in.heatLoad) + QStringLiteral("·10⁶·1,163·3,6 / ((") + p(in.supplyTemperature)
           + QStringLiteral(" − ") + p(in.returnTemperature) + QStringLiteral(")·4,2) / 1000");
}

QString dropNumbers(const SizingInputs& in, const SizingValues&, int)
{
    return QStringLiteral("(") + p(in.inletPressure) + QStringLiteral(" − ") + p(in.outletPressure)
           + QStringLiteral(") − ") + p(in.systemResistance) + QStringLiteral(" / 10");
}

template <const ValueField* Drop>
QString kvNumbers(const SizingInputs&, const SizingValues& s, int d)
{
    return q(valuefields::kNetworkFlow, s, d) + QStringLiteral(" / √") + q(*Drop, s, d);
}

QString kvyNumbers(const SizingInputs&, const SizingValues& s, int d)
{
    return QStringLiteral("1,2·") + q(valuefields::kRequiredKv, s, d);
}

const std::vector<MethodStep> kHydroelevator = {
    {&valuefields::kNetworkFlow, "networkFlow", "Расход сетевой воды на отопление = ", " т/час",
     "Расход сетевой воды на отопление", kFlowFormula, "т/ч", "network water flow", "t/h",
     flowNumbers},
    {&valuefields::kMixingRatio, "mixingRatio", "Расчетный коэффициент смешения = ", "",
     "Расчётный коэффициент смешения", "u = (τ1 − 95) / (95 − τ2)", "", "design mixing ratio", "–",
     [](const SizingInputs& in, const SizingValues&, int) {
         return QStringLiteral("(") + p(in.supplyTemperature) + QStringLiteral(" − 95) / (95 − ")
                + p(in.returnTemperature) + QLatin1Char(')');
     }},
    {&valuefields::kAvailableHead, "availableHead", "Распологаемый перепад на вводе = ", " м",
     "Располагаемый перепад на вводе", "ΔH = (P1 − P2)·10", "м", "available head at the inlet", "m",
     [](const SizingInputs& in, const SizingValues&, int) {
         return QStringLiteral("(") + p(in.inletPressure) + QStringLiteral(" − ")
                + p(in.outletPressure) + QStringLiteral(")·10");
     }},
    {&valuefields::kThroatDiameter, "throatDiameter",
     "Диаметр горловины (камеры смешения) = ", " мм", "Диаметр горловины (камеры смешения)",
     "dг = 8,5·⁴√(G²·(1 + u)² / S)", "мм", "throat (mixing chamber) diameter", "mm",
     [](const SizingInputs& in, const SizingValues& s, int d) {
         return QStringLiteral("8,5·⁴√(") + q(valuefields::kNetworkFlow, s, d)
                + QStringLiteral("²·(1 + ") + q(valuefields::kMixingRatio, s, d)
                + QStringLiteral(")² / ") + p(in.systemResistance) + QLatin1Char(')');
     }},
    {&valuefields::kNozzleDiameter, "nozzleDiameter", "Диаметр сопла (воронки) = ", " мм",
     "Диаметр сопла (воронки)", "dс = 9,6·⁴√(G² / ΔH)", "мм", "nozzle diameter", "mm",
     [](const SizingInputs&, const SizingValues& s, int d) {
         return QStringLiteral("9,6·⁴√(") + q(valuefields::kNetworkFlow, s, d)
                + QStringLiteral("² / ") + q(valuefields::kAvailableHead, s, d) + QLatin1Char(')');
     }},
};

const std::vector<MethodStep> kValve = {
    {&valuefields::kNetworkFlow, "networkFlow", "Расход сетевой воды = ", " т/час",
     "Расход сетевой воды", kFlowFormula, "т/ч", "network water flow", "t/h", flowNumbers},
    {&valuefields::kValvePressureDrop, "valvePressureDrop",
     "Перепад давления на клапане с учетом падения давления = ", " кгс/см2",
     "Перепад давления на клапане с учётом сопротивления системы", "ΔP = (P1 − P2) − S / 10",
     "кгс/см²", "pressure drop across the valve", "kgf/cm²", dropNumbers},
    {&valuefields::kRequiredKv, "requiredKv", "Пропускная способность клапана = ", " м3/час",
     "Пропускная способность", "Kv = G / √ΔP", "м³/ч", "required capacity", "m³/h",
     kvNumbers<&valuefields::kValvePressureDrop>},
    {&valuefields::kRequiredKvy, "requiredKvy",
     "Условная пропускная способность клапана = ", " м3/час", "Условная пропускная способность",
     "Kvy = 1,2·Kv", "м³/ч", "required nominal capacity, 1.2 × `requiredKv`", "m³/h", kvyNumbers},
};

const std::vector<MethodStep> kRegulator = {
    {&valuefields::kNetworkFlow, "networkFlow", "Расход сетевой воды = ", " т/час",
     "Расход сетевой воды", kFlowFormula, "т/ч", "network water flow", "t/h", flowNumbers},
    {&valuefields::kRegulatorPressureDrop, "regulatorPressureDrop",
     "Перепад давления на регуляторе с учетом падения давления = ", " кгс/см2",
     "Перепад давления на регуляторе с учётом сопротивления системы", "ΔP = (P1 − P2) − S / 10",
     "кгс/см²", "pressure drop left across the regulator", "kgf/cm²", dropNumbers},
    {&valuefields::kRequiredKv, "requiredKv", "Пропускная способность регулятора = ", " м3/час",
     "Пропускная способность", "Kv = G / √ΔP", "м³/ч", "required capacity", "m³/h",
     kvNumbers<&valuefields::kRegulatorPressureDrop>},
    {&valuefields::kRequiredKvy, "requiredKvy",
     "Условная пропускная способность регулятора = ", " м3/час", "Условная пропускная способность",
     "Kvy = 1,2·Kv", "м³/ч", "required nominal capacity, 1.2 × `requiredKv`", "m³/h", kvyNumbers},
};

} // namespace

const std::vector<MethodStep>& methodSteps(EquipmentKind kind)
{
    switch (kind) {
    case EquipmentKind::Hydroelevator: return kHydroelevator;
    case EquipmentKind::Regulator: return kRegulator;
    case EquipmentKind::ControlValve:
    case EquipmentKind::MixingValve: break;
    }
    return kValve;
}

QString formulaNumber(QString text)
{
    if (!text.startsWith(u'-'))
        return text;
    text[0] = QChar(0x2212);
    return QLatin1Char('(') + text + QLatin1Char(')');
}

QString memoLine(const MethodStep& step, double value)
{
    return QString::fromUtf8(step.memoLabel) + num::f2(value) + QString::fromUtf8(step.memoUnit);
}

} // namespace selection
