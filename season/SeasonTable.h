#pragma once
// The season's points as a table and as charts, one description for every place that shows
// them: the columns (their names in files, their headings, the decimals shown, and which kinds
// have them), and the curves of the two charts (the heating schedule, and what the device does)
// with the points where a check fails. The window plots these series, the calculation sheet
// paints them, the command-line tool prints the table. Depends on the season and Qt Core.

#include "season/Season.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

namespace season {

struct Column {
    const char* name;    // in JSON and table files
    const char* heading; // in the text table, the window and the sheet
    int decimals;        // shown
    std::optional<double> (*value)(const Point&);
    enum class Kinds { All, Elevator, Device } kinds; // Device: valves and regulator
};

// Every column, in order.
const std::vector<Column>& columns();
// The columns a kind has.
std::vector<const Column*> columnsOf(selection::EquipmentKind kind);

// The checks of the point that failed or warn, in order.
std::vector<const checks::Check*> notPassedChecks(const Point& p);
// "id:status" of each of them, joined by blanks.
QString notPassed(const Point& p);

// One curve of a chart: its name in the legend, and (outdoor temperature, value) pairs.
struct Curve {
    QString symbol; // in a narrow legend: "τ1"
    QString name;   // in a wide one: "τ1 — подача"
    std::vector<std::pair<double, double>> points;
    bool rightAxis = false; // against the chart's second value axis
};

// How the curve of an index is drawn, wherever it is drawn: a colour of the Okabe–Ito palette
// (0xRRGGBB), a line style and a mark, so that the curves stay apart in greyscale too. The points
// where a check fails are marked with a cross in kFailingColour.
struct CurveLook {
    unsigned colour;
    enum class Line { Solid, Dash, Dot } line;
    enum class Mark { Circle, Square, Triangle } mark;
};
const CurveLook& curveLook(std::size_t index);
inline constexpr unsigned kFailingColour = 0xD55E00;

struct Chart {
    QString title;
    QString xTitle;
    QString yTitle;
    QString rightTitle; // empty: no second value axis
    std::vector<Curve> curves;
    // The outdoor temperatures where a check fails; marked on every curve.
    std::vector<double> failing;
    // Where the supply is cut: the cut temperature and the outdoor temperature from which on it
    // holds (none without a cut, or when the season never reaches it).
    std::optional<std::pair<double, double>> cut;
};

// τ₁ (as held), τ₂ and τ₃ against the outdoor temperature, with the cut.
Chart scheduleChart(const std::vector<Point>& points, std::optional<double> cut);
// The elevator's network flow with its needed and available head; the valve's or regulator's
// Kv/Kvy.
Chart deviceChart(selection::EquipmentKind kind, const std::vector<Point>& points);

} // namespace season
