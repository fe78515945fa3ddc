#include "assessment/TemplateFile.h"
#include "assessment/Cp1251.h"
#include "tests/assessment/DefaultInputs.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/Files.h"
#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QTemporaryDir>
#include <QtEndian>

#include <cmath>
#include <csignal>
#include <cstring>
#include <limits>
#include <sys/resource.h>

using namespace assessment;

namespace {

double doubleAt(const QByteArray& bytes, int offset)
{
    const quint64 raw = qFromLittleEndian<quint64>(bytes.constData() + offset);
    double value;
    std::memcpy(&value, &raw, sizeof value);
    return value;
}

} // namespace

TEST(TemplateLayout, BytesAtTheirOffsets)
{
    AssessmentInputs in = defaultInputs();
    in.objectName = QStringLiteral("Дом");
    in.hotWaterNightSetback = false;
    in.heatingPeriodDays = -2;
    const QByteArray bytes = encodeTemplate(in);
    ASSERT_EQ(bytes.size(), 256);
    EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 3);
    EXPECT_EQ(bytes.mid(1, 3), QByteArray("\xC4\xEE\xEC")); // "Дом" in code page 1251
    EXPECT_EQ(bytes.mid(4, 100), QByteArray(100, '\0'));
    EXPECT_EQ(bytes.mid(120, 4), QByteArray("\xFE\xFF\xFF\xFF", 4));
    const std::pair<int, double> doubles[] = {
        {104, 1606.29}, {112, 573.82}, {128, 0.15}, {136, 26},     {144, 22},     {152, 16},
        {160, -4.6},    {168, -27},    {184, 16},   {192, 16},     {200, 573.82}, {208, 0.11},
        {216, 55},      {224, 15},     {232, 5},    {248, 573.82},
    };
    for (const auto& [offset, value] : doubles)
        EXPECT_EQ(doubleAt(bytes, offset), value) << offset;
    EXPECT_EQ(bytes[176], 1);
    EXPECT_EQ(bytes[240], 0);
    // 0.15 as IEEE 754 binary64, least significant byte first.
    EXPECT_EQ(bytes.mid(128, 8), QByteArray("\x33\x33\x33\x33\x33\x33\xC3\x3F", 8));
    for (int gap : {101, 102, 103, 124, 125, 126, 127, 177, 183, 241, 247})
        EXPECT_EQ(bytes[gap], 0) << gap;
}

// Every field holds a value of its own, so that two fields swapped in the layout table (as the
// three works costs, equal in the default record, would allow) show at their offsets. The
// offsets are those of the file format, which existing template files fix.
TEST(TemplateLayout, DistinctValuesLandAtTheirOwnOffsets)
{
    AssessmentInputs in;
    in.objectName = QStringLiteral("Я");
    in.heatPrice = 1.25;
    in.combinedWorksCost = 2.25;
    in.heatingPeriodDays = 3;
    in.heatingLoad = 4.25;
    in.existingIndoorTemperature = 5.25;
    in.requiredIndoorTemperature = 6.25;
    in.nightIndoorTemperature = 7.25;
    in.averageOutdoorTemperature = 8.25;
    in.coldestFiveDayTemperature = 9.25;
    in.heatingNightSetback = true;
    in.nightSetbackHours = 11.25;
    in.holidayCount = 12.25;
    in.heatingWorksCost = 13.25;
    in.hotWaterLoad = 14.25;
    in.hotWaterTemperature = 15.25;
    in.summerColdWaterTemperature = 16.25;
    in.winterColdWaterTemperature = 17.25;
    in.hotWaterNightSetback = false;
    in.hotWaterWorksCost = 19.25;
    const QByteArray bytes = encodeTemplate(in);
    const std::pair<int, double> doubles[] = {
        {104, 1.25},  {112, 2.25},  {128, 4.25},  {136, 5.25},  {144, 6.25},  {152, 7.25},
        {160, 8.25},  {168, 9.25},  {184, 11.25}, {192, 12.25}, {200, 13.25}, {208, 14.25},
        {216, 15.25}, {224, 16.25}, {232, 17.25}, {248, 19.25},
    };
    for (const auto& [offset, value] : doubles)
        EXPECT_EQ(doubleAt(bytes, offset), value) << offset;
    EXPECT_EQ(qFromLittleEndian<qint32>(bytes.constData() + 120), 3);
    EXPECT_EQ(bytes[176], 1);
    EXPECT_EQ(bytes[240], 0);
    EXPECT_EQ(bytes.left(2), QByteArray("\x01\xDF", 2)); // "Я" in code page 1251
    // Read back, each field gets its own value again, and the listing names it.
    const QStringList listing = templateListing(decodeTemplate(bytes));
    EXPECT_EQ(listing[2], QStringLiteral("combinedWorksCost = 2,25"));
    EXPECT_EQ(listing[13], QStringLiteral("heatingWorksCost = 13,25"));
    EXPECT_EQ(listing[19], QStringLiteral("hotWaterWorksCost = 19,25"));
    EXPECT_EQ(listing[11], QStringLiteral("nightSetbackHours = 11,25"));
    EXPECT_EQ(listing[12], QStringLiteral("holidayCount = 12,25"));
}

TEST(TemplateLayout, DecodeGivesBackEveryField)
{
    const AssessmentInputs in = defaultInputs();
    const AssessmentInputs out = decodeTemplate(encodeTemplate(in));
    EXPECT_EQ(templateListing(out), templateListing(in));
}

TEST(TemplateLayout, LengthByteAboveHundredReadsHundred)
{
    QByteArray bytes(256, 'A');
    bytes[0] = char(255);
    const AssessmentInputs in = decodeTemplate(bytes);
    EXPECT_EQ(in.objectName, QString(100, QLatin1Char('A')));
}

