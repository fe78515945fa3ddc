#include "assessment/Teo.h"

#include "shell/Placed.h"
#include "shell/UiFonts.h"

#include "assessment/Report.h"
#include "assessment/ReportExport.h"
#include "assessment/Savings.h"
#include "assessment/TemplateFile.h"
#include "core/Numbers.h"
#include "core/Units.h"
#include "shell/FileDialogs.h"
#include "shell/Memos.h"
#include "shell/Messages.h"

#include <QAbstractTextDocumentLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>

#include <array>

TTexOb* TexOb = nullptr;

namespace {

const QString kTemplateFilter = QStringLiteral("Файл ТЭО|*.teo|Все файлы|*.*");

// The areas that the system choice enables, and for each choice item which of them are on.
enum Area { HeatingBox, HotWaterBox, CombinedCost, HeatingCost, HotWaterCost, AreaCount };
constexpr std::array<std::array<bool, AreaCount>, 4> kEnabledByChoice = {{
    {false, false, false, false, false},
    {true, false, false, true, false},
    {false, true, false, false, true},
    {true, true, true, false, false},
}};

QLabel* label(QWidget* parent, const char* name, const QString& text, const QRect& geometry)
{
    auto* l = placed(new QLabel(text, parent), name, geometry);
    l->setWordWrap(geometry.height() > 20);
    return l;
}

QLineEdit* edit(QWidget* parent, const char* name, const QString& text, const QRect& geometry)
{
    return placed(new QLineEdit(text, parent), name, geometry);
}

QComboBox* combo(QWidget* parent, const char* name, const QStringList& items, int index,
                 const QRect& geometry)
{
    auto* c = placed(new QComboBox(parent), name, geometry);
    c->addItems(items);
    c->setCurrentIndex(index);
    return c;
}

QGroupBox* group(QWidget* parent, const char* name, const QString& title, const QRect& geometry)
{
    return placed(new QGroupBox(title, parent), name, geometry);
}

QStringList hourItems()
{
    QStringList hours;
    for (int h = 1; h <= 23; ++h)
        hours << QStringLiteral("%1").arg(h, 2, 10, QLatin1Char('0'));
    return hours;
}

} // namespace

TTexOb::TTexOb(QWidget* parent)
    : TWorkForm(QStringLiteral("TexOb"), QStringLiteral("Технико-экономическое обоснование"), 953,
                427, Placement::MainWindowCentre, parent)
{
    client()->setFont(uiFonts::windowFont());
    buildTop();
    buildHeating();
    buildHotWater();
    buildMenu();
    for (int area = 0; area < AreaCount; ++area)
        setAreaEnabled(area, kEnabledByChoice[0][area]);
}

void TTexOb::buildTop()
{
    QWidget* c = client();
    label(c, "Label1", QStringLiteral("Введите наименование объекта:"), {8, 6, 300, 16});
    Edit2 = edit(c, "Edit2", QStringLiteral("г. Город  ул. Улица д. 10"), {8, 22, 460, 21});
    label(c, "Label2", QStringLiteral("Введите стоимость одной Гкал с НДС"), {8, 51, 330, 16});
    Edit3 = edit(c, "Edit3", QStringLiteral("1606,29"), {348, 48, 120, 21});
    label(c, "Label3", QStringLiteral("Продолжительность отопительного периода (в сутках)"),
          {8, 77, 330, 16});
    Edit4 = edit(c, "Edit4", QStringLiteral("220"), {348, 74, 120, 21});
    ComboBox3 = combo(c, "ComboBox3", assessment::systemChoiceItems(), 0, {8, 101, 460, 22});
    Label14 =
        label(c, "Label14",
              QStringLiteral("Стоимость работ по установке системы регулирования (тыс. руб)."),
              {8, 127, 330, 28});
    Edit14 = edit(c, "Edit14", QStringLiteral("573,82"), {348, 130, 120, 21});

    Memo1 = placed(new QPlainTextEdit(c), "Memo1", {8, 160, 460, 228});
    Memo1->setReadOnly(true);
    Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Memo1->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    Button2 =
        placed(new QPushButton(QStringLiteral("Рассчитать ТЭО"), c), "Button2", {8, 394, 225, 27});
    Button1 = placed(new QPushButton(QStringLiteral("Экспорт в Excel"), c), "Button1",
                     {243, 394, 225, 27});
    connect(ComboBox3, &QComboBox::activated, this, &TTexOb::ComboBox3Change);
    connect(Button2, &QPushButton::clicked, this, &TTexOb::Button2Click);
    connect(Button1, &QPushButton::clicked, this, &TTexOb::Button1Click);
}

