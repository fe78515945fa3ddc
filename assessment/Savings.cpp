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

// The heating section, written line by line into part; a fault thrown here is caught by the
// caller with what was written so far.
void writeHeating(const AssessmentInputs& in, SystemChoice choice, ReportPart& part)
{
    QStringList& out = part.lines;
    const Ext Q = in.heatingLoad, te = in.existingIndoorTemperature,
              tr = in.requiredIndoorTemperature;
    const Ext tn = in.nightIndoorTemperature, to = in.averageOutdoorTemperature;
    const int D = in.heatingPeriodDays;

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

    const double annual = store(24.0L * Q * Ext(D));
    out << QStringLiteral("2.   При работе без системы регулирования данное здание потребляет за "
                          "отопительный период : ")
               + num::f2(annual) + QStringLiteral(" Гкал/год");
    out << QStringLiteral("3.    Расчет годовой экономии тепловой энергии.");

    const double requiredLoad = store(Q * (tr - to) / (te - to));
    double requiredSaving = 0, requiredPercent = 0, nightSaving = 0, nightPercent = 0;
    const QString toRequired = QStringLiteral("Снизив температуру в помещении до требуемой ");
    const QString economy = QStringLiteral("получим экономию тепловой энергии: ");
    if (!in.heatingNightSetback) {
        requiredSaving = store((Q - Ext(requiredLoad)) * 24.0L * Ext(D));
        requiredPercent = store(Ext(requiredSaving) / Ext(annual) * 100.0L);
        out << savingLine(toRequired, in.requiredIndoorTemperature, QStringLiteral(" ") + economy,
                          requiredSaving, requiredPercent);
    } else {
        const int weeks = D / 7;
        const double reducedHours = store(Ext(D - 2 * weeks) * Ext(in.nightSetbackHours)
                                          + 24.0L * (Ext(2 * weeks) + Ext(in.holidayCount)));
        requiredSaving = store((24.0L * Ext(D) - Ext(reducedHours)) * (Q - Ext(requiredLoad)));
        requiredPercent = store(Ext(requiredSaving) / Ext(annual) * 100.0L);
        out << savingLine(toRequired, in.requiredIndoorTemperature, economy, requiredSaving,
                          requiredPercent);
        const double nightLoad = store(Q * (tn - to) / (te - to));
        nightSaving = store(Ext(reducedHours) * (Q - Ext(nightLoad)));
        nightPercent = store(Ext(nightSaving) / Ext(annual) * 100.0L);
        out << savingLine(QStringLiteral("Снизив температуру в помещении до ночной "),
                          in.nightIndoorTemperature, QStringLiteral(" ") + economy, nightSaving,
                          nightPercent);
    }

    out << kIndent13
               + QStringLiteral(
                   "Кроме того, экономия тепловой энергии за счет поддержания комфортной "
                   "температуры воздуха в помещении путем соблюдения заданного графика зависимости "
                   "температуры теплоносителя от температуры");
    out << QStringLiteral(
        "наружного воздуха составит минимум 2% (принимается на основании практических наработок)");

    const double total = store(Ext(requiredPercent) + Ext(nightPercent) + 2.0L);
    out << kIndent13
               + QStringLiteral(
                   "Таки образом, суммарный эффект от установки регулятора на объекте составит ")
               + num::f1(total) + QStringLiteral("% экономии тепловой энергии");
    const double money = store(Ext(annual) * Ext(total) / 100.0L * Ext(in.heatPrice) / 1000.0L);
    out << kMoneyLine + num::f2(money) + QStringLiteral(" тыс. руб.");
    const double payback = store(Ext(in.heatingWorksCost) / Ext(money));
    if (choice == SystemChoice::Heating)
        out << kPaybackPrefix + QStringLiteral("в системе отопления: ") + num::f2(payback)
                   + QStringLiteral(" лет.");
    out << QString();
    part.heatSaving = store(Ext(annual) * Ext(total) / 100.0L);
}

void writeHotWater(const AssessmentInputs& in, SystemChoice choice, ReportPart& part)
{
    QStringList& out = part.lines;
    const Ext th = in.hotWaterTemperature, ts = in.summerColdWaterTemperature,
              tw = in.winterColdWaterTemperature;
    const int D = in.heatingPeriodDays;
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

    const double annual = store(24.0L * Ext(in.hotWaterLoad) * 0.5L
                                * ((th - ts) / (th - tw) * 0.8L * (350.0L - Ext(D)) + Ext(D)));
    out << QStringLiteral("2.   Годовой расход теплоты на нужды горячего водоснабжения на объекте ")
               + in.objectName + QStringLiteral("  составляет :") + num::f2(annual)
               + QStringLiteral(" Гкал/год");
    out << QStringLiteral("3.    Расчет годовой экономии тепловой энергии.");
    const double saving = store(Ext(annual) * (in.hotWaterNightSetback ? 0.15L : 0.02L));
    out << QStringLiteral("    Годовая экономия тепловой энергии составит:") + num::f2(saving)
               + QStringLiteral(" Гкал");
    const double money = store(Ext(saving) * Ext(in.heatPrice) / 1000.0L);
    out << kMoneyLine + num::f2(money) + QStringLiteral(" тыс. руб.");
    if (choice == SystemChoice::HotWater) {
        const double payback = store(Ext(in.hotWaterWorksCost) / Ext(money));
        out << kPaybackPrefix + QStringLiteral("в системе ГВС: ") + num::f2(payback)
                   + QStringLiteral(" лет.");
    }
    out << QString();
    part.heatSaving = saving;
}

template <typename Writer>
ReportPart runSection(Writer write, const AssessmentInputs& in, SystemChoice choice)
{
    ReportPart part;
    try {
        write(in, choice, part);
    } catch (const MathError& e) {
        part.failure = vedan::Failure::arithmetic(e.fault());
        part.heatSaving = 0;
    }
    return part;
}

} // namespace

ReportPart heatingSavings(const AssessmentInputs& in, SystemChoice choice)
{
    return runSection(writeHeating, in, choice);
}

ReportPart hotWaterSavings(const AssessmentInputs& in, SystemChoice choice)
{
    return runSection(writeHotWater, in, choice);
}

} // namespace assessment
