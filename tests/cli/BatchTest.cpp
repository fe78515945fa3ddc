// vedan-cli size --batch: every row against the single case with --checks --json for the same
// inputs, bad rows, the header's faults, the byte-order mark and CRLF line ends of the input,
// and the three output formats.

#include "tests/support/CliCases.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/RunProgram.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>

namespace {

// Columns in an order of their own: the header names them, in any order.
const char* const kHeader = "load;kind;inlet;inlet-unit;outlet;outlet-unit;supply;return;"
                            "load-unit;resistance;resistance-unit;series;range";

struct Row {
    const char* cells;
    bool fails;
    const char* message;   // part of the message of a failing row
    bool hasSingle = true; // false: a cell beyond the header, which no command line has
};

const Row kRows[] = {
    {"0,08;hydroelevator;4;kgf;3,8;kgf;115;70;gcal;1;m;;", false, nullptr},
    {"0,5;control-valve;4;kgf;2;kgf;150;70;gcal;2;m;;", false, nullptr},
    {"1,2;mixing-valve;4;bar;2;kgf;150;70;mw;2;m;;", false, nullptr},
    {"0,08;regulator;4;kgf;3,8;kgf;115;70;gcal;1;m;2;3", false, nullptr},
    {"0,08;regulator;4;kgf;3,8;kgf;115;70;gcal;1;m;1;", true, "Выбраны не все параметры!"},
    {"0,08;hydroelevator;4;kgf;3,8;kgf;115;70;gcal;-1;m;;", true, "Неправильный ввод данных.!!!"},
    {"0,5;control-valve;4;kgf;2;kgf;150;70;;2;m;;", true, "Выберите"},
    {"0,08;boiler;4;kgf;3,8;kgf;115;70;gcal;1;m;;", true, "boiler"},
    {"0,08;hydroelevator;4;kgf;3,8;kgf;115;70;kw;1;m;;", true, "kw"},
    {"0,08;hydroelevator;4;kgf;3,8;kgf;115;70;gcal;1;m;;;7", true, "14", false},
};

QString writeInput(const QTemporaryDir& dir, bool byteOrderMark, const char* lineEnd)
{
    QByteArray bytes = byteOrderMark ? QByteArray("\xEF\xBB\xBF") : QByteArray();
    bytes += QByteArray(kHeader) + lineEnd;
    for (const Row& row : kRows)
        bytes += QByteArray(row.cells) + lineEnd;
    bytes +=
        QByteArray(";;;") + lineEnd + lineEnd; // a row of empty cells and a blank line are no rows
    const QString path = dir.filePath(QStringLiteral("in.csv"));
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(bytes);
    return path;
}

// The single-case command line of a row: the kind, then "--column value" for each filled cell.
QStringList singleArgs(const Row& row)
{
    const QStringList names = QString::fromLatin1(kHeader).split(QLatin1Char(';'));
    const QStringList cells = QString::fromUtf8(row.cells).split(QLatin1Char(';'));
    QStringList args{QStringLiteral("size"), cells[names.indexOf(QStringLiteral("kind"))]};
    for (qsizetype i = 0; i < names.size(); ++i)
        if (names[i] != QLatin1String("kind") && !cells[i].isEmpty())
            args << QStringLiteral("--") + names[i] << cells[i];
    return args << QStringLiteral("--checks") << QStringLiteral("--json");
}

QString worstOf(const QJsonArray& checks)
{
    for (const char* status : {"failed", "warning", "passed", "not_applicable"})
        for (const QJsonValue& check : checks)
            if (check[QStringLiteral("status")].toString() == QLatin1String(status))
                return QString::fromLatin1(status);
    return QString();
}

QStringList csvLines(const QByteArray& bytes)
{
    QString text = QString::fromUtf8(bytes);
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text.split(QLatin1Char('\n'));
}

} // namespace