void TTexOb::buildHeating()
{
    GroupBox1 =
        group(client(), "GroupBox1", QStringLiteral("Ситема отопления"), {482, 2, 463, 248});
    QWidget* g = GroupBox1;
    label(g, "Label10", QStringLiteral("Средний часовой расход тепла за отопительный период"),
          {8, 18, 220, 28});
    Edit11 = edit(g, "Edit11", QStringLiteral("0,15"), {234, 22, 62, 21});
    ComboBox4 = combo(g, "ComboBox4", units::loadUnitItems(), 0, {302, 21, 153, 22});

    GroupBox3 =
        group(g, "GroupBox3", QStringLiteral("Температура внутреннего воздуха отапливаемых зданий"),
              {8, 50, 447, 44});
    label(GroupBox3, "Label16", QStringLiteral("Существующая"), {8, 20, 94, 16});
    Edit16 = edit(GroupBox3, "Edit16", QStringLiteral("26"), {104, 17, 46, 21});
    label(GroupBox3, "Label17", QStringLiteral("Требуемая"), {164, 20, 66, 16});
    Edit17 = edit(GroupBox3, "Edit17", QStringLiteral("22"), {232, 17, 46, 21});
    label(GroupBox3, "Label7", QStringLiteral("Снижения"), {292, 20, 64, 16});
    Edit8 = edit(GroupBox3, "Edit8", QStringLiteral("16"), {358, 17, 46, 21});

    label(g, "Label8",
          QStringLiteral("Средняя температура наружного воздуха за отопительный период"),
          {8, 101, 370, 16});
    Edit9 = edit(g, "Edit9", QStringLiteral("-4,6"), {385, 98, 70, 21});
    label(g, "Label9", QStringLiteral("Средняя температура воздуха наиболее холодной пятидневки"),
          {8, 125, 370, 16});
    Edit10 = edit(g, "Edit10", QStringLiteral("-27"), {385, 122, 70, 21});

    GroupBox4 =
        group(g, "GroupBox4", QStringLiteral("Автоматическое снижение температуры в ночное время"),
              {8, 148, 447, 66});
    CheckBox2 = placed(new QCheckBox(QStringLiteral("Снижать температуру    "), GroupBox4),
                       "CheckBox2", {8, 18, 200, 20});
    CheckBox2->setChecked(true);
    label(GroupBox4, "Label19", QStringLiteral("Кол. празднич. дат"), {260, 21, 110, 16});
    Edit15 = edit(GroupBox4, "Edit15", QStringLiteral("16"), {377, 18, 60, 21});
    label(GroupBox4, "Label15", QStringLiteral("Начиная с (час)"), {8, 43, 95, 16});
    ComboBox2 = combo(GroupBox4, "ComboBox2", hourItems(), 16, {106, 40, 55, 22});
    label(GroupBox4, "Label18", QStringLiteral("по"), {172, 43, 20, 16});
    ComboBox5 = combo(GroupBox4, "ComboBox5", hourItems(), 8, {195, 40, 55, 22});

    Label12 =
        label(g, "Label12",
              QStringLiteral(
                  "Стоимость работ по установке системы регулирования на отопление (тыс. руб)."),
              {8, 216, 370, 28});
    Edit13 = edit(g, "Edit13", QStringLiteral("573,82"), {385, 220, 70, 21});
}

