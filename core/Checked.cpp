#include "core/Checked.h"

#include <cmath>

namespace vedan {

namespace {

// A NaN is an invalid operation and an infinity an overflow, whether it comes in as an operand
// or out as a result.
void checkFinite(long double v)
{
    if (std::isnan(v))
        throw MathError(MathFault::InvalidOperation);
    if (std::isinf(v))
        throw MathError(MathFault::Overflow);
}

Ext checkedResult(long double r)
{
    checkFinite(r);
    return Ext(r);
}

void checkOperands(Ext a, Ext b)
{
    checkFinite(a.value());
    checkFinite(b.value());
}

} // namespace

MathError::MathError(MathFault fault) : std::runtime_error(russianText(fault)), m_fault(fault) {}

std::string MathError::russianText(MathFault fault)
{
    switch (fault) {
    case MathFault::DivisionByZero: return "Деление на ноль";
    case MathFault::InvalidOperation: return "Недопустимая операция с плавающей точкой";
    case MathFault::Overflow: return "Переполнение при операции с плавающей точкой";
    }
    return "Ошибка операции с плавающей точкой";
}

Ext operator+(Ext a, Ext b)
{
    checkOperands(a, b);
    return checkedResult(a.value() + b.value());
}

Ext operator-(Ext a, Ext b)
{
    checkOperands(a, b);
    return checkedResult(a.value() - b.value());
}

Ext operator*(Ext a, Ext b)
{
    checkOperands(a, b);
    return checkedResult(a.value() * b.value());
}

Ext operator/(Ext a, Ext b)
{
    checkOperands(a, b);
    if (b.value() == 0) {
        if (a.value() == 0)
            throw MathError(MathFault::InvalidOperation);
        throw MathError(MathFault::DivisionByZero);
    }
    return checkedResult(a.value() / b.value());
}

Ext operator-(Ext a)
{
    checkFinite(a.value());
    return Ext(-a.value());
}

bool operator<(Ext a, Ext b)
{
    checkOperands(a, b);
    return a.value() < b.value();
}

bool operator>(Ext a, Ext b)
{
    checkOperands(a, b);
    return a.value() > b.value();
}

bool operator<=(Ext a, Ext b)
{
    checkOperands(a, b);
    return a.value() <= b.value();
}

bool operator>=(Ext a, Ext b)
{
    checkOperands(a, b);
    return a.value() >= b.value();
}

bool operator==(Ext a, Ext b)
{
    checkOperands(a, b);
    return a.value() == b.value();
}

Ext sqrt(Ext a)
{
    checkFinite(a.value());
    if (a.value() < 0)
        throw MathError(MathFault::InvalidOperation);
    return Ext(std::sqrt(a.value()));
}

double store(Ext a)
{
    checkFinite(a.value());
    const double d = static_cast<double>(a.value());
    if (std::isinf(d))
        throw MathError(MathFault::Overflow);
    return d;
}

} // namespace vedan