TEST(Batch, EveryRowIsTheSingleCaseWithChecks)
{
    struct Input {
        const char* name;
        bool byteOrderMark;
        const char* lineEnd;
    };
    for (const Input& input : {Input{"LF", false, "\n"}, Input{"BOM and CRLF", true, "\r\n"}}) {
        SCOPED_TRACE(input.name);
        QTemporaryDir dir;
        const QString out = dir.filePath(QStringLiteral("out.json"));
        const CliRun batch = runCli({QStringLiteral("size"), QStringLiteral("--batch"),
                                     writeInput(dir, input.byteOrderMark, input.lineEnd),
                                     QStringLiteral("--out"), out});
        EXPECT_EQ(batch.status, 1) << "some rows fail";
        QFile file(out);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QJsonArray rows = QJsonDocument::fromJson(file.readAll()).array();
        ASSERT_EQ(rows.size(), static_cast<qsizetype>(std::size(kRows)));
        for (qsizetype i = 0; i < rows.size(); ++i) {
            const Row& row = kRows[i];
            SCOPED_TRACE(row.cells);
            QJsonObject got = rows[i].toObject();
            EXPECT_EQ(got.take(QStringLiteral("line")).toInt(), i + 2);
            if (row.hasSingle) {
                const CliRun single = runCli(singleArgs(row));
                EXPECT_EQ(single.status != 0, row.fails);
                if (single.status != 2) {
                    EXPECT_EQ(got, QJsonDocument::fromJson(single.out).object());
                }
            }
            if (row.fails)
                EXPECT_TRUE(got[QStringLiteral("message")].toString().contains(
                    QString::fromUtf8(row.message)))
                    << got[QStringLiteral("message")].toString().toStdString();
            else
                EXPECT_TRUE(got[QStringLiteral("message")].isNull());
        }
    }
}

TEST(Batch, CsvColumnsOnStandardOutputAndInAFile)
{
    QTemporaryDir dir;
    const QString input = writeInput(dir, true, "\r\n");
    const CliRun toStdout = runCli({QStringLiteral("size"), QStringLiteral("--batch"), input});
    EXPECT_EQ(toStdout.status, 1);
    EXPECT_FALSE(toStdout.out.startsWith("\xEF\xBB\xBF"));
    const QStringList lines = csvLines(toStdout.out);
    const QStringList header = lines.front().split(QLatin1Char(';'));
    EXPECT_EQ(header.mid(0, 2), (QStringList{QStringLiteral("line"), QStringLiteral("kind")}));
    EXPECT_EQ(header.mid(header.size() - 3),
              (QStringList{QStringLiteral("offers"), QStringLiteral("message"),
                           QStringLiteral("worst_check")}));
    ASSERT_EQ(lines.size(), 1 + static_cast<qsizetype>(std::size(kRows)));

    // The control valve row against its single case: unrounded values with the decimal comma,
    // the offers joined, the worst check.
    const CliRun single = runCli(singleArgs(kRows[1]));
    const QJsonObject expected = QJsonDocument::fromJson(single.out).object();
    const QStringList cells = lines[2].split(QLatin1Char(';'));
    const auto column = [&](const char* name) {
        return cells.value(header.indexOf(QString::fromLatin1(name)));
    };
    EXPECT_EQ(column("line"), QStringLiteral("3"));
    EXPECT_EQ(column("kind"), QStringLiteral("control-valve"));
    EXPECT_EQ(column("load"), QStringLiteral("0,5"));
    EXPECT_EQ(column("series"), QString());
    for (const char* name : {"networkFlow", "valvePressureDrop", "requiredKv", "requiredKvy"}) {
        SCOPED_TRACE(name);
        const double value =
            expected[QStringLiteral("values")][QString::fromLatin1(name)].toDouble();
        EXPECT_EQ(QString(column(name)).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(),
                  value);
        EXPECT_TRUE(column(name).contains(QLatin1Char(',')));
    }
    EXPECT_EQ(column("mixingRatio"), QString()) << "a value the kind does not have";
    EXPECT_EQ(column("offers"), QStringLiteral("ТВМ-25/17 | ТВМ-32/16"));
    EXPECT_EQ(column("message"), QString());
    EXPECT_EQ(column("worst_check"), worstOf(expected[QStringLiteral("checks")].toArray()));

    const QStringList failed = lines[5].split(QLatin1Char(';'));
    EXPECT_EQ(failed.value(header.indexOf(QStringLiteral("message"))),
              QStringLiteral("Выбраны не все параметры!"));
    EXPECT_EQ(failed.value(header.indexOf(QStringLiteral("worst_check"))), QString());

    const QString file = dir.filePath(QStringLiteral("out.csv"));
    EXPECT_EQ(runCli({QStringLiteral("size"), QStringLiteral("--batch"), input,
                      QStringLiteral("--out"), file})
                  .status,
              1);
    QFile written(file);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), QByteArray("\xEF\xBB\xBF") + toStdout.out);
}

