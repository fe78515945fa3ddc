// The questionnaire sheets written to .xlsx and read back by an independent reader: every cell,
// merged range and alignment against the sheet layouts; the footer position; the completeness
// check; the order of the spreadsheet operations.
#include "core/PlantInfo.h"
#include "core/Regional.h"
#include "questionnaire/Sheets.h"
#include "sheet/XLApp.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/SheetCalls.h"
#include "tests/support/WorkbookReader.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace questionnaire;
using sheet::XLApp;

namespace {

// The sheets are checked under the Russian settings the program is made for, whatever the
// machine's own are.
class RussianSettings : public ::testing::Environment {
public:
    void SetUp() override { regional::overrideLocale(QLocale(QLocale::Russian, QLocale::Russia)); }
    void TearDown() override { regional::overrideLocale(std::nullopt); }
};
const auto* const kRussian = ::testing::AddGlobalTestEnvironment(new RussianSettings);

const QDate kDate(2026, 12, 7);
const QTime kTime(9, 4, 5);
const char* const kDateText = "Дата заполнения 07.12.2026 время заполнения 09:04:05";

struct Row {
    int row;
    const char* merge; // "A:C", "B:C", "A:B" or "" for none
    const char* align; // alignment of the row's written cells
    const char* a;
    const char* b = "";
    const char* c = "";
};

QString footer()
{
    return QStringLiteral("ДАННЫЙ ОПРОСНЫЙ ЛИСТ НАПРАВТЕ ПО ФАКСУ") + plant::faxNumber()
           + QStringLiteral(" ИЛИ ПО АДРЕСУ ") + plant::email();
}

PanelValues withChoices(Kind kind, const QMap<QString, int>& choices)
{
    PanelValues values = defaults(kind);
    for (auto it = choices.begin(); it != choices.end(); ++it)
        values.choices[it.key()] = it.value();
    return values;
}

PanelValues allChosen(Kind kind)
{
    PanelValues values = defaults(kind);
    for (auto it = values.choices.begin(); it != values.choices.end(); ++it)
        it.value() = 1;
    return values;
}

// A sheet as the independent reader reads it back: its name, widths and so on, its cells by
// name and its merged ranges.
struct Written {
    QJsonObject sheet;
    QJsonObject cells;
    QStringList merged;
};

// Writes the sheet into a temporary file and reads it back.
Written written(Kind kind, const PanelValues& values, QStringList* calls = nullptr)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("q.xlsx");
    XLApp xl;
    xl.setTargetFile(file);
    const vedan::Status result = buildSheet(xl, kind, values, kDate, kTime);
    EXPECT_FALSE(result) << result->message.toStdString();
    if (calls)
        *calls = sheettest::recordedCalls(xl);
    const QJsonObject sheet = readFirstSheet(file);
    return {sheet, sheet["cells"].toObject(), mergedRanges(sheet)};
}

// Typed input under the decimal comma: a plain figure becomes a number.
void expectCell(const QJsonObject& cells, const QString& name, const QString& text,
                const QString& align)
{
    SCOPED_TRACE(name.toStdString());
    const QJsonObject cell = cells[name].toObject();
    if (text.isEmpty()) {
        EXPECT_TRUE(cell.isEmpty()) << cell["value"].toVariant().toString().toStdString();
        return;
    }
    static const QRegularExpression figure(QStringLiteral("^-?\\d+(,\\d+)?$"));
    if (figure.match(text).hasMatch()) {
        EXPECT_EQ(cell["type"].toString(), "n");
        EXPECT_DOUBLE_EQ(cell["value"].toDouble(), QString(text).replace(',', '.').toDouble());
    } else {
        EXPECT_EQ(cell["type"].toString(), text.startsWith('=') ? "f" : "s");
        EXPECT_EQ(cell["value"].toString(), text);
    }
    EXPECT_TRUE(cell["bold"].toBool());
    EXPECT_EQ(cell["align"].toString(), align);
}

