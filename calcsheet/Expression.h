#pragma once
// The arithmetic of a substituted formula as the calculation sheet prints it: numbers with the
// decimal comma, "·", "/", "+", "−", "√", "⁴√", "²", "⁴", "10⁶", parentheses, and "min(a; b)" and
// "max(a; b)". The sheet evaluates what it prints, so that every row recomputes from its own
// numbers. Depends on Qt Core only.

#include <QString>

#include <optional>

namespace calcsheet {

// The value of the printed expression; nothing for a text that is not one.
std::optional<double> evaluatePrinted(const QString& expression);

} // namespace calcsheet
