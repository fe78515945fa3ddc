#pragma once
// Number texts of the whole program: what the user may type as a number, and how numbers
// are printed (fixed-point "%.2f"-style and the shortest general form), always with the
// decimal separator of the regional settings and never with thousands grouping.
// Depends on Qt Core only.

#include <QChar>
#include <QString>
#include <optional>

namespace num {

// Accepted input form: blanks, an optional sign, digits with at most one decimal separator,
// an optional exponent (E or e, optional sign, digits), blanks. Anything else, an empty text,
// or a value beyond the range of a double, is a conversion error (nullopt).
std::optional<double> parseDecimal(const QString& text, QChar decimalSeparator);
std::optional<double> parseDecimal(const QString& text); // regional separator

// The rule of the command line and of batch cells: the accepted form of parseDecimal with either
// a comma or a point before the fraction, under any regional settings. No thousands separator is
// accepted, so the two cannot be confused. The windows keep the regional separator alone.
std::optional<double> parseEitherSeparator(const QString& text);
// A text that reads by that rule, with its comma or point put as `decimalSeparator`; any other
// text as it stands.
QString withDecimalSeparator(const QString& text, QChar decimalSeparator);

// "Неправильный ввод данных. Дробные числа вводяться через запятую!!!": what every window says
// when a text does not convert to a number.
QString conversionErrorMessage();

// A whole number: blanks, an optional sign, digits, blanks; must fit in 32 bits.
std::optional<int> parseInteger(const QString& text);

// Fixed-point with the given number of decimals (as "%.2f"), rounding the stored double's
// exact value, an exact tie away from zero. The value must be finite.
QString fixed(double value, int decimals, QChar decimalSeparator);
QString fixed(double value, int decimals); // regional separator
inline QString f2(double v) { return fixed(v, 2); }
inline QString f3(double v) { return fixed(v, 3); }
inline QString f1(double v) { return fixed(v, 1); }

// Shortest general form with at most 15 significant digits: 0.15 -> "0,15", 220 -> "220",
// -4.6 -> "-4,6", 1e20 -> "1E20", 1.5e-7 -> "1,5E-7". Non-finite values print as "NAN", "INF"
// and "-INF" (only a template file read from disk can hold them).
QString general(double value, QChar decimalSeparator);
QString general(double value);

} // namespace num
