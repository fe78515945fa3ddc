#include "assessment/Savings.h"

#include "core/Numbers.h"

using vedan::Ext;
using vedan::MathError;
using vedan::store;

namespace assessment {

namespace {

const QString kC = QStringLiteral(" C");
const QString kIndent6 = QStringLiteral("      ");
const QString kIndent13 = QStringLiteral("             ");
const QString kMoneyLine = QStringLiteral("    Годовая экономия денежных средств составит:");
const QString kPaybackPrefix = QStringLiteral(
    "4.     Срок окупаемости комплекса работ  по внедрению регуляторов расхода тепловой энергии ");

QString savingLine(const QString& lead, double temperature, const QString& afterC, double saving,
                   double percent)
{
    return kIndent6 + lead + num::f2(temperature) + kC + afterC + num::f3(saving)
           + QStringLiteral(" Гкал/год") + QStringLiteral(" что составляет ") + num::f1(percent)
           + QStringLiteral(" %");
}

// The heating section's figures, computed in the order of the method. A figure that an
// arithmetic fault stopped, and every one after it, is absent; the fault is kept.
struct HeatingFigures {
    std::optional<double> annual, requiredSaving, requiredPercent, nightSaving, nightPercent, total,
        money, payback, heatSaving;
    std::optional<vedan::MathFault> fault;
};

// The payback is computed whatever the choice, so that its fault stops every choice alike; only
// the heating choice prints it.
HeatingFigures computeHeating(const AssessmentInputs& in)
{
    HeatingFigures f;
    try {
        const Ext Q = in.heatingLoad, te = in.existingIndoorTemperature,
                  tr = in.requiredIndoorTemperature;
        const Ext tn = in.nightIndoorTemperature, to = in.averageOutdoorTemperature;
        const int D = in.heatingPeriodDays;
        const double annual = store(24.0L * Q * Ext(D));
        f.annual = annual;
        const double requiredLoad = store(Q * (tr - to) / (te - to));
        double nightPercent = 0;
        if (!in.heatingNightSetback) {
            const double saving = store((Q - Ext(requiredLoad)) * 24.0L * Ext(D));
            const double percent = store(Ext(saving) / Ext(annual) * 100.0L);
            f.requiredSaving = saving;
            f.requiredPercent = percent;
        } else {
            const int weeks = D / 7;
            const double reducedHours = store(Ext(D - 2 * weeks) * Ext(in.nightSetbackHours)
                                              + 24.0L * (Ext(2 * weeks) + Ext(in.holidayCount)));
            const double saving =
                store((24.0L * Ext(D) - Ext(reducedHours)) * (Q - Ext(requiredLoad)));
            const double percent = store(Ext(saving) / Ext(annual) * 100.0L);
            f.requiredSaving = saving;
            f.requiredPercent = percent;
            const double nightLoad = store(Q * (tn - to) / (te - to));
            const double night = store(Ext(reducedHours) * (Q - Ext(nightLoad)));
            nightPercent = store(Ext(night) / Ext(annual) * 100.0L);
            f.nightSaving = night;
            f.nightPercent = nightPercent;
        }
        const double total = store(Ext(*f.requiredPercent) + Ext(nightPercent) + 2.0L);
        f.total = total;
        const double money = store(Ext(annual) * Ext(total) / 100.0L * Ext(in.heatPrice) / 1000.0L);
        f.money = money;
        const double payback = store(Ext(in.heatingWorksCost) / Ext(money));
        f.payback = payback;
        f.heatSaving = store(Ext(annual) * Ext(total) / 100.0L);
    } catch (const MathError& e) {
        f.fault = e.fault();
    }
    return f;
}

// The heating section's lines from its figures, up to the first figure that is absent.
QStringList heatingLines(const AssessmentInputs& in, SystemChoice choice, const HeatingFigures& f)
{
    QStringList out;
    out << QStringLiteral("ОТОПЛЕНИЕ.");
    out << QStringLiteral("1. Экономический эффект от внедрения регуляторов расхода тепловой "
                          "энергии на отопление в жилом доме ")
               + in.objectName + QStringLiteral(" имеет следующие составляющие:");
    out << QStringLiteral(
        " -   экономия тепловой энергии за счет поддержания комфортной температуры воздуха в "
        "помещениях путём соблюдения заданного графика зависимости температуры теплоносителя, "
        "поступающего в систему отопления, от температуры наружного воздуха;");
    out << QStringLiteral(" -   ликвидация весенне-осенних перетопов зданий;");
    out << QStringLiteral(
        " -   ограничение температуры теплоносителя, возвращаемого в тепловую сеть");
    out << QStringLiteral(" -   ночное снижение температуры теплоносителя;");
    if (!f.annual)
        return out;
    out << QStringLiteral("2.   При работе без системы регулирования данное здание потребляет за "
                          "отопительный период : ")
               + num::f2(*f.annual) + QStringLiteral(" Гкал/год");
    out << QStringLiteral("3.    Расчет годовой экономии тепловой энергии.");
    if (!f.requiredPercent)
        return out;
    const QString toRequired = QStringLiteral("Снизив температуру в помещении до требуемой ");
    const QString economy = QStringLiteral("получим экономию тепловой энергии: ");
    out << savingLine(toRequired, in.requiredIndoorTemperature,
                      in.heatingNightSetback ? economy : QStringLiteral(" ") + economy,
                      *f.requiredSaving, *f.requiredPercent);
    if (in.heatingNightSetback) {
        if (!f.nightPercent)
            return out;
        out << savingLine(QStringLiteral("Снизив температуру в помещении до ночной "),
                          in.nightIndoorTemperature, QStringLiteral(" ") + economy, *f.nightSaving,
                          *f.nightPercent);
    }
    out << kIndent13
               + QStringLiteral(
                   "Кроме того, экономия тепловой энергии за счет поддержания комфортной "
                   "температуры воздуха в помещении путем соблюдения заданного графика зависимости "
                   "температуры теплоносителя от температуры");
    out << QStringLiteral(
        "наружного воздуха составит минимум 2% (принимается на основании практических наработок)");
    if (!f.total)
        return out;
    out << kIndent13
               + QStringLiteral(
                   "Таки образом, суммарный эффект от установки регулятора на объекте составит ")
               + num::f1(*f.total) + QStringLiteral("% экономии тепловой энергии");
    if (!f.money)
        return out;
    out << kMoneyLine + num::f2(*f.money) + QStringLiteral(" тыс. руб.");
    if (!f.payback)
        return out;
    if (choice == SystemChoice::Heating)
        out << kPaybackPrefix + QStringLiteral("в системе отопления: ") + num::f2(*f.payback)
                   + QStringLiteral(" лет.");
    out << QString();
    return out;
}

// The hot-water section's figures, as for heating.
struct HotWaterFigures {
    std::optional<double> annual, saving, money, payback;
    std::optional<vedan::MathFault> fault;
};

HotWaterFigures computeHotWater(const AssessmentInputs& in, SystemChoice choice)
{
    HotWaterFigures f;
    try {
        const Ext th = in.hotWaterTemperature, ts = in.summerColdWaterTemperature,
                  tw = in.winterColdWaterTemperature;
        const int D = in.heatingPeriodDays;
        const double annual = store(24.0L * Ext(in.hotWaterLoad) * 0.5L
                                    * ((th - ts) / (th - tw) * 0.8L * (350.0L - Ext(D)) + Ext(D)));
        f.annual = annual;
        const double saving = store(Ext(annual) * (in.hotWaterNightSetback ? 0.15L : 0.02L));
        f.saving = saving;
        const double money = store(Ext(saving) * Ext(in.heatPrice) / 1000.0L);
        f.money = money;
        // Only the hot-water choice has a payback of its own, and only then can it stop the run.
        if (choice == SystemChoice::HotWater)
            f.payback = store(Ext(in.hotWaterWorksCost) / Ext(money));
    } catch (const MathError& e) {
        f.fault = e.fault();
    }
    return f;
}

QStringList hotWaterLines(const AssessmentInputs& in, SystemChoice choice, const HotWaterFigures& f)
{
    QStringList out;
    const QString nbsp9(9, QChar(0x00A0));
    out << QStringLiteral("ГОРЯЧЕЕ ВОДОСНАБЖЕНИЕ.");
    out << QStringLiteral("1.  Экономический эффект от внедрения регуляторов расхода тепловой "
                          "энергии на горячее водоснабжение в жилом доме ")
               + in.objectName + QStringLiteral(" имеет следующие составляющие:");
    out << QStringLiteral(" -") + nbsp9
               + QStringLiteral(" экономия тепловой энергии за счет поддержание требуемой "
                                "температуры горячей воды в системе ГВС;");
    out << QStringLiteral(" -") + nbsp9
               + QStringLiteral(
                   " автоматическое снижение температуры горячей воды в ночное время.");
    if (!f.annual)
        return out;
    out << QStringLiteral("2.   Годовой расход теплоты на нужды горячего водоснабжения на объекте ")
               + in.objectName + QStringLiteral("  составляет :") + num::f2(*f.annual)
               + QStringLiteral(" Гкал/год");
    out << QStringLiteral("3.    Расчет годовой экономии тепловой энергии.");
    if (!f.saving)
        return out;
    out << QStringLiteral("    Годовая экономия тепловой энергии составит:") + num::f2(*f.saving)
               + QStringLiteral(" Гкал");
    if (!f.money)
        return out;
    out << kMoneyLine + num::f2(*f.money) + QStringLiteral(" тыс. руб.");
    if (choice == SystemChoice::HotWater) {
        if (!f.payback)
            return out;
        out << kPaybackPrefix + QStringLiteral("в системе ГВС: ") + num::f2(*f.payback)
                   + QStringLiteral(" лет.");
    }
    out << QString();
    return out;
}

// A section's report: its lines, its heat saving (0 after a fault) and the fault.
template <typename Figures>
ReportPart reportOf(QStringList lines, const std::optional<double>& saving, const Figures& f)
{
    ReportPart part;
    part.lines = std::move(lines);
    if (f.fault)
        part.failure = vedan::Failure::arithmetic(*f.fault);
    else
        part.heatSaving = saving.value_or(0);
    return part;
}

} // namespace

ReportPart heatingSavings(const AssessmentInputs& in, SystemChoice choice)
{
    const HeatingFigures figures = computeHeating(in);
    return reportOf(heatingLines(in, choice, figures), figures.heatSaving, figures);
}

ReportPart hotWaterSavings(const AssessmentInputs& in, SystemChoice choice)
{
    const HotWaterFigures figures = computeHotWater(in, choice);
    return reportOf(hotWaterLines(in, choice, figures), figures.saving, figures);
}

} // namespace assessment
