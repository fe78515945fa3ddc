// The calculation sheet written by vedan-cli substation --pdf, read back with pdftotext: the
// substation's page with the worked numbers of its schemes, every printed formula recomputed by
// Python from its own numbers, the plate constant's note, the cavitation note, the chart as an
// image, the checks as the JSON gives them and the conclusion; the options --pdf and --object.

#include "tests/support/QtPrinters.h"
#include "tests/support/RunProgram.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <optional>

namespace {

// "valve-regulator 9 3 115 70 0,18 2 --other-losses 3": the scheme, P₁ and P₂ in kgf/cm², τ₁,
// τ₂, Q in Gcal/h and S in m, then any further options.
QStringList substationArgs(const char* line)
{
    const QStringList words = QString::fromUtf8(line).split(QLatin1Char(' '));
    QStringList args = {QStringLiteral("substation"), words[0]};
    const char* const inputs[] = {"inlet", "outlet", "supply", "return", "load", "resistance"};
    for (int i = 0; i < 6; ++i)
        args << QStringLiteral("--") + QString::fromLatin1(inputs[i]) << words[i + 1];
    return args + QStringList{"--inlet-unit", "kgf",  "--outlet-unit",     "kgf",
                              "--load-unit",  "gcal", "--resistance-unit", "m"}
           + words.mid(7);
}

const char* const kValveRegulator = "valve-regulator 9 3 115 70 0,18 2";
const char* const kElevator = "elevator 10 4 150 70 0,2 1";

const QString kPageTitle =
    QStringLiteral("Распределение располагаемого напора и расчёт дроссельных устройств");

// A number as the sheet prints it, with its decimal comma and typographic minus.
double numberOf(QString text)
{
    return text.replace(QChar(0x2212), QLatin1Char('-')).replace(QLatin1Char(','), '.').toDouble();
}
// Half a unit of the text's last digit.
double halfLastDigit(const QString& text)
{
    const qsizetype comma = text.indexOf(QLatin1Char(','));
    return 0.5 * std::pow(10.0, comma < 0 ? 0.0 : -double(text.size() - comma - 1));
}

class SubstationSheet : public ::testing::Test {
protected:
    QTemporaryDir m_dir;
    const QString m_pdf = m_dir.filePath(QStringLiteral("substation.pdf"));

    // The sheet's text, each run of blanks and line ends made one blank; nothing, and a failure,
    // for a run that does not write it.
    std::optional<QString> written(const char* line, const QStringList& more = {})
    {
        QFile::remove(m_pdf);
        const CliRun run = runCli(substationArgs(line) + more << QStringLiteral("--pdf") << m_pdf);
        if (run.status != 0 || !QFile::exists(m_pdf)) {
            ADD_FAILURE() << "status " << run.status << ": " << run.err.toStdString();
            return std::nullopt;
        }
        return runProgram(QStringLiteral("pdftotext"), {m_pdf, QStringLiteral("-")})
            .text()
            .simplified();
    }
};

// The result printed after "FORMULA = NUMBERS = ", as a text; empty when the formula is missing.
QString resultOf(const QString& text, const char* formula)
{
    const QRegularExpression after(QRegularExpression::escape(QString::fromUtf8(formula))
                                   + QStringLiteral(" = [^=]+ = (−?\\d+(?:,\\d+)?)"));
    return after.match(text).captured(1);
}

} // namespace

