// The calculation sheet written by vedan-cli size --pdf, read back with pdftotext: for each kind
// the inputs, the results of the method's formulas in their order, the offered models, the
// checks and the signature block, on numbered A4 pages with embedded fonts; the title block,
// the assumptions, the IEC Kv for reference and the conclusion.

#include "tests/support/QtPrinters.h"
#include "tests/support/RunProgram.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <optional>

namespace {

QStringList words(const char* text) { return QString::fromUtf8(text).split(QLatin1Char(' ')); }

// `vedan-cli size` of a case whose pressures are in kgf/cm², its load in Gcal/h and its
// resistance in m, the units left out of the case's own text.
QStringList sizeInKgf(const char* args)
{
    return QStringList{QStringLiteral("size")} + words(args)
           + words("--inlet-unit kgf --outlet-unit kgf --load-unit gcal --resistance-unit m");
}

// The worked examples, in the units of sizeInKgf.
const char* const kElevator =
    "hydroelevator --inlet 6 --outlet 4 --supply 150 --return 70 --load 0,5 --resistance 1";
const char* const kValve =
    "control-valve --inlet 4 --outlet 2 --supply 150 --return 70 --load 0,5 --resistance 2";
const char* const kMixingValve =
    "mixing-valve --inlet 4 --outlet 2 --supply 150 --return 70 --load 1,2 --resistance 2";
const char* const kRegulator = "regulator --inlet 4 --outlet 3,8 --supply 115 --return 70 --load "
                               "0,08 --resistance 1 --series 1 --range 1";

QString poppler(const char* program, const QStringList& args)
{
    return runProgram(QString::fromLatin1(program), args).text();
}

// Where each expected text is found, searching on from the previous one; -1 when missing.
qsizetype missingFrom(const QString& text, const std::vector<const char*>& inOrder)
{
    qsizetype at = 0;
    for (size_t i = 0; i < inOrder.size(); ++i) {
        at = text.indexOf(QString::fromUtf8(inOrder[i]), at);
        if (at < 0)
            return static_cast<qsizetype>(i);
    }
    return -1;
}

// Each case writes its sheet afresh into the test's folder and reads it back.
class CalcSheet : public ::testing::Test {
protected:
    QTemporaryDir m_dir;
    const QString m_pdf = m_dir.filePath(QStringLiteral("sheet.pdf"));

    CliRun write(const QStringList& args)
    {
        QFile::remove(m_pdf);
        return runCli(QStringList(args) << QStringLiteral("--pdf") << m_pdf);
    }
    // The text of the sheet of a run that succeeds; nothing, and a failure, for one that does not.
    std::optional<QString> written(const QStringList& args)
    {
        const CliRun run = write(args);
        if (run.status == 0)
            return text();
        ADD_FAILURE() << "status " << run.status << ": " << run.err.toStdString();
        return std::nullopt;
    }
    // The text in pdftotext's reading order, each run of blanks and line ends made one blank, so
    // that a table cell's wrapped lines read as one text.
    QString text() const { return poppler("pdftotext", {m_pdf, QStringLiteral("-")}).simplified(); }
    // As the pages lay it out: its lines, the pages apart by form feeds.
    QString layout() const { return poppler("pdftotext", {QStringLiteral("-layout"), m_pdf, "-"}); }
    QString info() const { return poppler("pdfinfo", {m_pdf}); }
};

} // namespace

