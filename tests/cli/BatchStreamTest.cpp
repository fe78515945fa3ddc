// Batch sizing of tables as a city's heat-supply company has them: records as RFC 4180 writes
// them (line ends inside quotes), records that break a limit or are not text, inputs that are
// not files, cells that a spreadsheet would take for formulas, a cell too long for a sheet, and
// the same output whether one thread or every core sizes the rows.

#include "tests/support/QtPrinters.h"
#include "tests/support/RunProgram.h"
#include "tests/support/WorkbookReader.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

const QByteArray kHeader = "kind;inlet;inlet-unit;outlet;outlet-unit;supply;return;load;load-unit;"
                           "resistance;resistance-unit\n";
const QByteArray kGood = "control-valve;6;kgf;4;kgf;150;70;0,5;gcal;2;m\n";

QString write(const QTemporaryDir& dir, const char* name, const QByteArray& bytes)
{
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(bytes);
    return path;
}

// The rows of a CSV output as Python's csv module (an RFC 4180 reader) reads them.
QJsonArray readCsv(const QString& file)
{
    const CliRun read = runProgram(
        qEnvironmentVariable("VEDAN_PYTHON", QStringLiteral("/usr/bin/python3")),
        {QStringLiteral("-c"),
         QStringLiteral("import csv, json, sys\n"
                        "with open(sys.argv[1], encoding='utf-8-sig', newline='') as f:\n"
                        "    print(json.dumps(list(csv.reader(f, delimiter=';'))))"),
         file});
    return QJsonDocument::fromJson(read.out).array();
}

QString column(const QJsonArray& rows, int row, const char* name)
{
    const QJsonArray header = rows[0].toArray();
    for (qsizetype i = 0; i < header.size(); ++i)
        if (header[i].toString() == QLatin1String(name))
            return rows[row].toArray()[i].toString();
    return QStringLiteral("(no column)");
}

CliRun batch(const QString& input, const QString& out)
{
    return runCli(
        {QStringLiteral("size"), QStringLiteral("--batch"), input, QStringLiteral("--out"), out});
}

} // namespace

// Records that cannot be sized become their row's message, naming the line they start on; the
// rows after them are read and sized as usual, and the output reads back one record a row.
TEST(BatchStream, BadRecordsBecomeMessagesAndReadingGoesOn)
{
    QTemporaryDir dir;
    const QByteArray longRecord = "control-valve;" + QByteArray(70000, '7') + "\n";
    const QByteArray input = kHeader + kGood                                           // line 2
                             + "\"control\n-valve\";6;kgf;4;kgf;150;70;0,5;gcal;2;m\n" // 3–4
                             + kGood                                                   // line 5
                             + QByteArray("control-valve;6\0;kgf\n", 21) // line 6: a NUL
                             + "control-valve;\xFF\xFE;kgf\n"            // line 7: not UTF-8
                             + longRecord                                // line 8: too long
                             + kGood                                     // line 9
                             + "control-valve;\"6;kgf\n"                 // line 10: never closed
                             + kGood;                                    // line 11
    const QString in = write(dir, "in.csv", input);
    const QString out = dir.filePath(QStringLiteral("out.csv"));
    EXPECT_EQ(batch(in, out).status, 1);
    const QJsonArray rows = readCsv(out);
    ASSERT_EQ(rows.size(), 1 + 9) << QJsonDocument(rows).toJson().toStdString();
    struct Expect {
        int row;
        const char* line;
        const char* message; // empty: sized
    };
    const Expect expected[] = {
        {1, "2", ""},
        {2, "3", "неизвестный вид"},
        {3, "5", ""},
        {4, "6", "строка 6: в записи нулевой байт или байты не в кодировке UTF-8"},
        {5, "7", "строка 7: в записи нулевой байт или байты не в кодировке UTF-8"},
        {6, "8", "строка 8: запись длиннее 65536 байт"},
        {7, "9", ""},
        {8, "10", "строка 10: кавычка не закрыта"},
        {9, "11", ""},
    };
    for (const Expect& e : expected) {
        SCOPED_TRACE(e.row);
        EXPECT_EQ(column(rows, e.row, "line"), QString::fromLatin1(e.line));
        if (*e.message == 0) {
            EXPECT_EQ(column(rows, e.row, "offers"), QStringLiteral("ТВМ-25/17 | ТВМ-32/16"));
        } else {
            EXPECT_TRUE(column(rows, e.row, "message").contains(QString::fromUtf8(e.message)))
                << column(rows, e.row, "message").toStdString();
        }
    }
    // No raw byte of a refused record comes back.
    QFile written(out);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    EXPECT_FALSE(bytes.contains('\0'));
    EXPECT_FALSE(bytes.contains("\xFF\xFE"));
    EXPECT_FALSE(bytes.contains(QByteArray(1000, '7')));
}

// Only a regular file is read: a named pipe nobody writes to and a device are refused at once.
TEST(BatchStream, OnlyRegularFilesAreRead)
{
    QTemporaryDir dir;
    const QString pipe = dir.filePath(QStringLiteral("pipe.csv"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    for (const QString& input : {pipe, QStringLiteral("/dev/zero")}) {
        const CliRun run = runCli({QStringLiteral("size"), QStringLiteral("--batch"), input});
        EXPECT_EQ(run.status, 1) << input.toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("это не обычный файл")))
            << run.err.toStdString();
    }
}

