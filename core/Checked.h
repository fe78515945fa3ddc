#pragma once
// Checked arithmetic of every computation. Each formula is evaluated in extended precision
// (long double) with Ext operands and stored as a double with store(). Division by zero,
// invalid operations (0/0, square root of a negative number, anything with a NaN) and overflow,
// including a value too large for a double when it is stored, throw MathError; underflow and
// inexact results pass. Constants in formulas are written as long double literals (1.163L).
// Depends on nothing but the standard library.

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

class Ext {
public:
    constexpr Ext() = default;
    constexpr Ext(long double v) : m_v(v) {}
    constexpr Ext(double v) : m_v(v) {}
    constexpr Ext(int v) : m_v(v) {}
    long double value() const { return m_v; }

    friend Ext operator+(Ext a, Ext b);
    friend Ext operator-(Ext a, Ext b);
    friend Ext operator*(Ext a, Ext b);
    friend Ext operator/(Ext a, Ext b);
    friend Ext operator-(Ext a);
    friend bool operator<(Ext a, Ext b);
    friend bool operator>(Ext a, Ext b);
    friend bool operator<=(Ext a, Ext b);
    friend bool operator>=(Ext a, Ext b);
    friend bool operator==(Ext a, Ext b);

private:
    long double m_v = 0;
};

Ext sqrt(Ext a);

// The result of a formula as stored: a finite double, or MathError (Overflow or InvalidOperation).
double store(Ext a);

} // namespace vedan
