// Water properties and the IEC 60534-2-1 liquid factors against independent references:
// Debian's python3-iapws and python3-fluids, run through /usr/bin/python3.

#include "water/WaterProperties.h"
#include "checks/LiquidValveFactors.h"
#include "tests/support/PythonReference.h"

#include <QJsonArray>
#include <cmath>
#include <gtest/gtest.h>

namespace {

// Temperatures across region 1, ends included, °C.
const double kTemperatures[] = {0,   1,   2.5, 5,   10,  15,  20,  30,  40,  50,  60,    70,
                                80,  90,  95,  100, 110, 115, 120, 130, 140, 150, 160,   170,
                                180, 190, 200, 201, 225, 250, 275, 300, 325, 340, 349.5, 350};
// Beyond region 1, on the saturation line up to the critical point, °C.
const double kSaturationOnly[] = {355, 360, 370, 373, 373.9, 373.946};

// Agreement to nine significant digits, as the release's own tables give them.
void expectSameTo9Digits(double actual, double reference, const std::string& what)
{
    EXPECT_NEAR(actual, reference, std::abs(reference) * 5e-9) << what;
}

QJsonArray pair(double a, double b) { return QJsonArray{a, b}; }

qty::Temperature celsius(double t) { return qty::Temperature::celsius(t); }
qty::AbsolutePressure megapascal(double p) { return qty::AbsolutePressure::megapascal(p); }

// The saturation pressure in MPa, which the references give.
std::optional<double> saturationMPa(double t)
{
    const auto p = water::saturationPressure(celsius(t));
    return p ? std::optional(p->inMegapascal()) : std::nullopt;
}

std::optional<double> density(double t, double megapascals)
{
    const auto rho = water::liquidDensity(celsius(t), megapascal(megapascals));
    return rho ? std::optional(rho->inKilogramsPerCubicMetre()) : std::nullopt;
}

} // namespace

TEST(WaterProperties, SaturationPressureAndDensityAgreeWithIapws)
{
    QJsonArray temperatures, points;
    for (double t : kSaturationOnly)
        temperatures.append(t);
    for (double t : kTemperatures) {
        temperatures.append(t);
        const double ps = *saturationMPa(t);
        // Just above saturation, a heating network's pressures, and far up in region 1.
        for (double p : {ps * 1.001, 0.5, 1.6, 2.5, 40.0})
            if (p >= ps)
                points.append(pair(t, p));
    }
    const QJsonObject answer =
        pythonReference("water_reference.py", {{"saturation", temperatures}, {"density", points}});
    ASSERT_EQ(answer["saturation"].toArray().size(), temperatures.size()) << "python3-iapws";
    ASSERT_EQ(answer["density"].toArray().size(), points.size());

    for (qsizetype i = 0; i < temperatures.size(); ++i) {
        const double t = temperatures[i].toDouble();
        expectSameTo9Digits(*saturationMPa(t), answer["saturation"].toArray()[i].toDouble(),
                            "p_s at " + std::to_string(t));
    }
    for (qsizetype i = 0; i < points.size(); ++i) {
        const double t = points[i].toArray()[0].toDouble();
        const double p = points[i].toArray()[1].toDouble();
        const std::optional<double> rho = density(t, p);
        ASSERT_TRUE(rho.has_value()) << t << " °C " << p << " MPa";
        expectSameTo9Digits(*rho, answer["density"].toArray()[i].toDouble(),
                            "rho at " + std::to_string(t) + " °C " + std::to_string(p) + " MPa");
    }
}