// An input that a spreadsheet would read as a formula stays text: in CSV behind an apostrophe,
// in .xlsx as a text cell. Numbers, negative ones too, stay numbers.
TEST(BatchStream, NoInputBecomesAFormula)
{
    QTemporaryDir dir;
    const QString in =
        write(dir, "in.csv",
              kHeader + "=HYPERLINK(\"http://example.invalid\",\"x\");6;kgf\n" + "+1+1;6;kgf\n"
                  + "@SUM(A1);6;kgf\n" + "control-valve;6;kgf;4;kgf;150;70;0,5;gcal;-2;m\n");
    const QString csv = dir.filePath(QStringLiteral("out.csv"));
    batch(in, csv);
    const QJsonArray rows = readCsv(csv);
    ASSERT_EQ(rows.size(), 5);
    EXPECT_EQ(column(rows, 1, "kind"),
              QStringLiteral("'=HYPERLINK(\"http://example.invalid\",\"x\")"));
    EXPECT_EQ(column(rows, 2, "kind"), QStringLiteral("'+1+1"));
    EXPECT_EQ(column(rows, 3, "kind"), QStringLiteral("'@SUM(A1)"));
    EXPECT_EQ(column(rows, 4, "resistance"), QStringLiteral("-2"));

    const QString xlsx = dir.filePath(QStringLiteral("out.xlsx"));
    batch(in, xlsx);
    const QJsonObject cells = readFirstSheet(xlsx)["cells"].toObject();
    ASSERT_FALSE(cells.isEmpty());
    EXPECT_EQ(cells["B2"]["value"].toString(),
              QStringLiteral("=HYPERLINK(\"http://example.invalid\",\"x\")"));
    EXPECT_NE(cells["B2"]["type"].toString(), QStringLiteral("f"));
    EXPECT_EQ(cells["B3"]["value"].toString(), QStringLiteral("+1+1"));
    EXPECT_EQ(cells["A5"]["value"].toDouble(), 5);  // the line, a number
    EXPECT_EQ(cells["K5"]["value"].toDouble(), -2); // the resistance, a number
}

// A cell of a sheet's 32,767 characters is written whole; one character more makes that row a
// message naming its line, and the other rows are written.
TEST(BatchStream, ACellTooLongForASheetIsThatRowsMessage)
{
    QTemporaryDir dir;
    const QString in = write(dir, "in.csv",
                             kHeader + kGood + "control-valve;" + QByteArray(32767, 'x') + ";kgf\n"
                                 + "control-valve;" + QByteArray(32768, 'x') + ";kgf\n" + kGood);
    const QString xlsx = dir.filePath(QStringLiteral("out.xlsx"));
    EXPECT_EQ(batch(in, xlsx).status, 1);
    const QJsonObject cells = readFirstSheet(xlsx)["cells"].toObject();
    ASSERT_FALSE(cells.isEmpty());
    EXPECT_EQ(cells["C3"]["value"].toString(), QString(32767, QLatin1Char('x'))); // the inlet
    EXPECT_EQ(cells["A4"]["value"].toDouble(), 4);
    EXPECT_FALSE(cells.contains(QStringLiteral("C4")));
    QString message;
    for (auto it = cells.begin(); it != cells.end(); ++it)
        if (it.key().endsWith(QLatin1String("4"))
            && it.value().toObject()["value"].toString().contains(QStringLiteral("строка 4")))
            message = it.value().toObject()["value"].toString();
    EXPECT_TRUE(message.contains(QStringLiteral("32767"))) << message.toStdString();
    EXPECT_EQ(cells["A5"]["value"].toDouble(), 5);
}

// Blank lines before the header, as some exports leave them, are skipped like blank lines
// between rows.
TEST(BatchStream, BlankLinesBeforeTheHeaderAreSkipped)
{
    QTemporaryDir dir;
    const QString in = write(dir, "in.csv", "\n\r\n;;\r" + kHeader + kGood);
    const QString out = dir.filePath(QStringLiteral("out.csv"));
    const CliRun run = batch(in, out);
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    const QJsonArray rows = readCsv(out);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(column(rows, 1, "line"), QStringLiteral("5"));
    EXPECT_EQ(column(rows, 1, "offers"), QStringLiteral("ТВМ-25/17 | ТВМ-32/16"));
}

// Every core or one thread: the same bytes, in the order of the input.
TEST(BatchStream, EveryCoreWritesWhatOneThreadWrites)
{
    QTemporaryDir dir;
    QByteArray input = kHeader;
    const char* const kinds[] = {"hydroelevator", "control-valve", "mixing-valve", "regulator"};
    for (int i = 0; i < 3000; ++i)
        input += QByteArray(kinds[i % 4]) + ";6;kgf;4;kgf;150;70;0,"
                 + QByteArray::number(i % 90 + 5) + ";gcal;" + QByteArray::number(i % 3 + 1) + ";m;"
                 + (i % 4 == 3 ? "1;1" : ";") + "\n";
    const QString in =
        write(dir, "in.csv",
              kHeader.left(kHeader.size() - 1) + ";series;range\n" + input.mid(kHeader.size()));
    for (const char* extension : {"csv", "json"}) {
        QByteArray outputs[2];
        for (int threads : {0, 1}) {
            const QString out =
                dir.filePath(QStringLiteral("out%1.%2").arg(threads).arg(extension));
            RunSettings settings;
            if (threads == 1)
                settings.environment = {QStringLiteral("VEDAN_BATCH_THREADS=1")};
            const CliRun run = runCli({QStringLiteral("size"), QStringLiteral("--batch"), in,
                                       QStringLiteral("--out"), out},
                                      settings);
            EXPECT_EQ(run.status, 0) << run.err.toStdString();
            QFile file(out);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            outputs[threads] = file.readAll();
        }
        EXPECT_GT(outputs[0].size(), 100000);
        EXPECT_TRUE(outputs[0] == outputs[1]) << extension;
    }
}