void expectGrid(const Written& written, const QString& name, const std::vector<Row>& rows)
{
    EXPECT_EQ(written.sheet["name"].toString(), name);
    const QJsonObject& cells = written.cells;
    QStringList merged;
    int cellCount = 0;
    for (const Row& r : rows) {
        const QString n = QString::number(r.row);
        const QString merge = QString::fromUtf8(r.merge);
        if (!merge.isEmpty())
            merged << merge.left(1) + n + ":" + merge.right(1) + n;
        const QString texts[3] = {QString::fromUtf8(r.a), QString::fromUtf8(r.b),
                                  QString::fromUtf8(r.c)};
        for (int col = 0; col < 3; ++col) {
            expectCell(cells, QString(QChar('A' + col)) + n, texts[col], r.align);
            cellCount += texts[col].isEmpty() ? 0 : 1;
        }
    }
    merged.sort();
    EXPECT_EQ(written.merged, merged);
    EXPECT_EQ(cells.size(), cellCount) << "cells outside the expected rows";
    const QJsonObject widths = written.sheet["widths"].toObject();
    EXPECT_NEAR(widths["A"].toDouble(), 70, 1);
    EXPECT_NEAR(widths["B"].toDouble(), 20, 1);
    EXPECT_NEAR(widths["C"].toDouble(), 31, 1);
}

// The customer block that opens every panel's sheet: its labels and the texts typed into it.
const char* const kCustomerLabels[] = {"Организация (предприятие)",
                                       "ФИО руководителя",
                                       "ФИО, должность заполнившего опросный лист",
                                       "Контактный телефон, факс",
                                       "Наименование объекта",
                                       "Адрес объекта"};
const char* const kCustomerTexts[] = {
    "ООО \"Ромашка\"",   "Сидоров С. С.", "Кузнецов К. К., инженер",
    "8 (800) 000-00-00", "Котельная №2",  "г. Энск, ул. Новая, 5"};

// The rows of the customer block where nothing comes between them.
const std::vector<int> kCustomerRows = {4, 5, 6, 7, 8, 9};

// Types kCustomerTexts into the panel's six customer boxes.
void setCustomer(PanelValues& values, const QStringList& edits)
{
    for (int i = 0; i < edits.size(); ++i)
        values.texts[edits[i]] = QString::fromUtf8(kCustomerTexts[i]);
}

// A panel's sheet: the title, the date and the customer heading in rows 1 to 3, the customer
// block in the given rows, the panel's own rows, and the footer.
std::vector<Row> sheetRows(const char* title, const std::vector<int>& customerRows,
                           const std::vector<Row>& own, int footerRow)
{
    static const QByteArray foot = footer().toUtf8();
    std::vector<Row> rows = {{1, "A:C", "center", title},
                             {2, "A:C", "center", kDateText},
                             {3, "A:C", "center", "СВЕДЕНИЯ О ЗАКАЗЧИКЕ"}};
    for (size_t i = 0; i < customerRows.size(); ++i)
        rows.push_back({customerRows[i], "B:C", "left", kCustomerLabels[i], kCustomerTexts[i]});
    rows.insert(rows.end(), own.begin(), own.end());
    rows.push_back({footerRow, "A:C", "center", foot.constData()});
    return rows;
}

} // namespace

