#include "ui/selection/Gidroelevator.h"

#include "calcsheet/PdfViewer.h"
#include "checks/Checks.h"
#include "core/Numbers.h"
#include "selection/Descriptions.h"
#include "selection/FormFields.h"
#include "selection/HydroelevatorSizing.h"
#include "selection/RegulatorSizing.h"
#include "selection/ReportInputs.h"
#include "selection/SelectionReport.h"
#include "selection/Units.h"
#include "selection/ValveSizing.h"
#include "ui/selection/ChecksWindow.h"
#include "ui/selection/ProjectMenu.h"
#include "ui/selection/SeasonWindow.h"
#include "ui/selection/SubstationWindow.h"
#include "ui/shell/MenuBar.h"
#include "ui/shell/Messages.h"
#include "ui/shell/Prompts.h"
#include "ui/shell/UiFonts.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace selection;

TSelectRtForm* SelectRtForm = nullptr;

namespace {

// The row captions of the input pane are drawn in a larger font than the window's.
constexpr int kCaptionPixels = 16;
// The project's line, squeezed between the heading and the first row.
constexpr int kProjectLinePixels = 10;

// A drop-down list filled from the library that owns its items: the user can only pick an
// item; the prompt (item 0) starts selected. The list is made wide enough for its longest item
// even where the closed box elides it.
void fill(QComboBox* box, const QStringList& items)
{
    box->addItems(items);
    box->setCurrentIndex(0);
    // Where the window's face is wider than its own, a narrow box gets a slightly smaller
    // font so that its longest item is shown whole.
    QFont font = box->font();
    const auto fits = [&](const QFont& f) {
        int longest = 0;
        for (const QString& item : items)
            longest = std::max(longest, QFontMetrics(f).horizontalAdvance(item));
        return longest + 30 <= box->width();
    };
    while (!fits(font) && font.pixelSize() > 9 && box->width() < 200)
        font.setPixelSize(font.pixelSize() - 1);
    box->setFont(font);
    const int listWidth = box->view()->sizeHintForColumn(0) + 24;
    box->view()->setMinimumWidth(std::max(listWidth, box->width()));
}

} // namespace

// The form keeps the drawn layout but for one control: the print button is as wide as the result
// box and the button above it (drawn 441 wide, it would run past the window's edge).
TSelectRtForm::TSelectRtForm(QWidget* parent)
    : TWorkForm(QStringLiteral("SelectRtForm"), kinds::caption(EquipmentKind::Hydroelevator),
                Placement::ScreenCentre, parent)
{
    setFont(uifonts::windowFont());
    createMenu();
    setupUi(client());
    setResizable(false);
    for (QLabel* caption : client()->findChildren<QLabel*>())
        caption->setFont(uifonts::sansSerif(kCaptionPixels));
    fillFromLibraries();
    connectControls();
    placeProjectLine();
}

// The project's line lies between the input heading and the first row of inputs, in a smaller
// font, under the heading's own width.
void TSelectRtForm::placeProjectLine()
{
    m_projectLine->setFont(uifonts::sansSerif(kProjectLinePixels));
    m_projectLine->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_projectLine->setGeometry(Label2->x(), Label2->y() + Label2->height() - 3, Label2->width(),
                               Edit1->y() - Label2->y() - Label2->height() + 3);
    m_projectLine->raise();
}

void TSelectRtForm::createMenu()
{
    menuBar()->setObjectName(QStringLiteral("MainMenu1"));
    // First, before the window's own command: the projects.
    m_projectLine = new QLabel(client());
    m_project = new selection::ProjectMenu(this, m_projectLine,
                                           {[this] { return projectOfTheWindow(); },
                                            [this](const project::Project& p) { showProject(p); }});
    menuBar()->addMenu(m_project->menu());
    N4 = menuBar()->addAction(QStringLiteral("&Выход"));
    N4->setObjectName(QStringLiteral("N4"));
    connect(N4, &QAction::triggered, this, &TSelectRtForm::N4Click);

    // After the window's own command: the calculation menu, with the engineering checks.
    m_checksWindow = new selection::ChecksWindow(this);
    QMenu* n5 = menuBar()->addMenu(QStringLiteral("&Расчёт"));
    n5->setObjectName(QStringLiteral("N5"));
    QAction* n6 = n5->addAction(QStringLiteral("Проверки"));
    n6->setObjectName(QStringLiteral("N6"));
    connect(n6, &QAction::triggered, m_checksWindow, &selection::ChecksWindow::bringForward);
    QAction* n7 = n5->addAction(QStringLiteral("Расчётный лист (PDF)"));
    n7->setObjectName(QStringLiteral("N7"));
    connect(n7, &QAction::triggered, this, &TSelectRtForm::N7Click);
    m_seasonWindow = new selection::SeasonWindow(this);
    QAction* n8 = n5->addAction(QStringLiteral("Отопительный сезон"));
    n8->setObjectName(QStringLiteral("N8"));
    connect(n8, &QAction::triggered, m_seasonWindow, &selection::SeasonWindow::bringForward);
    m_substationWindow = new selection::SubstationWindow(this);
    QAction* n9 = n5->addAction(QStringLiteral("Тепловой пункт"));
    n9->setObjectName(QStringLiteral("N9"));
    connect(n9, &QAction::triggered, m_substationWindow,
            &selection::SubstationWindow::bringForward);
    menubars::setUp(this);
    // The verdict beside the menu.
    m_verdict = new selection::VerdictButton(menuBar());
    connect(m_verdict, &QToolButton::clicked, m_checksWindow,
            &selection::ChecksWindow::bringForward);
}

