// A workbook that always opens: texts with every kind of character, sheet names the format
// cannot carry, the index of merged areas at its edges, the private folder of unsaved
// workbooks, and a disk that fills up during a write.
#include "sheet/Launcher.h"
#include "sheet/Opener.h"
#include "sheet/SheetModel.h"
#include "sheet/XLApp.h"
#include "sheet/XlsxCheck.h"
#include "sheet/XlsxText.h"
#include "tests/sheet/StartSheet.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/SheetCalls.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/WorkbookReader.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

using sheet::SheetError;
using sheet::XLApp;

namespace {

using namespace sheet;

const QChar fffd(replacementCharacter);
const QString lowAlone(QChar(0xDC00));
const QString highAlone(QChar(0xD83D));
const QString smile = QString::fromUtf8("\xF0\x9F\x98\x80"); // a pair of surrogates

struct TextCase {
    QString typed;
    QString stored; // as written into the file
    QString read;   // as a spreadsheet reads it back
};

const std::vector<TextCase>& textCases()
{
    static const std::vector<TextCase> cases = {
        {"a\x01z", "a_x0001_z", "a\x01z"},
        {"tab\tand\nline", "tab\tand\nline", "tab\tand\nline"},
        {"cr\r\n", "cr_x000D_\n", "cr\r\n"},
        {"esc\x1b[31m", "esc_x001B_[31m", "esc\x1b[31m"},
        {"_x0041_", "_x005F_x0041_", "_x0041_"},
        {"A_x00fF_B", "A_x005F_x00fF_B", "A_x00fF_B"},
        {"_x004_ _x00G1_ _x0041", "_x004_ _x00G1_ _x0041", "_x004_ _x00G1_ _x0041"},
        // The escape of a control character brings an underscore that would close a typed one.
        {"_x0041\x0f", "_x005F_x0041_x000F_", "_x0041\x0f"},
        {"_x0041\t", "_x0041\t", "_x0041\t"},
        {QString("nul") + QChar(0) + "after", QString("nul") + fffd + "after",
         QString("nul") + fffd + "after"},
        {QString("ends") + QChar(0xFFFE) + QChar(0xFFFF), QString("ends") + fffd + fffd,
         QString("ends") + fffd + fffd},
        {"x" + highAlone + "y" + lowAlone, "x" + QString(fffd) + "y" + fffd,
         "x" + QString(fffd) + "y" + fffd},
        {"pair " + smile, "pair " + smile, "pair " + smile},
        {highAlone, fffd, fffd},
        // Each character the file cannot hold, alone: nothing beside it to hide a fault.
        {lowAlone, fffd, fffd},
        {QString(QChar(0)), fffd, fffd},
        {QString(QChar(0xFFFE)), fffd, fffd},
        {QString(QChar(0xFFFF)), fffd, fffd},
        {highAlone + highAlone, QString(fffd) + fffd, QString(fffd) + fffd},
        {lowAlone + highAlone, QString(fffd) + fffd, QString(fffd) + fffd},
        {QString(QChar(0x1F)), "_x001F_", QString(QChar(0x1F))},
        {QString(QChar(0x7F)), QString(QChar(0x7F)), QString(QChar(0x7F))},
    };
    return cases;
}

TEST(XlsxText, EscapesWhatTheFormatCannotHoldAndNeverShortens)
{
    for (const TextCase& c : textCases()) {
        SCOPED_TRACE(c.typed.toStdString());
        const QString stored = cellTextForFile(c.typed);
        EXPECT_EQ(stored, c.stored);
        EXPECT_EQ(cellTextFromFile(stored), c.read);
        EXPECT_GE(stored.size(), c.typed.size());
    }
}

TEST(XlsxText, NameCharactersAtTheirEdges)
{
    const std::pair<char32_t, bool> edges[] = {
        {0x00, false},   {0x1F, false},    {0x20, true},      {0xD7FF, true},  {0xD800, false},
        {0xDFFF, false}, {0xE000, true},   {0xFFFD, true},    {0xFFFE, false}, {0xFFFF, false},
        {0x10000, true}, {0x10FFFF, true}, {0x110000, false},
    };
    for (const auto& [c, allowed] : edges)
        EXPECT_EQ(isNameCharacter(c), allowed) << std::hex << unsigned(c);
    EXPECT_TRUE(fileCanCarry("=A1&\"\t\r\n\""));
    EXPECT_FALSE(fileCanCarry(QString("=") + QChar(0x01)));
    EXPECT_FALSE(fileCanCarry("=" + highAlone));
}

// Written by the program and read back by an independent reader: every text whole.
TEST(HostileTexts, ReadBackExactlyAsTyped)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("hostile.xlsx");
    XLApp xl;
    xl.setTargetFile(file);
    startSheet(xl);
    const auto& cases = textCases();
    for (size_t i = 0; i < cases.size(); ++i) {
        const QString row = QString::number(i + 1);
        xl.writeCell("A" + row, "A" + row, cases[i].typed);
        xl.writeCell("B" + row, "B" + row, cases[i].typed); // a merged cell's text is written
        xl.mergeCells("B" + row, "D" + row);                // by another call of the writer
    }
    // The longest text, measured as stored: a control character takes seven places.
    QString longest(32761, 'x');
    longest[0] = QChar(0x01);
    longest[32760] = QChar(0);
    xl.writeCell("A100", "A100", longest);
    EXPECT_THROW(xl.writeCell("A101", "A101", longest + "x"), SheetError);
    xl.showApplication();

