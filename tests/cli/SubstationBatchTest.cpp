// vedan-cli substation --batch: every row against the single command with --json for the same
// inputs (so that the batch cannot drift from it), every column against that JSON, refused rows
// among good ones, the workbook read back with openpyxl, the same bytes on one thread and on
// several, the exit statuses and the manual page's columns.

#include "tests/support/CliCases.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/RunProgram.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>

namespace {

const QByteArray kHeader = "scheme;inlet;inlet-unit;outlet;outlet-unit;supply;return;load;"
                           "load-unit;resistance;resistance-unit;other-losses;authority;range;"
                           "max-elevator-head;min-bore\n";

struct Row {
    const char* cells;
    const char* message; // empty: the row is computed; otherwise a part of its message
    int single;          // the single command's exit status; -1: it has no such case
};

// Each scheme, the substation's own options, other units and a decimal point; then rows refused
// by the budget, by the inputs of size and by the batch's own reading.
const Row kRows[] = {
    {"valve-regulator;9;kgf;3;kgf;115;70;0,18;gcal;2;m;;;;;", "", 0},
    {"elevator;10;kgf;4;kgf;150;70;0,2;gcal;1;m;;;;;", "", 0},
    {"valve;10;kgf;2;kgf;130;70;0.4;gcal;1;m;;;;;", "", 0},
    {"regulator;5;kgf;4;kgf;130;70;0,3;gcal;1;m;2;;;;", "", 0},
    {"valve-regulator;8;kgf;3;kgf;130;70;1,2;gcal;5;m;;0,7;2;;", "", 0},
    {"elevator;10;kgf;4;kgf;150;70;0,04;gcal;1;m;;;;30;2,5", "", 0},
    {"valve;0,5;mpa;0,3;mpa;95;70;0,25;mw;3;m;1,5;;;;", "", 0},
    {"valve-regulator;5;kgf;4;kgf;130;70;0,3;gcal;1;m;;1;;;", "авторитет клапана", 2},
    {"valve;x;kgf;4;kgf;130;70;0,3;gcal;1;m;;;;;", "Неправильный ввод данных", 1},
    {"mixing;5;kgf;4;kgf;130;70;0,3;gcal;1;m;;;;;", "неизвестная схема", 2},
    {"regulator;5;kgf;4;kgf;130;70;0,3;gcal;1;m;;;4;;", "«4» поля range", 2},
    {"valve;5;kgf;4;kgf;130;70;0,3;gcal;1;m;-1;;;;", "Прочие потери", 2},
    {"valve;5;kgf;4;kgf;130;70;0,3;gcal;1;m;abc;;;;", "«abc» поля other-losses не число", -1},
};

QStringList split(const QString& line) { return line.split(QLatin1Char(';')); }

// The single command of a row: the scheme, then "--column value" for each filled cell.
CliRun single(const Row& row, const QStringList& more = {})
{
    const QStringList names = split(QString::fromLatin1(kHeader.trimmed()));
    const QStringList cells = split(QString::fromUtf8(row.cells));
    QStringList args{QStringLiteral("substation"), cells[0]};
    for (qsizetype i = 1; i < names.size(); ++i)
        if (!cells[i].isEmpty())
            args << QStringLiteral("--") + names[i] << cells[i];
    return runCli(args + more);
}

double numberOf(const QString& cell)
{
    bool ok = false;
    const double value = QString(cell).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
    return ok ? value : std::nan("");
}

// The folder of a test, its table (every row of kRows unless told), and the batch run on it.
class SubstationBatch : public testing::Test {
protected:
    QTemporaryDir dir;

