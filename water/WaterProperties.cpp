#include "water/WaterProperties.h"

#include "core/Checked.h"

#include <array>

using vedan::Ext;
using vedan::MathError;
using vedan::store;

namespace water {

namespace {

// Specific gas constant of water in IAPWS-IF97, kJ/(kg·K).
constexpr long double kGasConstant = 0.461526L;
// Upper pressure of region 1, MPa.
constexpr double kMaxRegion1Pressure = 100.0;

// Coefficients n1 ... n10 of the saturation-pressure equation (IAPWS-IF97, region 4).
constexpr std::array<long double, 10> kSaturation = {
    0.11670521452767e4L,  -0.72421316703206e6L, -0.17073846940092e2L, 0.12020824702470e5L,
    -0.32325550322333e7L, 0.14915108613530e2L,  -0.48232657361591e4L, 0.40511340542057e6L,
    -0.23855557567849L,   0.65017534844798e3L,
};

// One term n·(7.1 − π)^I·(τ − 1.222)^J of the Gibbs free energy of region 1.
struct Region1Term {
    int i;
    int j;
    long double n;
};

constexpr std::array<Region1Term, 34> kRegion1 = {{
    {0, -2, 0.14632971213167L},        {0, -1, -0.84548187169114L},
    {0, 0, -0.37563603672040e1L},      {0, 1, 0.33855169168385e1L},
    {0, 2, -0.95791963387872L},        {0, 3, 0.15772038513228L},
    {0, 4, -0.16616417199501e-1L},     {0, 5, 0.81214629983568e-3L},
    {1, -9, 0.28319080123804e-3L},     {1, -7, -0.60706301565874e-3L},
    {1, -1, -0.18990068218419e-1L},    {1, 0, -0.32529748770505e-1L},
    {1, 1, -0.21841717175414e-1L},     {1, 3, -0.52838357969930e-4L},
    {2, -3, -0.47184321073267e-3L},    {2, 0, -0.30001780793026e-3L},
    {2, 1, 0.47661393906987e-4L},      {2, 3, -0.44141845330846e-5L},
    {2, 17, -0.72694996297594e-15L},   {3, -4, -0.31679644845054e-4L},
    {3, 0, -0.28270797985312e-5L},     {3, 6, -0.85205128120103e-9L},
    {4, -5, -0.22425281908000e-5L},    {4, -2, -0.65171222895601e-6L},
    {4, 10, -0.14341729937924e-12L},   {5, -8, -0.40516996860117e-6L},
    {8, -11, -0.12734301741641e-8L},   {8, -6, -0.17424871230634e-9L},
    {21, -29, -0.68762131295531e-18L}, {23, -31, 0.14478307828521e-19L},
    {29, -38, 0.26335781662795e-22L},  {30, -39, -0.11947622640071e-22L},
    {31, -40, 0.18228094581404e-23L},  {32, -41, -0.93537087292458e-25L},
}};

// Reducing pressure (MPa) and temperature (K) of region 1.
constexpr long double kRegion1Pressure = 16.53L;
constexpr long double kRegion1Temperature = 1386.0L;

bool onSaturationLine(double celsius)
{
    return celsius >= kMinTemperature && celsius <= kCriticalTemperature;
}

// x to a whole power, by repeated multiplication.
Ext power(Ext x, int exponent)
{
    Ext result = 1.0L;
    for (int k = 0; k < (exponent < 0 ? -exponent : exponent); ++k)
        result = result * x;
    return exponent < 0 ? Ext(1.0L) / result : result;
}

// The saturation-pressure equation at a temperature in kelvin, MPa.
double saturationAt(Ext t)
{
    const auto& n = kSaturation;
    const Ext theta = t + n[8] / (t - n[9]);
    const Ext a = theta * theta + n[0] * theta + n[1];
    const Ext b = n[2] * theta * theta + n[3] * theta + n[4];
    const Ext c = n[5] * theta * theta + n[6] * theta + n[7];
    const Ext ratio = 2.0L * c / (-b + sqrt(b * b - 4.0L * a * c));
    return store(power(ratio, 4));
}

// The specific volume of region 1 at a temperature in kelvin, m³/kg.
double region1VolumeAt(Ext t, double pressure)
{
    const Ext pi = Ext(pressure) / kRegion1Pressure;
    const Ext tau = Ext(kRegion1Temperature) / t;
    // The powers the terms take, each made once by the same repeated multiplication as power().
    constexpr int kMostI = 31; // I − 1
    constexpr int kMostJ = 41; // |J|
    std::array<Ext, kMostI + 1> piPowers;
    std::array<Ext, kMostJ + 1> tauPowers;
    const Ext piBase = 7.1L - pi;
    const Ext tauBase = tau - 1.222L;
    piPowers[0] = 1.0L;
    for (int k = 1; k <= kMostI; ++k)
        piPowers[k] = piPowers[k - 1] * piBase;
    tauPowers[0] = 1.0L;
    for (int k = 1; k <= kMostJ; ++k)
        tauPowers[k] = tauPowers[k - 1] * tauBase;
    const auto tauPower = [&](int j) {
        return j < 0 ? Ext(1.0L) / tauPowers[static_cast<size_t>(-j)]
                     : tauPowers[static_cast<size_t>(j)];
    };
    Ext gammaPi = 0.0L;
    for (const Region1Term& term : kRegion1) {
        if (term.i == 0)
            continue;
        gammaPi = gammaPi
                  - Ext(term.n) * Ext(term.i) * piPowers[static_cast<size_t>(term.i - 1)]
                        * tauPower(term.j);
    }
    // v = R·T/p · π·γπ, with R in kJ/(kg·K) and p in MPa giving 1e-3 m³/kg.
    return store(kGasConstant * t / (Ext(pressure) * 1000.0L) * pi * gammaPi);
}

} // namespace

namespace if97 {

double saturationPressureAt(qty::Temperature t) { return saturationAt(t.kelvinExt()); }

double region1SpecificVolume(qty::Temperature t, qty::AbsolutePressure p)
{
    return region1VolumeAt(t.kelvinExt(), p.inMegapascal());
}

} // namespace if97

std::optional<qty::AbsolutePressure> saturationPressure(qty::Temperature t)
{
    if (!onSaturationLine(t.inCelsius()))
        return std::nullopt;
    try {
        return qty::AbsolutePressure::megapascal(saturationAt(t.kelvinExt()));
    } catch (const MathError&) {
        return std::nullopt;
    }
}

std::optional<qty::Density> liquidDensity(qty::Temperature t, qty::AbsolutePressure p)
{
    if (!(t.inCelsius() <= kMaxRegion1Temperature))
        return std::nullopt;
    const std::optional<qty::AbsolutePressure> saturation = saturationPressure(t);
    if (!saturation)
        return std::nullopt;
    try {
        const double pressure = p.inMegapascal();
        if (pressure < saturation->inMegapascal() || pressure > kMaxRegion1Pressure)
            return std::nullopt;
        return qty::Density::kilogramsPerCubicMetre(
            store(1.0L / Ext(region1VolumeAt(t.kelvinExt(), pressure))));
    } catch (const MathError&) {
        return std::nullopt;
    }
}

} // namespace water
