#include "core/Regional.h"
#include "core/Numbers.h"

#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

class Regional : public testing::Test {
protected:
    void TearDown() override { regional::overrideLocale(std::nullopt); }
};

TEST_F(Regional, CLocaleMeansRussianSettings)
{
    // The tests run under LC_ALL=C: the program's own Russian settings apply.
    EXPECT_EQ(regional::decimalSeparator(), QChar(u','));
    EXPECT_EQ(regional::shortDate(QDate(2026, 12, 7)), QStringLiteral("07.12.2026"));
    EXPECT_EQ(regional::longTime(QTime(9, 5, 3)), QStringLiteral("09:05:03"));
    EXPECT_EQ(num::parseDecimal(QStringLiteral("3,8")), 3.8);
    EXPECT_EQ(num::f2(0.125), QStringLiteral("0,13"));
}

TEST_F(Regional, FollowsTheUserSettings)
{
    regional::overrideLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(regional::decimalSeparator(), QChar(u'.'));
    EXPECT_EQ(num::parseDecimal(QStringLiteral("3.8")), 3.8);
    EXPECT_FALSE(num::parseDecimal(QStringLiteral("3,8")));
    EXPECT_FALSE(num::parseDecimal(QStringLiteral("1,000.5")));
    EXPECT_EQ(num::f2(1234.5), QStringLiteral("1234.50"));
    EXPECT_FALSE(regional::longTime(QTime(21, 5, 3)).contains(QStringLiteral("UTC")));
    EXPECT_TRUE(regional::longTime(QTime(21, 5, 3)).contains(QStringLiteral("05:03")));
}

} // namespace

#include "core/SystemReasons.h"

namespace {

TEST(SystemReason, CommonEnglishReasonsReadInRussian)
{
    EXPECT_EQ(systemreason::inRussian(QStringLiteral("No such file or directory")),
              QStringLiteral("Нет такого файла или каталога"));
    EXPECT_EQ(systemreason::inRussian(QStringLiteral("Permission denied")),
              QStringLiteral("Отказано в доступе"));
    EXPECT_EQ(systemreason::inRussian(QStringLiteral("Ошибка диска")),
              QStringLiteral("Ошибка диска"));
}

} // namespace