// The unit, regulator and setting-range items belong to the selection library, which also
// reads the chosen indexes; the form leaves these lists empty. The descriptions are its texts
// too.
void TSelectRtForm::fillFromLibraries()
{
    fill(ComboBox2, units::pressureUnitItems());
    fill(ComboBox3, units::pressureUnitItems());
    fill(ComboBox4, units::loadUnitItems());
    fill(ComboBox1, units::headUnitItems());
    fill(ComboBox5, units::regulatorItems());
    fill(ComboBox6, units::settingRangeItems());

    // The regulator choices lie under the descriptions: the 417-high memos cover them, the
    // shorter regulator description leaves them in view.
    for (EquipmentKind kind : kinds::kAll) {
        QPlainTextEdit* memo = descriptionMemo(kind);
        memo->setPlainText(descriptions::of(kind));
        memo->raise();
        memo->hide();
    }
    QPalette tooltipText = Memo1->palette();
    tooltipText.setColor(QPalette::Text, tooltipText.color(QPalette::ToolTipText));
    Memo1->setPalette(tooltipText);
}

void TSelectRtForm::connectControls()
{
    connect(Button1, &QPushButton::clicked, this, &TSelectRtForm::Button1Click);
    // Enter in an input box sizes, as "Подобрать" does; the focus stays in the box.
    for (QLineEdit* box : {Edit1, Edit2, Edit3, Edit4, Edit5, Edit6})
        connect(box, &QLineEdit::returnPressed, this, &TSelectRtForm::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TSelectRtForm::Button2Click);
    connect(BitBtn1, &QPushButton::clicked, this, &QWidget::close);
    // What the user changes in the inputs is a change of the project.
    const auto changed = [this] { m_project->changed(); };
    for (QLineEdit* box : {Edit1, Edit2, Edit3, Edit4, Edit5, Edit6})
        connect(box, &QLineEdit::textEdited, this, changed);
    for (QComboBox* box : {ComboBox1, ComboBox2, ComboBox3, ComboBox4, ComboBox5, ComboBox6})
        connect(box, &QComboBox::activated, this, changed);
    connect(m_seasonWindow, &selection::SeasonWindow::inputsEdited, this, changed);
    connect(m_substationWindow, &selection::SubstationWindow::inputsEdited, this, changed);
}

project::Project TSelectRtForm::projectOfTheWindow() const
{
    project::Project p;
    const selection::Fields fields = selection::fieldsOfForm(readForm());
    for (const auto& [name, value] : fields) {
        if (name == QLatin1String("kind"))
            p.kind = value;
        else
            p.inputs.emplace_back(name, value);
    }
    p.season = m_seasonWindow->inputs();
    p.substation = m_substationWindow->inputs();
    return p;
}

void TSelectRtForm::showProject(const project::Project& p)
{
    selection::Fields fields = {{QStringLiteral("kind"), p.kind}};
    fields.insert(fields.end(), p.inputs.begin(), p.inputs.end());
    const vedan::Outcome<SelectionForm> form = selection::formOfFields(fields);
    // The project was read whole: its kind and tokens are the form's.
    if (form.failure)
        return;
    // On the project's kind, as the main window's menu opens it; the last result is emptied.
    setWindowTitle(form.value.title);
    const std::pair<QLineEdit*, const QString*> texts[] = {
        {Edit1, &form.value.edit1}, {Edit2, &form.value.edit2}, {Edit3, &form.value.edit3},
        {Edit4, &form.value.edit4}, {Edit5, &form.value.edit5}, {Edit6, &form.value.edit6}};
    for (const auto& [box, text] : texts)
        box->setText(*text);
    const std::pair<QComboBox*, int> items[] = {
        {ComboBox1, form.value.comboBox1}, {ComboBox2, form.value.comboBox2},
        {ComboBox3, form.value.comboBox3}, {ComboBox4, form.value.comboBox4},
        {ComboBox5, form.value.comboBox5}, {ComboBox6, form.value.comboBox6}};
    for (const auto& [box, item] : items)
        box->setCurrentIndex(item);
    m_seasonWindow->setInputs(p.season);
    if (const std::optional<EquipmentKind> kind = kinds::ofToken(p.kind))
        m_substationWindow->setInputs(*kind, p.substation);
    if (isVisible())
        FormShow();
}

