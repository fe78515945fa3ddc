#include "core/Checked.h"

#include <cmath>

namespace {

Ext checkedResult(long double r)
{
    if (std::isnan(r))
        throw MathError(MathFault::InvalidOperation);
    if (std::isinf(r))
        throw MathError(MathFault::Overflow);
    return Ext(r);
}

void checkOperand(long double v)
{
    if (std::isnan(v))
        throw MathError(MathFault::InvalidOperation);
    if (std::isinf(v))
        throw MathError(MathFault::Overflow);
}

void checkOperands(Ext a, Ext b)
{
    checkOperand(a.value());
    checkOperand(b.value());
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
    checkOperand(a.value());
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
    checkOperand(a.value());
    if (a.value() < 0)
        throw MathError(MathFault::InvalidOperation);
    return Ext(std::sqrt(a.value()));
}

double store(Ext a)
{
    checkOperand(a.value());
    const double d = static_cast<double>(a.value());
    if (std::isinf(d))
        throw MathError(MathFault::Overflow);
    return d;
}