TEST(QuestionnaireSheet, IndividualSubstationGrid)
{
    PanelValues values = withChoices(Kind::Itp, {{"ComboBox17", 4},
                                                 {"ComboBox18", 1},
                                                 {"ComboBox19", 2},
                                                 {"ComboBox20", 3},
                                                 {"ComboBox21", 1},
                                                 {"ComboBox22", 2},
                                                 {"ComboBox23", 1},
                                                 {"ComboBox24", 3}});
    setCustomer(values, {"Edit38", "Edit39", "Edit40", "Edit41", "Edit48", "Edit49"});
    values.texts["Memo3"] = "=1+2\nвторая строка\n";
    const std::vector<Row> own = {
        {8, "A:C", "center", "СВЕДЕНИЯ ОБ ОБЪЕКТЕ"},
        {11, "", "left", "Количество квартир", "100"},
        {12, "", "left", "Количество этажей", "5"},
        {13, "", "left", "Количество подъездов", "4"},
        {14, "B:C", "left", "Вид объекта регулирования", "Укажите вид объекта регулирования"},
        {15, "A:C", "center", "РЕГУЛИРУЮЩАЯ СРЕДА"},
        {16, "", "left", "Вид теплоносителя", "Вода"},
        {17, "B:C", "left", "Тип теплоисточника", "Котельная"},
        {18, "B:C", "left", "Температурный график тепловой сети на вводе в объект", "115 / 70"},
        {19, "", "left", "Перепад давления между под. и обр. трубопроводами на вводе", "4",
         "кг/см2"},
        {20, "A:C", "center", "  СВЕДЕНИЯ О СИСТЕМАХ ТЕПЛОСНАБЖЕНИЯ ОБЪЕКТА"},
        {21, "B:C", "left", "Вид системы отопления", "Независимая"},
        {22, "A:B", "left", "Стат. давление системы отопления относительно теплопункта, м.вод.сб.",
         "", "1"},
        {23, "A:B", "left", "Расчетная температура наружного воздуха для системы отопления, С", "",
         "15"},
        {24, "A:B", "left", "Ду трубопроводов в месте монтажа клапанов для системы отопления", "",
         "50"},
        {25, "B:C", "left", "Вид системы ГВС", "От ЦТП"},
        {26, "B:C", "left", "Температура горячей воды, С", "55"},
        {27, "B:C", "left", "Наличие циркуляции в системе ГВС", "Циркуляция есть"},
        {28, "", "left", "Давление на вводе водопровода", "4", "кг/см2"},
        {29, "A:B", "left", "Ду трубопроводов в месте монтажа клапанов для системы ГВС", "", "50"},
        {30, "A:C", "center", "ДОПОЛНИТЕЛЬНЫЕ СВЕДЕНИЯ"},
        {31, "B:C", "left", "Прибор учета тепловой энергии производства:", "Введите производителя"},
        {32, "A:C", "left",
         "C организацей контроля систем регулирования с ПК, находящейся на объекте"},
        {33, "A:B", "left", "Габариты помещения для установки (Длинна/Ширина/Высота) в метрах", "",
         " 3 / 4 / 2"},
        {34, "A:B", "left",
         "Мин. габариты проемов для доставки к месту установки (ширина/высота) в метрах", "",
         " 3 / 4"},
        {35, "A:C", "center", "ПРЕДЛОЖЕНИЕ ЗАКАЗЧИКА ПО СИСТЕМАМ РЕГУЛИРОВАНИЯ"},
        {36, "A:C", "left", "=1+2"},
        {37, "A:C", "left", "вторая строка"},
        {38, "A:C", "left", ""},
    };
    expectGrid(
        written(Kind::Itp, values), "Опросник ИТП",
        sheetRows("Опросный лист индивидуального теплового пункта.", {4, 5, 6, 7, 9, 10}, own, 39));
}