    const QJsonObject sheet = readFirstSheet(file);
    ASSERT_FALSE(sheet.isEmpty()) << "the reader refused the workbook";
    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].typed.toStdString());
        const QString row = QString::number(i + 1);
        EXPECT_EQ(cellOf(sheet, "A" + row)["value"].toString(), cases[i].read);
        EXPECT_EQ(cellOf(sheet, "B" + row)["value"].toString(), cases[i].read);
    }
    const QString readLongest = cellOf(sheet, "A100")["value"].toString();
    EXPECT_EQ(readLongest.size(), 32761);
    EXPECT_EQ(readLongest[0], QChar(0x01));
    EXPECT_EQ(readLongest[32760], fffd);
    EXPECT_TRUE(cellOf(sheet, "A101").isEmpty());
}

TEST(HostileTexts, AFormulaWithCharactersTheFormatCannotHoldIsRefused)
{
    XLApp xl;
    startSheet(xl);
    for (const QString& formula :
         {QString("=1+\x01"), QString("=\"") + QChar(0xFFFF) + "\"", "=A1&\"" + lowAlone + "\""}) {
        EXPECT_THROW(xl.writeCell("A1", "A1", formula), SheetError);
    }
    EXPECT_NO_THROW(xl.writeCell("A1", "A1", "=1+\n2"));
}

