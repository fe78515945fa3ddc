#include "core/Numbers.h"

#include "core/CLocale.h"
#include "core/Regional.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <locale.h>
#include <optional>
#include <string>
#include <string_view>

namespace {

bool isBlank(QChar c) { return c == u' '; }
bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// The exact decimal expansion of a finite double, with enough digits, with a point whatever the
// process locale says, and at least `minimumDigits` digits after the point
// (after the first digit for 'e'). The precision asked of printf is just enough for the exact
// value: a double m·2^e with a 53-bit m has at most 53 − e digits after the point and at most
// e·log10(2) + 1 before it; printing more digits than those only appends zeros, and printing
// the 1080 that cover every double costs far more for the usual values.
std::string exactExpansion(double magnitude, char conversion, int minimumDigits)
{
    int exponent = 0;
    std::frexp(magnitude, &exponent);
    const int fractionDigits = std::max(0, 53 - exponent);
    const int wholeDigits = exponent > 0 ? exponent * 30103 / 100000 + 2 : 1;
    int precision = conversion == 'f' ? fractionDigits : fractionDigits + wholeDigits;
    precision = std::clamp(std::max(precision, minimumDigits) + 1, 1, 1100);
    // The standard library's conversion with a precision is exact digit for digit up to it, and
    // writes a point whatever the locale.
    std::string s(static_cast<size_t>(precision) + 330, '\0');
    const std::to_chars_result r = std::to_chars(
        s.data(), s.data() + s.size(), magnitude,
        conversion == 'f' ? std::chars_format::fixed : std::chars_format::scientific, precision);
    s.resize(static_cast<size_t>(r.ptr - s.data()));
    return s;
}

// The same as exactExpansion where its first `minimumDigits` digits can be had quickly: the
// shortest-path conversion of the standard library, correctly rounded at `minimumDigits` + 17
// digits, has the exact value's digits up to there unless the rounding carried into them, which
// leaves every digit after them 0; then (and for a number too long for the buffer) none.
std::optional<std::string> quickExpansion(double magnitude, char conversion, int minimumDigits)
{
    constexpr int kGuardDigits = 17;
    char buffer[512];
    const std::to_chars_result r =
        std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                      conversion == 'f' ? std::chars_format::fixed : std::chars_format::scientific,
                      minimumDigits + kGuardDigits);
    if (r.ec != std::errc())
        return std::nullopt;
    const std::string_view text(buffer, static_cast<size_t>(r.ptr - buffer));
    const size_t point = text.find('.');
    const size_t stop = conversion == 'f' ? text.size() : text.find('e');
    if (point == std::string_view::npos || stop == std::string_view::npos)
        return std::nullopt;
    const size_t guard = point + 1 + static_cast<size_t>(minimumDigits);
    if (text.find_first_not_of('0', guard) >= stop)
        return std::nullopt;

    return std::string(text);
}

std::string expansion(double magnitude, char conversion, int minimumDigits)
{
    if (std::optional<std::string> quick = quickExpansion(magnitude, conversion, minimumDigits))
        return std::move(*quick);
    return exactExpansion(magnitude, conversion, minimumDigits);
}

// Adds one unit in the last place of a string of decimal digits; returns true on a carry out.
bool incrementDigits(std::string& digits)
{
    for (size_t i = digits.size(); i-- > 0;) {
        if (digits[i] == '9') {
            digits[i] = '0';
        } else {
            ++digits[i];
            return false;
        }
    }
    return true;
}

QString withSeparator(const std::string& text, QChar separator)
{
    QString out = QString::fromLatin1(text.c_str());
    out.replace(QChar(u'.'), separator);
    return out;
}

} // namespace

