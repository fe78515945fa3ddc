// The written .xlsx file, read back by an independent reader; the folder of unsaved workbooks
// and the opening step.
#include "core/Regional.h"
#include "sheet/Opener.h"
#include "sheet/XLApp.h"
#include "sheet/XlsxFile.h"
#include "tests/sheet/StartSheet.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/WorkbookReader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using sheet::SheetError;
using sheet::XLApp;
using sheet::xlCenter;
using sheet::xlLeft;
using sheet::xlRight;

namespace {

struct Typed {
    const char* text;
    const char* type; // "n", "s", "f", or "" for no cell
    double number;
    const char* shown = nullptr; // the cell's text where it differs from what was typed
};

// Typed texts under Russian settings (comma) and under English ones (point).
const std::vector<Typed> commaCases{
    {"12", "n", 12},
    {" 12 ", "n", 12},
    {"0,08", "n", 0.08},
    {"-3,5E2", "n", -350},
    {"1.5", "s", 0},
    {"115/70", "s", 0},
    {"1,5 т/ч", "s", 0},
    {"12,", "n", 12},
    {"=1+2", "f", 0},
    {"=SUM(1;2)", "f", 0},
    {"", "", 0},
    {"1,2,3", "s", 0},
    {"'12", "s", 0, "12"},
    {"'=1+2", "s", 0, "=1+2"},
    {"'", "", 0},
    // The file holds 16 significant digits: the largest numbers would read back as infinity,
    // so they are kept as their text.
    {"1,7976931348623157E308", "s", 0, "1,79769313486232E308"},
    {"-1,7976931348623157E308", "s", 0, "-1,79769313486232E308"},
    {"1,79769313486231E308", "n", 1.79769313486231e308},
    {"4,9E-324", "n", 4.9e-324},
};
const std::vector<Typed> pointCases{{"1.5", "n", 1.5}, {"0,08", "s", 0}, {"115/70", "s", 0}};

void checkTyped(const std::vector<Typed>& cases, const QString& file)
{
    XLApp xl;
    xl.setTargetFile(file);
    startSheet(xl);
    for (size_t i = 0; i < cases.size(); ++i)
        xl.writeCell(QString("A%1").arg(i + 1), QString("A%1").arg(i + 1),
                     QString::fromUtf8(cases[i].text));
    xl.showApplication();
    const QJsonObject cells = readFirstSheet(file)["cells"].toObject();
    for (size_t i = 0; i < cases.size(); ++i) {
        const Typed& c = cases[i];
        const QJsonObject cell = cells[QString("A%1").arg(i + 1)].toObject();
        SCOPED_TRACE(c.text);
        if (*c.type == 0) {
            EXPECT_TRUE(cell.isEmpty());
            continue;
        }
        EXPECT_EQ(cell["type"].toString(), c.type);
        if (*c.type == 'n')
            EXPECT_DOUBLE_EQ(cell["value"].toDouble(), c.number);
        else
            EXPECT_EQ(cell["value"].toString(), QString::fromUtf8(c.shown ? c.shown : c.text));
    }
}

class SheetFile : public testing::Test {
protected:
    void TearDown() override
    {
        regional::overrideLocale(std::nullopt);
        sheet::setOpener({});
    }
    QString path(const char* name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

TEST_F(SheetFile, TypedTextsFollowTheRegionalDecimalSeparator)
{
    checkTyped(commaCases, path("comma.xlsx"));
    regional::overrideLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    checkTyped(pointCases, path("point.xlsx"));
}

TEST_F(SheetFile, MergesAlignmentWidthsAndBoldSurvive)
{
    XLApp xl;
    xl.setTargetFile(path("layout.xlsx"));
    startSheet(xl);
    xl.nameSheet("Подбор ЭЖ");
    xl.setColumnsBold();
    xl.alignColumns(xlRight);
    xl.setColumnsWidth(14);
    xl.writeCell("A1", "A1", "Заголовок");
    xl.writeCell("A3", "A3", "2,5"); // a number in a merged cell
    xl.mergeCells("C3", "A3");
    xl.alignCells("A3", "C3", xlLeft);
    xl.writeCell("B5", "B5", "value");
    xl.alignCells("B5", "B5", xlCenter);
    xl.setColumnWidth("A1", 31);
    xl.alignCells("A1", "A1", xlCenter);
    xl.mergeCells("A1", "C1");
    xl.setColumnWidth("C9", 20);
    xl.showApplication();

    const QJsonObject sheet = readFirstSheet(path("layout.xlsx"));
    EXPECT_EQ(sheet["name"].toString(), "Подбор ЭЖ");
    EXPECT_EQ(mergedRanges(sheet), (QStringList{"A1:C1", "A3:C3"}));
    const struct {
        const char* cell;
        const char* align;
    } expected[] = {{"A1", "center"}, {"A3", "left"}, {"B5", "center"}};
    for (const auto& e : expected) {
        EXPECT_EQ(cellOf(sheet, e.cell)["align"].toString(), e.align) << e.cell;
        EXPECT_TRUE(cellOf(sheet, e.cell)["bold"].toBool()) << e.cell;
    }
    EXPECT_DOUBLE_EQ(cellOf(sheet, "A3")["value"].toDouble(), 2.5);
    EXPECT_NEAR(shownWidth(sheet, "A"), 31, 0.01);
    EXPECT_NEAR(shownWidth(sheet, "B"), 14, 0.01);
    EXPECT_NEAR(shownWidth(sheet, "C"), 20, 0.01);
    EXPECT_NEAR(shownWidth(sheet, "D"), 14, 0.01);     // the rest of the sheet
    EXPECT_EQ(sheet["fitToWidth"].toInt(), 1);         // printed one page wide,
    EXPECT_EQ(sheet["printArea"].toString(), "A1:C5"); // the filled area only
}

TEST_F(SheetFile, EachExportMakesANewUnsavedFileAndOpensIt)
{
    QStringList opened;
    sheet::setOpener([&](const QString& file) {
        opened << file;
        return true;
    });
    XLApp xl;
    for (const char* text : {"first", "second"}) {
        startSheet(xl);
        xl.nameSheet("Подбор ЭЖ");
        xl.writeCell("A1", "A1", text);
        xl.showApplication();
        xl.disconnect();
    }
    ASSERT_EQ(opened.size(), 2);
    EXPECT_NE(opened[0], opened[1]);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(QFileInfo(opened[i]).absolutePath(),
                  QDir(qEnvironmentVariable("XDG_CACHE_HOME") + "/vedan/unsaved").absolutePath());
        EXPECT_EQ(cellOf(readFirstSheet(opened[i]), "A1")["value"].toString(),
                  i ? "second" : "first");
    }
    EXPECT_EQ(xl.writtenFile(), opened[1]);
}

TEST_F(SheetFile, WithoutASpreadsheetApplicationTheMessageNamesTheSavedFile)
{
    sheet::setOpener([](const QString&) { return false; });
    XLApp xl;
    startSheet(xl);
    xl.writeCell("A1", "A1", "kept");
    try {
        xl.showApplication();
        FAIL();
    } catch (const SheetError& e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).contains(xl.writtenFile())) << e.what();
    }
    EXPECT_TRUE(QFile::exists(xl.writtenFile()));
}

