#pragma once
// Checked arithmetic of every computation. Each formula is evaluated in extended precision
// (long double) with Ext operands and stored as a double with store(). Division by zero,
// invalid operations (0/0, square root of a negative number, anything with a NaN) and overflow,
// including a value too large for a double when it is stored, throw MathError; underflow and
// inexact results pass. Constants in formulas are written as long double literals (1.163L).
// Depends on nothing but the standard library.

#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

namespace vedan {

enum class MathFault { DivisionByZero, InvalidOperation, Overflow };

class MathError : public std::runtime_error {
public:
    explicit MathError(MathFault fault);
    MathFault fault() const { return m_fault; }
    // Russian name of the floating-point fault, for a message box.
    static std::string russianText(MathFault fault);

private:
    MathFault m_fault;
};

// Throw the fault of a value that is not finite, and of a division by zero (0/0 is invalid).
[[noreturn]] void throwNotFinite(long double v);
[[noreturn]] void throwDivision(long double dividend);

inline void checkFinite(long double v)
{
    if (!std::isfinite(v)) [[unlikely]]
        throwNotFinite(v);
}

class Ext {
public:
    constexpr Ext() = default;
    constexpr Ext(long double v) : m_v(v) {}
    constexpr Ext(double v) : m_v(v) {}
    constexpr Ext(int v) : m_v(v) {}
    long double value() const { return m_v; }

private:
    long double m_v = 0;
};

// Each operation checks its operands and its result (defined here, so that a formula compiles
// to plain arithmetic with a test and a rarely taken branch at each step).
inline Ext checked(long double r)
{
    checkFinite(r);
    return Ext(r);
}
inline void checkOperands(Ext a, Ext b)
{
    checkFinite(a.value());
    checkFinite(b.value());
}
inline Ext operator+(Ext a, Ext b)
{
    checkOperands(a, b);
    return checked(a.value() + b.value());
}
inline Ext operator-(Ext a, Ext b)
{
    checkOperands(a, b);
    return checked(a.value() - b.value());
}
inline Ext operator*(Ext a, Ext b)
{
    checkOperands(a, b);
    return checked(a.value() * b.value());
}
inline Ext operator/(Ext a, Ext b)
{
    checkOperands(a, b);
    if (b.value() == 0) [[unlikely]]
        throwDivision(a.value());
    return checked(a.value() / b.value());
}
inline Ext operator-(Ext a)
{
    checkFinite(a.value());
    return Ext(-a.value());
}
inline bool operator<(Ext a, Ext b)
{
    checkOperands(a, b);
    return a.value() < b.value();
}
inline bool operator>(Ext a, Ext b)
{
    checkOperands(a, b);
    return a.value() > b.value();
}
inline bool operator<=(Ext a, Ext b)
{
    checkOperands(a, b);
    return a.value() <= b.value();
}
inline bool operator>=(Ext a, Ext b)
{
    checkOperands(a, b);
    return a.value() >= b.value();
}
inline bool operator==(Ext a, Ext b)
{
    checkOperands(a, b);
    return a.value() == b.value();
}

inline Ext sqrt(Ext a)
{
    checkFinite(a.value());
    if (a.value() < 0) [[unlikely]]
        throwNotFinite(std::numeric_limits<long double>::quiet_NaN());
    return Ext(std::sqrt(a.value()));
}

// The result of a formula as stored: a finite double, or MathError (Overflow or InvalidOperation).
inline double store(Ext a)
{
    checkFinite(a.value());
    const double d = static_cast<double>(a.value());
    if (std::isinf(d)) [[unlikely]]
        throwNotFinite(d);
    return d;
}

} // namespace vedan
