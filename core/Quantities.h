#pragma once
// Physical quantities of heating water as small types that carry their unit: a temperature, a
// gauge or absolute pressure, a pressure difference, a head of water, a heat load, a mass flow, a
// flow coefficient Kv, a volumetric flow, a diameter and a density. A value is made by naming its unit
// (GaugePressure::bar(3.8)) and read by naming it again (p.inKgfPerCm2()), so that a formula
// cannot take a load for a flow or a head for a pressure, and a swapped argument does not
// compile. Every conversion between units is here, with its factor named.
//
// A value remembers the unit it was made in and gives it back unchanged, so that passing a
// figure through these types never moves its last bit; a conversion is the checked arithmetic's
// (core/Checked.h) and throws MathError on overflow.
//
// Two values of one quantity add and subtract (a + b, a − b) in the checked arithmetic: in the
// unit both were made in when they share it, so that the sum reads back in that unit without a
// conversion, and in the quantity's base unit otherwise.
// Depends on the checked arithmetic only.

#include "core/Checked.h"

#include <optional>

namespace qty {

// --- Factors ----------------------------------------------------------------------------------

// kgf/cm² per bar and per MPa, as the unit choices of the windows convert a typed pressure
// (1 bar = 1.019716 kgf/cm², 1 MPa = 10.19716 kgf/cm², to seven figures).
inline constexpr long double kKgfCm2PerBar = 1.019716L;
inline constexpr long double kKgfCm2PerMegapascal = 10.19716L;
// Bar per kgf/cm² (1 kgf/cm² = 98 066.5 Pa = 0.980665 bar): the flow coefficient's pressure drop.
inline constexpr double kBarPerKgfCm2 = 0.980665;
// Megapascals per kgf/cm² (1 kgf/cm² = 98 066.5 Pa): the water properties take MPa.
inline constexpr double kMegapascalPerKgfCm2 = 0.0980665;
// Bar per metre of water column (1 m w.c. = 9806.65 Pa): the valve authority adds the system's
// resistance in metres to the valve's drop G²/Kvy² in bar.
inline constexpr long double kBarPerMetreOfWater = 0.0980665L;
// Metres of water column per kgf/cm², as the sizing methods take it (10 m w.c. = 1 kgf/cm²).
inline constexpr long double kMetresOfWaterPerKgfCm2 = 10.0L;
// Gcal/h per MW, as the unit choice of a load converts it.
inline constexpr long double kGcalPerHourPerMegawatt = 0.8598L;
// The standard atmosphere, 101.325 kPa, in kgf/cm²: a gauge pressure plus it is absolute.
inline constexpr double kAtmosphereKgfCm2 = 1.0332;
// 0 °C in kelvin.
inline constexpr long double kKelvinAtZeroCelsius = 273.15L;

namespace detail {

// a + sign·b, stored.
inline double sum(double a, double b, int sign)
{
    return vedan::store(vedan::Ext(a) + vedan::Ext(sign) * vedan::Ext(b));
}

// A number with the factor of the unit it was made in to the base unit of its quantity.
class Measure {
public:
    constexpr Measure(double value, long double toBase) : m_value(value), m_toBase(toBase) {}
    double base() const
    {
        return m_toBase == 1.0L ? m_value : vedan::store(vedan::Ext(m_value) * m_toBase);
    }
    // The sum or difference (sign −1) in the unit both share, else in the base unit.
    Measure combined(const Measure& other, int sign) const
    {
        if (m_toBase == other.m_toBase)
            return {sum(m_value, other.m_value, sign), m_toBase};
        return {sum(base(), other.base(), sign), 1.0L};
    }

private:
    double m_value;
    long double m_toBase;
};

// A quantity of one unit: its number, and the sum and difference (checked, stored) of two of its
// values. `Derived` makes itself from a number through its private constructor, which it opens
// to this base.
template <typename Derived> class OneUnit {
public:
    friend Derived operator+(Derived a, Derived b) { return of(a, b, 1); }
    friend Derived operator-(Derived a, Derived b) { return of(a, b, -1); }

protected:
    explicit constexpr OneUnit(double value) : m_value(value) {}
    double m_value;

private:
    static Derived of(const OneUnit& a, const OneUnit& b, int sign)
    {
        return Derived(sum(a.m_value, b.m_value, sign));
    }
};

} // namespace detail

// --- Temperature --------------------------------------------------------------------------------

class Temperature {
public:
    static constexpr Temperature celsius(double value) { return Temperature(value, false); }
    static constexpr Temperature kelvin(double value) { return Temperature(value, true); }
    double inCelsius() const
    {
        return m_kelvin ? vedan::store(vedan::Ext(m_value) - kKelvinAtZeroCelsius) : m_value;
    }
    // In kelvin, in extended precision, for the equations of state.
    vedan::Ext kelvinExt() const
    {
        return m_kelvin ? vedan::Ext(m_value) : vedan::Ext(m_value) + kKelvinAtZeroCelsius;
    }

private:
    constexpr Temperature(double value, bool kelvin) : m_value(value), m_kelvin(kelvin) {}
    double m_value;
    bool m_kelvin;
};

// --- Pressures ------------------------------------------------------------------------------------

class AbsolutePressure;

// A pressure difference: a drop across a device or between two lines.
class PressureDifference {
public:
    static constexpr PressureDifference kgfPerCm2(double value)
    {
        return PressureDifference(value, false);
    }
    static constexpr PressureDifference bar(double value)
    {
        return PressureDifference(value, true);
    }
    double inKgfPerCm2() const
    {
        return m_bar ? vedan::store(vedan::Ext(m_value) / vedan::Ext(kBarPerKgfCm2)) : m_value;
    }
    // In bar by the factor 0.980665 (not the unit choice's 1.019716).
    double inBar() const
    {
        return m_bar ? m_value : vedan::store(vedan::Ext(m_value) * vedan::Ext(kBarPerKgfCm2));
    }
    friend PressureDifference operator+(PressureDifference a, PressureDifference b)
    {
        return a.combined(b, 1);
    }
    friend PressureDifference operator-(PressureDifference a, PressureDifference b)
    {
        return a.combined(b, -1);
    }

private:
    constexpr PressureDifference(double value, bool bar) : m_value(value), m_bar(bar) {}
    PressureDifference combined(PressureDifference other, int sign) const
    {
        if (m_bar == other.m_bar)
            return {detail::sum(m_value, other.m_value, sign), m_bar};
        return kgfPerCm2(detail::sum(inKgfPerCm2(), other.inKgfPerCm2(), sign));
    }
    double m_value;
    bool m_bar;
};

// A pressure over the atmosphere, as a manometer reads it and as the windows take it.
class GaugePressure {
public:
    static constexpr GaugePressure kgfPerCm2(double value) { return GaugePressure(value, 1.0L); }
    static constexpr GaugePressure bar(double value) { return GaugePressure(value, kKgfCm2PerBar); }
    static constexpr GaugePressure megapascal(double value)
    {
        return GaugePressure(value, kKgfCm2PerMegapascal);
    }
    double inKgfPerCm2() const { return m_measure.base(); }
    // Plus the standard atmosphere.
    AbsolutePressure absolute() const;

private:
    constexpr GaugePressure(double value, long double toBase) : m_measure(value, toBase) {}
    detail::Measure m_measure;
};

// A pressure over vacuum, as the properties of water take it.
class AbsolutePressure {
public:
    static constexpr AbsolutePressure kgfPerCm2(double value)
    {
        return AbsolutePressure(value, false);
    }
    static constexpr AbsolutePressure megapascal(double value)
    {
        return AbsolutePressure(value, true);
    }
    double inKgfPerCm2() const
    {
        return m_megapascal ? vedan::store(vedan::Ext(m_value) / kMegapascalPerKgfCm2) : m_value;
    }
    double inMegapascal() const
    {
        return m_megapascal ? m_value : vedan::store(vedan::Ext(m_value) * kMegapascalPerKgfCm2);
    }

private:
    constexpr AbsolutePressure(double value, bool megapascal)
        : m_value(value), m_megapascal(megapascal)
    {}
    double m_value;
    bool m_megapascal;
};

inline AbsolutePressure GaugePressure::absolute() const
{
    return AbsolutePressure::kgfPerCm2(vedan::store(vedan::Ext(inKgfPerCm2()) + kAtmosphereKgfCm2));
}

// A head of water: the resistance of a heating system, the head available to an elevator.
class Head : public detail::OneUnit<Head> {
public:
    static constexpr Head metres(double value) { return Head(value); }
    double inMetres() const { return m_value; }

private:
    friend class detail::OneUnit<Head>;
    explicit constexpr Head(double value) : OneUnit(value) {}
};

// --- Heat and water -----------------------------------------------------------------------------

class HeatLoad {
public:
    static constexpr HeatLoad gcalPerHour(double value) { return HeatLoad(value, 1.0L); }
    static constexpr HeatLoad megawatt(double value)
    {
        return HeatLoad(value, kGcalPerHourPerMegawatt);
    }
    double inGcalPerHour() const { return m_measure.base(); }
    friend HeatLoad operator+(HeatLoad a, HeatLoad b)
    {
        return HeatLoad(a.m_measure.combined(b.m_measure, 1));
    }
    friend HeatLoad operator-(HeatLoad a, HeatLoad b)
    {
        return HeatLoad(a.m_measure.combined(b.m_measure, -1));
    }

private:
    constexpr HeatLoad(double value, long double toBase) : m_measure(value, toBase) {}
    explicit constexpr HeatLoad(detail::Measure measure) : m_measure(measure) {}
    detail::Measure m_measure;
};

// Mass flow of water, t/h.
class MassFlow : public detail::OneUnit<MassFlow> {
public:
    static constexpr MassFlow tonnesPerHour(double value) { return MassFlow(value); }
    double inTonnesPerHour() const { return m_value; }

private:
    friend class detail::OneUnit<MassFlow>;
    explicit constexpr MassFlow(double value) : OneUnit(value) {}
};

// Flow coefficient Kv (or the nominal Kvy), m³/h at a drop of 1 bar.
class FlowCoefficient : public detail::OneUnit<FlowCoefficient> {
public:
    static constexpr FlowCoefficient cubicMetresPerHour(double value)
    {
        return FlowCoefficient(value);
    }
    double inCubicMetresPerHour() const { return m_value; }

private:
    friend class detail::OneUnit<FlowCoefficient>;
    explicit constexpr FlowCoefficient(double value) : OneUnit(value) {}
};

// Volumetric flow of water, m³/h.
class VolumetricFlow : public detail::OneUnit<VolumetricFlow> {
public:
    static constexpr VolumetricFlow cubicMetresPerHour(double value)
    {
        return VolumetricFlow(value);
    }
    double inCubicMetresPerHour() const { return m_value; }

private:
    friend class detail::OneUnit<VolumetricFlow>;
    explicit constexpr VolumetricFlow(double value) : OneUnit(value) {}
};

// A diameter, mm: an elevator's nozzle or throat, a valve's nominal bore DN.
class Diameter : public detail::OneUnit<Diameter> {
public:
    static constexpr Diameter millimetres(double value) { return Diameter(value); }
    double inMillimetres() const { return m_value; }

private:
    friend class detail::OneUnit<Diameter>;
    explicit constexpr Diameter(double value) : OneUnit(value) {}
};

class Density : public detail::OneUnit<Density> {
public:
    static constexpr Density kilogramsPerCubicMetre(double value) { return Density(value); }
    double inKilogramsPerCubicMetre() const { return m_value; }

private:
    friend class detail::OneUnit<Density>;
    explicit constexpr Density(double value) : OneUnit(value) {}
};

// An optional value read in a unit, absent where the value is:
// qty::readIn(values.networkFlow, &qty::MassFlow::inTonnesPerHour).
template <typename Quantity>
std::optional<double> readIn(const std::optional<Quantity>& value, double (Quantity::*unit)() const)
{
    if (!value)
        return std::nullopt;
    return ((*value).*unit)();
}

} // namespace qty
