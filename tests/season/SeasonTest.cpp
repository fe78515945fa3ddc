// The heating season against the worked values of the method and cases worked by hand: the
// schedule, the cut and where it begins, the flow below it, a hydroelevator and a control valve
// through the season, every refusal; a point's verdict with its failures and warnings apart, and
// the curve each check is marked on.

#include "season/Season.h"
#include "season/SeasonTable.h"
#include "selection/FormInput.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

using season::Point;
using season::Schedule;
using selection::EquipmentKind;

namespace {

const char* const kHydro = "Регулирующий гидроэлеватор";
const char* const kValve = "Запорно-регулирующий клапан";

// The design selection of the window's form: inlet and outlet in kgf/cm², load in Gcal/h.
selection::SizedSelection designOf(const char* kind, const char* supply, const char* ret,
                                   const char* resistance = "1")
{
    selection::SelectionForm f;
    f.title = QString::fromUtf8(kind);
    f.edit1 = QStringLiteral("6");
    f.edit2 = QStringLiteral("4");
    f.edit3 = QString::fromUtf8(supply);
    f.edit4 = QString::fromUtf8(ret);
    f.edit5 = QStringLiteral("0,5");
    f.edit6 = QString::fromUtf8(resistance);
    f.comboBox1 = 1;
    f.comboBox2 = f.comboBox3 = 3;
    f.comboBox4 = 2;
    const selection::SelectionRun run = selection::runSelection(f);
    EXPECT_FALSE(run.failure().has_value());
    return run.sized.value_or(selection::SizedSelection{});
}

Schedule schedule(double outdoorDesign, double step = 1)
{
    return {.outdoorDesign = qty::Temperature::celsius(outdoorDesign),
            .indoor = qty::Temperature::celsius(season::kDefaultIndoor),
            .cut = std::nullopt,
            .seasonEnd = qty::Temperature::celsius(season::kDefaultSeasonEnd),
            .step = step};
}

std::vector<Point> pointsOf(const selection::SizedSelection& design, const Schedule& s)
{
    vedan::Outcome<std::vector<Point>> swept = season::sweep(design, s);
    if (swept.failure) {
        ADD_FAILURE() << swept.failure->message.toStdString();
        return {};
    }
    return std::move(swept.value);
}

const Point& at(const std::vector<Point>& points, double outdoor)
{
    const auto it = std::find_if(points.begin(), points.end(), [&](const Point& p) {
        return std::abs(p.outdoor.inCelsius() - outdoor) < 1e-9;
    });
    EXPECT_NE(it, points.end()) << outdoor;
    return *it;
}

const checks::Check* checkOf(const Point& p, const char* id)
{
    for (const checks::Check& c : p.checks)
        if (c.id == QLatin1String(id))
            return &c;
    return nullptr;
}

// The ids of the season's checks of a kind that the checks of the design know, in order.
QStringList knownCheckIds(const selection::SizedSelection& design)
{
    QStringList known;
    for (const checks::Check& c : checks::evaluate(design, false))
        known << c.id;
    QStringList ids = season::checkIds(design.request.kind);
    ids.removeIf([&](const QString& id) { return !known.contains(id); });
    return ids;
}

// A figure as printed to the given decimals.
void expectPrinted(double actual, double printed, int decimals, const char* what)
{
    EXPECT_NEAR(actual, printed, 0.5 * std::pow(10.0, -decimals)) << what;
}

} // namespace

TEST(Season, TheScheduleAndItsCut)
{
    const std::vector<Point> points = pointsOf(designOf(kHydro, "150", "70"), schedule(-25));
    ASSERT_EQ(points.size(), 34u); // −25 … +8 by 1 K
    const Point& design = points.front();
    EXPECT_DOUBLE_EQ(design.supply.inCelsius(), 150);
    EXPECT_DOUBLE_EQ(design.ret.inCelsius(), 70);
    EXPECT_DOUBLE_EQ(design.mixed.inCelsius(), 95);
    EXPECT_DOUBLE_EQ(design.relativeLoad, 1);
    const Point& minus5 = at(points, -5);
    expectPrinted(minus5.supply.inCelsius(), 93.20, 2, "τ1 at −5");
    expectPrinted(minus5.ret.inCelsius(), 50.41, 2, "τ2 at −5");
    expectPrinted(minus5.mixed.inCelsius(), 63.79, 2, "τ3 at −5");
    expectPrinted(minus5.load.inGcalPerHour(), 0.5 * 23.0 / 43.0, 9, "Q at −5");

    // The cut is reached at about +2,8 °C: the supply held is 70 °C from there on.
    const std::vector<Point> fine = pointsOf(designOf(kHydro, "150", "70"), schedule(-25, 0.1));
    const auto cut = std::find_if(fine.begin(), fine.end(),
                                  [](const Point& p) { return p.supply.inCelsius() == 70; });
    ASSERT_NE(cut, fine.end());
    EXPECT_NEAR(cut->outdoor.inCelsius(), 2.8, 0.1 + 1e-9);
    for (auto p = cut; p != fine.end(); ++p)
        EXPECT_EQ(p->supply.inCelsius(), 70) << p->outdoor.inCelsius();
}

