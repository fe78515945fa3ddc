// The in-memory worksheet: refusals, order of operations, merges, styles, recorded calls.
#include "sheet/XLApp.h"
#include "tests/sheet/StartSheet.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/SheetCalls.h"

#include <QDir>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

using sheet::SheetError;
using sheet::XLApp;
using sheet::xlCenter;
using sheet::xlLeft;
using sheet::xlRight;

namespace {

struct Refusal {
    const char* what;
    std::function<void(XLApp&)> operation;
    const char* messagePart; // the refused thing, as the message must name it
};

void PrintTo(const Refusal& r, std::ostream* os) { *os << r.what; }

class Refusals : public testing::TestWithParam<Refusal> {};

TEST_P(Refusals, ThrowClearMessage)
{
    XLApp xl;
    startSheet(xl);
    try {
        GetParam().operation(xl);
        FAIL() << "accepted: " << GetParam().what;
    } catch (const SheetError& e) {
        EXPECT_TRUE(
            QString::fromStdString(e.what()).contains(QString::fromUtf8(GetParam().messagePart)))
            << e.what();
    }
}

const QString tooLong(32768, 'x');

INSTANTIATE_TEST_SUITE_P(
    Sheet, Refusals,
    testing::Values(
        Refusal{"empty name", [](XLApp& x) { x.nameSheet(""); }, "имя листа"},
        Refusal{"32 chars", [](XLApp& x) { x.nameSheet(QString(32, 'a')); }, "31"},
        Refusal{"bracket", [](XLApp& x) { x.nameSheet("a[b"); }, "a[b"},
        Refusal{"bracket2", [](XLApp& x) { x.nameSheet("a]b"); }, "a]b"},
        Refusal{"colon", [](XLApp& x) { x.nameSheet("a:b"); }, "a:b"},
        Refusal{"star", [](XLApp& x) { x.nameSheet("a*"); }, "a*"},
        Refusal{"question", [](XLApp& x) { x.nameSheet("?"); }, "?"},
        Refusal{"slash", [](XLApp& x) { x.nameSheet("1/2"); }, "1/2"},
        Refusal{"backslash", [](XLApp& x) { x.nameSheet("1\\2"); }, "1\\2"},
        Refusal{"leading apostrophe", [](XLApp& x) { x.nameSheet("'Лист"); }, "апостроф"},
        Refusal{"trailing apostrophe", [](XLApp& x) { x.nameSheet("Лист'"); }, "апостроф"},
        Refusal{"long text", [](XLApp& x) { x.writeCell("A1", "A1", tooLong); }, "32767"},
        Refusal{"row 0", [](XLApp& x) { x.writeCell("A0", "A0", "x"); }, "A0"},
        Refusal{"beyond last row", [](XLApp& x) { x.writeCell("A1", "A1048577", "x"); },
                "A1048577"},
        Refusal{"beyond XFD", [](XLApp& x) { x.writeCell("XFE1", "XFE1", "x"); }, "XFE1"},
        Refusal{"no row", [](XLApp& x) { x.mergeCells("A", "B2"); }, "«A»"},
        Refusal{"digits first", [](XLApp& x) { x.alignCells("1A", "1A", xlLeft); }, "1A"},
        Refusal{"empty address", [](XLApp& x) { x.setColumnWidth("", 10); }, "адрес"},
        Refusal{"partial overlap",
                [](XLApp& x) {
                    x.mergeCells("A1", "B2");
                    x.mergeCells("B2", "C3");
                },
                "A1:B2"},
        Refusal{"inside a merge",
                [](XLApp& x) {
                    x.mergeCells("A1", "C1");
                    x.mergeCells("B1", "C1");
                },
                "A1:C1"},
        Refusal{"write into hidden part of a merge",
                [](XLApp& x) {
                    x.mergeCells("A1", "C1");
                    x.writeCell("B1", "B1", "x");
                },
                "A1:C1"},
        Refusal{"bad alignment", [](XLApp& x) { x.alignColumns(-4130); }, "-4130"},
        Refusal{"width too big", [](XLApp& x) { x.setColumnsWidth(256); }, "256"},
        Refusal{"negative width", [](XLApp& x) { x.setColumnWidth("B1", -1); }, "-1"},
        Refusal{"formula without body", [](XLApp& x) { x.writeCell("A1", "A1", "="); }, "формула"}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(XLAppOrder, OperationsBeforeTheirStepAreRefused)
{
    XLApp xl;
    EXPECT_THROW(xl.addWorkbook(), SheetError);
    xl.connect();
    EXPECT_THROW(xl.firstWorksheet(), SheetError);
    xl.addWorkbook();
    try {
        xl.writeCell("A1", "A1", "x");
        FAIL();
    } catch (const SheetError& e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).contains("firstWorksheet")) << e.what();
    }
    EXPECT_THROW(xl.addWorkbook(1), SheetError); // only the one-sheet template
}

TEST(XLAppOrder, LimitsThemselvesAreAccepted)
{
    XLApp xl;
    startSheet(xl);
    EXPECT_NO_THROW(xl.nameSheet(QString(31, 'a')));
    EXPECT_NO_THROW(xl.writeCell("XFD1048576", "xfd1048576", QString(32767, 'x')));
    EXPECT_NO_THROW(xl.setColumnWidth("XFD1", 255));
    EXPECT_NO_THROW(xl.nameSheet("Лист 'один' 2"));
}

TEST(XLAppModel, ReversedCornersAddressTheSameRange)
{
    XLApp xl;
    startSheet(xl);
    xl.writeCell("C2", "A1", "x");
    xl.mergeCells("C5", "A4");
    for (const char* cell : {"A1", "B1", "C1", "A2", "B2", "C2"})
        EXPECT_EQ(xl.model().cell(cell)->text, "x") << cell;
    ASSERT_EQ(xl.model().merges.size(), 1u);
    EXPECT_EQ(xl.model().merges[0].address(), "A4:C5");
}

TEST(XLAppModel, MergeKeepsTopLeftValueAndAbsorbsInnerMerges)
{
    XLApp xl;
    startSheet(xl);
    xl.writeCell("A1", "A1", "left");
    xl.writeCell("B1", "B1", "lost");
    xl.mergeCells("B1", "C1");
    xl.mergeCells("A1", "C2");
    xl.mergeCells("A1", "C2"); // again: nothing changes
    ASSERT_EQ(xl.model().merges.size(), 1u);
    EXPECT_EQ(xl.model().merges[0].address(), "A1:C2");
    EXPECT_FALSE(xl.model().cell("B1").has_value());
    // Writing the whole merged range puts the text in the merged cell.
    xl.writeCell("A1", "C2", "title");
    EXPECT_EQ(xl.model().cell("A1")->text, "title");
    EXPECT_FALSE(xl.model().cell("C2").has_value());
}

TEST(XLAppModel, SheetWideStylesApplyToEarlierCellsAndLaterOnes)
{
    XLApp xl;
    startSheet(xl);
    xl.writeCell("A1", "A1", "before");
    xl.alignCells("A1", "A1", xlLeft);
    xl.setColumnsBold();
    xl.alignColumns(xlRight);
    xl.writeCell("B1", "B1", "after");
    xl.alignCells("C1", "C1", xlCenter); // a styled cell without a value
    for (const char* cell : {"A1", "B1"}) {
        EXPECT_TRUE(xl.model().cell(cell)->style.bold) << cell;
        EXPECT_EQ(xl.model().cell(cell)->style.alignment, xlRight) << cell;
    }
    EXPECT_EQ(xl.model().cell("C1")->kind, sheet::Cell::Kind::Empty);
    EXPECT_TRUE(xl.model().cell("C1")->style.bold);
}

TEST(XLAppModel, TheTopLeftCellOfAMergeTakesAnEntryAfterTheMerge)
{
    XLApp xl;
    startSheet(xl);
    xl.mergeCells("A2", "C2");
    xl.alignCells("A2", "C2", xlLeft);
    xl.writeCell("A2", "A2", "Заказчик:");
    EXPECT_EQ(xl.model().cell("A2")->text, "Заказчик:");
    EXPECT_EQ(xl.model().cell("A2")->style.alignment, xlLeft);
    EXPECT_THROW(xl.writeCell("A2", "B2", "part"), SheetError);
}

TEST(XLAppModel, AligningPartOfAMergeAlignsTheMergedCell)
{
    XLApp xl;
    startSheet(xl);
    xl.mergeCells("A1", "C1");
    xl.alignCells("B1", "B1", xlCenter);
    EXPECT_EQ(xl.model().cell("A1")->style.alignment, xlCenter);
}

TEST(XLAppModel, WidthsOfAllColumnsAndOfOne)
{
    XLApp xl;
    startSheet(xl);
    EXPECT_DOUBLE_EQ(xl.model().columnWidth(1), 8.43);
    xl.setColumnWidth("B7", 20);
    xl.setColumnsWidth(14); // the whole sheet, also B
    xl.setColumnWidth("C1", 31.5);
    EXPECT_DOUBLE_EQ(xl.model().columnWidth(2), 14);
    EXPECT_DOUBLE_EQ(xl.model().columnWidth(3), 31.5);
    EXPECT_DOUBLE_EQ(xl.model().columnWidth(16384), 14);
}

TEST(XLAppCalls, RecordsEveryOperationWithItsArguments)
{
    XLApp xl;
    QTemporaryDir dir; // of this run's own: the C and ru_RU runs may go at the same time
    xl.setTargetFile(dir.filePath("recorded.xlsx"));
    startSheet(xl);
    xl.nameSheet("Лист");
    xl.setColumnsWidth(14);
    xl.writeCell("A1", "A1", "a,b");
    xl.alignCells("A1", "B1", xlCenter);
    xl.setColumnWidth("A1", 8.5);
    EXPECT_THROW(xl.mergeCells("A0", "B1"), SheetError);
    xl.showApplication();
    xl.disconnect();
    const QStringList expected{"connect()",
                               "addWorkbook(-4167)",
                               "newestWorkbook()",
                               "firstWorksheet()",
                               "nameSheet(Лист)",
                               "setColumnsWidth(14)",
                               "writeCell(A1,A1,a,b)",
                               "alignCells(A1,B1,-4108)",
                               "setColumnWidth(A1,8.5)",
                               "mergeCells(A0,B1)",
                               "showApplication()",
                               "disconnect()"};
    EXPECT_EQ(sheettest::recordedCalls(xl), expected);
}

TEST(XLAppCalls, AShownWorkbookTakesNoMoreChangesButANewExportStartsAfresh)
{
    XLApp xl;
    QTemporaryDir dir;
    xl.setTargetFile(dir.filePath("shown.xlsx"));
    startSheet(xl);
    xl.writeCell("A1", "A1", "first");
    xl.showApplication();
    EXPECT_THROW(xl.writeCell("A2", "A2", "late"), SheetError);
    xl.disconnect();
    startSheet(xl);
    EXPECT_FALSE(xl.model().cell("A1").has_value());
    EXPECT_NO_THROW(xl.writeCell("A2", "A2", "second"));
}

} // namespace
