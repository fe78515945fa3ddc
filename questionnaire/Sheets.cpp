#include "questionnaire/Sheets.h"

#include "core/PlantInfo.h"
#include "core/Regional.h"
#include "core/Units.h"
#include "questionnaire/Panels.h"
#include "sheet/Export.h"
#include "sheet/XLApp.h"

using sheet::XLApp;
using sheet::xlCenter;
using sheet::xlLeft;

namespace questionnaire {

namespace {

const QString kEmpty;

Source text(const QString& edit) { return {Source::Type::Text, {edit}, {}}; }
Source item(const QString& combo) { return {Source::Type::Item, {combo}, {}}; }
Source itemOrOther(const QString& combo, const QString& edit)
{
    return {Source::Type::ItemOrOther, {combo, edit}, {}};
}
Source joined(const QString& prefix, const QStringList& edits)
{
    return {Source::Type::Joined, edits, prefix};
}

SheetRow titleRow(const QString& title) { return {1, RowKind::Title, title, {}, {}, {}}; }
SheetRow dateRow() { return {2, RowKind::Date, {}, {}, {}, {}}; }
SheetRow section(int row, const QString& heading)
{
    return {row, RowKind::Section, heading, {}, {}, {}};
}
SheetRow wide(int row, const QString& label, const Source& b)
{
    return {row, RowKind::WideValue, label, b, {}, {}};
}
SheetRow value(int row, const QString& label, const Source& b, const Source& c = {})
{
    return {row, RowKind::Value, label, b, c, {}};
}
SheetRow longLabel(int row, const QString& label, const Source& c)
{
    return {row, RowKind::LongLabel, label, {}, c, {}};
}
SheetRow fullWidth(int row, const QString& sentence)
{
    return {row, RowKind::FullWidth, sentence, {}, {}, {}};
}

// A row written one way while the check box is ticked and as a full-width sentence otherwise.
SheetRow checked(SheetRow ticked, const QString& checkBox, const QString& uncheckedLabel)
{
    ticked.checkBox = checkBox;
    ticked.uncheckedKind = RowKind::FullWidth;
    ticked.uncheckedLabel = uncheckedLabel;
    return ticked;
}

// Wide value rows of the customer block from row `first`, the labels from `firstLabel` on.
QList<SheetRow> customerRows(int first, const QStringList& edits, int firstLabel = 0)
{
    QList<SheetRow> rows;
    for (int i = 0; i < edits.size(); ++i)
        rows.append(wide(first + i, customerLabels()[firstLabel + i], text(edits[i])));
    return rows;
}

// Rows that say what the window says: the label is the one of the panel's line that starts with
// the row's first control. A row names its own text only where the sheet differs from the panel.
QString said(const PanelSpec& panel, const Source& source)
{
    QString label = labelOf(panel, source.controls.value(0));
    Q_ASSERT(!label.isEmpty());
    return label;
}
SheetRow wide(const PanelSpec& panel, int row, const Source& b)
{
    return wide(row, said(panel, b), b);
}
SheetRow value(const PanelSpec& panel, int row, const Source& b, const Source& c = {})
{
    return value(row, said(panel, b), b, c);
}
SheetRow longLabel(const PanelSpec& panel, int row, const Source& c)
{
    return longLabel(row, said(panel, c), c);
}

// The heading of the panel's group that holds the control, as a section row.
SheetRow section(const PanelSpec& panel, int row, const QString& control)
{
    for (const GroupSpec& group : panel.groups)
        for (const FormLine& line : group.lines)
            if (line.controls.contains(control))
                return section(row, group.title);
    Q_ASSERT(false);
    return section(row, QString());
}

// The block heat substation's sheet words its room lines as the heat substation's panel does.
QString roomSizeLabel() { return labelOf(panel(Kind::Itp), QStringLiteral("Edit53")); }
QString openingsLabel() { return labelOf(panel(Kind::Itp), QStringLiteral("Edit57")); }

SheetLayout itpSheet()
{
    const PanelSpec& p = panel(Kind::Itp);
    SheetLayout s{Kind::Itp, {}, QStringLiteral("Опросник ИТП"), {}, QStringLiteral("Memo3"),
                  36,        1};
    for (int i = 17; i <= 24; ++i)
        s.requiredChoices << QStringLiteral("ComboBox%1").arg(i);
    s.rows = {titleRow(QStringLiteral("Опросный лист индивидуального теплового пункта.")),
              dateRow(), section(3, customerHeading())};
    s.rows += customerRows(4, {QStringLiteral("Edit38"), QStringLiteral("Edit39"),
                               QStringLiteral("Edit40"), QStringLiteral("Edit41")});
    s.rows += section(p, 8, QStringLiteral("Edit48"));
    s.rows += customerRows(9, {QStringLiteral("Edit48"), QStringLiteral("Edit49")}, 4);
    s.rows += {
        value(p, 11, text(QStringLiteral("Edit42"))),
        value(p, 12, text(QStringLiteral("Edit43"))),
        value(p, 13, text(QStringLiteral("Edit44"))),
        wide(14, QStringLiteral("Вид объекта регулирования"),
             itemOrOther(QStringLiteral("ComboBox17"), QStringLiteral("Edit45"))),
        section(p, 15, QStringLiteral("ComboBox18")),
        value(p, 16, item(QStringLiteral("ComboBox18"))),
        wide(p, 17, itemOrOther(QStringLiteral("ComboBox19"), QStringLiteral("Edit46"))),
        wide(p, 18, joined({}, {QStringLiteral("Edit47"), QStringLiteral("Edit50")})),
        value(p, 19, text(QStringLiteral("Edit51")), item(QStringLiteral("ComboBox20"))),
        section(20, QStringLiteral("  СВЕДЕНИЯ О СИСТЕМАХ ТЕПЛОСНАБЖЕНИЯ ОБЪЕКТА")),
        wide(p, 21, item(QStringLiteral("ComboBox21"))),
        longLabel(p, 22, text(QStringLiteral("Edit58"))),
        longLabel(p, 23, text(QStringLiteral("Edit59"))),
        longLabel(p, 24, text(QStringLiteral("Edit60"))),
        wide(p, 25, item(QStringLiteral("ComboBox22"))),
        wide(p, 26, text(QStringLiteral("Edit61"))),
        wide(p, 27, item(QStringLiteral("ComboBox23"))),
        value(p, 28, text(QStringLiteral("Edit62")), item(QStringLiteral("ComboBox24"))),
        longLabel(p, 29, text(QStringLiteral("Edit63"))),
        section(p, 30, QStringLiteral("CheckBox6")),
        // Unticked, the row keeps its wide-value layout: B:C merged and empty.
        [] {
            SheetRow r = checked(
                wide(31, QStringLiteral("Прибор учета тепловой энергии производства:"),
                     text(QStringLiteral("Edit52"))),
                QStringLiteral("CheckBox6"), QStringLiteral("Без приборов учета тепловой энергии"));
            r.uncheckedKind = RowKind::WideValue;
            return r;
        }(),
        checked(
            fullWidth(
                32,
                QStringLiteral(
                    "C организацей контроля систем регулирования с ПК, находящейся на объекте")),
            QStringLiteral("CheckBox7"),
            QStringLiteral(
                "Без организации контроля систем регулирования с ПК, находящейся на объекте")),
        longLabel(p, 33,
                  joined(QStringLiteral(" "), {QStringLiteral("Edit53"), QStringLiteral("Edit54"),
                                               QStringLiteral("Edit55")})),
        longLabel(
            p, 34,
            joined(QStringLiteral(" "), {QStringLiteral("Edit57"), QStringLiteral("Edit56")})),
        section(p, 35, QStringLiteral("Memo3")),
    };
    return s;
}

SheetLayout btpSheet()
{
    const PanelSpec& p = panel(Kind::Btp);
    SheetLayout s{Kind::Btp, {}, QStringLiteral("Опросник БТП"), {}, QStringLiteral("Memo1"),
                  31,        1};
    for (int i = 1; i <= 10; ++i)
        s.requiredChoices << QStringLiteral("ComboBox%1").arg(i);
    s.rows = {titleRow(QStringLiteral("Опросный лист блочного теплового пункта")), dateRow(),
              section(3, customerHeading())};
    s.rows += customerRows(4, {QStringLiteral("Edit1"), QStringLiteral("Edit2"),
                               QStringLiteral("Edit3"), QStringLiteral("Edit4"),
                               QStringLiteral("Edit5"), QStringLiteral("Edit6")});
    s.rows += {
        section(p, 10, QStringLiteral("Edit7")),
        value(11, QStringLiteral("Тепловая нагрузка на отопление"), text(QStringLiteral("Edit7")),
              item(QStringLiteral("ComboBox4"))),
        value(12, QStringLiteral("Тепловая нагрузка на горячее водоснабжение"),
              text(QStringLiteral("Edit8")), item(QStringLiteral("ComboBox2"))),
        value(p, 13, item(QStringLiteral("ComboBox1"))),
        value(p, 14,
              joined(QStringLiteral(" "), {QStringLiteral("Edit9"), QStringLiteral("Edit10")})),
        value(p, 15, text(QStringLiteral("Edit11")), item(QStringLiteral("ComboBox3"))),
        value(p, 16, text(QStringLiteral("Edit12")), item(QStringLiteral("ComboBox5"))),
        value(p, 17, item(QStringLiteral("ComboBox6")), item(QStringLiteral("ComboBox7"))),
        value(18, QStringLiteral("Система горячего водонабжения"),
              item(QStringLiteral("ComboBox8"))),
        value(p, 19, text(QStringLiteral("Edit13"))),
        value(p, 20, text(QStringLiteral("Edit14")), item(QStringLiteral("ComboBox9"))),
        value(21, QStringLiteral("Наличие циркуляции в системе"),
              item(QStringLiteral("ComboBox10"))),
        section(p, 22, QStringLiteral("CheckBox1")),
        checked(
            wide(23, QStringLiteral("Прибор учета произодства"), text(QStringLiteral("Edit15"))),
            QStringLiteral("CheckBox1"), QStringLiteral("Без приборов учета.")),
        checked(fullWidth(24, QStringLiteral(
                                  "С автоматической системой регулирования в системе отопления.")),
                QStringLiteral("CheckBox2"),
                QStringLiteral("Без автоматической системой регулирования в системе отопления.")),
        checked(
            fullWidth(25, QStringLiteral("С автоматическоим снижением расхода тепла на отопление в "
                                         "\"нерабочее\" время.")),
            QStringLiteral("CheckBox3"),
            QStringLiteral(
                "Без автоматического снижения расхода тепла на отопление в \"нерабочее\" время.")),
        checked(fullWidth(
                    26, QStringLiteral("С автоматическим поддержанием температуры горячей воды.")),
                QStringLiteral("CheckBox4"),
                QStringLiteral("Без автоматического поддержания температуры горячей воды.")),
        checked(fullWidth(
                    27, QStringLiteral(
                            "С автоматическим отключением циркуляционных насосов ГВС по времени.")),
                QStringLiteral("CheckBox5"),
                QStringLiteral(
                    "Без автоматического отключения циркуляционных насосов ГВС по времени.")),
        longLabel(28, roomSizeLabel(),
                  joined(QStringLiteral(" "), {QStringLiteral("Edit16"), QStringLiteral("Edit17"),
                                               QStringLiteral("Edit18")})),
        longLabel(
            29, openingsLabel(),
            joined(QStringLiteral(" "), {QStringLiteral("Edit20"), QStringLiteral("Edit19")})),
        section(p, 30, QStringLiteral("Memo1")),
    };
    return s;
}

SheetLayout plateSheet()
{
    const PanelSpec& p = panel(Kind::Plate);
    SheetLayout s{
        Kind::Plate, {}, QStringLiteral("Опросник теплообменник"), {}, QStringLiteral("Memo2"),
        28,          2};
    for (int i = 11; i <= 16; ++i)
        s.requiredChoices << QStringLiteral("ComboBox%1").arg(i);
    s.rows = {titleRow(QStringLiteral("Опросный лист пластинчатого теплообменника.")), dateRow(),
              section(3, customerHeading())};
    s.rows += customerRows(4, {QStringLiteral("Edit21"), QStringLiteral("Edit22"),
                               QStringLiteral("Edit23"), QStringLiteral("Edit24"),
                               QStringLiteral("Edit25"), QStringLiteral("Edit26")});
    s.rows += {
        section(p, 10, QStringLiteral("Edit27")),
        value(p, 11, text(QStringLiteral("Edit27")), item(QStringLiteral("ComboBox11"))),
        value(p, 12, text(QStringLiteral("Edit28")), item(QStringLiteral("ComboBox12"))),
        section(p, 13, QStringLiteral("Edit29")),
        value(p, 14, text(QStringLiteral("Edit29"))),
        value(p, 15, text(QStringLiteral("Edit30"))),
        value(p, 16, text(QStringLiteral("Edit31")), item(QStringLiteral("ComboBox13"))),
        section(p, 17, QStringLiteral("Edit34")),
        value(p, 18, text(QStringLiteral("Edit34"))),
        value(p, 19, text(QStringLiteral("Edit33"))),
        value(p, 20, text(QStringLiteral("Edit32")), item(QStringLiteral("ComboBox14"))),
        section(p, 21, QStringLiteral("ComboBox15")),
        value(22, QStringLiteral("Схема присодинения ГВС к тепловым сетям"),
              item(QStringLiteral("ComboBox15"))),
        value(p, 23, text(QStringLiteral("Edit35")), item(QStringLiteral("ComboBox16"))),
        value(p, 24, text(QStringLiteral("Edit36"))),
        value(p, 25, text(QStringLiteral("Edit37"))),
        section(p, 26, QStringLiteral("Memo2")),
    };
    return s;
}

QString cell(const QString& column, int row) { return column + QString::number(row); }

// One row as its kind says: merge, align, then write the label and the values.
void writeRow(XLApp& xl, RowKind kind, int row, const QString& a, const std::optional<QString>& b,
              const std::optional<QString>& c)
{
    const RowKindLayout& layout = rowKindLayout(kind);
    if (!layout.mergeFrom.isEmpty())
        xl.mergeCells(cell(layout.mergeFrom, row), cell(layout.mergeTo, row));
    xl.alignCells(cell(QStringLiteral("C"), row), cell(QStringLiteral("A"), row), layout.alignment);
    if (kind == RowKind::Title) {
        xl.writeCell(cell(QStringLiteral("C"), row), cell(QStringLiteral("A"), row), a);
        return;
    }
    xl.writeCell(cell(QStringLiteral("A"), row), cell(QStringLiteral("A"), row), a);
    if (b)
        xl.writeCell(cell(QStringLiteral("B"), row), cell(QStringLiteral("B"), row), *b);
    if (c)
        xl.writeCell(cell(QStringLiteral("C"), row), cell(QStringLiteral("C"), row), *c);
}

void writeLayoutRow(XLApp& xl, const SheetRow& r, const PanelSpec& panel, const PanelValues& values,
                    const QString& date)
{
    if (!r.checkBox.isEmpty() && !values.checks.value(r.checkBox, false)) {
        writeRow(xl, r.uncheckedKind, r.row, r.uncheckedLabel, std::nullopt, std::nullopt);
        return;
    }
    const QString a = r.kind == RowKind::Date ? date : r.label;
    std::optional<QString> b, c;
    if (r.b.given())
        b = sourceText(r.b, panel, values);
    if (r.c.given())
        c = sourceText(r.c, panel, values);
    writeRow(xl, r.kind, r.row, a, b, c);
}

void writeSheet(XLApp& xl, const SheetLayout& layout, const PanelValues& values,
                const QString& date)
{
    const PanelSpec& spec = panel(layout.kind);
    for (const SheetRow& r : layout.rows)
        writeLayoutRow(xl, r, spec, values, date);
    const QStringList lines = memoLines(values.texts.value(layout.memo));
    for (int i = 0; i < lines.size(); ++i)
        writeRow(xl, RowKind::Memo, layout.firstMemoRow + i, lines[i], std::nullopt, std::nullopt);
    const int n = static_cast<int>(lines.size());
    writeRow(xl, RowKind::Memo, layout.firstMemoRow + n, kEmpty, std::nullopt, std::nullopt);
    writeRow(xl, RowKind::Footer, layout.firstMemoRow + n + layout.footerOffset, footerText(),
             std::nullopt, std::nullopt);
    xl.setColumnWidth(QStringLiteral("A1"), 70);
    xl.setColumnWidth(QStringLiteral("B1"), 20);
    xl.setColumnWidth(QStringLiteral("C1"), 31);
}

} // namespace

const RowKindLayout& rowKindLayout(RowKind kind)
{
    static const QList<RowKindLayout> table = {
        {RowKind::Title, QStringLiteral("C"), QStringLiteral("A"), xlCenter},
        {RowKind::Date, QStringLiteral("C"), QStringLiteral("A"), xlCenter},
        {RowKind::Section, QStringLiteral("C"), QStringLiteral("A"), xlCenter},
        {RowKind::WideValue, QStringLiteral("C"), QStringLiteral("B"), xlLeft},
        {RowKind::Value, {}, {}, xlLeft},
        {RowKind::LongLabel, QStringLiteral("B"), QStringLiteral("A"), xlLeft},
        {RowKind::FullWidth, QStringLiteral("C"), QStringLiteral("A"), xlLeft},
        {RowKind::Memo, QStringLiteral("C"), QStringLiteral("A"), xlLeft},
        {RowKind::Footer, QStringLiteral("C"), QStringLiteral("A"), xlCenter},
    };
    for (const RowKindLayout& layout : table)
        if (layout.kind == kind)
            return layout;
    return table.front();
}

const SheetLayout& sheetLayout(Kind kind)
{
    static const QList<SheetLayout> all = {itpSheet(), btpSheet(), plateSheet()};
    for (const SheetLayout& s : all)
        if (s.kind == kind)
            return s;
    return all.front();
}

QString incompleteMessage() { return QStringLiteral("Выбраны не все пункты!"); }

QString footerText()
{
    return QStringLiteral("ДАННЫЙ ОПРОСНЫЙ ЛИСТ НАПРАВТЕ ПО ФАКСУ") + plant::faxNumber()
           + QStringLiteral(" ИЛИ ПО АДРЕСУ ") + plant::email();
}

QString dateText(const QDate& date, const QTime& time)
{
    return QStringLiteral("Дата заполнения ") + regional::shortDate(date)
           + QStringLiteral(" время заполнения ") + regional::longTime(time);
}

QStringList memoLines(const QString& text)
{
    if (text.isEmpty())
        return {};
    QString plain = text;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList lines = plain.split(QLatin1Char('\n'));
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

std::optional<QString> firstUnchosen(const SheetLayout& layout, const PanelValues& values)
{
    for (const QString& combo : layout.requiredChoices)
        if (values.choices.value(combo, units::kPromptItem) <= units::kPromptItem)
            return combo;
    return std::nullopt;
}

QString sourceText(const Source& source, const PanelSpec& panel, const PanelValues& values)
{
    switch (source.type) {
    case Source::Type::None: return {};
    case Source::Type::Text: return values.texts.value(source.controls.value(0));
    case Source::Type::Item: return chosenItem(panel, values, source.controls.value(0));
    case Source::Type::ItemOrOther:
        if (values.choices.value(source.controls.value(0)) == kOtherItem)
            return values.texts.value(source.controls.value(1));
        return chosenItem(panel, values, source.controls.value(0));
    case Source::Type::Joined: {
        QStringList parts;
        for (const QString& edit : source.controls)
            parts << values.texts.value(edit);
        return source.prefix + parts.join(QStringLiteral(" / "));
    }
    }
    return {};
}

vedan::Status buildSheet(XLApp& xl, Kind kind, const PanelValues& values, const QDate& date,
                         const QTime& time)
{
    const SheetLayout& layout = sheetLayout(kind);
    if (firstUnchosen(layout, values))
        return vedan::Failure::input(incompleteMessage());
    return sheet::runExport(xl, layout.sheetName,
                            [&] { writeSheet(xl, layout, values, dateText(date, time)); });
}

vedan::Status buildSheet(XLApp& xl, Kind kind, const PanelValues& values)
{
    const QDate date = QDate::currentDate();
    const QTime time = QTime::currentTime();
    return buildSheet(xl, kind, values, date, time);
}

} // namespace questionnaire