TEST(QuestionnaireSheet, BlockSubstationGrid)
{
    PanelValues values = allChosen(Kind::Btp);
    values.choices["ComboBox4"] = 2;
    values.choices["ComboBox6"] = 2;
    values.choices["ComboBox7"] = 2;
    setCustomer(values, {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5", "Edit6"});
    const std::vector<Row> own = {
        {10, "A:C", "center", "ТЕПЛОВЫЕ НАГРУЗКИ"},
        {11, "", "left", "Тепловая нагрузка на отопление", "0,08", "Гкал/час"},
        {12, "", "left", "Тепловая нагрузка на горячее водоснабжение", "0,08", "МВт"},
        {13, "", "left", "Греющая среда", "Вода"},
        {14, "", "left", "Температурный график", " 115 / 70"},
        {15, "", "left", "Давление в подающей линии", "4", "Бар"},
        {16, "", "left", "Давление в обратной линии", "3,8", "Бар"},
        {17, "", "left", "Система отопления", "Зависимая", "С насосами смешения"},
        {18, "", "left", "Система горячего водонабжения", "Открытая"},
        {19, "", "left", "Температура горячей воды, С", "55"},
        {20, "", "left", "Давление на вводе водопровода", "4", "Бар"},
        {21, "", "left", "Наличие циркуляции в системе", "Да"},
        {22, "A:C", "center", "ДОПОЛНИТЕЛЬНЫЕ ПАРАМЕТРЫ"},
        {23, "B:C", "left", "Прибор учета произодства", "Введите производителя"},
        {24, "A:C", "left", "С автоматической системой регулирования в системе отопления."},
        {25, "A:C", "left",
         "С автоматическоим снижением расхода тепла на отопление в \"нерабочее\" время."},
        {26, "A:C", "left", "С автоматическим поддержанием температуры горячей воды."},
        {27, "A:C", "left", "С автоматическим отключением циркуляционных насосов ГВС по времени."},
        {28, "A:B", "left", "Габариты помещения для установки (Длинна/Ширина/Высота) в метрах", "",
         " 3 / 4 / 2"},
        {29, "A:B", "left",
         "Мин. габариты проемов для доставки к месту установки (ширина/высота) в метрах", "",
         " 3 / 4"},
        {30, "A:C", "center", "ДОПОЛНИТЕЛЬНЫЕ ТРЕБОВАНИЯ"},
        {31, "A:C", "left", ""},
    };
    expectGrid(written(Kind::Btp, values), "Опросник БТП",
               sheetRows("Опросный лист блочного теплового пункта", kCustomerRows, own, 32));
}

TEST(QuestionnaireSheet, PlateExchangerGrid)
{
    PanelValues values = allChosen(Kind::Plate);
    values.choices["ComboBox15"] = 4;
    setCustomer(values, {"Edit21", "Edit22", "Edit23", "Edit24", "Edit25", "Edit26"});
    const std::vector<Row> own = {
        {10, "A:C", "center", "ТЕПЛОНОСИТЕЛЬ"},
        {11, "", "left", "Тепловая нагрузка на отопление", "0,08", "МВт"},
        {12, "", "left", "Тепловая нагрузка на горячее водоснабжение", "0,08", "МВт"},
        {13, "A:C", "center", "ГРЕЮЩАЯ СРЕДА"},
        {14, "", "left", "Температура в подающем трубопроводе, С", "115"},
        {15, "", "left", "Температура в обратном трубопроводе, С", "115"},
        {16, "", "left", "Допустимые потери напора в теплообменнике", "0,08", "М.в,стб."},
        {17, "A:C", "center", "НАГРЕВАЕМАЯ СРЕДА"},
        {18, "", "left", "Начальна температура, С", "115"},
        {19, "", "left", "Конечная температура, С", "115"},
        {20, "", "left", "Допустимые потери напора в теплообменнике", "0,08", "М.в,стб."},
        {21, "A:C", "center", "ТРЕБОВАНИЯ К ТЕПЛООБМЕННИКУ"},
        {22, "", "left", "Схема присодинения ГВС к тепловым сетям",
         "Наличие циркуляционного патрубка для ГВС"},
        {23, "", "left", "Максимальное рабочее давление", "4", "Бар"},
        {24, "", "left", "Максимальная рабочаа температура, С", "115"},
        {25, "", "left", "Запас теплообменника по поверхности, не менее %", "20"},
        {26, "A:C", "center", "ДОПОЛНИТЕЛЬНЫЕ ТРЕБОВАНИЯ"},
        {28, "A:C", "left", ""},
    };
    expectGrid(written(Kind::Plate, values), "Опросник теплообменник",
               sheetRows("Опросный лист пластинчатого теплообменника.", kCustomerRows, own, 30));
}

// The memo rows, the empty merged row after them and the footer, for empty and filled memos.
TEST(QuestionnaireSheet, MemoRowsAndFooterPosition)
{
    struct Case {
        Kind kind;
        const char* memo;
        int lines;
        int footerRow;
    };
    const Case cases[] = {
        {Kind::Itp, nullptr, 21, 58}, // the template of questions
        {Kind::Itp, "", 0, 37},
        {Kind::Btp, "", 0, 32},
        {Kind::Btp, "один\nдва\n", 2, 34},
        {Kind::Plate, "", 0, 30},
        {Kind::Plate, "a\nb\nc", 3, 33},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.kind) * 100 + c.lines);
        PanelValues values = allChosen(c.kind);
        const SheetLayout& layout = sheetLayout(c.kind);
        if (c.memo)
            values.texts[layout.memo] = QString::fromUtf8(c.memo);
        const auto [sheet, cells, merged] = written(c.kind, values);
        const int emptyRow = layout.firstMemoRow + c.lines;
        for (int row = layout.firstMemoRow; row <= emptyRow; ++row)
            EXPECT_TRUE(merged.contains(QString("A%1:C%1").arg(row))) << row;
        EXPECT_FALSE(cells.contains(QString("A%1").arg(emptyRow)));
        EXPECT_EQ(cells[QString("A%1").arg(c.footerRow)].toObject()["value"].toString(), footer());
        EXPECT_TRUE(merged.contains(QString("A%1:C%1").arg(c.footerRow)));
        if (c.kind
            == Kind::Plate) { // the row between the empty memo row and the footer is untouched
            EXPECT_FALSE(merged.contains(QString("A%1:C%1").arg(emptyRow + 1)));
        }
        int last = 0;
        for (const QString& name : cells.keys())
            last = std::max(last, name.mid(1).toInt());
        EXPECT_EQ(last, c.footerRow);
    }
}