bool TSelectRtForm::openProjectFile(const QString& path)
{
    const vedan::Outcome<project::Project> read = project::readProject(path);
    if (read.failure) {
        reportIfFailed(read.failure);
        return false;
    }
    windowprotocol::openWorkWindow(
        this,
        kinds::caption(kinds::ofToken(read.value.kind).value_or(EquipmentKind::ControlValve)));
    m_project->adopt(path, read.value);
    return true;
}

void TSelectRtForm::closeEvent(QCloseEvent* event)
{
    if (!m_project->maySetAside()) {
        event->ignore();
        return;
    }
    TWorkForm::closeEvent(event);
}

QPlainTextEdit* TSelectRtForm::descriptionMemo(EquipmentKind kind) const
{
    switch (kind) {
    case EquipmentKind::Hydroelevator: return Memo1;
    case EquipmentKind::ControlValve: return Memo3;
    case EquipmentKind::MixingValve: return Memo4;
    case EquipmentKind::Regulator: return Memo5;
    }
    return nullptr;
}

void TSelectRtForm::hideDescriptions()
{
    for (EquipmentKind kind : kinds::kAll)
        descriptionMemo(kind)->hide();
}

void TSelectRtForm::FormShow()
{
    hideDescriptions();
    const auto kind = kinds::ofCaption(windowTitle());
    if (kind)
        descriptionMemo(*kind)->show();
    // The regulator's choices lie covered by the other kinds' descriptions: out of view, they
    // take no focus, so that Tab never leaves the focus where the user cannot see it.
    const bool regulator = kind == EquipmentKind::Regulator;
    for (QComboBox* covered : {ComboBox5, ComboBox6})
        covered->setFocusPolicy(regulator ? Qt::StrongFocus : Qt::NoFocus);
    Memo2->clear();
    m_checksWindow->follow(windowTitle(), {});
    m_seasonWindow->clear();
    if (kind)
        m_substationWindow->followKind(*kind);
    m_substationWindow->clear();
    m_verdict->follow({});
}

void TSelectRtForm::FormClose()
{
    hideDescriptions();
    m_checksWindow->hide();
    m_seasonWindow->hide();
    m_substationWindow->hide();
    TWorkForm::FormClose();
}

void TSelectRtForm::N4Click()
{
    // "Отмена" in the question about an unsaved project keeps the window as it is.
    if (!close())
        return;
    hideDescriptions();
    windowprotocol::workWindowClosed();
}

SelectionForm TSelectRtForm::readForm() const
{
    SelectionForm form;
    form.title = windowTitle();
    form.edit1 = Edit1->text();
    form.edit2 = Edit2->text();
    form.edit3 = Edit3->text();
    form.edit4 = Edit4->text();
    form.edit5 = Edit5->text();
    form.edit6 = Edit6->text();
    form.comboBox1 = ComboBox1->currentIndex();
    form.comboBox2 = ComboBox2->currentIndex();
    form.comboBox3 = ComboBox3->currentIndex();
    form.comboBox4 = ComboBox4->currentIndex();
    form.comboBox5 = ComboBox5->currentIndex();
    form.comboBox6 = ComboBox6->currentIndex();
    return form;
}