TEST(Season, TheFlowIsContinuousAtTheCutAndDesignAboveIt)
{
    const selection::SizedSelection design = designOf(kHydro, "150", "70");
    const double designFlow = design.values.networkFlow->inTonnesPerHour();
    const std::vector<Point> points = pointsOf(design, schedule(-25, 0.05));
    for (std::size_t i = 1; i < points.size(); ++i) {
        const Point& p = points[i];
        if (p.supply.inCelsius() > 70) {
            EXPECT_DOUBLE_EQ(p.networkFlow.inTonnesPerHour(), designFlow) << p.outdoor.inCelsius();
        }
        // A twentieth of a kelvin moves the flow by less than a hundredth of the design flow:
        // no jump where the cut begins.
        EXPECT_NEAR(p.networkFlow.inTonnesPerHour(), points[i - 1].networkFlow.inTonnesPerHour(),
                    1e-2 * designFlow)
            << p.outdoor.inCelsius();
    }
}

TEST(Season, AHydroelevatorThroughTheSeason)
{
    const std::vector<Point> points = pointsOf(designOf(kHydro, "150", "70"), schedule(-25));
    struct Case {
        double outdoor;
        double flow, mixing, nozzle;
        std::optional<double> needed, ret, mixed;
        checks::Status head;
    };
    const Case cases[] = {
        {5, 4.860, 3.10, 10.01, 23.56, std::nullopt, std::nullopt, checks::Status::Failed},
        {8, 3.328, 4.99, 8.28, std::nullopt, 35.17, 40.99, checks::Status::Failed},
        {-25, 6.230, 2.20, 11.33, 14.34, 70.00, 95.00, checks::Status::Passed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.outdoor);
        const Point& p = at(points, c.outdoor);
        expectPrinted(p.networkFlow.inTonnesPerHour(), c.flow, 3, "G");
        expectPrinted(p.mixingRatio, c.mixing, 2, "u");
        expectPrinted(p.nozzleDiameter->inMillimetres(), c.nozzle, 2, "dс");
        EXPECT_EQ(p.availableHead->inMetres(), 20);
        if (c.needed)
            expectPrinted(p.requiredHead->inMetres(), *c.needed, 2, "Hтреб");
        if (c.ret)
            expectPrinted(p.ret.inCelsius(), *c.ret, 2, "τ2");
        if (c.mixed)
            expectPrinted(p.mixed.inCelsius(), *c.mixed, 2, "τ3");
        EXPECT_FALSE(p.pressureDrop || p.requiredKv || p.capacityRatio);
        ASSERT_NE(checkOf(p, "elevator.head"), nullptr);
        EXPECT_EQ(checkOf(p, "elevator.head")->status, c.head);
        QStringList ids;
        for (const checks::Check& check : p.checks)
            ids << check.id;
        EXPECT_EQ(ids, knownCheckIds(designOf(kHydro, "150", "70")));
    }
    // The head fails from about +4,3 °C on.
    const std::vector<Point> fine = pointsOf(designOf(kHydro, "150", "70"), schedule(-25, 0.1));
    const auto first = std::find_if(fine.begin(), fine.end(), [](const Point& p) {
        return checkOf(p, "elevator.head")->status == checks::Status::Failed;
    });
    ASSERT_NE(first, fine.end());
    EXPECT_NEAR(first->outdoor.inCelsius(), 4.3, 0.1 + 1e-9);
    EXPECT_TRUE(std::all_of(first, fine.end(),
                            [](const Point& p) { return p.verdict == checks::Status::Failed; }));
}