void TTexOb::buildHotWater()
{
    GroupBox2 = group(client(), "GroupBox2", QStringLiteral("Система горячего водоснабжения"),
                      {482, 252, 463, 172});
    QWidget* g = GroupBox2;
    label(g, "Label11", QStringLiteral("Среднечасовой расход тепла за отопительный период"),
          {8, 18, 220, 28});
    Edit12 = edit(g, "Edit12", QStringLiteral("0,11"), {234, 22, 62, 21});
    ComboBox1 = combo(g, "ComboBox1", units::loadUnitItems(), 0, {302, 21, 153, 22});
    label(g, "Label13", QStringLiteral("Температура горячей воды"), {8, 53, 370, 16});
    Edit1 = edit(g, "Edit1", QStringLiteral("55"), {385, 50, 70, 21});
    label(g, "Label4", QStringLiteral("Температура холодно (водопроводной) воды в летний период"),
          {8, 77, 370, 16});
    Edit5 = edit(g, "Edit5", QStringLiteral("15"), {385, 74, 70, 21});
    label(g, "Label5", QStringLiteral("Температура холодно (водопроводной) воды в зимний период"),
          {8, 101, 370, 16});
    Edit6 = edit(g, "Edit6", QStringLiteral("5"), {385, 98, 70, 21});
    CheckBox1 = placed(
        new QCheckBox(
            QStringLiteral("Автоматическое снижение температуры горячей воды в ночное время"), g),
        "CheckBox1", {8, 121, 447, 20});
    CheckBox1->setChecked(true);
    Label6 = label(
        g, "Label6",
        QStringLiteral("Стоимость работ по установке системы регулирования на ГВС (тыс. руб)."),
        {8, 141, 370, 28});
    Edit7 = edit(g, "Edit7", QStringLiteral("573,82"), {385, 145, 70, 21});
}

void TTexOb::buildMenu()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("Файл"));
    file->setObjectName(QStringLiteral("N1"));
    QAction* save = file->addAction(QStringLiteral("Сохранить заготовку"), this, &TTexOb::N2Click);
    save->setObjectName(QStringLiteral("N2"));
    QAction* load = file->addAction(QStringLiteral("Загрузить заготовку"), this, &TTexOb::N3Click);
    load->setObjectName(QStringLiteral("N3"));
    file->addSeparator()->setObjectName(QStringLiteral("N4"));
    QAction* quit = file->addAction(QStringLiteral("Выход"), this, &TTexOb::N5Click);
    quit->setObjectName(QStringLiteral("N5"));
}

void TTexOb::setAreaEnabled(int area, bool enabled)
{
    switch (area) {
    case HeatingBox: GroupBox1->setEnabled(enabled); break;
    case HotWaterBox: GroupBox2->setEnabled(enabled); break;
    case CombinedCost:
        Label14->setEnabled(enabled);
        Edit14->setEnabled(enabled);
        break;
    case HeatingCost:
        Label12->setEnabled(enabled);
        Edit13->setEnabled(enabled);
        break;
    case HotWaterCost:
        Label6->setEnabled(enabled);
        Edit7->setEnabled(enabled);
        break;
    }
}

void TTexOb::ComboBox3Change()
{
    const int item = ComboBox3->currentIndex();
    if (item < 0 || item >= static_cast<int>(kEnabledByChoice.size()))
        return;
    for (int area = 0; area < AreaCount; ++area)
        setAreaEnabled(area, kEnabledByChoice[item][area]);
}

SystemChoice TTexOb::choice() const { return static_cast<SystemChoice>(ComboBox3->currentIndex()); }

bool TTexOb::readDecimal(QLineEdit* box, double& field)
{
    const std::optional<double> value = num::parseDecimal(box->text());
    if (value)
        field = *value;
    return value.has_value();
}

bool TTexOb::readDecimals(std::initializer_list<NumberBox> boxes)
{
    for (const auto& [box, field] : boxes)
        if (!readDecimal(box, m_inputs.*field))
            return false;
    return true;
}