TEST_F(CalcSheet, EveryKindShowsItsFormulasResultsAndOffersInOrder)
{
    struct Case {
        const char* name;
        const char* args;
        std::vector<const char*> inOrder;
    };
    const Case cases[] = {
        {"hydroelevator, no model",
         "hydroelevator --inlet 4 --outlet 3,8 --supply 115 --return 70 --load 0,08 --resistance 1",
         {"Регулирующий гидроэлеватор", "Исходные данные", "0,08 Гкал/ч", "Расчёт",
          "G = Q·10⁶·1,163·3,6", "1,77 т/ч", "u = (τ1 − 95) / (95 − τ2)", "0,80",
          "ΔH = (P1 − P2)·10", "2,00 м", "dг = 8,5·⁴√", "15,18 мм", "dс = 9,6·⁴√", "10,75 мм",
          "модель не подходит", "Для заданных параметров модель не подобрана",
          "Инженерные проверки", "Выполнил", "Проверил"}},
        {"hydroelevator ЭЖ-03",
         kElevator,
         {"0,5·10⁶·1,163·3,6 / ((150 − 70)·4,2) / 1000", "6,23 т/ч", "(150 − 95) / (95 − 70)",
          "2,20", "(6 − 4)·10", "20,00 м", "8,5·⁴√(6,23²·(1 + 2,20)² / 1)", "37,95 мм",
          "9,6·⁴√(6,23² / 20,00)", "11,33 мм", "Подбор модели по диаметру сопла", "6 < ΔH < 40 м",
          "ΔH = 20,00 м; dс = 11,33 мм", "ЭЖ-03", "Подобранное оборудование", "ЭЖ-03",
          "Инженерные проверки"}},
        {"control valve",
         kValve,
         {"Запорно-регулирующий клапан", "6,23 т/ч", "ΔP = (P1 − P2) − S / 10", "(4 − 2) − 2 / 10",
          "1,80 кгс/см²", "Kv = G / √ΔP", "6,23 / √1,80", "4,64 м³/ч", "Kvy = 1,2·Kv", "1,2·4,64",
          "5,57 м³/ч", "Авторитет клапана ТВМ-25/17, ТВМ-32/16",
          "(6,23² / 6,3²) / (6,23² / 6,3² + 2·0,0980665)", "0,83", "Подобранное оборудование",
          "ТВМ-25/17", "6,30", "0,83", "ТВМ-32/16"}},
        {"mixing valve, three offers",
         kMixingValve,
         {"Клапан смесительный трехходовой", "1,2·10⁶·1,163·3,6 / ((150 − 70)·4,2) / 1000",
          "14,95 т/ч", "(4 − 2) − 2 / 10", "1,80 кгс/см²", "14,953 / √1,800", "11,15 м³/ч",
          "1,2·11,145", "13,37 м³/ч", "Kvy тр = 13,37 м³/ч",
          "Авторитет клапана ЛНВ-32/31.5, ЛНВ-50/28,",
          "(14,95² / 16²) / (14,95² / 16² + 2·0,0980665)", "0,82", "Подобранное оборудование",
          "ЛНВ-32/31.5", "16,00", "ЛНВ-50/28", "ЛНВ-50/26"}},
        {"regulator",
         kRegulator,
         {"Регулятор давления и перепада", "Тип регулятора", "Диапазон настройки",
          "0,08·10⁶·1,163·3,6 / ((115 − 70)·4,2) / 1000", "1,77 т/ч", "ΔP = (P1 − P2) − S / 10",
          "(4 − 3,8) − 1 / 10", "0,10 кгс/см²", "Kv = G / √ΔP", "1,77 / √0,10", "5,60 м³/ч",
          "Kvy = 1,2·Kv", "1,2·5,60", "6,72 м³/ч", "Kvy тр = 6,72 м³/ч", "ЖМ-32.10.1.1",
          "Подобранное оборудование", "ЖМ-32.10.1.1", "10,00"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<QString> text = written(sizeInKgf(c.args));
        ASSERT_TRUE(text);
        EXPECT_EQ(missingFrom(*text, c.inOrder), -1) << text->toStdString();
        EXPECT_TRUE(text->startsWith(QStringLiteral("Открытое акционерное общество")));
        EXPECT_TRUE(text->contains(QStringLiteral("Расчётный лист")));

        // Every page says which it is of how many.
        const int pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)\\n"))
                              .match(info())
                              .captured(1)
                              .toInt();
        ASSERT_GE(pages, 1);
        for (int n = 1; n <= pages; ++n)
            EXPECT_TRUE(text->contains(QStringLiteral("Лист %1 / Листов %2").arg(n).arg(pages)));
        EXPECT_TRUE(info().contains(QStringLiteral("(A4)")));
        // Every font embedded: the "emb" column of each font line says yes.
        const QStringList fonts = poppler("pdffonts", {m_pdf}).split('\n');
        ASSERT_GT(fonts.size(), 3);
        for (const QString& line : fonts.mid(2, fonts.size() - 3))
            EXPECT_TRUE(line.contains(QStringLiteral(" yes "))) << line.toStdString();
    }
}

// A run that stops shows the steps it reached and the window's message, and offers nothing.
TEST_F(CalcSheet, AStoppedRunShowsTheStepsReachedAndTheMessage)
{
    EXPECT_EQ(write(sizeInKgf("hydroelevator --inlet 4 --outlet 3,8 --supply 115 --return 70 "
                              "--load 0,08 --resistance -1"))
                  .status,
              1);
    const QString text = this->text();
    EXPECT_EQ(missingFrom(text, {"-1 м вод. ст.", "1,77 т/ч", "0,80", "2,00 м",
                                 "Расчёт остановлен: Неправильный ввод данных.!!!", "Выполнил"}),
              -1)
        << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("dг =")));
    EXPECT_FALSE(text.contains(QStringLiteral("Подобранное оборудование")));
}