TEST(QuestionnaireSheet, CheckBoxesTurnIntoNegativeSentences)
{
    PanelValues btp = allChosen(Kind::Btp);
    for (const char* box : {"CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4", "CheckBox5"})
        btp.checks[box] = false;
    btp.texts["Edit15"] = "Никогда не читается";
    const Written blockSheet = written(Kind::Btp, btp);
    const QJsonObject& cells = blockSheet.cells;
    const char* const negative[] = {
        "Без приборов учета.",
        "Без автоматической системой регулирования в системе отопления.",
        "Без автоматического снижения расхода тепла на отопление в \"нерабочее\" время.",
        "Без автоматического поддержания температуры горячей воды.",
        "Без автоматического отключения циркуляционных насосов ГВС по времени.",
    };
    for (int i = 0; i < 5; ++i) {
        expectCell(cells, QString("A%1").arg(23 + i), QString::fromUtf8(negative[i]), "left");
        EXPECT_TRUE(blockSheet.merged.contains(QString("A%1:C%1").arg(23 + i)));
    }
    EXPECT_FALSE(cells.contains("B23"));
    EXPECT_FALSE(blockSheet.merged.contains("B23:C23"));

    PanelValues itp = allChosen(Kind::Itp);
    itp.checks["CheckBox6"] = false;
    itp.checks["CheckBox7"] = false;
    const Written individual = written(Kind::Itp, itp);
    expectCell(individual.cells, "A31", "Без приборов учета тепловой энергии", "left");
    EXPECT_FALSE(individual.cells.contains("B31"));
    EXPECT_TRUE(individual.merged.contains("B31:C31"));
    expectCell(individual.cells, "A32",
               "Без организации контроля систем регулирования с ПК, находящейся на объекте",
               "left");
}

TEST(QuestionnaireSheet, OtherTakesTheNeighbouringEditBox)
{
    PanelValues values = withChoices(Kind::Itp, {});
    for (int i = 17; i <= 24; ++i)
        values.choices[QString("ComboBox%1").arg(i)] = 1;
    values.choices["ComboBox19"] = 4;
    values.texts["Edit45"] = "Не читается: выбран ИТП";
    const QJsonObject cells = written(Kind::Itp, values).cells;
    expectCell(cells, "B14", "ИТП", "left");
    expectCell(cells, "B17", "Альтернативный тип теплоисточника", "left");
}

// Every combo box of a panel takes part in the check, and a refused questionnaire contacts
// nothing.
TEST(QuestionnaireSheet, IncompleteQuestionnaireTouchesNothing)
{
    for (Kind kind : {Kind::Itp, Kind::Btp, Kind::Plate}) {
        const PanelValues complete = allChosen(kind);
        EXPECT_EQ(complete.choices.size(), sheetLayout(kind).requiredChoices.size());
        for (const QString& combo : complete.choices.keys()) {
            SCOPED_TRACE(combo.toStdString());
            PanelValues values = complete;
            values.choices[combo] = 0;
            XLApp xl;
            const vedan::Status result = buildSheet(xl, kind, values, kDate, kTime);
            ASSERT_TRUE(result);
            EXPECT_EQ(result->kind, vedan::Failure::Kind::Input);
            EXPECT_EQ(result->message, "Выбраны не все пункты!");
            EXPECT_TRUE(sheettest::recordedCalls(xl).isEmpty());
        }
    }
}