TEST_F(SheetFile, TargetFileIsReplacedAndNothingOpens)
{
    bool opened = false;
    sheet::setOpener([&](const QString&) { return opened = true; });
    QFile old(path("out.xlsx"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("not a workbook");
    old.close();
    XLApp xl;
    xl.setTargetFile(path("out.xlsx"));
    startSheet(xl);
    xl.writeCell("B2", "B2", "new");
    xl.showApplication();
    EXPECT_FALSE(opened);
    EXPECT_EQ(cellOf(readFirstSheet(path("out.xlsx")), "B2")["value"].toString(), "new");
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"out.xlsx"});
}

// A sheet's longest cell, 32,767 characters of two bytes each in UTF-8, is written whole and reads
// back whole, in an export's workbook and in a batch's streamed one; one character more is
// refused before anything is written.
TEST_F(SheetFile, TheLongestCellIsWrittenWholeAndOneMoreIsRefused)
{
    const QString longest(sheet::kMaxCellText, QChar(u'ж'));
    XLApp xl;
    xl.setTargetFile(path("export.xlsx"));
    startSheet(xl);
    xl.writeCell("A1", "A1", longest);
    EXPECT_THROW(xl.writeCell("A2", "A2", longest + u'ж'), SheetError);
    xl.showApplication();
    EXPECT_EQ(cellOf(readFirstSheet(path("export.xlsx")), "A1")["value"].toString(), longest);

    EXPECT_TRUE(sheet::fitsInCell(longest));
    EXPECT_FALSE(sheet::fitsInCell(longest + u'ж'));
    const vedan::Status streamed =
        sheet::writeRowsXlsx({path("rows.xlsx"), "Лист1"}, [&](sheet::RowSheet& rows) {
            rows.text(0, 0, longest);
            return vedan::Status();
        });
    ASSERT_FALSE(streamed) << streamed->message.toStdString();
    EXPECT_EQ(cellOf(readFirstSheet(path("rows.xlsx")), "A1")["value"].toString(), longest);
}

} // namespace
