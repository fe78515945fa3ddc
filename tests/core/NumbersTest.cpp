#include "core/Numbers.h"
#include "tests/support/PythonReference.h"
#include "tests/support/QtPrinters.h"

#include <QJsonArray>

#include <gtest/gtest.h>

#include <cmath>
#include <iomanip>
#include <limits>
#include <random>
#include <vector>

namespace {

struct ParseCase {
    const char* text;
    QChar separator;
    std::optional<double> expected;
};

void PrintTo(const ParseCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }

class ParseDecimal : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseDecimal, AcceptsOnlyTheTypedNumberForm)
{
    const ParseCase& c = GetParam();
    const auto value = num::parseDecimal(QString::fromUtf8(c.text), c.separator);
    ASSERT_EQ(value.has_value(), c.expected.has_value()) << c.text;
    if (c.expected) {
        EXPECT_DOUBLE_EQ(*value, *c.expected) << c.text;
    }
}

const QChar comma(u',');
const QChar point(u'.');

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseDecimal,
    testing::Values(ParseCase{"3,8", comma, 3.8}, ParseCase{"0,08", comma, 0.08},
                    ParseCase{"  -4,6  ", comma, -4.6}, ParseCase{"+115", comma, 115.0},
                    ParseCase{"1,5E3", comma, 1500.0}, ParseCase{"2e-2", comma, 0.02},
                    ParseCase{"5,", comma, 5.0}, ParseCase{",5", comma, 0.5},
                    ParseCase{"1e-400", comma, 0.0}, ParseCase{"3.8", point, 3.8},
                    ParseCase{"3.8", comma, std::nullopt}, ParseCase{"", comma, std::nullopt},
                    ParseCase{"   ", comma, std::nullopt}, ParseCase{"1 000", comma, std::nullopt},
                    ParseCase{"1\u00a0000", comma, std::nullopt},
                    ParseCase{"1,2,3", comma, std::nullopt}, ParseCase{"12a", comma, std::nullopt},
                    ParseCase{"--1", comma, std::nullopt}, ParseCase{"1e", comma, std::nullopt},
                    ParseCase{"e5", comma, std::nullopt}, ParseCase{",", comma, std::nullopt},
                    ParseCase{"-", comma, std::nullopt}, ParseCase{"1e400", comma, std::nullopt},
                    ParseCase{"inf", comma, std::nullopt}, ParseCase{"nan", comma, std::nullopt},
                    ParseCase{"0x10", comma, std::nullopt},
                    ParseCase{"3,8\t", comma, std::nullopt}));

TEST(ParseInteger, WholeNumbersOnly)
{
    EXPECT_EQ(num::parseInteger(QStringLiteral("220")), 220);
    EXPECT_EQ(num::parseInteger(QStringLiteral(" -15 ")), -15);
    EXPECT_EQ(num::parseInteger(QStringLiteral("2147483647")), 2147483647);
    EXPECT_EQ(num::parseInteger(QStringLiteral("-2147483648")), std::numeric_limits<int>::min());
    for (const char* bad : {"220,5", "", "2147483648", "1e3", "12 3", "+"})
        EXPECT_FALSE(num::parseInteger(QString::fromUtf8(bad))) << bad;
}

struct FixedCase {
    double value;
    int decimals;
    const char* expected;
};

void PrintTo(const FixedCase& c, std::ostream* os) { *os << c.expected; }

class Fixed : public testing::TestWithParam<FixedCase> {};