TEST(SheetNames, CharactersWithoutAnEscapeAreRefusedWithTheSheetNameMessage)
{
    struct Case {
        QString name;
        bool accepted;
    };
    const Case cases[] = {
        {"Подбор ЭЖ", true},
        {QString(31, QChar(0x0416)), true}, // the longest name
        {QString(32, 'a'), false},
        {"ТЭО" + smile, true},
        {"ТЭО\x01", false},
        {"a\nb", false},
        {"tab\there", false},
        {QString("x") + QChar(0x1F), false},
        {QString("nul") + QChar(0), false},
        {QString("x") + QChar(0xFFFE), false},
        {QString("x") + QChar(0xFFFF), false},
        {"x" + highAlone, false},
        {lowAlone + "x", false},
        {"a:b", false},
        {"", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        XLApp xl;
        startSheet(xl);
        if (c.accepted) {
            EXPECT_NO_THROW(xl.nameSheet(c.name));
            continue;
        }
        try {
            xl.nameSheet(c.name);
            ADD_FAILURE() << "accepted";
        } catch (const SheetError& e) {
            const QString message = QString::fromUtf8(e.what());
            EXPECT_TRUE(message.startsWith("Недопустимое имя листа")) << e.what();
            for (const QChar ch : message) // the message itself stays printable
                EXPECT_TRUE(ch >= ' ' || ch == '\n') << e.what();
        }
        EXPECT_EQ(xl.model().name, "Лист1");
    }
}

// The index of merged areas answers as a scan over all of them would, at every edge.
TEST(MergeIndex, AnswersAtTheEdgesOfEachArea)
{
    SheetModel model;
    const CellRange wide{2, 2, 2, 5};  // B2:E2
    const CellRange tall{3, 3, 6, 3};  // C3:C6
    const CellRange block{3, 5, 4, 7}; // E3:G4
    for (const CellRange& r : {wide, tall, block})
        model.addMerge(r);
    struct Probe {
        CellRef cell;
        std::optional<CellRange> in;
    };
    const Probe probes[] = {
        {{2, 1}, std::nullopt}, {{2, 2}, wide},  {{2, 5}, wide},         {{2, 6}, std::nullopt},
        {{1, 3}, std::nullopt}, {{3, 3}, tall},  {{6, 3}, tall},         {{7, 3}, std::nullopt},
        {{3, 4}, std::nullopt}, {{4, 7}, block}, {{5, 5}, std::nullopt}, {{4, 8}, std::nullopt},
    };
    auto check = [&](const char* when) {
        SCOPED_TRACE(when);
        for (const Probe& p : probes) {
            const CellRange* found = model.mergeAt(p.cell);
            bool removed = true;
            for (const CellRange& m : model.merges)
                removed = removed && !(p.in && m == *p.in);
            if (!p.in || removed)
                EXPECT_EQ(found, nullptr) << cellName(p.cell).toStdString();
            else
                EXPECT_TRUE(found && *found == *p.in) << cellName(p.cell).toStdString();
        }
    };
    check("all three");
    EXPECT_EQ(model.mergesAcross({1, 1, 10, 10}).size(), 3u);
    EXPECT_EQ(model.mergesAcross({6, 3, 6, 3}).size(), 1u); // the last cell of the tall one
    EXPECT_EQ(model.mergesAcross({5, 4, 7, 4}).size(), 0u); // beside it
    EXPECT_EQ(model.mergesAcross({1, 5, 3, 5}).size(), 2u); // wide's last and block's first
    model.removeMerge(wide);                                // the last one moves into its place
    check("without the first");
    model.removeMerge(block);
    check("the tall one alone");
    ASSERT_EQ(model.merges.size(), 1u);
    EXPECT_EQ(model.merges[0], tall);
}

TEST(MergeIndex, EraseCellsKeepsOnlyTheGivenCellOfTheRange)
{
    SheetModel model;
    for (int r = 1; r <= 4; ++r)
        for (int c = 1; c <= 4; ++c)
            model.touch({r, c});
    model.eraseCells({2, 2, 3, 3}, {2, 2});
    EXPECT_EQ(model.cells.size(), 13u);
    EXPECT_TRUE(model.cells.count({2, 2}));
    for (const auto& cell : {std::pair{2, 3}, {3, 2}, {3, 3}})
        EXPECT_FALSE(model.cells.count(cell));
    for (const auto& cell : {std::pair{2, 1}, {2, 4}, {1, 2}, {4, 3}})
        EXPECT_TRUE(model.cells.count(cell));
}

class UnsavedWorkbooks : public testing::Test {
protected:
    void SetUp() override
    {
        m_saved = qgetenv("XDG_CACHE_HOME");
        qputenv("XDG_CACHE_HOME", QFile::encodeName(m_dir.path()));
        m_opener = sheet::setOpener(
            [this](const QString& file, const desktop::Failed&) { m_opened << file; });
    }
    void TearDown() override
    {
        sheet::setOpener(m_opener);
        qputenv("XDG_CACHE_HOME", m_saved);
    }
    QTemporaryDir m_dir;
    QByteArray m_saved;
    sheet::Opener m_opener;
    QStringList m_opened;
};

TEST_F(UnsavedWorkbooks, GoToThePrivateFolderUnderTheCache)
{
    XLApp xl;
    startSheet(xl);
    xl.nameSheet(".ТЭО 1");
    xl.writeCell("A1", "A1", "text");
    xl.showApplication();
    ASSERT_EQ(m_opened.size(), 1);
    EXPECT_EQ(QFileInfo(m_opened[0]).absolutePath(), m_dir.path() + "/vedan/unsaved");
    EXPECT_TRUE(QFileInfo(m_opened[0]).fileName().startsWith("_.ТЭО_1_"))
        << m_opened[0].toStdString();
    EXPECT_EQ(QFile(m_dir.path() + "/vedan/unsaved").permissions() & 0x0077, 0);
    EXPECT_EQ(QDir(m_dir.path() + "/vedan/unsaved")
                  .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
                  .size(),
              1);
    EXPECT_EQ(cellOf(readFirstSheet(m_opened[0]), "A1")["value"].toString(), "text");
}

TEST_F(UnsavedWorkbooks, ALinkInPlaceOfTheFolderStopsTheExport)
{
    QTemporaryDir elsewhere;
    ASSERT_TRUE(QFile::link(elsewhere.path(), m_dir.path() + "/vedan"));
    XLApp xl;
    startSheet(xl);
    xl.writeCell("A1", "A1", "secret");
    try {
        xl.showApplication();
        FAIL() << "exported through a link";
    } catch (const SheetError& e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).contains(m_dir.path() + "/vedan")) << e.what();
    }
    EXPECT_TRUE(m_opened.isEmpty());
    EXPECT_TRUE(
        QDir(elsewhere.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
}

TEST(FullDisk, TheOldWorkbookStaysByteForByteAndTheMessageIsRussian)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("old.xlsx");
    QFile old(file);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(3000, 'o'));
    old.close();
    XLApp xl;
    xl.setTargetFile(file);
    startSheet(xl);
    for (int r = 1; r <= 2000; ++r)
        xl.writeCell(QString("A%1").arg(r), QString("A%1").arg(r), QString("line %1").arg(r));
    // The file size limit stops every write past 4 KB as a full disk does.
    QString message;
    {
        const FileSizeLimit limit(4096);
        EXPECT_TRUE(limit.ok());
        try {
            xl.showApplication();
        } catch (const SheetError& e) {
            message = QString::fromUtf8(e.what());
        }
    }
    EXPECT_TRUE(message.startsWith("Не удалось записать книгу в файл " + file))
        << message.toStdString();
    EXPECT_FALSE(message.contains("ZIP") || message.contains("error")) << message.toStdString();
    EXPECT_EQ(old.open(QIODevice::ReadOnly) ? old.readAll() : QByteArray(), QByteArray(3000, 'o'));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{"old.xlsx"});
}

