#include "selection/Gidroelevator.h"

#include "shell/Placed.h"
#include "shell/UiFonts.h"

#include "calcsheet/PdfViewer.h"
#include "checks/Checks.h"
#include "selection/ChecksWindow.h"
#include "selection/Descriptions.h"
#include "selection/HydroelevatorSizing.h"
#include "selection/RegulatorSizing.h"
#include "selection/ReportInputs.h"
#include "selection/SelectionReport.h"
#include "selection/Units.h"
#include "selection/ValveSizing.h"
#include "shell/Messages.h"

#include <QAbstractItemView>
#include <QAction>
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

constexpr int kLabelLeft = 512;
constexpr int kEditLeft = 744;
constexpr int kComboLeft = 816;
constexpr int kComboWidth = 129;
constexpr int kRowHeight = 21;

QLabel* label(QWidget* parent, const char* name, const QString& text, QRect geometry, int pixels)
{
    auto* widget = placed(new QLabel(text, parent), name, geometry);
    widget->setFont(uiFonts::sansSerif(pixels));
    return widget;
}

QLineEdit* edit(QWidget* parent, const char* name, const char* text, QRect geometry)
{
    return placed(new QLineEdit(QString::fromUtf8(text), parent), name, geometry);
}

// A drop-down list: the user can only pick an item; the prompt (item 0) starts selected. The
// list is made wide enough for its longest item even where the closed box elides it.
QComboBox* combo(QWidget* parent, const char* name, const QStringList& items, QRect geometry)
{
    auto* widget = placed(new QComboBox(parent), name, geometry);
    widget->addItems(items);
    widget->setCurrentIndex(0);
    widget->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    // Where the window's face is wider than its own, a narrow box gets a slightly smaller
    // font so that its longest item is shown whole.
    QFont font = widget->font();
    const auto fits = [&](const QFont& f) {
        int longest = 0;
        for (const QString& item : items)
            longest = std::max(longest, QFontMetrics(f).horizontalAdvance(item));
        return longest + 30 <= geometry.width();
    };
    while (!fits(font) && font.pixelSize() > 9 && geometry.width() < 200)
        font.setPixelSize(font.pixelSize() - 1);
    widget->setFont(font);
    const int listWidth = widget->view()->sizeHintForColumn(0) + 24;
    widget->view()->setMinimumWidth(std::max(listWidth, geometry.width()));
    return widget;
}

QPlainTextEdit* memo(QWidget* parent, const char* name, QRect geometry, bool readOnly)
{
    auto* widget = placed(new QPlainTextEdit(parent), name, geometry);
    widget->setReadOnly(readOnly);
    return widget;
}

QPushButton* button(QWidget* parent, const char* name, const char* caption, QRect geometry)
{
    auto* widget = placed(new QPushButton(QString::fromUtf8(caption), parent), name, geometry);
    widget->setAutoDefault(false);
    return widget;
}

} // namespace

TSelectRtForm::TSelectRtForm(QWidget* parent)
    : TWorkForm(QStringLiteral("SelectRtForm"), kinds::caption(EquipmentKind::Hydroelevator), 946,
                445, Placement::ScreenCentre, parent)
{
    setFont(uiFonts::windowFont());
    createMenu();
    createInputPane();
    createDescriptionPane();
    createButtons();
    setTabOrder();
}

void TSelectRtForm::createMenu()
{
    menuBar()->setObjectName(QStringLiteral("MainMenu1"));
    N4 = menuBar()->addAction(QStringLiteral("Выход"));
    N4->setObjectName(QStringLiteral("N4"));
    connect(N4, &QAction::triggered, this, &TSelectRtForm::N4Click);

    // After the window's own command: the calculation menu, with the engineering checks.
    m_checksWindow = new selection::ChecksWindow(this);
    QMenu* n5 = menuBar()->addMenu(QStringLiteral("Расчёт"));
    n5->setObjectName(QStringLiteral("N5"));
    QAction* n6 = n5->addAction(QStringLiteral("Проверки"));
    n6->setObjectName(QStringLiteral("N6"));
    connect(n6, &QAction::triggered, m_checksWindow, &selection::ChecksWindow::bringForward);
    QAction* n7 = n5->addAction(QStringLiteral("Расчётный лист (PDF)"));
    n7->setObjectName(QStringLiteral("N7"));
    connect(n7, &QAction::triggered, this, &TSelectRtForm::N7Click);
}