QStringList TSelectRtForm::resultLines() const
{
    const QString text = Memo2->toPlainText();
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

void TSelectRtForm::showLines(const QStringList& lines)
{
    Memo2->clear();
    for (const QString& line : lines)
        Memo2->appendPlainText(line);
}

void TSelectRtForm::Button1Click() { sizeFromTheBoxes(); }

TSelectRtForm::SizedResult TSelectRtForm::sizeFromTheBoxes()
{
    Memo2->clear();
    SizedResult sized{readForm(), {}, {}};
    sized.run = selection::runSelection(sized.form, sizingMethod());
    if (sized.run.sized)
        sized.checks = checks::evaluate(*sized.run.sized);
    m_checksWindow->follow(sized.form.title, sized.checks);
    m_seasonWindow->follow(sized.run);
    m_substationWindow->follow(sized.run);
    m_verdict->follow(sized.checks);
    const std::optional<vedan::Failure> failure = sized.run.failure();
    reportIfFailed(failure);
    // After the bad-number message, the box that could not be read, its text selected.
    if (failure && failure->message == num::conversionErrorMessage()) {
        if (const std::optional<int> edit = selection::firstUnreadableEdit(sized.form)) {
            QLineEdit* const boxes[] = {Edit1, Edit2, Edit3, Edit4, Edit5, Edit6};
            QLineEdit* box = boxes[*edit - 1];
            box->setFocus(Qt::OtherFocusReason);
            box->selectAll();
        }
    }
    return sized;
}

void TSelectRtForm::Button2Click()
{
    if (Memo2->toPlainText().isEmpty())
        Button1Click();
    const SelectionReportData data = selection::reportData(
        selection::typedTexts(readForm()), resultLines(), QDateTime::currentDateTime());
    reportIfFailed(writeSelectionReport(m_xlApp, data));
}

void TSelectRtForm::N7Click()
{
    // The sheet says what the window says: it sizes from the boxes as "Подобрать" does, and a
    // run that stops shows its message and writes no sheet.
    const SizedResult sized = sizeFromTheBoxes();
    if (sized.run.failure())
        return;
    // The object the sheet is for, asked each time, offered as last given in this session.
    static QString lastObject;
    const std::optional<QString> object =
        prompts::askText(this, {QStringLiteral("Расчётный лист"),
                                QStringLiteral("Объект (название и адрес):"), lastObject});
    if (!object)
        return;
    lastObject = *object;
    reportIfFailed(calcsheet::showSheet({selection::typedTexts(sized.form), sized.run, sized.checks,
                                         QDateTime::currentDateTime(), *object,
                                         m_seasonWindow->sheet(), m_substationWindow->sheet()})
                       .failure);
}

selection::SizingMethod TSelectRtForm::sizingMethod()
{
    return [this](const selection::SizingRequest& request) {
        const auto& [s, r, load, inlet, outlet, resistance] =
            selection::inputsOf(request.conditions);
        switch (request.kind) {
        case EquipmentKind::Hydroelevator: return PodborRG(s, r, load, inlet, outlet, resistance);
        case EquipmentKind::ControlValve: return PodborKZR(s, r, load, inlet, outlet, resistance);
        case EquipmentKind::MixingValve: return PodborKST(s, r, load, inlet, outlet, resistance);
        case EquipmentKind::Regulator: return PodborRp(s, r, load, inlet, outlet, resistance);
        }
        return SizingOutcome{};
    };
}

double TSelectRtForm::Translate(int unitIndex, int quantity, double value)
{
    return units::Translate(unitIndex, quantity, value);
}

SizingOutcome TSelectRtForm::shown(const SizingOutcome& outcome)
{
    showLines(outcome.lines);
    return outcome;
}

SizingOutcome TSelectRtForm::PodborRG(double supplyTemperature, double returnTemperature,
                                      double heatLoad, double inletPressure, double outletPressure,
                                      double systemResistance)
{
    return shown(sizing::PodborRG({supplyTemperature, returnTemperature, heatLoad, inletPressure,
                                   outletPressure, systemResistance}));
}

SizingOutcome TSelectRtForm::PodborRp(double supplyTemperature, double returnTemperature,
                                      double heatLoad, double inletPressure, double outletPressure,
                                      double systemResistance)
{
    return shown(sizing::PodborRp({supplyTemperature, returnTemperature, heatLoad, inletPressure,
                                   outletPressure, systemResistance},
                                  ComboBox5->currentIndex(), ComboBox6->currentIndex()));
}

SizingOutcome TSelectRtForm::PodborKZR(double supplyTemperature, double returnTemperature,
                                       double heatLoad, double inletPressure, double outletPressure,
                                       double systemResistance)
{
    return shown(sizing::PodborKZR({supplyTemperature, returnTemperature, heatLoad, inletPressure,
                                    outletPressure, systemResistance}));
}

SizingOutcome TSelectRtForm::PodborKST(double supplyTemperature, double returnTemperature,
                                       double heatLoad, double inletPressure, double outletPressure,
                                       double systemResistance)
{
    return shown(sizing::PodborKST({supplyTemperature, returnTemperature, heatLoad, inletPressure,
                                    outletPressure, systemResistance}));
}