namespace num {

QString conversionErrorMessage()
{
    return QStringLiteral("Неправильный ввод данных. Дробные числа вводяться через запятую!!!");
}

std::optional<double> parseDecimal(const QString& text, QChar separator)
{
    std::string ascii;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && isBlank(text[i]))
        ++i;
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        ascii += static_cast<char>(text[i++].unicode());
    int mantissaDigits = 0;
    bool separatorSeen = false;
    for (; i < n; ++i) {
        if (isDigit(text[i])) {
            ascii += static_cast<char>(text[i].unicode());
            ++mantissaDigits;
        } else if (text[i] == separator && !separatorSeen) {
            ascii += '.';
            separatorSeen = true;
        } else {
            break;
        }
    }
    if (mantissaDigits == 0)
        return std::nullopt;
    if (i < n && (text[i] == u'E' || text[i] == u'e')) {
        ascii += 'e';
        ++i;
        if (i < n && (text[i] == u'+' || text[i] == u'-'))
            ascii += static_cast<char>(text[i++].unicode());
        int exponentDigits = 0;
        for (; i < n && isDigit(text[i]); ++i) {
            ascii += static_cast<char>(text[i].unicode());
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return std::nullopt;
    }
    while (i < n && isBlank(text[i]))
        ++i;
    if (i != n)
        return std::nullopt;

    errno = 0;
    char* end = nullptr;
    const double value = strtod_l(ascii.c_str(), &end, clocale::c());
    if (end != ascii.c_str() + ascii.size())
        return std::nullopt;
    if (errno == ERANGE && std::isinf(value))
        return std::nullopt; // beyond the range of a double
    return value;            // an underflow to zero or a denormal passes
}

std::optional<double> parseDecimal(const QString& text)
{
    return parseDecimal(text, regional::decimalSeparator());
}

std::optional<double> parseEitherSeparator(const QString& text)
{
    if (std::optional<double> value = parseDecimal(text, u','))
        return value;
    return parseDecimal(text, u'.');
}

QString withDecimalSeparator(const QString& text, QChar separator)
{
    for (const QChar given : {QChar(u','), QChar(u'.')}) {
        // A text without the other separator is left as it is, unparsed.
        if (given != separator && text.contains(given) && parseDecimal(text, given)) {
            QString out = text;
            return out.replace(given, separator);
        }
    }
    return text;
}

std::optional<int> parseInteger(const QString& text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && isBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        negative = text[i++] == u'-';
    long long value = 0;
    int digits = 0;
    for (; i < n && isDigit(text[i]); ++i) {
        value = value * 10 + (text[i].unicode() - u'0');
        if (value > 2147483648LL)
            return std::nullopt;
        ++digits;
    }
    while (i < n && isBlank(text[i]))
        ++i;
    if (digits == 0 || i != n)
        return std::nullopt;
    if (negative)
        value = -value;
    if (value > 2147483647LL)
        return std::nullopt;
    return static_cast<int>(value);
}

QString fixed(double value, int decimals, QChar separator)
{
    if (!std::isfinite(value))
        return general(value, separator);
    std::string exact = expansion(std::fabs(value), 'f', decimals + 1);
    const size_t point = exact.find('.');
    std::string whole = exact.substr(0, point);
    std::string fraction = exact.substr(point + 1);
    const bool roundUp = fraction[static_cast<size_t>(decimals)] >= '5';
    std::string digits = whole + fraction.substr(0, static_cast<size_t>(decimals));
    if (roundUp && incrementDigits(digits))
        digits.insert(digits.begin(), '1');
    const size_t wholeLength = digits.size() - static_cast<size_t>(decimals);
    std::string out = digits.substr(0, wholeLength);
    if (decimals > 0)
        out.append(".").append(digits, wholeLength);
    const bool allZero = digits.find_first_not_of('0') == std::string::npos;
    if (value < 0 && !allZero)
        out.insert(out.begin(), '-');
    return withSeparator(out, separator);
}

QString fixed(double value, int decimals)
{
    return fixed(value, decimals, regional::decimalSeparator());
}

QString general(double value, QChar separator)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    if (value == 0)
        return QStringLiteral("0");

    constexpr int precision = 15;
    // d.ddd...e±X, exact
    const std::string exact = expansion(std::fabs(value), 'e', 16);
    const size_t e = exact.find('e');
    int exponent = std::atoi(exact.c_str() + e + 1);
    std::string digits = exact.substr(0, 1) + exact.substr(2, e - 2);
    const bool roundUp = digits[precision] >= '5';
    digits.resize(precision);
    if (roundUp && incrementDigits(digits)) {
        digits.insert(digits.begin(), '1');
        digits.pop_back();
        ++exponent;
    }
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    std::string out;
    if (exponent >= precision || exponent < -5) {
        out = digits.substr(0, 1);
        if (digits.size() > 1)
            out.append(".").append(digits, 1);
        out.append("E").append(std::to_string(exponent));
    } else if (exponent < 0) {
        out.assign("0.").append(static_cast<size_t>(-exponent - 1), '0').append(digits);
    } else {
        const size_t wholeLength = static_cast<size_t>(exponent) + 1;
        if (digits.size() <= wholeLength) {
            out = digits + std::string(wholeLength - digits.size(), '0');
        } else {
            out.assign(digits, 0, wholeLength).append(".").append(digits, wholeLength);
        }
    }
    if (value < 0)
        out.insert(out.begin(), '-');
    return withSeparator(out, separator);
}

QString general(double value) { return general(value, regional::decimalSeparator()); }

} // namespace num
