#pragma once
// The record as the assessment window reads it with its default texts, both load units in
// Gcal/h and the night set-back from 17 to 09.

#include "assessment/AssessmentInputs.h"

inline assessment::AssessmentInputs defaultInputs()
{
    assessment::AssessmentInputs in;
    in.objectName = QStringLiteral("г. Город  ул. Улица д. 10");
    in.heatPrice = 1606.29;
    in.combinedWorksCost = 573.82;
    in.heatingPeriodDays = 220;
    in.heatingLoad = 0.15;
    in.existingIndoorTemperature = 26;
    in.requiredIndoorTemperature = 22;
    in.nightIndoorTemperature = 16;
    in.averageOutdoorTemperature = -4.6;
    in.coldestFiveDayTemperature = -27;
    in.heatingNightSetback = true;
    in.nightSetbackHours = 16;
    in.holidayCount = 16;
    in.heatingWorksCost = 573.82;
    in.hotWaterLoad = 0.11;
    in.hotWaterTemperature = 55;
    in.summerColdWaterTemperature = 15;
    in.winterColdWaterTemperature = 5;
    in.hotWaterNightSetback = true;
    in.hotWaterWorksCost = 573.82;
    return in;
}