void TSelectRtForm::createInputPane()
{
    QWidget* c = client();
    const int labelWidth = kEditLeft - kLabelLeft - 4;
    QLabel* heading =
        label(c, "Label2", QStringLiteral("Введите исходные переметры"), {624, 8, 318, 24}, 16);
    heading->setStyleSheet(QStringLiteral("color: red;"));

    label(c, "Label4", QStringLiteral("Давление на входе системы"),
          {kLabelLeft, 40, labelWidth, kRowHeight}, 16);
    Edit1 = edit(c, "Edit1", "4", {kEditLeft, 40, 65, kRowHeight});
    ComboBox2 = combo(c, "ComboBox2", units::pressureUnitItems(),
                      {kComboLeft, 40, kComboWidth, kRowHeight});

    label(c, "Label5", QStringLiteral("Давление на выходе системы"),
          {kLabelLeft, 64, labelWidth, kRowHeight}, 16);
    Edit2 = edit(c, "Edit2", "3,8", {kEditLeft, 64, 65, kRowHeight});
    ComboBox3 = combo(c, "ComboBox3", units::pressureUnitItems(),
                      {kComboLeft, 64, kComboWidth, kRowHeight});

    label(c, "Label6", QStringLiteral("Температурный график"),
          {kLabelLeft, 88, labelWidth, kRowHeight}, 16);
    Edit3 = edit(c, "Edit3", "115", {kEditLeft, 88, 97, kRowHeight});
    label(c, "Label7", QStringLiteral("/"), {845, 88, 10, kRowHeight}, 16);
    Edit4 = edit(c, "Edit4", "70", {856, 88, 81, kRowHeight});

    label(c, "Label8", QStringLiteral("Тепловая нагрузка"),
          {kLabelLeft, 112, labelWidth, kRowHeight}, 16);
    Edit5 = edit(c, "Edit5", "0,08", {kEditLeft, 112, 65, kRowHeight});
    ComboBox4 =
        combo(c, "ComboBox4", units::loadUnitItems(), {kComboLeft, 112, kComboWidth, kRowHeight});

    label(c, "Label1", QStringLiteral("Сопротивление системы"),
          {kLabelLeft, 136, labelWidth, kRowHeight}, 16);
    Edit6 = edit(c, "Edit6", "1", {kEditLeft, 136, 65, kRowHeight});
    ComboBox1 =
        combo(c, "ComboBox1", units::headUnitItems(), {kComboLeft, 136, kComboWidth, kRowHeight});
}

void TSelectRtForm::createDescriptionPane()
{
    QWidget* c = client();
    // The regulator choices lie under the descriptions: the 417-high memos cover them, the
    // shorter regulator description leaves them in view.
    ComboBox5 = combo(c, "ComboBox5", units::regulatorItems(), {8, 296, 489, kRowHeight});
    ComboBox6 = combo(c, "ComboBox6", units::settingRangeItems(), {8, 328, 489, kRowHeight});

    Memo1 = memo(c, "Memo1", {0, 0, 505, 417}, true);
    Memo3 = memo(c, "Memo3", {0, 0, 505, 417}, true);
    Memo4 = memo(c, "Memo4", {0, 0, 505, 417}, true);
    Memo5 = memo(c, "Memo5", {0, 0, 505, 281}, false);
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

void TSelectRtForm::createButtons()
{
    QWidget* c = client();
    Button1 = button(c, "Button1", "Подобрать", {512, 160, 433, 23});
    Memo2 = memo(c, "Memo2", {512, 184, 433, 209}, true);
    // The print button lines up with the result box and the button above it, inside the window
    // (drawn 441 wide, it would run past the window's edge and be cut off).
    Button2 = button(c, "Button2", "Распечатать результат подбора", {512, 400, 433, 23});
    BitBtn1 = button(c, "BitBtn1", "Выход", {0, 424, 946, 17});
    connect(Button1, &QPushButton::clicked, this, &TSelectRtForm::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TSelectRtForm::Button2Click);
    connect(BitBtn1, &QPushButton::clicked, this, &QWidget::close);
}

void TSelectRtForm::setTabOrder()
{
    QWidget* const order[] = {BitBtn1, Memo1, Edit1,     ComboBox2, Edit2,     ComboBox3, Edit3,
                              Edit4,   Edit5, ComboBox4, Edit6,     ComboBox1, Button1,   Memo2,
                              Button2, Memo3, Memo4,     Memo5,     ComboBox5, ComboBox6};
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
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
    if (const auto kind = kinds::ofCaption(windowTitle()))
        descriptionMemo(*kind)->show();
    Memo2->clear();
    m_checksWindow->follow(windowTitle(), {});
}

void TSelectRtForm::FormClose()
{
    hideDescriptions();
    m_checksWindow->hide();
    TWorkForm::FormClose();
}

void TSelectRtForm::N4Click()
{
    hideDescriptions();
    close();
    WindowProtocol::workWindowClosed();
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

void TSelectRtForm::Button1Click()
{
    Memo2->clear();
    const SelectionForm form = readForm();
    const SelectionRun run = selection::runSelection(form, methods());
    m_checksWindow->follow(form.title, checks::ofRun(form, run));
    reportIfFailed(run.failure);
}

void TSelectRtForm::Button2Click()
{
    if (Memo2->toPlainText().isEmpty())
        Button1Click();
    const SelectionReportData data =
        selection::reportData(readForm(), resultLines(), QDateTime::currentDateTime());
    reportIfFailed(writeSelectionReport(m_xlApp, data));
}

void TSelectRtForm::N7Click()
{
    if (Memo2->toPlainText().isEmpty())
        Button1Click();
    // The library's methods give the result box's lines without writing to it.
    const SelectionForm form = readForm();
    const SelectionRun run = selection::runSelection(form);
    reportIfFailed(
        calcsheet::showSheet({form, run, checks::ofRun(form, run), QDateTime::currentDateTime()})
            .failure);
}

selection::Methods TSelectRtForm::methods()
{
    const auto size = [this](EquipmentKind kind, const SizingInputs& in, const SelectionForm&) {
        const auto& [s, r, load, inlet, outlet, resistance] = in;
        switch (kind) {
        case EquipmentKind::Hydroelevator: return PodborRG(s, r, load, inlet, outlet, resistance);
        case EquipmentKind::ControlValve: return PodborKZR(s, r, load, inlet, outlet, resistance);
        case EquipmentKind::MixingValve: return PodborKST(s, r, load, inlet, outlet, resistance);
        case EquipmentKind::Regulator: return PodborRp(s, r, load, inlet, outlet, resistance);
        }
        return SizingOutcome{};
    };
    const auto translate = [this](int unitIndex, int quantity, double value) {
        return Translate(unitIndex, quantity, value);
    };
    return {translate, size};
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