// The verification tables of the IAPWS-IF97 release: region 1 (specific volume at 300 K and
// 3 MPa, 300 K and 80 MPa, 500 K and 3 MPa) and the saturation-pressure equation (300, 500 and
// 600 K).
TEST(WaterProperties, TheReleasesVerificationTablesToNineDigits)
{
    struct Volume {
        double kelvin, megapascal, volume;
    };
    for (const Volume& c : {Volume{300, 3, 0.100215168e-2}, Volume{300, 80, 0.971180894e-3},
                            Volume{500, 3, 0.120241800e-2}}) {
        expectSameTo9Digits(water::if97::region1SpecificVolume(qty::Temperature::kelvin(c.kelvin),
                                                               megapascal(c.megapascal)),
                            c.volume,
                            "v at " + std::to_string(c.kelvin) + " K, "
                                + std::to_string(c.megapascal) + " MPa");
    }
    struct Saturation {
        double kelvin, megapascal;
    };
    for (const Saturation& c : {Saturation{300, 0.353658941e-2}, Saturation{500, 0.263889776e1},
                                Saturation{600, 0.123443146e2}}) {
        expectSameTo9Digits(water::if97::saturationPressureAt(qty::Temperature::kelvin(c.kelvin)),
                            c.megapascal, "p_s at " + std::to_string(c.kelvin) + " K");
    }
    // The public functions at the same points.
    expectSameTo9Digits(1.0 / *density(26.85, 3), 0.100215168e-2, "1/ρ at 300 K");
    expectSameTo9Digits(1.0 / *density(226.85, 3), 0.120241800e-2, "1/ρ at 500 K");
    expectSameTo9Digits(*saturationMPa(326.85), 0.123443146e2, "p_s at 600 K");
}

TEST(WaterProperties, NoValueOutsideTheRangeOrBelowSaturation)
{
    // The saturation line from 0 °C to the critical point, 373,946 °C.
    for (double t : {0.0, 373.946})
        EXPECT_TRUE(saturationMPa(t).has_value()) << t;
    for (double t : {-0.001, 373.947, -10.0, 400.0, std::nan("")})
        EXPECT_FALSE(saturationMPa(t).has_value()) << t;

    struct Case {
        const char* name;
        double celsius, megapascal;
        bool has;
    };
    const double ps150 = *saturationMPa(150);
    const double ps350 = *saturationMPa(350);
    for (const Case& c : {
             Case{"steam at 150 °C", 150, ps150 * 0.999, false},
             Case{"saturated at 150 °C", 150, ps150, true},
             Case{"above region 1's pressures", 150, 100.5, false},
             Case{"liquid at 250 °C", 250, 5.0, true},
             Case{"region 1's hottest", 350, ps350, true},
             Case{"beyond region 1", 350.001, 20, false},
             Case{"freezing point", 0, 0.101325, true},
         })
        EXPECT_EQ(density(c.celsius, c.megapascal).has_value(), c.has) << c.name;
}

TEST(LiquidValveFactors, AgreeWithFluids)
{
    constexpr double pc = 22.064e6; // Pa
    QJsonArray ff, choked;
    std::vector<double> ours;
    std::vector<bool> oursChoked;
    for (double t : kTemperatures) {
        const double ps = *saturationMPa(t) * 1e6;
        ff.append(pair(ps, pc));
        ours.push_back(checks::liquidCriticalPressureRatio(megapascal(ps / 1e6)));
        // Drops well on either side of the choked limit, for a valve with F_L 0.9.
        const double p1 = ps + 0.2e6;
        const double limit =
            checks::chokedPressureDrop(
                {.recovery = 0.9, .pressureRatio = ours.back()},
                {.pressure = megapascal(p1 / 1e6), .saturation = megapascal(ps / 1e6)})
                .inKgfPerCm2()
            * qty::kMegapascalPerKgfCm2 * 1e6;
        for (double share : {0.5, 0.95, 1.05, 2.0}) {
            choked.append(QJsonArray{share * limit, p1, ps, ours.back(), 0.9});
            oursChoked.push_back(share * limit >= limit);
        }
    }
    const QJsonObject answer =
        pythonReference("water_reference.py", {{"ff", ff}, {"choked", choked}});
    ASSERT_EQ(answer["ff"].toArray().size(), ff.size()) << "python3-fluids";
    ASSERT_EQ(answer["choked"].toArray().size(), choked.size());
    for (qsizetype i = 0; i < ff.size(); ++i)
        EXPECT_NEAR(ours[i], answer["ff"].toArray()[i].toDouble(), 1e-12) << i;
    for (qsizetype i = 0; i < choked.size(); ++i)
        EXPECT_EQ(oursChoked[i], answer["choked"].toArray()[i].toBool()) << i;
}
