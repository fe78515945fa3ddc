#include "assessment/Report.h"

#include "core/Numbers.h"

using vedan::Ext;
using vedan::MathError;
using vedan::store;

namespace assessment {

namespace {

const QString kC = QStringLiteral(" C");

QString withValue(const QString& text, double value, const QString& unit)
{
    return text + num::f2(value) + unit;
}

QStringList heatingEcho(const AssessmentInputs& in, bool withCost)
{
    QStringList out;
    out << QStringLiteral("ИСХОДНЫЕ ПАРАМЕТРЫ ОТОПЛЕНИЯ");
    out << withValue(QStringLiteral("Среднечасовой расход тепла за отопительный период "),
                     in.heatingLoad, QStringLiteral(" Гкал/час"));
    out << withValue(
        QStringLiteral("Существующая температура внутреннего воздуха отапливаемых зданий "),
        in.existingIndoorTemperature, kC);
    out << withValue(
        QStringLiteral("Требуемая температура внутреннего воздуха отапливаемых зданий "),
        in.requiredIndoorTemperature, kC);
    if (in.heatingNightSetback)
        out << withValue(QStringLiteral("Температура внутреннего воздуха в ночной период "),
                         in.nightIndoorTemperature, kC);
    out << withValue(
        QStringLiteral("Средняя температура наружного воздуха за отопительный период "),
        in.averageOutdoorTemperature, kC);
    out << withValue(QStringLiteral("Средняя температуры воздуха наиболее холодной пятидневки "),
                     in.coldestFiveDayTemperature, kC);
    out << (in.heatingNightSetback
                ? QStringLiteral(
                    "С автоматическим снижением температуры теплоносителя в ночной период")
                : QStringLiteral(
                    "Без автоматического снижения температуры теплоносителя в ночной период"));
    if (withCost)
        out << withValue(
            QStringLiteral(
                "Стоимость работ по установке системы регулирования отопления (тыс. руб.)"),
            in.heatingWorksCost, QStringLiteral(" тыс. руб."));
    return out;
}

QStringList hotWaterEcho(const AssessmentInputs& in, bool withCost)
{
    QStringList out;
    out << QStringLiteral("ИСХОДНЫЙ ПАРАМЕТРЫ ГОРЯЧЕГО ВОДОСНАБЖЕНИЯ");
    out << withValue(QStringLiteral("Среднечасовой расход тепла за отопительный период "),
                     in.hotWaterLoad, QStringLiteral(" Гкал/час"));
    out << withValue(QStringLiteral("Температура горячей воды "), in.hotWaterTemperature, kC);
    out << withValue(QStringLiteral("Температура холодной (водопроводной) воды в летний период "),
                     in.summerColdWaterTemperature, kC);
    out << withValue(QStringLiteral("Температура холодной (водопроводной) воды в зимний период "),
                     in.winterColdWaterTemperature, kC);
    out << (in.hotWaterNightSetback
                ? QStringLiteral(
                    "С автоматическим снижением температуры горячей воды в ночной период")
                : QStringLiteral(
                    "Без автоматического снижения температуры горячей воды в ночной период"));
    if (withCost)
        out << withValue(
            QStringLiteral("Стоимость работ по установке системы регулирования ГВС (тыс. руб.)"),
            in.hotWaterWorksCost, QStringLiteral(" тыс. руб."));
    return out;
}

void append(ReportPart& whole, const ReportPart& part)
{
    whole.lines += part.lines;
    whole.failure = part.failure;
}

} // namespace

QStringList reportHeader(SystemChoice choice, const QString& objectText, const QString& priceText)
{
    return {QStringLiteral("Технико-экономическое обоснование реконструкции ИТП"),
            systemChoiceItems().value(static_cast<int>(choice)), objectText,
            QStringLiteral("при стоимости одной Гкал ") + priceText, QString()};
}

QStringList inputEcho(const AssessmentInputs& in, SystemChoice choice)
{
    QStringList out;
    switch (choice) {
    case SystemChoice::None: return out;
    case SystemChoice::Heating:
        out << heatingEcho(in, true) << QString() << QStringLiteral("Расчет ТЭО.");
        return out;
    case SystemChoice::HotWater:
        out << hotWaterEcho(in, true) << QString() << QStringLiteral("РАСЧЕТ ТЭО.");
        return out;
    case SystemChoice::Both:
        out << heatingEcho(in, false) << QString() << hotWaterEcho(in, false);
        out << withValue(
            QStringLiteral(
                "Стоимость работ по установке системы регулирования ОТОМЛЕНИЯ И ГВС (тыс. руб.)"),
            in.combinedWorksCost, QStringLiteral(" тыс. руб."));
        out << QString() << QStringLiteral("РАСЧЕТ ТЭО.");
        return out;
    }
    return out;
}

ReportPart combinedTotal(const AssessmentInputs& in, double heatingSaving, double hotWaterSaving)
{
    ReportPart part;
    part.lines << QStringLiteral("ОБЩИЙ ИТОГ.");
    try {
        const double payback =
            store(Ext(in.combinedWorksCost)
                  / ((Ext(heatingSaving) + Ext(hotWaterSaving)) * Ext(in.heatPrice) / 1000.0L));
        part.lines << QStringLiteral(" Срок окупаемости комплекса работ  по внедрению регуляторов "
                                     "расхода тепловой энергии: ")
                          + num::f2(payback) + QStringLiteral(" лет.");
        part.lines << QString();
        part.heatSaving = store(Ext(heatingSaving) + Ext(hotWaterSaving));
    } catch (const MathError& e) {
        part.failure = vedan::Failure::arithmetic(e.fault());
    }
    return part;
}

ReportPart assessmentBody(const AssessmentInputs& in, SystemChoice choice)
{
    ReportPart body;
    body.lines = inputEcho(in, choice);
    double heating = 0, hotWater = 0;
    if (choice == SystemChoice::Heating || choice == SystemChoice::Both) {
        const ReportPart part = heatingSavings(in, choice);
        append(body, part);
        if (!part.ok())
            return body;
        heating = part.heatSaving;
    }
    if (choice == SystemChoice::HotWater || choice == SystemChoice::Both) {
        const ReportPart part = hotWaterSavings(in, choice);
        append(body, part);
        if (!part.ok())
            return body;
        hotWater = part.heatSaving;
    }
    if (choice == SystemChoice::Both)
        append(body, combinedTotal(in, heating, hotWater));
    body.heatSaving = heating + hotWater;
    return body;
}

} // namespace assessment