// The worked cases of the budget: each figure read after its formula matches the budget's
// worked value to the digits both give.
TEST_F(SubstationSheet, WorkedCasesShowTheirNumbers)
{
    struct Figure {
        const char* formula;
        double value;
    };
    struct Case {
        const char* name;
        const char* line;
        std::vector<Figure> figures;
        std::vector<const char*> texts;
    };
    const Case cases[] = {
        {"valve-regulator 9/3",
         kValveRegulator,
         {{"ΔH = 10·(P1 − P2)", 60},
          {"G = Q·10⁶·1,163·3,6 / ((τ1 − τ2)·4,2) / 1000", 3.98743},
          {"H_д = 10·Δp_д", 22.369},
          {"d = 10·⁴√(G² / (H_д / n))", 9.182},
          {"Δp_max = k·F_L²·(p_вых − F_F·p_v) / (1 − k·F_L²)", 3.35525},
          {"Kv = G / √Δp_max", 2.1769},
          {"Δp_кл = Δp_уст − S / 10", 0.20789},
          {"Kv = G / √Δp_кл", 8.7454}},
         {"Тепловой пункт: Регулятор перепада давления и регулирующий клапан",
          "Схема теплового пункта Регулятор перепада давления и регулирующий клапан",
          "Давление на входе P1 9 кгс/см²", "Целевой авторитет клапана a_ц 0,5",
          "серия ЖМ, диапазон настройки", "n = 1", "ЖМ-25.4.1.1", "ТВМ-50/20",
          "проверка кавитации стоит на пороге предупреждения"}},
        {"elevator 10/4",
         kElevator,
         {{"Hтреб = 1,4·(1 + u)²·S", 14.336},
          {"Hэ = min(H; max(Hтреб; min(H_max; H₃)))", 35},
          {"dс = 9,6·⁴√(G² / Hэ)", 6.2308},
          {"H_д = H − Hэ", 25},
          {"d = 10·⁴√(G² / (H_д / n))", 7.0599}},
         {"Тепловой пункт: Гидроэлеватор (зависимое присоединение)",
          "Наибольший напор сопла элеватора H_max (правило практики) 35 м", "n = 1", "ЭЖ-01"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<QString> text = written(c.line);
        ASSERT_TRUE(text);
        EXPECT_TRUE(text->contains(kPageTitle));
        for (const Figure& f : c.figures) {
            const QString printed = resultOf(*text, f.formula);
            ASSERT_FALSE(printed.isEmpty()) << f.formula;
            const QString given = QString::number(f.value, 'g', 12).replace('.', ',');
            EXPECT_NEAR(numberOf(printed), f.value, halfLastDigit(printed) + halfLastDigit(given))
                << f.formula << " = " << printed.toStdString();
        }
        for (const char* expected : c.texts)
            EXPECT_TRUE(text->contains(QString::fromUtf8(expected))) << expected;
        // The plate constant's note.
        EXPECT_TRUE(text->contains(QStringLiteral(
            "постоянная 10 соответствует коэффициенту расхода около 0,80, то есть шайбе "
            "толщиной порядка диаметра её отверстия")));
        EXPECT_TRUE(text->contains(QStringLiteral("примерно в 1,8 раза больший")));
        EXPECT_TRUE(text->contains(QStringLiteral("(правило практики)")));
    }
    // No orifice takes an elevator's excess for cavitation.
    const std::optional<QString> elevator = written(kElevator);
    ASSERT_TRUE(elevator);
    EXPECT_FALSE(elevator->contains(QStringLiteral("пороге предупреждения")));
}

// Every formula on the page, evaluated by Python as printed, rounds to its printed result, in
// every scheme: with the other losses, with an orifice for cavitation, with two plates against
// choking and without any orifice.
TEST_F(SubstationSheet, EveryFormulaRecomputesFromItsPrintedNumbers)
{
    struct Case {
        const char* line;
        int formulas; // the computed rows of the page
    };
    const Case cases[] = {
        {kValveRegulator, 18},
        {"valve-regulator 9 3 115 70 0,18 2 --other-losses 3", 18},
        {kElevator, 11},
        {"elevator 6 4 150 70 0,5 1", 9},
        {"valve 10 2 130 70 0,4 1", 14},
        {"valve 5 4 130 70 0,3 1", 7},
        {"regulator 5 4 130 70 0,3 1", 7},
        {"regulator 12 2 130 70 0,3 1", 14},
    };
    // "= NUMBERS = RESULT": the numbers hold nothing but digits, operators, min, max and ";".
    const QRegularExpression substituted(
        QStringLiteral("= ((?:[0-9,·/+−√⁴²⁶(); ]|min\\(|max\\()+) = (−?\\d+(?:,\\d+)?)(?![\\d,])"));
    QJsonArray rows;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const std::optional<QString> text = written(c.line);
        ASSERT_TRUE(text);
        const qsizetype from = text->indexOf(QStringLiteral("Формула, подстановка и результат"));
        const qsizetype to =
            text->indexOf(QStringLiteral("принят по практике наладки тепловых сетей"), from);
        ASSERT_GT(from, 0);
        ASSERT_GT(to, from);
        int found = 0;
        for (auto it = substituted.globalMatch(text->mid(from, to - from)); it.hasNext(); ++found) {
            const QRegularExpressionMatch m = it.next();
            rows.append(QJsonArray{m.captured(1).trimmed(), m.captured(2)});
            // The sheet found the fewest decimals that recompute, reading its own expression:
            // twelve are its last resort, when it could not.
            EXPECT_FALSE(m.captured(1).contains(QRegularExpression(QStringLiteral(",\\d{12}"))))
                << m.captured(1).toStdString();
        }
        EXPECT_EQ(found, c.formulas);
    }
    const CliRun python = runProgram(
        qEnvironmentVariable("VEDAN_PYTHON", QStringLiteral("/usr/bin/python3")),
        {QStringLiteral("-c"),
         QStringLiteral(
             "import json, re, sys\n"
             "from decimal import Decimal, ROUND_HALF_UP\n"
             "out = []\n"
             "for text, result in json.loads(sys.argv[1]):\n"
             "    e = text.replace(',', '.').replace(';', ',').replace('−', '-')\n"
             "    e = e.replace('·', '*').replace('10⁶', '(10**6)')\n"
             "    e = e.replace('⁴√(', 'root4(').replace('√(', 'sqrt(')\n"
             "    e = re.sub(r'√([0-9.]+)', r'(\\1)**0.5', e)\n"
             "    e = e.replace('²', '**2').replace('⁴', '**4')\n"
             "    value = eval(e, {'root4': lambda x: x ** 0.25,\n"
             "                     'sqrt': lambda x: x ** 0.5, 'min': min, 'max': max})\n"
             "    decimals = len(result.split(',')[1]) if ',' in result else 0\n"
             "    places = Decimal(1).scaleb(-decimals)\n"
             "    printed = Decimal(repr(value)).quantize(places, ROUND_HALF_UP)\n"
             "    out.append([text, result, str(printed).replace('.', ',')])\n"
             "print(json.dumps(out, ensure_ascii=False))\n"),
         QString::fromUtf8(QJsonDocument(rows).toJson(QJsonDocument::Compact))});
    ASSERT_EQ(python.status, 0) << python.err.toStdString();
    const QJsonArray checked = QJsonDocument::fromJson(python.out).array();
    ASSERT_EQ(checked.size(), rows.size());
    for (const QJsonValue& r : checked) {
        const QJsonArray row = r.toArray();
        EXPECT_EQ(row[2].toString(), row[1].toString()) << row[0].toString().toStdString();
    }
}

// The page holds every check of the budget as --json gives it, the conclusion its verdict calls
// for, the elements' table and the chart as an image, on numbered A4 pages.
TEST_F(SubstationSheet, ChecksConclusionTableAndChart)
{
    for (const char* line : {kValveRegulator, kElevator, "regulator 5 4 130 70 0,3 1"}) {
        SCOPED_TRACE(line);
        const CliRun json = runCli(substationArgs(line) << QStringLiteral("--json"));
        ASSERT_EQ(json.status, 0) << json.err.toStdString();
        const QJsonObject budget = QJsonDocument::fromJson(json.out).object();
        const std::optional<QString> text = written(line);
        ASSERT_TRUE(text);
        const qsizetype checks = text->indexOf(QStringLiteral("Инженерные проверки"));
        ASSERT_GT(checks, text->indexOf(QStringLiteral("Элементы теплового пункта по ходу воды")));
        for (const QJsonValue check : budget[QStringLiteral("checks")].toArray()) {
            const QString title = check[QStringLiteral("title")].toString();
            EXPECT_GT(text->indexOf(title.left(20), checks), checks) << title.toStdString();
        }
        const QString verdict = budget[QStringLiteral("verdict")].toString();
        const QString opening = verdict == QLatin1String("failed") ? "Не пройдены проверки: "
                                : verdict == QLatin1String("warning") ? "Есть предупреждения: "
                                                                      : "Все проверки пройдены";
        EXPECT_GT(text->indexOf(opening, checks), checks) << verdict.toStdString();
        EXPECT_LT(text->indexOf(opening, checks), text->indexOf(QStringLiteral("Выполнил")));
        // The elements' table: one row of each element, its head as the JSON gives it.
        for (const QJsonValue e : budget[QStringLiteral("elements")].toArray()) {
            const QString head =
                QString::number(e[QStringLiteral("head")].toDouble(), 'f', 3).replace('.', ',');
            EXPECT_TRUE(text->contains(head)) << head.toStdString();
        }
        // One image, the chart, whichever pages show a part of it: the object ID of each line
        // after the two of the heading.
        const QStringList images =
            runProgram(QStringLiteral("pdfimages"), {QStringLiteral("-list"), m_pdf})
                .text()
                .split('\n', Qt::SkipEmptyParts)
                .mid(2);
        QSet<QString> objects;
        for (const QString& image : images)
            objects.insert(image.simplified().section(QLatin1Char(' '), 10, 10));
        EXPECT_EQ(objects.size(), 1) << images.join('\n').toStdString();
        const QString info = runProgram(QStringLiteral("pdfinfo"), {m_pdf}).text();
        EXPECT_TRUE(info.contains(QStringLiteral("(A4)")));
        EXPECT_TRUE(text->contains(QStringLiteral("Лист 1 / Листов ")));
    }
}

// --pdf and --object: the object in the title block, the sheet alone on standard output with "-",
// and the refusals of size.
TEST_F(SubstationSheet, PdfAndObjectOptions)
{
    const std::optional<QString> text = written(
        kValveRegulator, {QStringLiteral("--object"), QStringLiteral("Дом 5, ул. Садовая")});
    ASSERT_TRUE(text);
    EXPECT_TRUE(text->contains(QStringLiteral("Объект: Дом 5, ул. Садовая")));

    const CliRun toOutput =
        runCli(substationArgs(kValveRegulator) << QStringLiteral("--pdf") << QStringLiteral("-"));
    EXPECT_EQ(toOutput.status, 0) << toOutput.err.toStdString();
    EXPECT_TRUE(toOutput.out.startsWith("%PDF-"));
    EXPECT_FALSE(toOutput.out.contains("Итог проверок"));

    struct Refused {
        const char* name;
        QStringList options;
    };
    const Refused refused[] = {
        {"empty --pdf", {"--pdf", ""}},
        {"--pdf twice", {"--pdf", "a.pdf", "--pdf", "b.pdf"}},
        {"--object twice", {"--pdf", "a.pdf", "--object", "a", "--object", "b"}},
        {"a refused option", {"--pdf", "a.pdf", "--authority", "1"}},
    };
    for (const Refused& r : refused) {
        SCOPED_TRACE(r.name);
        const CliRun run =
            runCli(substationArgs(kValveRegulator) + r.options, {.workingDirectory = m_dir.path()});
        EXPECT_EQ(run.status, 2) << run.err.toStdString();
        EXPECT_FALSE(QFile::exists(m_dir.filePath(QStringLiteral("a.pdf"))));
    }
}
