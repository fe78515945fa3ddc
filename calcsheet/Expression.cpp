#include "calcsheet/Expression.h"

#include <QStringView>

#include <algorithm>
#include <cmath>

namespace calcsheet {

namespace {

const QChar kMinus(0x2212);
const QChar kDot(0x00B7);
const QChar kRoot(0x221A);
const QChar kFourth(0x2074);
const QChar kSquare(0x00B2);
const QChar kSixth(0x2076);

// expr := term (("+" | "−") term)*; term := factor (("·" | "/") factor)*;
// factor := ("√" | "⁴√") factor | primary ("²" | "⁴")?;
// primary := number | "10⁶" | "(" expr ")" | ("min" | "max") "(" expr (";" expr)* ")"
class Parser {
public:
    explicit Parser(const QString& text) : m_text(text) {}

    std::optional<double> whole()
    {
        const std::optional<double> value = expr();
        skipBlanks();
        if (!value || m_at != m_text.size())
            return std::nullopt;
        return value;
    }

private:
    void skipBlanks()
    {
        while (m_at < m_text.size() && m_text[m_at] == u' ')
            ++m_at;
    }
    bool take(QChar c)
    {
        skipBlanks();
        if (m_at < m_text.size() && m_text[m_at] == c) {
            ++m_at;
            return true;
        }
        return false;
    }

    std::optional<double> expr()
    {
        std::optional<double> value = term();
        while (value) {
            if (take(u'+')) {
                const auto right = term();
                value = right ? std::optional(*value + *right) : std::nullopt;
            } else if (take(kMinus)) {
                const auto right = term();
                value = right ? std::optional(*value - *right) : std::nullopt;
            } else {
                break;
            }
        }
        return value;
    }

    std::optional<double> term()
    {
        std::optional<double> value = factor();
        while (value) {
            if (take(kDot)) {
                const auto right = factor();
                value = right ? std::optional(*value * *right) : std::nullopt;
            } else if (take(u'/')) {
                const auto right = factor();
                value = right ? std::optional(*value / *right) : std::nullopt;
            } else {
                break;
            }
        }
        return value;
    }

    std::optional<double> factor()
    {
        if (take(kRoot)) {
            const auto inner = factor();
            return inner ? std::optional(std::sqrt(*inner)) : std::nullopt;
        }
        skipBlanks();
        if (m_at + 1 < m_text.size() && m_text[m_at] == kFourth && m_text[m_at + 1] == kRoot) {
            m_at += 2;
            const auto inner = factor();
            return inner ? std::optional(std::sqrt(std::sqrt(*inner))) : std::nullopt;
        }
        std::optional<double> value = primary();
        if (value && take(kSquare))
            value = *value * *value;
        else if (value && m_at < m_text.size() && m_text[m_at] == kFourth
                 && !(m_at + 1 < m_text.size() && m_text[m_at + 1] == kRoot)) {
            ++m_at;
            value = *value * *value * *value * *value;
        }
        return value;
    }

    // min(a; b; …) or max(a; b; …); nothing, and the position kept, for any other text.
    std::optional<double> extremum()
    {
        skipBlanks();
        const QStringView rest = QStringView(m_text).mid(m_at);
        const bool least = rest.startsWith(QLatin1String("min("));
        if (!least && !rest.startsWith(QLatin1String("max(")))
            return std::nullopt;
        m_at += 4;
        std::optional<double> value = expr();
        while (value && take(u';')) {
            const auto next = expr();
            value = next ? std::optional(least ? std::min(*value, *next) : std::max(*value, *next))
                         : std::nullopt;
        }
        return value && take(u')') ? value : std::nullopt;
    }

    std::optional<double> primary()
    {
        skipBlanks();
        if (m_at < m_text.size() && m_text[m_at] == u'm')
            return extremum();
        if (take(u'(')) {
            const auto inner = expr();
            return inner && take(u')') ? inner : std::nullopt;
        }
        skipBlanks();
        bool negative = false;
        if (m_at < m_text.size() && m_text[m_at] == kMinus) {
            negative = true;
            ++m_at;
        }
        const qsizetype start = m_at;
        while (m_at < m_text.size() && (m_text[m_at].isDigit() || m_text[m_at] == u','))
            ++m_at;
        if (m_at == start)
            return std::nullopt;
        QString digits = m_text.mid(start, m_at - start);
        if (digits == QLatin1String("10") && m_at < m_text.size() && m_text[m_at] == kSixth) {
            ++m_at;
            return negative ? -1e6 : 1e6;
        }
        bool ok = false;
        const double number = digits.replace(u',', u'.').toDouble(&ok);
        if (!ok)
            return std::nullopt;
        return negative ? -number : number;
    }

    const QString& m_text;
    qsizetype m_at = 0;
};

} // namespace

std::optional<double> evaluatePrinted(const QString& expression)
{
    return Parser(expression).whole();
}

} // namespace calcsheet