TEST(Batch, WorkbookSheetHoldsTheCsvColumns)
{
    QTemporaryDir dir;
    const QString input = writeInput(dir, false, "\n");
    const QString out = dir.filePath(QStringLiteral("out.xlsx"));
    EXPECT_EQ(runCli({QStringLiteral("size"), QStringLiteral("--batch"), input,
                      QStringLiteral("--out"), out})
                  .status,
              1);
    const QJsonObject sheet = readFirstSheet(out);
    EXPECT_EQ(sheet[QStringLiteral("name")].toString(), QStringLiteral("Подбор"));
    const QStringList header =
        csvLines(runCli({QStringLiteral("size"), QStringLiteral("--batch"), input}).out)
            .front()
            .split(QLatin1Char(';'));
    const QJsonObject cells = sheet[QStringLiteral("cells")].toObject();
    EXPECT_EQ(cells[QStringLiteral("A1")][QStringLiteral("value")].toString(), header.front());
    EXPECT_EQ(cells[QStringLiteral("Z1")][QStringLiteral("value")].toString(), header.back());
    EXPECT_EQ(cells[QStringLiteral("A3")][QStringLiteral("value")].toDouble(), 3);
    EXPECT_EQ(cells[QStringLiteral("B3")][QStringLiteral("value")].toString(),
              QStringLiteral("control-valve"));
}

// Every cell of the workbook is what its CSV field is: a number where the field reads as one with
// the decimal comma (the inputs as given, the values unrounded), a text otherwise, nothing where
// the field is empty.
TEST(Batch, WorkbookCellsAreNumbersExactlyWhereTheCsvFieldsAre)
{
    QTemporaryDir dir;
    const QString input =
        clicases::writeBatch(dir.path(), QStringLiteral("typed.csv"),
                             "control-valve; 4 ;kgf;2.0;kgf;1,5e2;70;0,5;gcal;2;m\n"
                             "hydroelevator;6;kgf;4;kgf;=1+1;70;0,5;gcal;-1;m\n"
                             "mixing-valve;4;bar;2;kgf;150;70;1,2;mw;2;m\n"
                             // A zero flow from a return above the supply: 0 in both, never -0.
                             "control-valve;4;kgf;2;kgf;60;77;0;gcal;2;m\n");
    ASSERT_FALSE(input.isEmpty());
    const QString out = dir.filePath(QStringLiteral("out.xlsx"));
    const QStringList batch{QStringLiteral("size"), QStringLiteral("--batch"), input};
    runCli(batch + QStringList{QStringLiteral("--out"), out});
    const QStringList lines = csvLines(runCli(batch).out);
    const QJsonObject cells = readFirstSheet(out)[QStringLiteral("cells")].toObject();
    ASSERT_EQ(lines.size(), 5);
    int numbers = 0;
    for (qsizetype r = 1; r < lines.size(); ++r) {
        ASSERT_FALSE(lines[r].contains(QLatin1Char('"')));
        const QStringList fields = lines[r].split(QLatin1Char(';'));
        for (qsizetype c = 0; c < fields.size(); ++c) {
            const QString name =
                QString(QChar(static_cast<char16_t>(u'A' + c))) + QString::number(r + 1);
            SCOPED_TRACE(name.toStdString() + " " + fields[c].toStdString());
            const QJsonObject cell = cells[name].toObject();
            bool isNumber = false;
            const double value = QString(fields[c]).replace(u',', u'.').toDouble(&isNumber);
            if (fields[c].isEmpty()) {
                EXPECT_TRUE(cell.isEmpty());
            } else if (isNumber) {
                ++numbers;
                EXPECT_EQ(cell[QStringLiteral("type")].toString(), QStringLiteral("n"));
                // The workbook keeps 16 significant digits.
                EXPECT_NEAR(cell[QStringLiteral("value")].toDouble(), value,
                            1e-15 * std::abs(value));
            } else {
                EXPECT_EQ(cell[QStringLiteral("type")].toString(), QStringLiteral("s"));
                // CSV writes a text that could start a formula after an apostrophe.
                const QString text = cell[QStringLiteral("value")].toString();
                EXPECT_TRUE(fields[c] == text || fields[c] == QLatin1Char('\'') + text);
            }
        }
    }
    EXPECT_GT(numbers, 20);
    // openpyxl reads "-0" as 0: the sheet's own text shows the sign.
    QProcess part;
    part.start(qEnvironmentVariable("VEDAN_PYTHON", QStringLiteral("/usr/bin/python3")),
               {QStringLiteral("-c"),
                QStringLiteral("import sys, zipfile; sys.stdout.buffer.write(zipfile.ZipFile("
                               "sys.argv[1]).read('xl/worksheets/sheet1.xml'))"),
                out});
    ASSERT_TRUE(part.waitForFinished(60000));
    const QByteArray xml = part.readAllStandardOutput();
    EXPECT_TRUE(xml.contains("<v>0</v>"));
    EXPECT_FALSE(xml.contains("<v>-0</v>"));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("2;control-valve; 4 ;kgf;2,0;kgf;1,5e2;")));
}

