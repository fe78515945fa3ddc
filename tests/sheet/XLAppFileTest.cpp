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

// wrapCells marks the cells and nothing else; the file gives a row the height of the most lines
// that a wrapped text in it takes, 15 points each, and leaves every other row standard.
TEST_F(SheetFile, WrappedTextsGrowOnlyTheRowsThatNeedMoreLines)
{
    struct Row {
        const char* name;
        const char* first;
        const char* last; // the merged area, or the cell itself
        QString text;
        bool wrapped;
        double height; // -1: the standard height
    };
    // Two of these words a line in a column 14 wide, in every font.
    const QString longText = QStringLiteral("слово ").repeated(40);
    const Row rows[] = {
        {"three lines in a merged row", "A1", "C1", "один\nдва\nтри", true, 45},
        {"a short text", "A2", "C2", "коротко", true, -1},
        {"a long text in one cell", "A3", "A3", longText, true, 15 * 20},
        {"a long text not wrapped", "A4", "C4", longText, false, -1},
        {"a merged area over two rows", "A5", "C6", longText, true, -1},
        {"a number", "A7", "A7", "1234567890123456", true, -1},
        {"taller than a sheet's row", "A8", "A8", longText.repeated(10), true, 409},
        {"", "B9", "B9", "1\n2", true, 30},
        {"the tallest of two in a row", "C9", "C9", "1\n2\n3\n4", true, 60},
    };
    XLApp xl;
    xl.setTargetFile(path("wrap.xlsx"));
    startSheet(xl);
    xl.setColumnsWidth(14);
    for (const Row& r : rows) {
        xl.writeCell(r.first, r.first, r.text);
        xl.mergeCells(r.first, r.last);
        if (r.wrapped)
            xl.wrapCells(r.first, r.last);
    }
    xl.showApplication();
    const QJsonObject sheet = readFirstSheet(path("wrap.xlsx"));
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const QJsonObject cell = cellOf(sheet, r.first);
        EXPECT_EQ(cell["wrap"].toBool(), r.wrapped);
        if (cell["type"] == "s") {
            EXPECT_EQ(cell["value"].toString(), r.text);
        }
        if (*r.name) {
            EXPECT_EQ(rowHeight(sheet, QString(r.first).mid(1).toInt()), r.height);
        }
    }
    EXPECT_EQ(rowHeight(sheet, 6), -1);
    EXPECT_EQ(mergedRanges(sheet), (QStringList{"A1:C1", "A2:C2", "A4:C4", "A5:C6"}));
}

TEST_F(SheetFile, EachExportMakesANewUnsavedFileAndOpensIt)
{
    QStringList opened;
    sheet::setOpener([&](const QString& file, const desktop::Failed&) { opened << file; });
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
    std::vector<vedan::Failure> told;
    const desktop::Report report =
        desktop::setReport([&](const vedan::Failure& failure) { told.push_back(failure); });
    sheet::setOpener([](const QString&, const desktop::Failed& failed) {
        desktop::failLater(failed, "не установлена программа xdg-open");
    });
    XLApp xl;
    startSheet(xl);
    xl.writeCell("A1", "A1", "kept");
    xl.showApplication(); // the export itself went well
    desktop::setReport(report);
    ASSERT_EQ(told.size(), 1U);
    EXPECT_EQ(told[0].message, "Книга записана в файл " + xl.writtenFile()
                                   + ", но открыть её не удалось: не установлена программа "
                                     "xdg-open");
    EXPECT_EQ(told[0].kind, vedan::Failure::Kind::File);
    EXPECT_TRUE(QFileInfo(xl.writtenFile()).isAbsolute());
    EXPECT_TRUE(QFile::exists(xl.writtenFile()));
}

TEST_F(SheetFile, TargetFileIsReplacedAndNothingOpens)
{
    bool opened = false;
    sheet::setOpener([&](const QString&, const desktop::Failed&) { opened = true; });
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