TEST(QuestionnaireSheet, OperationOrder)
{
    QStringList calls;
    written(Kind::Plate, allChosen(Kind::Plate), &calls);
    const QStringList start = {"connect()",
                               "addWorkbook(-4167)",
                               "newestWorkbook()",
                               "firstWorksheet()",
                               "nameSheet(Опросник теплообменник)",
                               "setColumnsBold()",
                               "alignColumns(-4152)",
                               "setColumnsWidth(14)",
                               "mergeCells(C1,A1)",
                               "alignCells(C1,A1,-4108)",
                               "writeCell(C1,A1,Опросный лист пластинчатого теплообменника.)",
                               "mergeCells(C2,A2)",
                               "alignCells(C2,A2,-4108)"};
    EXPECT_EQ(calls.mid(0, start.size()), start);
    const QStringList valueRow = {"alignCells(C23,A23,-4131)",
                                  "writeCell(A23,A23,Максимальное рабочее давление)",
                                  "writeCell(B23,B23,4)", "writeCell(C23,C23,Бар)"};
    const auto at = calls.indexOf(valueRow[0]);
    ASSERT_GE(at, 0);
    EXPECT_EQ(calls.mid(at, valueRow.size()), valueRow);
    const QStringList wide = {"mergeCells(C4,B4)", "alignCells(C4,A4,-4131)"};
    EXPECT_EQ(calls.mid(calls.indexOf(wide[0]), 2), wide);
    const QStringList end = {"setColumnWidth(A1,70)", "setColumnWidth(B1,20)",
                             "setColumnWidth(C1,31)", "showApplication()", "disconnect()"};
    EXPECT_EQ(calls.mid(calls.size() - end.size()), end);
}

TEST(QuestionnaireSheet, MemoLines)
{
    const std::vector<std::pair<const char*, QStringList>> cases = {
        {"", {}},       {"\n", {""}},         {"a", {"a"}},
        {"a\n", {"a"}}, {"a\n\n", {"a", ""}}, {"a\r\nb", {"a", "b"}},
    };
    for (const auto& [text, lines] : cases)
        EXPECT_EQ(memoLines(QString::fromUtf8(text)), lines) << text;
}

// Every edit box of every panel holds a value of its own, and every combo box that offers
// "Другое" takes it, so that its edit box counts: each value must then stand in exactly one cell
// of the sheet. A row that reads a neighbour's box shows one value twice and another not at all.
TEST(QuestionnaireSheet, ADistinctValueInEveryBoxStandsInExactlyOneCell)
{
    for (const Kind kind : {Kind::Itp, Kind::Btp, Kind::Plate}) {
        const PanelSpec& spec = panel(kind);
        SCOPED_TRACE(spec.caption.toStdString());
        PanelValues values = allChosen(kind);
        QStringList edits;
        for (const ControlSpec& control : spec.controls) {
            if (control.type == ControlType::Edit) {
                edits << control.name;
                values.texts[control.name] = QStringLiteral("⟨%1⟩").arg(control.name);
            } else if (control.type == ControlType::Combo && control.items.size() > kOtherItem
                       && control.items[kOtherItem] == QStringLiteral("Другое")) {
                values.choices[control.name] = kOtherItem;
            }
        }
        ASSERT_FALSE(edits.isEmpty());
        const QJsonObject cells = written(kind, values).cells;
        ASSERT_FALSE(cells.isEmpty());
        for (const QString& edit : edits) {
            const QString value = values.texts[edit];
            QStringList holding;
            for (auto it = cells.begin(); it != cells.end(); ++it)
                if (it.value()[QStringLiteral("value")].toString().contains(value))
                    holding << it.key();
            EXPECT_EQ(holding.size(), 1) << edit.toStdString() << " stands in "
                                         << holding.join(QLatin1Char(',')).toStdString();
        }
    }
}