TEST_P(Fixed, RoundsTheStoredValueAsAPersonDoes)
{
    const FixedCase& c = GetParam();
    EXPECT_EQ(num::fixed(c.value, c.decimals, comma), QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Values, Fixed,
    testing::Values(FixedCase{0.125, 2, "0,13"}, FixedCase{-0.125, 2, "-0,13"},
                    FixedCase{2.675, 2, "2,67"}, // stored just below the tie
                    FixedCase{1.005, 2, "1,00"}, FixedCase{0.5, 0, "1"}, FixedCase{2.5, 0, "3"},
                    FixedCase{1.77, 2, "1,77"}, FixedCase{9.995, 2, "9,99"},
                    FixedCase{9.9951, 2, "10,00"}, FixedCase{99.96, 1, "100,0"},
                    FixedCase{1234567.891, 2, "1234567,89"}, FixedCase{-0.001, 2, "0,00"},
                    FixedCase{-0.0, 2, "0,00"}, FixedCase{248.78125, 3, "248,781"},
                    FixedCase{0.0625, 3, "0,063"}, FixedCase{1e20, 2, "100000000000000000000,00"},
                    FixedCase{5e-324, 2, "0,00"}));

struct GeneralCase {
    double value;
    const char* expected;
};

void PrintTo(const GeneralCase& c, std::ostream* os) { *os << c.expected; }

class General : public testing::TestWithParam<GeneralCase> {};

TEST_P(General, ShortestFormWithFifteenDigits)
{
    const GeneralCase& c = GetParam();
    EXPECT_EQ(num::general(c.value, comma), QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Values, General,
    testing::Values(GeneralCase{0.15, "0,15"}, GeneralCase{220, "220"},
                    GeneralCase{1606.29, "1606,29"}, GeneralCase{-4.6, "-4,6"},
                    GeneralCase{0.8598, "0,8598"}, GeneralCase{0, "0"},
                    GeneralCase{0.1 + 0.2, "0,3"}, GeneralCase{1.0 / 3, "0,333333333333333"},
                    GeneralCase{2.0 / 3, "0,666666666666667"}, GeneralCase{1e15, "1E15"},
                    GeneralCase{123456789012345.0, "123456789012345"}, GeneralCase{1e-5, "0,00001"},
                    GeneralCase{1.5e-7, "1,5E-7"}, GeneralCase{-2.5e20, "-2,5E20"},
                    GeneralCase{999999999999999.9, "1E15"},
                    GeneralCase{std::numeric_limits<double>::quiet_NaN(), "NAN"},
                    GeneralCase{-std::numeric_limits<double>::infinity(), "-INF"}));

} // namespace

// Many figures of every size against the exact value of each double, rounded half away from
// zero, by Python's decimal module: the quick conversion never moves a digit.
TEST(NumberTexts, AgreeWithTheExactValueRoundedHalfUp)
{
    std::mt19937_64 random(20261208);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> exponent(-8, 12);
    std::uniform_int_distribution<int> decimals(0, 4);
    std::vector<double> values;
    for (int i = 0; i < 20000; ++i)
        values.push_back((i % 2 ? -1 : 1) * mantissa(random) * std::pow(10.0, exponent(random)));
    // Ties and near-ties at the places the program prints, and figures the sizing prints.
    for (int k = 0; k < 2000; ++k) {
        values.push_back(k / 1000.0 + 0.0005);
        values.push_back(k / 100.0 + 0.005);
        values.push_back(std::nextafter(k / 200.0, 0.0));
    }
    QJsonArray fixedRequest, generalRequest;
    std::vector<int> places;
    for (double v : values) {
        places.push_back(decimals(random));
        fixedRequest.append(QJsonArray{v, places.back()});
        generalRequest.append(v);
    }
    const QJsonObject answer = pythonReference(
        "rounding_reference.py", {{"fixed", fixedRequest}, {"general", generalRequest}});
    ASSERT_EQ(answer["fixed"].toArray().size(), fixedRequest.size()) << "python3 decimal";
    int wrong = 0;
    for (qsizetype i = 0; i < fixedRequest.size() && wrong < 10; ++i) {
        const double v = values[static_cast<size_t>(i)];
        const QString f = num::fixed(v, places[static_cast<size_t>(i)], QChar(u'.'));
        const QString g = num::general(v, QChar(u'.'));
        if (f != answer["fixed"][i].toString() || g != answer["general"][i].toString()) {
            ++wrong;
            ADD_FAILURE() << std::setprecision(17) << v << ": " << f.toStdString() << " / "
                          << answer["fixed"][i].toString().toStdString() << ", " << g.toStdString()
                          << " / " << answer["general"][i].toString().toStdString();
        }
    }
}

// Near-ties at 5, 8 and 11 decimals, which the random figures above never meet: the doubles whose
// exact value is a tie, or lies just beside one (a 4 followed by a run of 9s, a 5 by a run of 0s),
// found by tests/support/near_ties.py. The quick conversion rounds at 17 digits past the deciding
// one, so a run of 17 nines carries into it: 1.049505e-06 must still give 0,00000104950.
TEST(NumberTexts, NearTiesAgreeWithTheExactValue)
{
    struct Case {
        const char* name;
        double value;
        int decimals;
    };
    const Case cases[] = {
        {"5 decimals: 4, then 16 nines", 0.000155, 5},
        {"5 decimals: 4, then 15 nines", 4.9999999999999996e-06, 5},
        {"5 decimals: 5, then 15 zeros", 5e-06, 5},
        {"5 decimals: an exact tie", 0.015625, 5},
        {"8 decimals: 4, then 16 nines", 2.35e-07, 8},
        {"8 decimals: 5, then 15 zeros", 5e-09, 8},
        {"8 decimals: an exact tie", 0.001953125, 8},
        {"11 decimals: 4, then 17 nines", 1.049505e-06, 11},
        {"11 decimals: 4, then 17 nines, negative", -1.049505e-06, 11},
        {"11 decimals: 4, then 16 nines", 2.605e-09, 11},
        {"11 decimals: 5, then 15 zeros", 9.051505e-06, 11},
        {"11 decimals: an exact tie", 0.000244140625, 11},
    };
    QJsonArray request;
    for (const Case& c : cases)
        request.append(QJsonArray{c.value, c.decimals});
    const QJsonArray answer =
        pythonReference("rounding_reference.py", {{"fixed", request}})["fixed"].toArray();
    ASSERT_EQ(answer.size(), request.size()) << "python3 decimal";
    for (qsizetype i = 0; i < answer.size(); ++i) {
        const Case& c = cases[i];
        EXPECT_EQ(num::fixed(c.value, c.decimals, QChar(u'.')), answer[i].toString()) << c.name;
    }
    EXPECT_EQ(num::fixed(1.049505e-06, 11, comma), QStringLiteral("0,00000104950"));
}