TEST(Batch, AWrongHeaderSizesNothing)
{
    const char* const headers[] = {
        "kind;inlet;colour", // unknown column
        "kind;inlet;inlet",  // repeated column
        "inlet;outlet",      // no kind
        "",                  // no header at all
    };
    for (const char* header : headers) {
        SCOPED_TRACE(header);
        QTemporaryDir dir;
        const QString input = dir.filePath(QStringLiteral("in.csv"));
        QFile file(input);
        file.open(QIODevice::WriteOnly);
        file.write(QByteArray(header) + "\nhydroelevator;4;4\n");
        file.close();
        const QString out = dir.filePath(QStringLiteral("out.csv"));
        const CliRun run = runCli({QStringLiteral("size"), QStringLiteral("--batch"), input,
                                   QStringLiteral("--out"), out});
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_FALSE(QFile::exists(out));
    }
}

// Each kind on its own, not one kind standing for all: its working values recomputed here from
// the inputs, its offers with capacity, authority and bore, and the ids of its checks in --json;
// then the same inputs as a batch row, whose every value column, offers and worst check must be
// what the single case printed.
TEST(Batch, EveryKindsValuesOffersAndChecksInJsonAndInTheColumns)
{
    // 150/70 °C, 0,5 Gcal/h, 6 and 4 kgf/cm², 1 m.
    const double flow = 0.5 * 1000000 * 1.163 * 3.6 / ((150.0 - 70.0) * 4.2) / 1000;
    const double drop = 6.0 - 4.0 - 1.0 / 10;
    const double kv = flow / std::sqrt(drop);
    const auto authority = [&](double kvy) {
        const double modelDrop = flow * flow / (kvy * kvy);
        return modelDrop / (modelDrop + 1 * 0.0980665);
    };
    struct Offer {
        const char* designation;
        double kvy; // 0: the kind's catalogue has none
        bool withAuthority;
        int bore; // 0: none
    };
    struct Kind {
        const char* kind;
        const char* choices; // series and range cells
        std::vector<std::pair<const char*, double>> values;
        std::vector<Offer> offers;
        QStringList checks;
    };
    const Kind kinds[] = {
        {"hydroelevator",
         ";",
         {{"networkFlow", flow},
          {"mixingRatio", (150.0 - 95) / (95 - 70.0)},
          {"availableHead", 20},
          {"throatDiameter", 8.5 * std::sqrt(std::sqrt(flow * flow * 3.2 * 3.2 / 1))},
          {"nozzleDiameter", 9.6 * std::sqrt(std::sqrt(flow * flow / 20))}},
         {{"ЭЖ-03", 0, false, 0}},
         {"supply.liquid", "supply.schedule", "selection.offer", "elevator.head", "elevator.mixing",
          "elevator.nozzle", "elevator.flashing"}},
        {"control-valve",
         ";",
         {{"networkFlow", flow},
          {"valvePressureDrop", drop},
          {"requiredKv", kv},
          {"requiredKvy", 1.2 * kv}},
         {{"ТВМ-25/17", 6.3, true, 25}, {"ТВМ-32/16", 6.3, true, 32}},
         {"supply.liquid", "supply.schedule", "selection.offer", "valve.authority",
          "valve.authority", "valve.cavitation", "valve.flashing", "valve.velocity",
          "valve.velocity"}},
        {"mixing-valve",
         ";",
         {{"networkFlow", flow},
          {"valvePressureDrop", drop},
          {"requiredKv", kv},
          {"requiredKvy", 1.2 * kv}},
         {{"ЛНВ-25/17", 6.3, true, 25}},
         {"supply.liquid", "supply.schedule", "selection.offer", "valve.authority",
          "valve.cavitation", "valve.flashing", "valve.velocity"}},
        {"regulator",
         "1;2",
         {{"networkFlow", flow},
          {"regulatorPressureDrop", drop},
          {"requiredKv", kv},
          {"requiredKvy", 1.2 * kv}},
         {{"ЖМ-32.6,3.2.1", 6.3, false, 32}},
         {"supply.liquid", "supply.schedule", "selection.offer", "regulator.cavitation",
          "regulator.flashing", "regulator.range"}},
    };
    const QStringList allValues = {"networkFlow",       "mixingRatio",    "availableHead",
                                   "throatDiameter",    "nozzleDiameter", "regulatorPressureDrop",
                                   "valvePressureDrop", "requiredKv",     "requiredKvy"};
    QTemporaryDir dir;
    QByteArray table = "kind;inlet;inlet-unit;outlet;outlet-unit;supply;return;load;load-unit;"
                       "resistance;resistance-unit;series;range\n";
    for (const Kind& k : kinds)
        table += QByteArray(k.kind) + ";6;kgf;4;kgf;150;70;0,5;gcal;1;m;" + k.choices + "\n";
    const QString input = dir.filePath(QStringLiteral("kinds.csv"));
    QFile file(input);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(table);
    file.close();
    const CliRun batch = runCli({QStringLiteral("size"), QStringLiteral("--batch"), input});
    ASSERT_EQ(batch.status, 0) << batch.err.toStdString();
    const QStringList lines = csvLines(batch.out);
    const QStringList header = lines.front().split(QLatin1Char(';'));
    ASSERT_EQ(lines.size(), 1 + qsizetype(std::size(kinds)));

    for (qsizetype row = 0; row < qsizetype(std::size(kinds)); ++row) {
        const Kind& k = kinds[row];
        SCOPED_TRACE(k.kind);
        QStringList args = QStringLiteral("size %1 --inlet 6 --inlet-unit kgf --outlet 4 "
                                          "--outlet-unit kgf --supply 150 --return 70 --load 0,5 "
                                          "--load-unit gcal --resistance 1 --resistance-unit m "
                                          "--checks --json")
                               .arg(QLatin1String(k.kind))
                               .split(QLatin1Char(' '));
        if (QLatin1String(k.choices) != QLatin1String(";"))
            args << QStringLiteral("--series") << QStringLiteral("1") << QStringLiteral("--range")
                 << QStringLiteral("2");
        const CliRun single = runCli(args);
        ASSERT_EQ(single.status, 0) << single.err.toStdString();
        const QJsonObject o = QJsonDocument::fromJson(single.out).object();

        const QJsonObject values = o[QStringLiteral("values")].toObject();
        QStringList names;
        for (const auto& [name, value] : k.values) {
            names << QString::fromLatin1(name);
            EXPECT_NEAR(values[QString::fromLatin1(name)].toDouble(), value,
                        1e-12 * std::max(1.0, std::abs(value)))
                << name;
        }
        names.sort();
        EXPECT_EQ(values.keys(), names);

        const QJsonArray offers = o[QStringLiteral("offers")].toArray();
        ASSERT_EQ(offers.size(), qsizetype(k.offers.size()));
        QStringList designations;
        for (qsizetype i = 0; i < offers.size(); ++i) {
            const Offer& want = k.offers[size_t(i)];
            designations << QString::fromUtf8(want.designation);
            EXPECT_EQ(offers[i][QStringLiteral("designation")].toString(),
                      QString::fromUtf8(want.designation));
            if (want.kvy > 0)
                EXPECT_EQ(offers[i][QStringLiteral("kvy")].toDouble(), want.kvy);
            else
                EXPECT_TRUE(offers[i][QStringLiteral("kvy")].isNull());
            if (want.withAuthority)
                EXPECT_NEAR(offers[i][QStringLiteral("authority")].toDouble(), authority(want.kvy),
                            1e-14);
            else
                EXPECT_TRUE(offers[i][QStringLiteral("authority")].isNull());
            if (want.bore > 0)
                EXPECT_EQ(offers[i][QStringLiteral("bore")].toInt(), want.bore);
            else
                EXPECT_TRUE(offers[i][QStringLiteral("bore")].isNull());
        }
        QStringList checkIds;
        for (const QJsonValue& check : o[QStringLiteral("checks")].toArray())
            checkIds << check[QStringLiteral("id")].toString();
        EXPECT_EQ(checkIds, k.checks);

        const QStringList cells = lines[row + 1].split(QLatin1Char(';'));
        const auto column = [&](const QString& name) { return cells.value(header.indexOf(name)); };
        for (const QString& name : allValues) {
            SCOPED_TRACE(name.toStdString());
            if (values.contains(name))
                EXPECT_EQ(column(name).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(),
                          values[name].toDouble());
            else
                EXPECT_EQ(column(name), QString());
        }
        EXPECT_EQ(column(QStringLiteral("offers")), designations.join(QStringLiteral(" | ")));
        EXPECT_EQ(column(QStringLiteral("worst_check")),
                  worstOf(o[QStringLiteral("checks")].toArray()));
    }
}

