// vedan-cli substation --batch: every row against the single command with --json for the same
// inputs (so that the batch cannot drift from it), every column against that JSON, refused rows
// among good ones, the workbook read back with openpyxl, the same bytes on one thread and on
// several, and the exit statuses.

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

QByteArray allRows()
{
    QByteArray rows;
    for (const Row& row : kRows)
        rows += QByteArray(row.cells) + '\n';
    return rows;
}

CliRun batch(const QString& input, const QStringList& more = {}, const RunSettings& settings = {})
{
    return runCli(QStringList{QStringLiteral("substation"), QStringLiteral("--batch"), input}
                      + more,
                  settings);
}

// The single command of a row: the scheme, then "--column value" for each filled cell.
QStringList singleArgs(const Row& row)
{
    const QStringList names = QString::fromLatin1(kHeader.trimmed()).split(QLatin1Char(';'));
    const QStringList cells = QString::fromUtf8(row.cells).split(QLatin1Char(';'));
    QStringList args{QStringLiteral("substation"), cells[0]};
    for (qsizetype i = 1; i < names.size(); ++i)
        if (!cells[i].isEmpty())
            args << QStringLiteral("--") + names[i] << cells[i];
    return args;
}

QJsonObject singleJson(const Row& row)
{
    const CliRun single = runCli(singleArgs(row) << QStringLiteral("--json"));
    EXPECT_EQ(single.status, 0) << single.err.toStdString();
    return QJsonDocument::fromJson(single.out).object();
}

// The CSV printed on standard output: the header and the rows, split at the semicolons (no field
// of these tables is quoted).
struct Csv {
    QStringList header;
    QList<QStringList> rows;

    QString at(qsizetype row, const QString& column) const
    {
        const qsizetype i = header.indexOf(column);
        return i < 0 ? QStringLiteral("(no column)") : rows[row].value(i);
    }
};

Csv csvOf(const CliRun& run)
{
    Csv csv;
    const QStringList lines = run.lines();
    csv.header = lines.front().split(QLatin1Char(';'));
    for (const QString& line : lines.mid(1))
        csv.rows << line.split(QLatin1Char(';'));
    return csv;
}

double numberOf(const QString& cell)
{
    bool ok = false;
    const double value = QString(cell).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
    return ok ? value : std::nan("");
}

QString columnLetters(qsizetype column)
{
    QString letters;
    for (qsizetype n = column + 1; n > 0; n = (n - 1) / 26)
        letters.prepend(QChar(static_cast<char16_t>(u'A' + (n - 1) % 26)));
    return letters;
}

} // namespace

// Each row's JSON item, without its line and message, is the single command's --json output; a
// refused row holds only its line and the message the single command prints.
TEST(SubstationBatch, EveryRowIsTheSingleCommand)
{
    QTemporaryDir dir;
    const QString input =
        clicases::writeBatch(dir.path(), QStringLiteral("in.csv"), allRows(), kHeader);
    const QString out = dir.filePath(QStringLiteral("out.json"));
    EXPECT_EQ(batch(input, {QStringLiteral("--out"), out}).status, 1) << "some rows are refused";
    QFile file(out);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QJsonArray items = QJsonDocument::fromJson(file.readAll()).array();
    ASSERT_EQ(items.size(), qsizetype(std::size(kRows)));
    for (qsizetype i = 0; i < items.size(); ++i) {
        const Row& row = kRows[i];
        SCOPED_TRACE(row.cells);
        QJsonObject item = items[i].toObject();
        EXPECT_EQ(item.take(QStringLiteral("line")).toInt(), i + 2);
        const QJsonValue message = item.take(QStringLiteral("message"));
        if (*row.message == 0) {
            EXPECT_TRUE(message.isNull()) << message.toString().toStdString();
            EXPECT_EQ(item, singleJson(row));
            continue;
        }
        EXPECT_TRUE(message.toString().contains(QString::fromUtf8(row.message)))
            << message.toString().toStdString();
        EXPECT_TRUE(item.isEmpty());
        if (row.single >= 0) {
            const CliRun single = runCli(singleArgs(row));
            EXPECT_EQ(single.status, row.single);
            EXPECT_TRUE(single.err.contains(message.toString())) << single.err.toStdString();
        }
    }
}