// The read-back that stands between a written workbook and the file it replaces: a sound package
// passes; one cut short, with a byte changed, empty, or with a sheet whose XML ends early (packed
// again by Python's zipfile, so that every CRC is right) does not.
TEST(ReadBack, OnlyASoundPackageReplacesAnything)
{
    QTemporaryDir dir;
    const QString good = dir.filePath("good.xlsx");
    XLApp xl;
    xl.setTargetFile(good);
    startSheet(xl);
    for (int r = 1; r <= 50; ++r)
        xl.writeCell(QString("A%1").arg(r), QString("A%1").arg(r), QString("строка %1").arg(r));
    xl.showApplication();
    QFile file(good);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_EQ(sheet::packageFault(good), std::nullopt);

    const QString cut = dir.filePath("cut.xlsx");
    QProcess python;
    python.start(qEnvironmentVariable("VEDAN_PYTHON", "/usr/bin/python3"),
                 {"-c",
                  "import sys, zipfile\n"
                  "src, dst = zipfile.ZipFile(sys.argv[1]), zipfile.ZipFile(sys.argv[2], 'w', "
                  "zipfile.ZIP_DEFLATED)\n"
                  "for item in src.infolist():\n"
                  "    data = src.read(item)\n"
                  "    if item.filename == 'xl/worksheets/sheet1.xml':\n"
                  "        data = data[:len(data) // 2]\n"
                  "    dst.writestr(item, data)\n"
                  "dst.close()\n",
                  good, cut});
    ASSERT_TRUE(python.waitForFinished(60000));
    ASSERT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
    const std::optional<QString> cutFault = sheet::packageFault(cut);
    ASSERT_TRUE(cutFault);
    EXPECT_TRUE(cutFault->contains("xl/worksheets/sheet1.xml")) << cutFault->toStdString();

    QByteArray changed = bytes;
    changed[changed.size() / 3] = char(changed[changed.size() / 3] ^ 0x5A);
    const struct {
        const char* what;
        QByteArray data;
    } broken[] = {
        {"cut in half", bytes.left(bytes.size() / 2)},
        {"one byte changed", changed},
        {"empty", QByteArray()},
        {"not a package", QByteArray(5000, 'x')},
    };
    for (const auto& b : broken) {
        SCOPED_TRACE(b.what);
        const std::optional<QString> fault = sheet::packageFaultIn(b.data);
        ASSERT_TRUE(fault);
        EXPECT_TRUE(fault->startsWith("книга записана не полностью")) << fault->toStdString();
    }
}

