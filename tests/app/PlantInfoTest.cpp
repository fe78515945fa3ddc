// The plant's contact texts: placeholder data only, and the same numbers everywhere.

#include "core/PlantInfo.h"
#include "tests/support/QtPrinters.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

QStringList allLines()
{
    return plant::contactsText() + plant::representativesText() + plant::historyText();
}

} // namespace

TEST(PlantInfo, AddressesUseReservedExampleDomains)
{
    const QRegularExpression host(R"((?:@|www\.|Сайт: )([A-Za-z0-9.-]+))");
    const QStringList lines = allLines() << plant::email() << plant::webAddress();
    int hosts = 0;
    for (const QString& line : lines) {
        for (auto it = host.globalMatch(line); it.hasNext(); ++hosts) {
            const QString name = it.next().captured(1);
            EXPECT_TRUE(name.endsWith(".example") || name.contains(".example/"))
                << name.toStdString();
        }
    }
    EXPECT_GT(hosts, 10);
}

TEST(PlantInfo, TelephoneNumbersAreFromTheFictionalSeries)
{
    const QRegularExpression phone(R"(\+7 \(\d{3}\) (\d{3}-\d{2})-\d{2})");
    const QStringList lines = allLines() << plant::faxNumber();
    int numbers = 0;
    for (const QString& line : lines) {
        for (auto it = phone.globalMatch(line); it.hasNext(); ++numbers)
            EXPECT_EQ(it.next().captured(1), QString("555-01")) << line.toStdString();
    }
    EXPECT_GT(numbers, 15);
}

TEST(PlantInfo, QuestionnaireFooterDataIsThePlantsOwn)
{
    const QString contacts = plant::contactsText().join('\n');
    EXPECT_TRUE(contacts.contains(plant::faxNumber()));
    EXPECT_TRUE(contacts.contains(plant::email()));
}

TEST(PlantInfo, DepartmentsAreSeparatedByOneEmptyLine)
{
    const QStringList lines = plant::contactsText();
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_EQ(lines.first(), plant::fullName());
    EXPECT_FALSE(lines.last().isEmpty());
    for (int i = 1; i < lines.size(); ++i)
        EXPECT_FALSE(lines[i].isEmpty() && lines[i - 1].isEmpty()) << "line " << i;
    // Headings: the company block, seven departments.
    EXPECT_EQ(lines.count(QString()), 7);
}

TEST(PlantInfo, TitleNamesThePlantInStraightQuotes)
{
    EXPECT_EQ(plant::programTitle(),
              QString("Программа подбора оборудования произодства ОАО \"Завод Ведан\""));
    EXPECT_TRUE(plant::fullName().contains("ОАО \"Завод Ведан\""));
}