TEST(Season, AControlValveThroughTheSeason)
{
    // 150/70 °C, 0,5 Gcal/h, 6/4 kgf/cm², a system of 2 m: ТВМ-25/17 (Kvy 6,3) at the design.
    const selection::SizedSelection design = designOf(kValve, "150", "70", "2");
    ASSERT_EQ(design.offers.front().designation, QStringLiteral("ТВМ-25/17"));
    const std::vector<Point> points = pointsOf(design, schedule(-25));
    const Point& end = at(points, 8);
    expectPrinted(end.pressureDrop->inKgfPerCm2(), 1.943, 3, "Δp");
    expectPrinted(end.requiredKv->inCubicMetresPerHour(), 2.388, 3, "Kv");
    expectPrinted(*end.capacityRatio, 0.379, 3, "Kv/Kvy");
    EXPECT_FALSE(end.nozzleDiameter || end.requiredHead || end.availableHead);
    // At the design point the drop is the sizing's own.
    EXPECT_NEAR(points.front().pressureDrop->inKgfPerCm2(),
                design.values.valvePressureDrop->inKgfPerCm2(), 1e-12);
    EXPECT_NEAR(points.front().requiredKv->inCubicMetresPerHour(),
                design.values.requiredKv->inCubicMetresPerHour(), 1e-12);
    QStringList ids;
    for (const checks::Check& check : end.checks)
        ids << check.id;
    EXPECT_EQ(ids, knownCheckIds(design));
    // Every kind's season says when the catalogue offers no model.
    for (const EquipmentKind kind : selection::kinds::kAll)
        EXPECT_EQ(season::checkIds(kind).indexOf(QStringLiteral("selection.offer")), 1);
    // The checks see the supply actually held and the drop of the point.
    EXPECT_TRUE(checkOf(end, "valve.flashing")->formula.contains(QStringLiteral("1,94")));
}

TEST(Season, NoCutBelowSeventyAndTheEndIsAlwaysAPoint)
{
    // 65/45 °C never reaches the cut: the flow stays the design flow.
    const selection::SizedSelection design = designOf(kValve, "65", "45");
    const std::vector<Point> points = pointsOf(design, schedule(-25, 2));
    ASSERT_EQ(points.size(), 18u); // −25, −23 … +7, and +8
    EXPECT_EQ(points.back().outdoor.inCelsius(), 8);
    EXPECT_EQ(points[points.size() - 2].outdoor.inCelsius(), 7);
    for (const Point& p : points)
        EXPECT_DOUBLE_EQ(p.networkFlow.inTonnesPerHour(),
                         design.values.networkFlow->inTonnesPerHour())
            << p.outdoor.inCelsius();
    EXPECT_FALSE(season::cutInForce(schedule(-25), 65).has_value());
    EXPECT_EQ(season::cutInForce(schedule(-25), 70.5), 70);
    // However large the step, the design point and the end are both points.
    for (const double step : {33.0, 4e10}) {
        const std::vector<Point> two = pointsOf(design, schedule(-25, step));
        ASSERT_EQ(two.size(), 2u) << step;
        EXPECT_EQ(two.front().outdoor.inCelsius(), -25);
        EXPECT_EQ(two.back().outdoor.inCelsius(), 8);
    }
}

TEST(Season, EveryRefusal)
{
    const selection::SizedSelection hot = designOf(kHydro, "150", "70");
    struct Case {
        const char* name;
        selection::SizedSelection design;
        Schedule schedule;
        const char* message; // the start of it
    };
    Schedule end = schedule(-25);
    end.seasonEnd = qty::Temperature::celsius(18);
    Schedule design = schedule(8);
    Schedule step = schedule(-25, 0);
    Schedule negative = schedule(-25, -1);
    Schedule cut = schedule(-25);
    cut.cut = qty::Temperature::celsius(150);
    Schedule many = schedule(-25, 33.0 / 1000); // 1001 points
    const Case cases[] = {
        {"design at the end", hot, design, "расчётная температура наружного воздуха"},
        {"end at indoor", hot, end, "конец отопительного периода"},
        {"zero step", hot, step, "шаг"},
        {"negative step", hot, negative, "шаг"},
        {"cut at the supply", hot, cut, "температура срезки"},
        {"too many points", hot, many, "точек больше 1000"},
        {"return not below the mixed", designOf(kHydro, "90", "92"), schedule(-25),
         "обратная вода"},
    };
    for (const Case& c : cases) {
        const vedan::Outcome<std::vector<Point>> swept = season::sweep(c.design, c.schedule);
        ASSERT_TRUE(swept.failure.has_value()) << c.name;
        EXPECT_TRUE(swept.failure->message.startsWith(QString::fromUtf8(c.message)))
            << c.name << ": " << swept.failure->message.toStdString();
    }
    // A thousand points are not too many.
    EXPECT_EQ(pointsOf(hot, schedule(-25, 33.0 / 999)).size(), 1000u);
}

