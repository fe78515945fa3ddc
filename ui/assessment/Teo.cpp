#include "ui/assessment/Teo.h"

#include "assessment/Report.h"
#include "assessment/ReportExport.h"
#include "assessment/Savings.h"
#include "assessment/TemplateFile.h"
#include "core/Numbers.h"
#include "core/Units.h"
#include "ui/shell/FileDialogs.h"
#include "ui/shell/Memos.h"
#include "ui/shell/MenuBar.h"
#include "ui/shell/Messages.h"
#include "ui/shell/UiFonts.h"

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

using assessment::AssessmentInputs;
using assessment::ReportPart;
using assessment::SystemChoice;

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

} // namespace

TTexOb::TTexOb(QWidget* parent)
    : TWorkForm(QStringLiteral("TexOb"), QStringLiteral("Технико-экономическое обоснование"),
                Placement::MainWindowCentre, parent)
{
    client()->setFont(uifonts::windowFont());
    setupUi(client());
    setResizable(false);
    // A long report line wraps at a word boundary or, failing one, anywhere (not a property
    // that Designer offers).
    Memo1->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    fillFromLibraries();
    connectControls();
    buildMenu();
    for (int area = 0; area < AreaCount; ++area)
        setAreaEnabled(area, kEnabledByChoice[0][area]);
}

// The system choice and the load units are the library's items, which it also reads back by
// index; the form leaves these lists empty.
void TTexOb::fillFromLibraries()
{
    ComboBox3->addItems(assessment::systemChoiceItems());
    ComboBox4->addItems(units::loadUnitItems());
    ComboBox1->addItems(units::loadUnitItems());
}

void TTexOb::connectControls()
{
    connect(ComboBox3, &QComboBox::activated, this, &TTexOb::ComboBox3Change);
    connect(Button2, &QPushButton::clicked, this, &TTexOb::Button2Click);
    connect(Button1, &QPushButton::clicked, this, &TTexOb::Button1Click);
}

void TTexOb::buildMenu()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&Файл"));
    file->setObjectName(QStringLiteral("N1"));
    QAction* save = file->addAction(QStringLiteral("Сохранить заготовку"), this, &TTexOb::N2Click);
    save->setObjectName(QStringLiteral("N2"));
    QAction* load = file->addAction(QStringLiteral("Загрузить заготовку"), this, &TTexOb::N3Click);
    load->setObjectName(QStringLiteral("N3"));
    file->addSeparator()->setObjectName(QStringLiteral("N4"));
    QAction* quit = file->addAction(QStringLiteral("Выход"), this, &TTexOb::N5Click);
    quit->setObjectName(QStringLiteral("N5"));
    menubars::setUp(this);
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
    else
        m_unreadable = box;
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
    m_unreadable = nullptr;
    if (!readBoxes()) {
        // The box that could not be read takes the focus, its text selected, so that the user
        // sees which it was once the message is closed.
        if (m_unreadable) {
            m_unreadable->setFocus(Qt::OtherFocusReason);
            m_unreadable->selectAll();
        }
        return vedan::Failure::input(num::conversionErrorMessage());
    }
    return std::nullopt;
}

bool TTexOb::readBoxes()
{
    m_inputs.objectName = assessment::recordObjectName(Edit2->text());
    if (!readDecimal(Edit3, m_inputs.heatPrice))
        return false;
    const std::optional<int> days = num::parseInteger(Edit4->text());
    if (!days) {
        m_unreadable = Edit4;
        return false;
    }
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
    const bool heatingUnitMissing = ComboBox4->currentIndex() == units::kPromptItem;
    const bool hotWaterUnitMissing = ComboBox1->currentIndex() == units::kPromptItem;
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
        const QString path = filedialogs::choose(
            this, {filedialogs::Mode::Save, kTemplateFilter, QStringLiteral("teo")});
        if (!path.isEmpty())
            reportIfFailed(assessment::writeTemplateFile(path, m_inputs));
    }
    ComboBox3->setCurrentIndex(remembered);
}

void TTexOb::N3Click()
{
    const QString path = filedialogs::choose(
        this, {filedialogs::Mode::Open, kTemplateFilter, QStringLiteral("teo")});
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
