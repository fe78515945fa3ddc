#pragma once
// The arithmetic of a substituted formula as the calculation sheet prints it: numbers with the
// decimal comma, "·", "/", "+", "−", "√", "⁴√", "²", "10⁶" and parentheses. The sheet evaluates
// what it prints, so that every row recomputes from its own numbers. Depends on Qt Core only.

#include <QString>

#include <optional>

namespace calcsheet {

// The value of the printed expression; nothing for a text that is not one.
std::optional<double> evaluatePrinted(const QString& expression);

} // namespace calcsheet