TEST(Season, TheCutBeginsWhereTheSupplyFallsToIt)
{
    struct Case {
        const char* name;
        const char* supply;
        const char* ret;
        double outdoorDesign;
        double seasonEnd;
        std::optional<double> cut;     // in force
        std::optional<double> outdoor; // to two decimals; NaN: reached, not pinned
    };
    const double reached = std::nan("");
    const Case cases[] = {
        {"150/70 from −26", "150", "70", -26, 8, 70, 2.42},
        {"just above the default", "70,5", "50", -26, 8, 70, reached},
        {"the season ends before it", "150", "70", -26, 0, 70, std::nullopt},
        {"70/50: no cut", "70", "50", -26, 8, std::nullopt, std::nullopt},
        {"65/45: no cut", "65", "45", -26, 8, std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const selection::SizedSelection design = designOf(kValve, c.supply, c.ret);
        Schedule s = schedule(c.outdoorDesign, 0.05);
        s.seasonEnd = qty::Temperature::celsius(c.seasonEnd);
        const std::optional<season::Cut> cut = season::cutOf(design, s);
        ASSERT_EQ(cut.has_value(), c.cut.has_value());
        const std::vector<Point> points = pointsOf(design, s);
        if (!cut) {
            for (const Point& p : points)
                EXPECT_DOUBLE_EQ(p.networkFlow.inTonnesPerHour(),
                                 design.values.networkFlow->inTonnesPerHour())
                    << p.outdoor.inCelsius();
            continue;
        }
        EXPECT_EQ(cut->temperature, *c.cut);
        ASSERT_EQ(cut->outdoor.has_value(), c.outdoor.has_value());
        if (!cut->outdoor)
            continue;
        if (!std::isnan(*c.outdoor))
            expectPrinted(*cut->outdoor, *c.outdoor, 2, "the cut's outdoor temperature");
        // τ1 from the schedule's equation there is the cut, to the last bits: with tв = 18,
        // Δt′ = ½(τ3′ + τ2′) − tв, δτ′ − ½θ′ = τ1′ − ½(τ3′ + τ2′).
        const double t1 = design.request.conditions.supplyTemperature.inCelsius();
        const double t2 = design.request.conditions.returnTemperature.inCelsius();
        const double t3 = std::min(95.0, t1);
        const double share = (18 - *cut->outdoor) / (18 - c.outdoorDesign);
        EXPECT_NEAR(18 + (0.5 * (t3 + t2) - 18) * std::pow(share, 0.8)
                        + (t1 - 0.5 * (t3 + t2)) * share,
                    cut->temperature, 1e-9);
        // The points on either side: the supply above the cut before it, held at it after.
        for (const Point& p : points)
            if (std::abs(p.outdoor.inCelsius() - *cut->outdoor) > 1e-9) {
                EXPECT_EQ(p.outdoor.inCelsius() > *cut->outdoor,
                          p.supply.inCelsius() == cut->temperature)
                    << p.outdoor.inCelsius();
            }
    }
}

namespace {

// A point of a valve's or an elevator's season with one check of the given id and status.
Point pointWith(double outdoor, const char* id, checks::Status status, bool offered = true)
{
    Point p;
    p.outdoor = qty::Temperature::celsius(outdoor);
    p.supply = qty::Temperature::celsius(100 - outdoor);
    p.mixed = qty::Temperature::celsius(80 - outdoor);
    p.ret = qty::Temperature::celsius(60 - outdoor);
    p.networkFlow = qty::MassFlow::tonnesPerHour(5);
    p.requiredHead = qty::Head::metres(14);
    p.availableHead = qty::Head::metres(20);
    p.requiredKv = qty::FlowCoefficient::cubicMetresPerHour(4);
    if (offered)
        p.capacityRatio = 0.7;
    checks::Check c;
    c.id = QString::fromLatin1(id);
    c.title = QStringLiteral("Проверка ") + c.id;
    c.status = status;
    p.checks = {c};
    p.verdict = checks::verdict(p.checks);
    return p;
}

} // namespace

TEST(Season, AVerdictListsFailuresAndWarningsApart)
{
    using checks::Status;
    struct Case {
        const char* name;
        std::vector<std::pair<const char*, Status>> checks;
        season::CheckNames names;
        const char* text;
    };
    const Case cases[] = {
        {"failed and warning, by title",
         {{"supply.liquid", Status::Warning},
          {"valve.cavitation", Status::Failed},
          {"valve.flashing", Status::Failed}},
         season::CheckNames::Titles,
         "× не пройдена: Кавитация; Вскипание; ! предупреждение: Вода на входе"},
        {"failed and warning, by id",
         {{"supply.liquid", Status::Warning},
          {"valve.cavitation", Status::Failed},
          {"valve.flashing", Status::Failed}},
         season::CheckNames::Ids,
         "× не пройдена: valve.cavitation, valve.flashing; ! предупреждение: supply.liquid"},
        {"warnings only",
         {{"supply.liquid", Status::Warning}, {"valve.cavitation", Status::Warning}},
         season::CheckNames::Ids,
         "! предупреждение: supply.liquid, valve.cavitation"},
        {"passed and not applicable",
         {{"supply.liquid", Status::Passed}, {"valve.flashing", Status::NotApplicable}},
         season::CheckNames::Titles,
         "пройдена"},
    };
    const std::map<QString, QString> titles = {
        {"supply.liquid", "Вода на входе"},
        {"valve.cavitation", "Кавитация"},
        {"valve.flashing", "Вскипание"},
    };
    for (const Case& c : cases) {
        Point p;
        for (const auto& [id, status] : c.checks) {
            checks::Check check;
            check.id = QString::fromLatin1(id);
            check.title = titles.at(check.id);
            check.status = status;
            p.checks.push_back(check);
        }
        p.verdict = checks::verdict(p.checks);
        EXPECT_EQ(season::verdictText(p, c.names), QString::fromUtf8(c.text)) << c.name;
    }
}

TEST(Season, EachCheckIsMarkedOnTheCurveItConcerns)
{
    using checks::Status;
    using season::Quantity;
    struct Case {
        const char* id;
        EquipmentKind kind;
        Status status;
        std::optional<Quantity> on; // none: marked nowhere
        bool offered = true;
    };
    const Case cases[] = {
        {"supply.liquid", EquipmentKind::ControlValve, Status::Failed, Quantity::Supply},
        {"supply.schedule", EquipmentKind::Hydroelevator, Status::Failed, Quantity::Supply},
        {"elevator.head", EquipmentKind::Hydroelevator, Status::Failed, Quantity::NeededHead},
        {"elevator.mixing", EquipmentKind::Hydroelevator, Status::Failed, Quantity::NeededHead},
        {"elevator.nozzle", EquipmentKind::Hydroelevator, Status::Failed, Quantity::NeededHead},
        {"elevator.flashing", EquipmentKind::Hydroelevator, Status::Warning, Quantity::NeededHead},
        {"valve.cavitation", EquipmentKind::ControlValve, Status::Failed, Quantity::Capacity},
        {"valve.flashing", EquipmentKind::MixingValve, Status::Warning, Quantity::Capacity},
        {"regulator.flashing", EquipmentKind::Regulator, Status::Failed, Quantity::Capacity},
        {"selection.offer", EquipmentKind::ControlValve, Status::Failed, Quantity::Capacity, false},
        // An elevator has no capacity curve: the first curve of its chart.
        {"selection.offer", EquipmentKind::Hydroelevator, Status::Failed, Quantity::NeededHead},
        {"valve.cavitation", EquipmentKind::ControlValve, Status::Passed, std::nullopt},
        {"valve.cavitation", EquipmentKind::ControlValve, Status::NotApplicable, std::nullopt},
        {"some.other", EquipmentKind::ControlValve, Status::Failed, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.id) + " " + checks::statusId(c.status).toStdString());
        const std::vector<Point> points = {
            pointWith(-10, c.id, c.status, c.offered),
            pointWith(0, "supply.liquid", Status::Passed, c.offered)};
        const season::Chart charts[] = {season::scheduleChart(points, std::nullopt),
                                        season::deviceChart(c.kind, points)};
        int marked = 0;
        for (const season::Chart& chart : charts)
            for (const season::Curve& curve : chart.curves) {
                const auto& marks = c.status == Status::Failed ? curve.failing : curve.warning;
                const auto& others = c.status == Status::Failed ? curve.warning : curve.failing;
                EXPECT_TRUE(others.empty());
                if (marks.empty())
                    continue;
                ++marked;
                EXPECT_EQ(curve.quantity, c.on);
                ASSERT_EQ(marks.size(), 1u);
                EXPECT_EQ(marks.front(), curve.points.front()); // at −10, on the curve
            }
        EXPECT_EQ(marked, c.on ? 1 : 0);
    }
}