// The CRC-32 check alone: a part that inflates to exactly its recorded size, but whose recorded
// CRC-32 is wrong, is refused by name.
TEST(ReadBack, AWrongCrcAloneIsRefused)
{
    QTemporaryDir dir;
    const QString good = dir.filePath("good.xlsx");
    XLApp xl;
    xl.setTargetFile(good);
    startSheet(xl);
    xl.writeCell("A1", "A1", "строка");
    xl.showApplication();
    QFile file(good);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray bytes = file.readAll();
    ASSERT_EQ(sheet::packageFaultIn(bytes), std::nullopt);
    // The part's name follows its local header (30 bytes) and its central directory entry (46),
    // which both carry the CRC-32 (at 14 and at 16).
    const QByteArray name = "xl/worksheets/sheet1.xml";
    int changed = 0;
    for (qsizetype at = bytes.indexOf(name); at >= 0; at = bytes.indexOf(name, at + 1)) {
        for (const auto& [header, crc] : {std::pair<QByteArray, int>{"PK\x03\x04", 30 - 14},
                                          std::pair<QByteArray, int>{"PK\x01\x02", 46 - 16}}) {
            const qsizetype start = at - (header == "PK\x03\x04" ? 30 : 46);
            if (start >= 0 && bytes.mid(start, 4) == header) {
                bytes[at - crc] = char(bytes[at - crc] ^ 0x01);
                ++changed;
            }
        }
    }
    ASSERT_EQ(changed, 2);
    const std::optional<QString> fault = sheet::packageFaultIn(bytes);
    ASSERT_TRUE(fault);
    EXPECT_TRUE(fault->contains(QString::fromLatin1(name))) << fault->toStdString();
}

// A test that clears its opener still reaches the stand-in of the shared set-up, never a real
// spreadsheet application.
TEST(TestSetUp, AnExportWithoutAnOpenerReachesTheStandIn)
{
    const sheet::Opener previous = sheet::setOpener({});
    XLApp xl;
    startSheet(xl);
    xl.writeCell("A1", "A1", "x");
    xl.showApplication();
    sheet::setOpener(previous);
    ASSERT_FALSE(testenv::openedByStandIn().isEmpty());
    EXPECT_EQ(testenv::openedByStandIn().last(), xl.writtenFile());
    EXPECT_TRUE(xl.writtenFile().startsWith(qEnvironmentVariable("XDG_CACHE_HOME")));
}

// The program keeps no log of operations: only an observer, which the tests install, sees them.
TEST(Recording, IsOffUnlessAsked)
{
    sheettest::stopRecording();
    XLApp plain;
    startSheet(plain);
    sheettest::startRecording();
    EXPECT_TRUE(sheettest::recordedCalls(plain).isEmpty());
    plain.writeCell("A1", "A1", "x");
    EXPECT_EQ(sheettest::recordedCalls(plain), QStringList{"writeCell(A1,A1,x)"});
}

} // namespace