TEST(TemplateLayout, AnyBytesDecode)
{
    QByteArray bytes(256, '\xFF'); // every double a NaN, flags 0xFF, the undefined byte 0x98 too
    bytes[5] = '\x98';
    const AssessmentInputs in = decodeTemplate(bytes);
    EXPECT_TRUE(std::isnan(in.heatPrice));
    EXPECT_TRUE(in.heatingNightSetback);
    EXPECT_EQ(in.heatingPeriodDays, -1);
    EXPECT_EQ(in.objectName.size(), 100);
    const QStringList listing = templateListing(in);
    EXPECT_EQ(listing[1], QStringLiteral("heatPrice = NAN"));

    AssessmentInputs infinite = defaultInputs();
    infinite.heatingLoad = std::numeric_limits<double>::infinity();
    infinite.hotWaterLoad = -std::numeric_limits<double>::infinity();
    const QByteArray json = templateJson(decodeTemplate(encodeTemplate(infinite)));
    EXPECT_TRUE(json.contains("\"heatingLoad\":null"));
    EXPECT_TRUE(json.contains("\"hotWaterLoad\":null"));
}

TEST(TemplateName, CodePageAndLength)
{
    struct Case {
        QString typed, stored;
        QByteArray bytes;
    };
    const Case cases[] = {
        {QStringLiteral("Ёлка №5"), QStringLiteral("Ёлка №5"),
         QByteArray("\xA8\xEB\xEA\xE0 \xB9\x35")},
        {QStringLiteral("дом ✓ 1"), QStringLiteral("дом ? 1"), QByteArray("\xE4\xEE\xEC ? 1")},
        {QString(120, QChar(u'ж')), QString(100, QChar(u'ж')), QByteArray(100, '\xE6')},
        {QStringLiteral("😀b"), QStringLiteral("?b"), QByteArray("?b")},
    };
    for (const Case& c : cases) {
        const QString stored = recordObjectName(c.typed);
        EXPECT_EQ(stored, c.stored);
        EXPECT_EQ(cp1251::encode(stored), c.bytes);
        AssessmentInputs in;
        in.objectName = stored;
        const QByteArray file = encodeTemplate(in);
        EXPECT_EQ(static_cast<unsigned char>(file[0]), c.bytes.size());
        EXPECT_EQ(decodeTemplate(file).objectName, c.stored);
    }
}

TEST(TemplateFileIo, RoundTripAndTrailingBytesIgnored)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.teo"));
    ASSERT_FALSE(writeTemplateFile(path, defaultInputs()));
    QByteArray bytes = readAll(path);
    EXPECT_EQ(bytes.size(), 256);
    writeFile(path, bytes + QByteArray("extra"));
    const vedan::Outcome<AssessmentInputs> read = readTemplateFile(path);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(templateListing(read.value), templateListing(defaultInputs()));
}

TEST(TemplateFileIo, FailuresNameTheFileAndKeepTheOldOne)
{
    QTemporaryDir dir;
    const QString shortFile = dir.filePath(QStringLiteral("short.teo"));
    writeFile(shortFile, QByteArray(255, '\0'));
    const QString missing = dir.filePath(QStringLiteral("missing.teo"));
    for (const QString& path : {shortFile, missing, dir.path()}) {
        const vedan::Outcome<AssessmentInputs> read = readTemplateFile(path);
        ASSERT_FALSE(read.ok()) << path.toStdString();
        EXPECT_TRUE(read.failure->message.contains(QDir::toNativeSeparators(path)))
            << read.failure->message.toStdString();
    }
    EXPECT_TRUE(readTemplateFile(shortFile).failure->message.contains(QStringLiteral("255")));

    // A save that fails part-way (here: the file size limit stops the write) leaves the old file
    // whole. The limit holds for every user, unlike folder permissions.
    const QString old = dir.filePath(QStringLiteral("old.teo"));
    writeFile(old, QByteArray(256, '\x11'));
    const QString error = [&] {
        const FileSizeLimit limit(100);
        EXPECT_TRUE(limit.ok());
        return writeTemplateFile(old, defaultInputs()).value_or(vedan::Failure{}).message;
    }();
    EXPECT_TRUE(error.contains(QDir::toNativeSeparators(old))) << error.toStdString();
    EXPECT_EQ(readAll(old), QByteArray(256, '\x11'));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2) << "no temporary file left behind";
}

TEST(TemplateListing, NamesInStoredOrderWithRegionalNumbers)
{
    const QStringList listing = templateListing(defaultInputs());
    ASSERT_EQ(listing.size(), 20);
    EXPECT_EQ(listing[0], QStringLiteral("objectName = г. Город  ул. Улица д. 10"));
    EXPECT_EQ(listing[1], QStringLiteral("heatPrice = 1606,29"));
    EXPECT_EQ(listing[3], QStringLiteral("heatingPeriodDays = 220"));
    EXPECT_EQ(listing[8], QStringLiteral("averageOutdoorTemperature = -4,6"));
    EXPECT_EQ(listing[10], QStringLiteral("heatingNightSetback = true"));
    EXPECT_EQ(listing[19], QStringLiteral("hotWaterWorksCost = 573,82"));
    const QByteArray json = templateJson(defaultInputs());
    EXPECT_TRUE(
        json.startsWith("{\"objectName\":\"г. Город  ул. Улица д. 10\",\"heatPrice\":1606.29,"));
    EXPECT_TRUE(json.endsWith("\"hotWaterNightSetback\":true,\"hotWaterWorksCost\":573.82}"));
}