// Quotes in both directions: quoted input fields, with doubled quotes and a semicolon inside,
// are read as one field each; the output quotes what needs quoting, and Python's csv module, an
// independent reader, reads every field back as it was meant.
TEST(Batch, QuotedFieldsAreReadAndWrittenBothWays)
{
    QTemporaryDir dir;
    const QString input =
        clicases::writeBatch(dir.path(), QStringLiteral("quoted.csv"),
                             "hydroelevator;\"6\";kgf;\"4\";kgf;150;70;\"0,5\";gcal;1;m\n"
                             "\"bo\"\"il;er\";6;kgf;4;kgf;150;70;0,5;gcal;1;m\n");
    ASSERT_FALSE(input.isEmpty());
    const QString out = dir.filePath(QStringLiteral("out.csv"));
    const CliRun run = runCli(
        {QStringLiteral("size"), QStringLiteral("--batch"), input, QStringLiteral("--out"), out});
    EXPECT_EQ(run.status, 1) << "the second row names an unknown kind";
    const CliRun read = runProgram(
        qEnvironmentVariable("VEDAN_PYTHON", QStringLiteral("/usr/bin/python3")),
        {QStringLiteral("-c"),
         QStringLiteral("import csv, json, sys\n"
                        "with open(sys.argv[1], encoding='utf-8-sig', newline='') as f:\n"
                        "    print(json.dumps(list(csv.reader(f, delimiter=';'))))"),
         out});
    ASSERT_EQ(read.status, 0) << read.err.toStdString();
    const QJsonArray rows = QJsonDocument::fromJson(read.out).array();
    ASSERT_EQ(rows.size(), 3);
    const QJsonArray header = rows[0].toArray();
    const auto cell = [&](int row, const char* name) {
        for (qsizetype i = 0; i < header.size(); ++i)
            if (header[i].toString() == QLatin1String(name))
                return rows[row].toArray()[i].toString();
        return QStringLiteral("(no column)");
    };
    for (int row : {1, 2})
        EXPECT_EQ(rows[row].toArray().size(), header.size()) << row;
    EXPECT_EQ(cell(1, "inlet"), QStringLiteral("6"));
    EXPECT_EQ(cell(1, "load"), QStringLiteral("0,5"));
    EXPECT_EQ(cell(1, "offers"), QStringLiteral("ЭЖ-03"));
    EXPECT_EQ(cell(2, "kind"), QStringLiteral("bo\"il;er"));
    EXPECT_TRUE(cell(2, "message").contains(QStringLiteral("bo\"il;er")))
        << cell(2, "message").toStdString();
}
