#pragma once
// The season's points as a table and as charts, one description for every place that shows
// them: the columns (their names in files, their headings, the decimals shown, and which kinds
// have them), the verdict of a point, and the curves of the two charts (the heating schedule,
// and what the device does) with the points where a check fails or warns marked on the curve
// the check concerns. The window plots these series, the calculation sheet
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

// The checks of the point with the status, in order.
std::vector<const checks::Check*> checksWith(const Point& p, checks::Status status);

// How a point's checks are named in its verdict text.
enum class CheckNames { Titles, Ids };
// The verdict of a point with the checks that failed and, apart, those that warn:
// "× не пройдена: A; B; ! предупреждение: C", "! предупреждение: C" or "пройдена". Titles are
// joined by "; ", ids by ", ".
QString verdictText(const Point& p, CheckNames names);

// The curves of the charts, each for one quantity of a point.
enum class Quantity { Supply, Mixed, Return, NeededHead, AvailableHead, NetworkFlow, Capacity };

// The curve on which a failing or warning check is marked, read from one table: the supply
// checks on τ1, the elevator's checks on its needed head, the valve's, the regulator's and the
// catalogue's on the device's capacity (Kv/Kvy). None for a check the table does not name.
std::optional<Quantity> markedOn(const QString& checkId);

// One curve of a chart: its name in the legend, and (outdoor temperature, value) pairs.
struct Curve {
    Quantity quantity;
    QString symbol; // in a narrow legend: "τ1"
    QString name;   // in a wide one: "τ1 — подача"
    std::vector<std::pair<double, double>> points;
    bool rightAxis = false; // against the chart's second value axis
    // The points of the curve where a check it carries fails, and where one only warns.
    std::vector<std::pair<double, double>> failing;
    std::vector<std::pair<double, double>> warning;
};

// How the curve of an index is drawn, wherever it is drawn: a colour of the Okabe–Ito palette
// (0xRRGGBB), a line style and a mark, so that the curves stay apart in greyscale too. A failing
// point is marked with a star (a cross on the sheet) in kFailingColour, a point that only warns
// with an open diamond in kWarningColour, each on the curve its check concerns.
struct CurveLook {
    unsigned colour;
    enum class Line { Solid, Dash, Dot } line;
    enum class Mark { Circle, Square, Triangle } mark;
};
const CurveLook& curveLook(std::size_t index);
inline constexpr unsigned kFailingColour = 0xD55E00;
inline constexpr unsigned kWarningColour = 0xCC79A7;

struct Chart {
    QString title;
    QString xTitle;
    QString yTitle;
    QString rightTitle; // empty: no second value axis
    std::vector<Curve> curves;
    // Where the supply is cut (none without a cut, or when the season never reaches it).
    std::optional<Cut> cut;

    bool anyFailing() const;
    bool anyWarning() const;
};

// τ₁ (as held), τ₃ and τ₂ against the outdoor temperature, with the cut.
Chart scheduleChart(const std::vector<Point>& points, const std::optional<Cut>& cut);
// The elevator's needed and available head with its network flow; the valve's or regulator's
// Kv/Kvy, or its Kv where no model is offered.
Chart deviceChart(selection::EquipmentKind kind, const std::vector<Point>& points);

} // namespace season