bool TTexOb::readHeating()
{
    double load = 0;
    if (!readDecimal(Edit11, load))
        return false;
    m_inputs.heatingLoad = assessment::loadInGcalPerHour(load, ComboBox4->currentIndex());
    if (!readDecimals({{Edit16, &AssessmentInputs::existingIndoorTemperature},
                       {Edit17, &AssessmentInputs::requiredIndoorTemperature},
                       {Edit8, &AssessmentInputs::nightIndoorTemperature},
                       {Edit15, &AssessmentInputs::holidayCount},
                       {Edit9, &AssessmentInputs::averageOutdoorTemperature},
                       {Edit10, &AssessmentInputs::coldestFiveDayTemperature}}))
        return false;
    m_inputs.heatingNightSetback = CheckBox2->isChecked();
    m_inputs.nightSetbackHours = assessment::setbackHours(ComboBox2->currentText().toInt(),
                                                          ComboBox5->currentText().toInt());
    return readDecimal(Edit13, m_inputs.heatingWorksCost);
}

bool TTexOb::readHotWater()
{
    double load = 0;
    if (!readDecimal(Edit12, load))
        return false;
    m_inputs.hotWaterLoad = assessment::loadInGcalPerHour(load, ComboBox1->currentIndex());
    if (!readDecimals({{Edit1, &AssessmentInputs::hotWaterTemperature},
                       {Edit5, &AssessmentInputs::summerColdWaterTemperature},
                       {Edit6, &AssessmentInputs::winterColdWaterTemperature}}))
        return false;
    m_inputs.hotWaterNightSetback = CheckBox1->isChecked();
    return readDecimal(Edit7, m_inputs.hotWaterWorksCost);
}

bool TTexOb::ReadData() { return reportIfFailed(readData()); }

vedan::Status TTexOb::readData()
{
    if (!readBoxes())
        return vedan::Failure::input(num::conversionErrorMessage());
    return std::nullopt;
}

bool TTexOb::readBoxes()
{
    m_inputs.objectName = assessment::recordObjectName(Edit2->text());
    if (!readDecimal(Edit3, m_inputs.heatPrice))
        return false;
    const std::optional<int> days = num::parseInteger(Edit4->text());
    if (!days)
        return false;
    m_inputs.heatingPeriodDays = *days;
    switch (choice()) {
    case SystemChoice::Heating: return readHeating();
    case SystemChoice::HotWater: return readHotWater();
    case SystemChoice::Both:
        return readHeating() && readHotWater() && readDecimal(Edit14, m_inputs.combinedWorksCost);
    case SystemChoice::None: break;
    }
    return true;
}

void TTexOb::clearReport()
{
    Memo1->clear();
    m_reportStarted = false;
}

// Each report line is one paragraph of the memo, empty lines included.
void TTexOb::writeLines(const QStringList& lines)
{
    QTextCursor cursor(Memo1->document());
    cursor.movePosition(QTextCursor::End);
    for (const QString& line : lines) {
        if (m_reportStarted)
            cursor.insertBlock();
        cursor.insertText(line);
        m_reportStarted = true;
    }
    Memo1->setTextCursor(cursor);
    Memo1->ensureCursorVisible();
}

vedan::Outcome<double> TTexOb::TeoOt()
{
    return written(assessment::heatingSavings(m_inputs, choice()));
}

vedan::Outcome<double> TTexOb::TeoGvs()
{
    return written(assessment::hotWaterSavings(m_inputs, choice()));
}

vedan::Outcome<double> TTexOb::written(const ReportPart& part)
{
    writeLines(part.lines);
    return {part.heatSaving, part.failure};
}

void TTexOb::Button2Click()
{
    const SystemChoice chosen = choice();
    if (chosen == SystemChoice::None) {
        report(vedan::Failure::input(QStringLiteral("Выберите систему для расчета ТЭО.")));
        return;
    }
    clearReport();
    writeLines(assessment::reportHeader(chosen, Edit2->text(), Edit3->text()));
    reportIfFailed(runChoice(chosen));
}