// Every value of every element that the single command prints is in the column named
// "kind.field", unrounded with the decimal comma; an element the scheme lacks has empty cells;
// no column of an element names a field its JSON lacks. The inputs come back as given.
TEST(SubstationBatch, TheColumnsHoldWhatTheSingleCommandPrints)
{
    QTemporaryDir dir;
    const Csv csv = csvOf(
        batch(clicases::writeBatch(dir.path(), QStringLiteral("in.csv"), allRows(), kHeader)));
    ASSERT_EQ(csv.rows.size(), qsizetype(std::size(kRows)));
    const QStringList inputs = QString::fromLatin1(kHeader.trimmed()).split(QLatin1Char(';'));
    EXPECT_EQ(csv.header.mid(0, 2), (QStringList{"line", "scheme"}));
    EXPECT_EQ(csv.header.mid(csv.header.size() - 2), (QStringList{"message", "verdict"}));
    for (qsizetype r = 0; r < csv.rows.size(); ++r) {
        const Row& row = kRows[r];
        SCOPED_TRACE(row.cells);
        const QStringList given = QString::fromUtf8(row.cells).split(QLatin1Char(';'));
        for (qsizetype i = 0; i < inputs.size(); ++i)
            EXPECT_EQ(csv.at(r, inputs[i]), QString(given[i]).replace(u'.', u','))
                << inputs[i].toStdString();
        if (*row.message != 0) {
            EXPECT_TRUE(
                csv.at(r, QStringLiteral("message")).contains(QString::fromUtf8(row.message)));
            for (qsizetype c = csv.header.indexOf(QStringLiteral("networkFlow"));
                 c < csv.header.size(); ++c) {
                if (csv.header[c] != QLatin1String("message")) {
                    EXPECT_EQ(csv.rows[r][c], QString()) << csv.header[c].toStdString();
                }
            }
            continue;
        }
        const QJsonObject single = singleJson(row);
        for (const char* name : {"networkFlow", "availableHead"})
            EXPECT_EQ(numberOf(csv.at(r, QString::fromLatin1(name))), single[name].toDouble())
                << name;
        EXPECT_EQ(csv.at(r, QStringLiteral("verdict")), single["verdict"].toString());
        EXPECT_EQ(csv.at(r, QStringLiteral("message")), QString());
        QHash<QString, QJsonObject> elements;
        for (const QJsonValue e : single["elements"].toArray())
            elements.insert(e["kind"].toString(), e.toObject());
        for (const QString& column : csv.header) {
            if (!column.contains(QLatin1Char('.')))
                continue;
            SCOPED_TRACE(column.toStdString());
            const QString cell = csv.at(r, column);
            const QString kind = column.section(QLatin1Char('.'), 0, 0);
            if (!elements.contains(kind)) {
                EXPECT_EQ(cell, QString());
                continue;
            }
            const QJsonObject element = elements[kind];
            const QString field = column.section(QLatin1Char('.'), 1);
            ASSERT_TRUE(element.contains(field));
            const QJsonValue value = element[field];
            if (value.isNull()) {
                EXPECT_EQ(cell, QString());
            } else if (value.isString()) {
                EXPECT_EQ(cell, value.toString());
            } else {
                EXPECT_EQ(numberOf(cell), value.toDouble());
            }
        }
        // Every field of every element has its column.
        for (auto e = elements.cbegin(); e != elements.cend(); ++e) {
            for (const QString& field : e.value().keys()) {
                if (field != QLatin1String("kind")) {
                    EXPECT_TRUE(csv.header.contains(e.key() + QLatin1Char('.') + field))
                        << e.key().toStdString() << "." << field.toStdString();
                }
            }
        }
    }
}

// The worked case: one plate of 9,182 mm takes 22,369 m, the regulator 3,35525 kgf/cm² at Kv 2,1769
// and the valve 0,20789 kgf/cm² at Kv 8,7454.
TEST(SubstationBatch, TheWorkedCaseInItsColumns)
{
    QTemporaryDir dir;
    const Csv csv = csvOf(batch(clicases::writeBatch(dir.path(), QStringLiteral("in.csv"),
                                                     QByteArray(kRows[0].cells) + '\n', kHeader)));
    ASSERT_EQ(csv.rows.size(), 1);
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
        EXPECT_NEAR(numberOf(csv.at(0, QString::fromLatin1(column))), value.first, value.second)
            << column;
    for (const char* column : {"other.head", "elevator.head", "elevator.nozzleDiameter"})
        EXPECT_EQ(csv.at(0, QString::fromLatin1(column)), QString()) << column;
}