    QString table(const QByteArray& rows, const QByteArray& header = kHeader)
    {
        return clicases::writeBatch(dir.path(), QStringLiteral("in.csv"), rows, header);
    }
    QString allRows()
    {
        QByteArray rows;
        for (const Row& row : kRows)
            rows += QByteArray(row.cells) + '\n';
        return table(rows);
    }
    CliRun batch(const QString& input, const QStringList& more = {},
                 const RunSettings& settings = {})
    {
        return runCli(QStringList{"substation", "--batch", input} + more, settings);
    }
    // What the batch writes to the file `name` in the folder; every table here has a refused row.
    QByteArray written(const QString& input, const QString& name, const RunSettings& settings = {})
    {
        EXPECT_EQ(batch(input, {"--out", dir.filePath(name)}, settings).status, 1);
        QFile file(dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // The CSV on standard output as lines of fields (no field of these tables is quoted).
    QList<QStringList> csv(const QString& input)
    {
        QList<QStringList> rows;
        for (const QString& line : batch(input).lines())
            rows << split(line);
        return rows;
    }
};

} // namespace

// Each row's JSON item, without its line and message, is the single command's --json output; a
// refused row holds only its line and the message the single command prints.
TEST_F(SubstationBatch, EveryRowIsTheSingleCommand)
{
    const QJsonArray items = QJsonDocument::fromJson(written(allRows(), "out.json")).array();
    ASSERT_EQ(items.size(), qsizetype(std::size(kRows)));
    for (qsizetype i = 0; i < items.size(); ++i) {
        const Row& row = kRows[i];
        SCOPED_TRACE(row.cells);
        QJsonObject item = items[i].toObject();
        EXPECT_EQ(item.take("line").toInt(), i + 2);
        const QString message = item.take("message").toString();
        if (*row.message == 0) {
            EXPECT_EQ(message, QString());
            EXPECT_EQ(item, QJsonDocument::fromJson(single(row, {"--json"}).out).object());
            continue;
        }
        EXPECT_TRUE(message.contains(QString::fromUtf8(row.message))) << message.toStdString();
        EXPECT_TRUE(item.isEmpty());
        if (row.single >= 0) {
            const CliRun run = single(row);
            EXPECT_EQ(run.status, row.single);
            EXPECT_TRUE(run.err.contains(message)) << run.err.toStdString();
        }
    }
}

// Every value of every element that the single command prints is in the column "kind.field",
// unrounded with the decimal comma, and no such column names anything else; an element the
// scheme lacks has empty cells, as a refused row has beside its message. The inputs come back as
// given, with the decimal comma.
TEST_F(SubstationBatch, TheColumnsHoldWhatTheSingleCommandPrints)
{
    const QList<QStringList> rows = csv(allRows());
    ASSERT_EQ(rows.size(), 1 + qsizetype(std::size(kRows)));
    const QStringList& header = rows[0];
    EXPECT_EQ(header.mid(0, 2), (QStringList{"line", "scheme"}));
    EXPECT_EQ(header.mid(header.size() - 2), (QStringList{"message", "verdict"}));
    const qsizetype firstValue = header.indexOf("networkFlow");
    const QStringList inputs = split(QString::fromLatin1(kHeader.trimmed()));
    for (qsizetype r = 1; r < rows.size(); ++r) {
        const Row& row = kRows[r - 1];
        SCOPED_TRACE(row.cells);
        const auto cell = [&](const QString& name) { return rows[r].value(header.indexOf(name)); };
        const QStringList given = split(QString::fromUtf8(row.cells).replace(u'.', u','));
        for (qsizetype i = 0; i < inputs.size(); ++i)
            EXPECT_EQ(cell(inputs[i]), given[i]) << inputs[i].toStdString();
        if (*row.message != 0) {
            EXPECT_TRUE(cell("message").contains(QString::fromUtf8(row.message)));
            EXPECT_EQ(rows[r].mid(firstValue).join(QString()), cell("message"));
            continue;
        }
        const QJsonObject json = QJsonDocument::fromJson(single(row, {"--json"}).out).object();
        EXPECT_EQ(numberOf(cell("networkFlow")), json["networkFlow"].toDouble());
        EXPECT_EQ(numberOf(cell("availableHead")), json["availableHead"].toDouble());
        EXPECT_EQ(cell("verdict"), json["verdict"].toString());
        EXPECT_EQ(cell("message"), QString());
        QStringList printed; // "kind.field" of every value the single command prints
        for (const QJsonValue e : json["elements"].toArray()) {
            const QString kind = e["kind"].toString();
            for (const QString& field : e.toObject().keys()) {
                if (field == QLatin1String("kind"))
                    continue;
                const QString name = kind + QLatin1Char('.') + field;
                printed << name;
                SCOPED_TRACE(name.toStdString());
                if (e[field].isString()) {
                    EXPECT_EQ(cell(name), e[field].toString());
                } else if (e[field].isNull()) {
                    EXPECT_EQ(cell(name), QString());
                } else {
                    EXPECT_EQ(numberOf(cell(name)), e[field].toDouble());
                }
            }
        }
        QStringList filled; // the element columns of the row's elements, or of none that is empty
        for (qsizetype c = firstValue; c < header.size(); ++c)
            if (header[c].contains(QLatin1Char('.'))
                && (!rows[r][c].isEmpty() || printed.contains(header[c])))
                filled << header[c];
        printed.sort();
        filled.sort();
        EXPECT_EQ(filled, printed);
    }
}

// The worked case: one plate of 9,182 mm takes 22,369 m, the regulator 3,35525 kgf/cm² at Kv
// 2,1769 and the valve 0,20789 kgf/cm² at Kv 8,7454.
TEST_F(SubstationBatch, TheWorkedCaseInItsColumns)
{
    const QList<QStringList> rows = csv(table(QByteArray(kRows[0].cells) + '\n'));
    ASSERT_EQ(rows.size(), 2);
    const auto cell = [&](const char* name) { return rows[1].value(rows[0].indexOf(name)); };
    const std::pair<const char*, std::pair<double, double>> expected[] = {
        {"orifice.plates", {1, 0}},
        {"orifice.bore", {9.182, 5e-4}},
        {"orifice.head", {22.369, 5e-4}},
        {"regulator.pressureDrop", {3.35525, 5e-6}},
        {"regulator.requiredKv", {2.1769, 5e-5}},
        {"valve.pressureDrop", {0.20789, 5e-6}},
        {"valve.requiredKv", {8.7454, 5e-5}},
        {"system.head", {2, 0}},
    };
    for (const auto& [column, value] : expected)
        EXPECT_NEAR(numberOf(cell(column)), value.first, value.second) << column;
    for (const char* column : {"other.head", "elevator.head", "elevator.nozzleDiameter"})
        EXPECT_EQ(cell(column), QString()) << column;
}

// The workbook, read back with openpyxl, is the CSV: a number cell where the field reads as a
// number with the decimal comma, a text cell for a text, nothing for an empty field.
TEST_F(SubstationBatch, TheWorkbookHoldsTheCsvCells)
{
    const QString input = allRows();
    written(input, "out.xlsx");
    const QJsonObject sheet = readFirstSheet(dir.filePath("out.xlsx"));
    EXPECT_EQ(sheet["name"].toString(), QStringLiteral("Тепловые пункты"));
    const QList<QStringList> rows = csv(input);
    int numbers = 0;
    for (qsizetype r = 0; r < rows.size(); ++r) {
        for (qsizetype c = 0; c < rows[r].size(); ++c) {
            const auto letter = [](qsizetype i) { return QChar(static_cast<char16_t>(u'A' + i)); };
            const QString name =
                (c < 26 ? QString(letter(c)) : QString(letter(c / 26 - 1)) + letter(c % 26))
                + QString::number(r + 1);
            const QString field = rows[r][c];
            SCOPED_TRACE(name.toStdString() + " " + field.toStdString());
            const QJsonObject cell = sheet["cells"][name].toObject();
            const double value = numberOf(field);
            if (field.isEmpty()) {
                EXPECT_TRUE(cell.isEmpty());
            } else if (std::isnan(value)) {
                EXPECT_EQ(cell["type"].toString(), QStringLiteral("s"));
                EXPECT_EQ(cell["value"].toString(), field);
            } else {
                ++numbers;
                EXPECT_EQ(cell["type"].toString(), QStringLiteral("n"));
                // The workbook keeps 16 significant digits.
                EXPECT_NEAR(cell["value"].toDouble(), value, 1e-15 * std::abs(value));
            }
        }
    }
    EXPECT_GT(numbers, 150);
}

// One thread or several: the same bytes, in the order of the input.
TEST_F(SubstationBatch, SeveralThreadsWriteWhatOneWrites)
{
    const char* const schemes[] = {"valve-regulator", "valve", "regulator", "elevator"};
    QByteArray rows;
    for (int i = 0; i < 2000; ++i) // every 97th row refused
        rows += QByteArray(schemes[i % 4]) + ";" + QByteArray::number(6 + i % 5) + ";kgf;3;kgf;"
                + QByteArray::number(95 + i % 4 * 20) + ";70;0," + QByteArray::number(i % 90 + 5)
                + ";gcal;" + QByteArray::number(i % 3 + 1) + ";m;" + (i % 97 == 0 ? "x" : "")
                + ";;;;\n";
    const QString input = table(rows);
    for (const QString extension : {"csv", "json"}) {
        const QByteArray one = written(input, "one." + extension, {{"VEDAN_BATCH_THREADS=1"}});
        const QByteArray several =
            written(input, "several." + extension, {{"VEDAN_BATCH_THREADS=4"}});
        EXPECT_GT(one.size(), 400000) << "rows of several blocks";
        EXPECT_TRUE(one == several) << extension.toStdString();
    }
}

// The statuses of size --batch: 0; 1 for a refused row or an output not written; 2 for a wrong
// header or option, with nothing written; 3 with --strict for a failed verdict and no refused row.
TEST_F(SubstationBatch, ExitStatuses)
{
    const QByteArray failedVerdict = QByteArray(kRows[0].cells) + '\n';
    const QByteArray warning = QByteArray(kRows[1].cells) + '\n';
    const QByteArray refused = QByteArray(kRows[7].cells) + '\n';
    struct Case {
        const char* name;
        QByteArray header;
        QByteArray rows;
        QStringList options;
        int status;
    };
    const Case cases[] = {
        {"WarningWithStrict", kHeader, warning, {"--strict"}, 0},
        {"FailedVerdict", kHeader, warning + failedVerdict, {}, 0},
        {"FailedVerdictWithStrict", kHeader, warning + failedVerdict, {"--strict"}, 3},
        {"RefusedRowWithStrict", kHeader, failedVerdict + refused, {"--strict"}, 1},
        {"RefusedRow", kHeader, refused + warning, {}, 1},
        {"KindIsNoColumn", "kind;" + kHeader, "valve;" + warning, {}, 2},
        {"NoSchemeColumn", kHeader.mid(kHeader.indexOf(';') + 1), warning, {}, 2},
        {"RepeatedColumn", "load;" + kHeader, "0,2;" + warning, {}, 2},
        {"NoOtherOption", kHeader, warning, {"--json"}, 2},
        {"OutputExtension", kHeader, warning, {"--out", dir.filePath("out.txt")}, 2},
        {"OutputNotWritten", kHeader, warning, {"--out", dir.filePath("missing/out.csv")}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CliRun run = batch(table(c.rows, c.header), c.options);
        EXPECT_EQ(run.status, c.status) << run.err.toStdString();
        if (c.status == 2) {
            EXPECT_TRUE(run.out.isEmpty());
            EXPECT_TRUE(run.err.contains(QStringLiteral("Использование:")));
        }
    }
}

// The manual page names every column of the table, as the tool writes its header for a table
// without rows.
TEST_F(SubstationBatch, TheManualPageNamesEveryColumn)
{
    const CliRun run = batch(table({}));
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    ASSERT_EQ(run.lines().size(), 1);
    QFile manual(qEnvironmentVariable("VEDAN_TESTS_DIR") + "/../resources/man/vedan-cli.1");
    ASSERT_TRUE(manual.open(QIODevice::ReadOnly));
    const QString man = QString::fromUtf8(manual.readAll()).replace("\\-", "-");
    const QString section = man.section(".B substation --batch\n", 1);
    for (const QString& column : split(run.lines().front()))
        EXPECT_TRUE(section.contains(column)) << column.toStdString();
}
