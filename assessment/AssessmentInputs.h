#pragma once
// The one record of assessment inputs: what the window reads from its controls, what the
// savings computations and the report work on, and what a template file holds. Also the system
// choice and the conversion of a typed load into Gcal/h.
// Depends on Qt Core only.

#include <QString>

namespace assessment {

struct AssessmentInputs {
    QString objectName;           // at most 100 characters of code page 1251
    double heatPrice = 0;         // rubles per Gcal, VAT included
    double combinedWorksCost = 0; // thousand rubles
    int heatingPeriodDays = 0;
    double heatingLoad = 0; // Gcal/h
    double existingIndoorTemperature = 0;
    double requiredIndoorTemperature = 0;
    double nightIndoorTemperature = 0;
    double averageOutdoorTemperature = 0;
    double coldestFiveDayTemperature = 0;
    bool heatingNightSetback = false;
    double nightSetbackHours = 0; // hours per working day
    double holidayCount = 0;
    double heatingWorksCost = 0; // thousand rubles
    double hotWaterLoad = 0;     // Gcal/h
    double hotWaterTemperature = 0;
    double summerColdWaterTemperature = 0;
    double winterColdWaterTemperature = 0;
    bool hotWaterNightSetback = false;
    double hotWaterWorksCost = 0; // thousand rubles
};

// The systems an assessment can be run for, as the items of the system choice.
enum class SystemChoice { None = 0, Heating = 1, HotWater = 2, Both = 3 };

// Items of the system choice. The two load-unit choices are the shared unit choices.
const QStringList& systemChoiceItems();

// A load typed in the unit of the given load-unit item, in Gcal/h (see units::Translate). The
// prompt item names no unit; the value is then taken as already in Gcal/h.
double loadInGcalPerHour(double value, int unitItem);

// Hours of the night set-back on a working day from the start and end hours; over midnight
// when the end comes before the start.
double setbackHours(int startHour, int endHour);

// The object name as the record holds it: the first 100 characters, each one that code page
// 1251 lacks replaced by "?".
QString recordObjectName(const QString& typed);

constexpr int kMaxObjectNameLength = 100;

} // namespace assessment
