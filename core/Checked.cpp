#include "core/Checked.h"

#include <cmath>

namespace vedan {

void throwNotFinite(long double v)
{
    // A NaN is an invalid operation and an infinity an overflow, whether it comes in as an
    // operand or out as a result.
    if (std::isnan(v))
        throw MathError(MathFault::InvalidOperation);
    throw MathError(MathFault::Overflow);
}

void throwDivision(long double dividend)
{
    if (dividend == 0)
        throw MathError(MathFault::InvalidOperation);
    throw MathError(MathFault::DivisionByZero);
}

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

} // namespace vedan