// The workbook, read back with openpyxl, is the CSV: a number cell where the field reads as a
// number with the decimal comma, a text cell for a text, nothing for an empty field.
TEST(SubstationBatch, TheWorkbookHoldsTheCsvCells)
{
    QTemporaryDir dir;
    const QString input =
        clicases::writeBatch(dir.path(), QStringLiteral("in.csv"), allRows(), kHeader);
    const QString out = dir.filePath(QStringLiteral("out.xlsx"));
    EXPECT_EQ(batch(input, {QStringLiteral("--out"), out}).status, 1);
    const QJsonObject sheet = readFirstSheet(out);
    EXPECT_EQ(sheet["name"].toString(), QStringLiteral("Тепловые пункты"));
    const QJsonObject cells = sheet["cells"].toObject();
    const Csv csv = csvOf(batch(input));
    QList<QStringList> table = csv.rows;
    table.prepend(csv.header);
    int numbers = 0;
    for (qsizetype r = 0; r < table.size(); ++r) {
        for (qsizetype c = 0; c < table[r].size(); ++c) {
            const QString name = columnLetters(c) + QString::number(r + 1);
            const QString field = table[r][c];
            SCOPED_TRACE(name.toStdString() + " " + field.toStdString());
            const QJsonObject cell = cells[name].toObject();
            const double value = numberOf(field);
            if (field.isEmpty()) {
                EXPECT_TRUE(cell.isEmpty());
            } else if (!std::isnan(value)) {
                ++numbers;
                EXPECT_EQ(cell["type"].toString(), QStringLiteral("n"));
                // The workbook keeps 16 significant digits.
                EXPECT_NEAR(cell["value"].toDouble(), value, 1e-15 * std::abs(value));
            } else {
                EXPECT_EQ(cell["type"].toString(), QStringLiteral("s"));
                EXPECT_EQ(cell["value"].toString(), field);
            }
        }
    }
    EXPECT_GT(numbers, 150);
}

// One thread or several: the same bytes, in the order of the input.
TEST(SubstationBatch, SeveralThreadsWriteWhatOneWrites)
{
    QTemporaryDir dir;
    const char* const schemes[] = {"valve-regulator", "valve", "regulator", "elevator"};
    QByteArray rows;
    for (int i = 0; i < 2000; ++i)
        rows += QByteArray(schemes[i % 4]) + ";" + QByteArray::number(6 + i % 5) + ";kgf;3;kgf;"
                + QByteArray::number(95 + i % 4 * 20) + ";70;0," + QByteArray::number(i % 90 + 5)
                + ";gcal;" + QByteArray::number(i % 3 + 1) + ";m;" + (i % 97 == 0 ? "x" : "")
                + ";;;;\n";
    const QString input = clicases::writeBatch(dir.path(), QStringLiteral("in.csv"), rows, kHeader);
    for (const char* extension : {"csv", "json"}) {
        QByteArray outputs[2];
        for (int i : {0, 1}) {
            const QString out = dir.filePath(QStringLiteral("out%1.%2").arg(i).arg(extension));
            RunSettings settings;
            settings.environment = {i == 0 ? QStringLiteral("VEDAN_BATCH_THREADS=1")
                                           : QStringLiteral("VEDAN_BATCH_THREADS=4")};
            EXPECT_EQ(batch(input, {QStringLiteral("--out"), out}, settings).status, 1)
                << "every 97th row is refused";
            QFile file(out);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            outputs[i] = file.readAll();
        }
        EXPECT_GT(outputs[0].size(), 400000) << "rows of several blocks";
        EXPECT_TRUE(outputs[0] == outputs[1]) << extension;
    }
}

// The statuses of size --batch: 0; 1 for a refused row or an output not written; 2 for a wrong
// header or option, with nothing written; 3 with --strict for a failed verdict and no refused row.
TEST(SubstationBatch, ExitStatuses)
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
        {"OutputExtension", kHeader, warning, {"--out", "out.txt"}, 2},
        {"OutputNotWritten", kHeader, warning, {"--out", "missing/out.csv"}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString input =
            clicases::writeBatch(dir.path(), QStringLiteral("in.csv"), c.rows, c.header);
        QStringList options = c.options;
        for (QString& option : options)
            if (option.contains(QLatin1String("out.")))
                option = dir.filePath(option);
        const CliRun run = batch(input, options);
        EXPECT_EQ(run.status, c.status) << run.err.toStdString();
        if (c.status == 2) {
            EXPECT_TRUE(run.out.isEmpty());
            EXPECT_TRUE(run.err.contains(QStringLiteral("Использование:")));
        }
    }
}

// The manual page names every column of the table, as the tool writes its header for a table
// without rows.
TEST(SubstationBatch, TheManualPageNamesEveryColumn)
{
    QTemporaryDir dir;
    const CliRun run =
        batch(clicases::writeBatch(dir.path(), QStringLiteral("in.csv"), {}, kHeader));
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    ASSERT_EQ(run.lines().size(), 1);
    QFile manual(qEnvironmentVariable("VEDAN_TESTS_DIR")
                 + QStringLiteral("/../resources/man/vedan-cli.1"));
    ASSERT_TRUE(manual.open(QIODevice::ReadOnly));
    const QString man = QString::fromUtf8(manual.readAll()).replace(QStringLiteral("\\-"), "-");
    const QString section = man.section(QStringLiteral(".B substation --batch\n"), 1);
    for (const QString& column : run.lines().front().split(QLatin1Char(';')))
        EXPECT_TRUE(section.contains(column)) << column.toStdString();
}