vedan::Status TTexOb::checkUnitsAndRead(SystemChoice chosen)
{
    const bool heatingUnitMissing = ComboBox4->currentIndex() == 0;
    const bool hotWaterUnitMissing = ComboBox1->currentIndex() == 0;
    const vedan::Failure unitMissing = vedan::Failure::input(units::loadUnitMissingMessage());
    // For both systems the boxes are read before the units are checked; for one, after.
    if (chosen == SystemChoice::Both) {
        if (vedan::Status failure = readData())
            return failure;
        if (heatingUnitMissing || hotWaterUnitMissing)
            return unitMissing;
        return std::nullopt;
    }
    if (chosen == SystemChoice::Heating ? heatingUnitMissing : hotWaterUnitMissing)
        return unitMissing;
    return readData();
}

vedan::Status TTexOb::runChoice(SystemChoice chosen)
{
    if (vedan::Status failure = checkUnitsAndRead(chosen))
        return failure;
    writeLines(assessment::inputEcho(m_inputs, chosen));
    double heating = 0, hotWater = 0;
    if (chosen != SystemChoice::HotWater) {
        const vedan::Outcome<double> saved = TeoOt();
        if (!saved.ok())
            return saved.failure;
        heating = saved.value;
    }
    if (chosen != SystemChoice::Heating) {
        const vedan::Outcome<double> saved = TeoGvs();
        if (!saved.ok())
            return saved.failure;
        hotWater = saved.value;
    }
    if (chosen == SystemChoice::Both)
        return written(assessment::combinedTotal(m_inputs, heating, hotWater)).failure;
    return std::nullopt;
}

QStringList TTexOb::displayedLines() const { return memos::displayedLines(Memo1); }

void TTexOb::Button1Click()
{
    if (Memo1->toPlainText().isEmpty()) {
        report(vedan::Failure::input(QStringLiteral("Расчитайте ТЭО.")));
        return;
    }
    reportIfFailed(assessment::exportReport(m_xlApp, displayedLines(), m_inputs.objectName));
}

void TTexOb::N2Click()
{
    const int remembered = ComboBox3->currentIndex();
    ComboBox3->setCurrentIndex(static_cast<int>(SystemChoice::Both));
    if (!ReadData()) {
        report(vedan::Failure::input(
            QStringLiteral("Не удалось сохранить. Неправильный ввод данных.")));
    } else {
        const QString path = FileDialogs::choose(
            this, {FileDialogs::Mode::Save, kTemplateFilter, QStringLiteral("teo")});
        if (!path.isEmpty())
            reportIfFailed(assessment::writeTemplateFile(path, m_inputs));
    }
    ComboBox3->setCurrentIndex(remembered);
}

void TTexOb::N3Click()
{
    const QString path = FileDialogs::choose(
        this, {FileDialogs::Mode::Open, kTemplateFilter, QStringLiteral("teo")});
    if (path.isEmpty())
        return;
    const vedan::Outcome<AssessmentInputs> read = assessment::readTemplateFile(path);
    if (!reportIfFailed(read.failure))
        return;
    m_inputs = read.value;
    fillFromRecord();
}

void TTexOb::fillFromRecord()
{
    const AssessmentInputs& in = m_inputs;
    Edit2->setText(in.objectName);
    Edit3->setText(num::general(in.heatPrice));
    Edit4->setText(QString::number(in.heatingPeriodDays));
    Edit11->setText(num::general(in.heatingLoad));
    ComboBox4->setCurrentIndex(units::kGcalPerHour);
    Edit9->setText(num::general(in.averageOutdoorTemperature));
    Edit10->setText(num::general(in.coldestFiveDayTemperature));
    CheckBox2->setChecked(in.heatingNightSetback);
    Edit13->setText(num::general(in.heatingWorksCost));
    Edit12->setText(num::general(in.hotWaterLoad));
    ComboBox1->setCurrentIndex(units::kGcalPerHour);
    Edit5->setText(num::general(in.summerColdWaterTemperature));
    Edit6->setText(num::general(in.winterColdWaterTemperature));
    CheckBox1->setChecked(in.hotWaterNightSetback);
    Edit7->setText(num::general(in.hotWaterWorksCost));
    Edit1->setText(num::general(in.hotWaterTemperature));
    Edit14->setText(num::general(in.combinedWorksCost));
}

void TTexOb::N5Click() { close(); }

void TTexOb::FormClose() { TWorkForm::FormClose(); }