// What a reviewed calculation states: the object, the program and its version, the date, the
// assumptions, the IEC Kv beside the program's, and a conclusion naming the checks.
TEST_F(CalcSheet, TitleBlockAssumptionsReferenceKvAndConclusion)
{
    struct Case {
        const char* name;
        const char* args;
        const char* conclusion;
    };
    const Case cases[] = {
        {"failed checks", kValve,
         "Не пройдены проверки: Кавитация и запирание потока в клапане; Вскипание воды за "
         "клапаном"},
        {"all passed",
         "regulator --inlet 6 --outlet 4 --supply 150 --return 70 --load 0,5 --resistance "
         "16,315456 --series 1 --range 1",
         "Все проверки пройдены"},
        {"warnings", kRegulator, "Есть предупреждения: Диапазон настройки регулятора перепада"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<QString> text =
            written(sizeInKgf(c.args)
                    << QStringLiteral("--object") << QStringLiteral("Дом 5, ул. Садовая"));
        ASSERT_TRUE(text);
        // The signature block stands whole on one page.
        for (const QString& page : poppler("pdftotext", {m_pdf, QStringLiteral("-")}).split('\f'))
            EXPECT_EQ(page.contains(QStringLiteral("Выполнил")),
                      page.contains(QStringLiteral("Проверил")));
        EXPECT_EQ(
            missingFrom(*text,
                        {"Объект: Дом 5, ул. Садовая",
                         "Дата расчёта:", "ОАО \"Завод Ведан\", версия 2.03", "Принятые допущения",
                         "давления избыточные; абсолютное давление = избыточное + "
                         "1,0332 кгс/см²",
                         "1 м вод. ст. принят равным 0,1 кгс/см²",
                         "c = 4,2 кДж/(кг·К); 1 Гкал/ч = 1,163 МВт",
                         "температура воды после смешения — 95 °C", "F_L = 0,9 для всех моделей",
                         "Расчёт", "Для сравнения: Kv по IEC 60534-2-1 при ρ =",
                         "Инженерные проверки", c.conclusion, "Выполнил", "Лист 1 / Листов 1"}),
            -1)
            << text->toStdString();
    }
    // The IEC Kv of the control valve example, recomputed here: ρ(150 °C, 5,03 kgf/cm² abs.)
    // as the sheet prints it, Q = G·1000/ρ, Kv = Q·√((ρ/1000)/(Δp·0,980665)).
    const std::optional<QString> text = written(sizeInKgf(cases[0].args));
    ASSERT_TRUE(text);
    const auto m = QRegularExpression(QStringLiteral("при ρ = ([\\d,]+) кг/м³ и Δp в барах = "
                                                     "([\\d,]+) м³/ч \\(на ([\\d,]+) %"))
                       .match(*text);
    ASSERT_TRUE(m.hasMatch()) << text->toStdString();
    const double rho = m.captured(1).replace(',', '.').toDouble();
    const double flow = 0.5 * 1000000 * 1.163 * 3.6 / ((150.0 - 70.0) * 4.2) / 1000;
    const double kv = flow * 1000 / rho * std::sqrt(rho / 1000 / (1.8 * 0.980665));
    EXPECT_NEAR(m.captured(2).replace(',', '.').toDouble(), kv, 0.006);
    EXPECT_NEAR(m.captured(3).replace(',', '.').toDouble(),
                (kv / (flow / std::sqrt(1.8)) - 1) * 100, 0.06);
    EXPECT_TRUE(text->contains(QStringLiteral("Объект: не указан")));
}

// A sheet longer than a page goes on to the next, each page numbered; a very long typed number
// is cut on the sheet and the sheet says so, so that it cannot make dozens of pages.
TEST_F(CalcSheet, MorePagesAndLongInputsCut)
{
    const QString longLoad = QStringLiteral("1,2") + QString(2000, QLatin1Char('0'));
    const std::optional<QString> text = written(
        sizeInKgf("mixing-valve --inlet 4 --outlet 2 --supply 150 --return 70 --resistance 2")
        << QStringLiteral("--load") << longLoad);
    ASSERT_TRUE(text);
    EXPECT_TRUE(info().contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\n"))))
        << info().toStdString();
    EXPECT_EQ(missingFrom(*text, {"Лист 1 / Листов 2", "Выполнил", "Лист 2 / Листов 2"}), -1)
        << text->toStdString();
    // The cut number wraps in its cell, so it is counted rather than read in one piece.
    EXPECT_TRUE(text->contains(QStringLiteral("… (введено 2003 знаков, показаны первые 40)")))
        << text->left(1500).toStdString();
    EXPECT_LE(text->count(QLatin1Char('0')), 600); // the sheet's own figures, not the 2000 typed
    EXPECT_FALSE(text->contains(QString(41, QLatin1Char('0'))));
}

// Every row recomputes from its own numbers: each non-empty substitution of every kind,
// evaluated by Python as printed, rounds to the printed result. The inputs stand as typed.
TEST_F(CalcSheet, EveryRowRecomputesFromItsPrintedNumbers)
{
    const QStringList cases[] = {
        sizeInKgf("control-valve --inlet 6 --outlet 4 --supply 130 --return 70 --load 0,015 "
                  "--resistance 5"),
        words("size mixing-valve --inlet 4 --inlet-unit mpa --outlet 2 --outlet-unit kgf --supply "
              "150 --return 70 --load 0,3 --load-unit mw --resistance 2 --resistance-unit m"),
        sizeInKgf(kMixingValve),
        sizeInKgf(kElevator),
        words("size hydroelevator --inlet 6,3 --inlet-unit bar --outlet 4 --outlet-unit kgf "
              "--supply 90 --return 70 --load 0,137 --load-unit mw --resistance 1,7 "
              "--resistance-unit m"),
        sizeInKgf(kRegulator),
    };
    QJsonArray rows;
    for (const QStringList& c : cases) {
        SCOPED_TRACE(c.join(QLatin1Char(' ')).toStdString());
        const CliRun run = runCli(c + words("--json --steps"));
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        const QJsonObject o = QJsonDocument::fromJson(run.out).object();
        ASSERT_EQ(o[QStringLiteral("assumptions")].toArray().size(), 6);
        const QJsonArray steps = o[QStringLiteral("steps")].toArray();
        ASSERT_GE(steps.size(), 4);
        for (const QJsonValue& step : steps) {
            const QString substituted = step[QStringLiteral("substituted")].toString();
            static const QRegularExpression allowed(QStringLiteral("^[0-9,·/+−√⁴²⁶() ]*$"));
            EXPECT_TRUE(allowed.match(substituted).hasMatch()) << substituted.toStdString();
            if (!substituted.isEmpty())
                rows.append(QJsonArray{substituted, step[QStringLiteral("result")].toString()});
            else
                EXPECT_TRUE(step[QStringLiteral("symbol")].toString().isEmpty());
        }
    }
    ASSERT_GE(rows.size(), 25);
    // Python reads the printed expression with the printed symbols turned into its own.
    const CliRun python = runProgram(
        qEnvironmentVariable("VEDAN_PYTHON", QStringLiteral("/usr/bin/python3")),
        {QStringLiteral("-c"),
         QStringLiteral("import json, re, sys\n"
                        "from decimal import Decimal, ROUND_HALF_UP\n"
                        "out = []\n"
                        "for text, result in json.loads(sys.argv[1]):\n"
                        "    e = text.replace(',', '.').replace('−', '-').replace('·', '*')\n"
                        "    e = e.replace('10⁶', '(10**6)').replace('²', '**2')\n"
                        "    e = re.sub(r'⁴√\\(', 'root4(', e)\n"
                        "    e = re.sub(r'√([0-9.]+)', r'(\\1)**0.5', e)\n"
                        "    value = eval(e, {'root4': lambda x: x ** 0.25})\n"
                        "    places = Decimal(1).scaleb(-len(result.split(',')[1]))\n"
                        "    printed = Decimal(repr(value)).quantize(places, ROUND_HALF_UP)\n"
                        "    out.append([text, result, str(printed).replace('.', ',')])\n"
                        "print(json.dumps(out, ensure_ascii=False))\n"),
         QString::fromUtf8(QJsonDocument(rows).toJson(QJsonDocument::Compact))});
    ASSERT_EQ(python.status, 0) << python.err.toStdString();
    for (const QJsonValue& r : QJsonDocument::fromJson(python.out).array()) {
        const QJsonArray row = r.toArray();
        EXPECT_EQ(row[2].toString(), row[1].toString()) << row[0].toString().toStdString();
    }
}

// The offered-equipment table has the columns the kind's offers fill; the sheet writes the unit
// кгс/см² one way and never across two lines, and calls the system's resistance S throughout.
TEST_F(CalcSheet, OffersColumnsUnitsAndSymbolsAgree)
{
    struct Case {
        const char* name;
        const char* args;
        std::vector<const char*> inTable; // the offers table's columns and its first offer
        std::vector<const char*> absentFromTable;
    };
    const Case cases[] = {
        {"hydroelevator",
         kElevator,
         {"Обозначение", "ЭЖ-03"},
         {"Kvy, м³/ч", "Авторитет", "Ду, мм"}},
        {"control valve",
         kValve,
         {"Обозначение", "Kvy, м³/ч", "Авторитет", "Ду, мм", "ТВМ-25/17"},
         {}},
        {"regulator",
         kRegulator,
         {"Обозначение", "Kvy, м³/ч", "Ду, мм", "ЖМ-32.10.1.1"},
         {"Авторитет"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<QString> sheet = written(sizeInKgf(c.args));
        ASSERT_TRUE(sheet);
        const QString& text = *sheet;
        const qsizetype table = text.indexOf(QStringLiteral("Подобранное оборудование"));
        ASSERT_GE(table, 0) << text.toStdString();
        const QString offers =
            text.mid(table, text.indexOf(QStringLiteral("Инженерные проверки"), table) - table);
        for (const char* present : c.inTable)
            EXPECT_TRUE(offers.contains(QString::fromUtf8(present))) << present;
        for (const char* absent : c.absentFromTable)
            EXPECT_FALSE(offers.contains(QString::fromUtf8(absent))) << absent;
        EXPECT_FALSE(offers.contains(QStringLiteral("—"))) << offers.toStdString();

        EXPECT_FALSE(text.contains(QStringLiteral("кгс/см2")));
        EXPECT_FALSE(text.contains(QStringLiteral("·h")));
        EXPECT_FALSE(text.contains(QStringLiteral("h/10")));
        for (const QString& line : layout().split(QLatin1Char('\n'))) {
            const QString trimmed = line.trimmed();
            EXPECT_FALSE(trimmed.endsWith(QStringLiteral("кгс/")) || trimmed.endsWith("кгс"))
                << line.toStdString();
            EXPECT_FALSE(trimmed.startsWith(QStringLiteral("см²"))) << line.toStdString();
        }
    }
}

// A unit written with a slash is never cut across two lines of any table: a narrow column's
// heading ("Δp, кгс/см²" in the season's table) breaks between its words instead. Each unit's
// first part, wherever pdftotext -layout finds it, goes on with the rest on the same line.
TEST_F(CalcSheet, UnitsStayWholeInEveryTable)
{
    struct Case {
        const char* name;
        const char* args;
    };
    const char* const inputs = " --inlet 6 --inlet-unit kgf --outlet 4 --outlet-unit kgf --supply "
                               "150 --return 70 --load 0,5 --load-unit gcal --resistance 1 "
                               "--resistance-unit m";
    const Case cases[] = {
        {"season of a control valve", "season control-valve --outdoor-design -25"},
        {"regulator's offers", "size regulator --series 1 --range 1"},
    };
    const std::pair<const char*, const char*> units[] = {
        {"кгс", "кгс/см²"}, {"Гкал", "Гкал/ч"}, {"м³/", "м³/ч"}, {"т/", "т/ч"}, {"Kv/", "Kv/Kvy"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(written(words(c.args) + words(inputs).mid(1)));
        const QString layout = this->layout();
        ASSERT_TRUE(layout.contains(QStringLiteral("Расчёт")));
        for (const auto& [start, unit] : units) {
            const QString lines = layout.split('\n').filter(QString::fromUtf8(start)).join('\n');
            EXPECT_EQ(layout.count(QString::fromUtf8(unit)), layout.count(QString::fromUtf8(start)))
                << unit << ": " << lines.toStdString();
        }
    }
}

// A negative number stands in parentheses wherever it is substituted, so that "− −2" never reads
// as one minus: in --steps and on the sheet alike.
TEST_F(CalcSheet, NegativeNumbersStandInParentheses)
{
    const QStringList args = sizeInKgf(
        "control-valve --inlet 6 --outlet 4 --supply 150 --return -70 --load 0,5 --resistance -2");
    const CliRun steps = runCli(args + words("--json --steps"));
    ASSERT_EQ(steps.status, 0) << steps.err.toStdString();
    QStringList substituted;
    for (const QJsonValue& step :
         QJsonDocument::fromJson(steps.out).object()[QStringLiteral("steps")].toArray())
        substituted << step[QStringLiteral("substituted")].toString();
    const std::optional<QString> sheet = written(args);
    ASSERT_TRUE(sheet);
    for (const char* expected :
         {"/ ((150 − (−70))·4,2)", "(6 − 4) − (−2) / 10", "+ (−2)·0,0980665"}) {
        const QString text = QString::fromUtf8(expected);
        EXPECT_TRUE(substituted.join(QLatin1Char('\n')).contains(text)) << expected;
        EXPECT_TRUE(sheet->contains(text)) << expected;
    }
}

// An object name longer than the title block shows is cut with a mark and its length, as a long
// input is.
TEST_F(CalcSheet, ALongObjectNameIsCutVisibly)
{
    const QString object = QStringLiteral("Дом 5, ул. Садовая; ").repeated(13); // 260 characters
    const std::optional<QString> sheet = written(
        sizeInKgf(
            "control-valve --inlet 6 --outlet 4 --supply 150 --return 70 --load 0,5 --resistance 2")
        << QStringLiteral("--object") << object);
    ASSERT_TRUE(sheet);
    const QString text = QString(*sheet).remove(QLatin1Char(' '));
    EXPECT_TRUE(text.contains(QStringLiteral("Объект:") + object.left(200).remove(QLatin1Char(' '))
                              + QStringLiteral("…(введено260знаков,показаныпервые200)")))
        << text.left(1500).toStdString();
}
