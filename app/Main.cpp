#include "app/Main.h"

#include "app/InfoZavod.h"
#include "app/Kontakts.h"
#include "app/StatusPanel.h"
#include "core/Guide.h"
#include "core/PlantInfo.h"
#include "core/Regional.h"
#include "questionnaire/Panels.h"
#include "selection/EquipmentKinds.h"
#include "ui/assessment/Teo.h"
#include "ui/questionnaire/Oprosnik.h"
#include "ui/selection/Gidroelevator.h"
#include "ui/shell/Centring.h"
#include "ui/shell/HelpWindow.h"
#include "ui/shell/MenuBar.h"
#include "ui/shell/Messages.h"
#include "ui/shell/PictureBox.h"
#include "ui/shell/Pictures.h"
#include "ui/shell/UiFonts.h"
#include "ui/shell/WorkWindow.h"

#include <QCloseEvent>
#include <QLayout>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <utility>

using app::StatusPanel;
using shell::PictureBox;
using namespace selection;

TMainForm* MainForm = nullptr;

namespace {

constexpr int kStatusBarHeight = 19;
constexpr int kClockInterval = 1000;

using Handler = void (TMainForm::*)();

// The menu tree: a row without a parent stands on the menu bar; a bar row with a handler is a
// command of the bar itself, without a drop-down. A table rather than a form: the tree, its
// handlers and their menu twins of the pictures read best side by side.
struct MenuRow {
    const char* parent;
    const char* name;
    const char* caption;
    Handler handler;
    const char* shortcut = nullptr; // a name of guide::shortcuts()
};

const MenuRow kMenu[] = {
    {nullptr, "N1", "&Файл", nullptr},
    {"N1", "N9", "Выход", &TMainForm::N9Click},
    {nullptr, "N3", "&Подбор оборудования", nullptr},
    {"N3", "N12", "Регулирующие гидроэлеваторы  (ЭЖ)", &TMainForm::N12Click},
    {"N3", "N13", "Запорнорегулирующие клапана (ТВМ)", &TMainForm::N13Click},
    {"N3", "N14", "Смесительные клапана (ЛНВ)", &TMainForm::N14Click},
    {"N3", "N27", "Регулятор перепада давления", &TMainForm::N27Click},
    {nullptr, "N4", "&Заполнение опросноых листов", nullptr},
    {"N4", "N35", "Индивидуальный тепловой пункт", &TMainForm::N35Click},
    {"N4", "N36", "Блочный тепловой пункт", &TMainForm::N36Click},
    {"N4", "N2", "Пластинчатый теплообменник", &TMainForm::N2Click},
    {nullptr, "N44", "&ТЭО", &TMainForm::N44Click},
    {nullptr, "hhhhhhh1", "По&мощь", nullptr},
    {"hhhhhhh1", "N5", "Информация о заводе", &TMainForm::N5Click},
    {"hhhhhhh1", "N10", "Контакты", &TMainForm::N10Click},
    {"hhhhhhh1", "N11", "Информация о программе", &TMainForm::N11Click},
    {"hhhhhhh1", "NGuide", "Руководство пользователя", &TMainForm::NGuideClick, "Help"},
};

constexpr int kPanelWidths[] = {80, 80, 600, 50};

// A command that opens a work window, with the title it sets (the kinds of equipment and the
// questionnaires are known by their titles); without one the window keeps its own title.
struct WorkCommand {
    QWidget* (*window)();
    std::optional<QString> caption;
};

QWidget* selectionWindow() { return SelectRtForm; }
QWidget* questionnaireWindow() { return OprList; }
QWidget* assessmentWindow() { return TexOb; }
QWidget* contactsWindow() { return Kontakt; }
QWidget* plantInformationWindow() { return InfoForm; }

WorkCommand sizingOf(EquipmentKind kind) { return {selectionWindow, kinds::caption(kind)}; }

WorkCommand questionnaireOf(questionnaire::Kind kind)
{
    return {questionnaireWindow, questionnaire::panel(kind).caption};
}

void run(const WorkCommand& command)
{
    if (QWidget* window = command.window())
        windowprotocol::openWorkWindow(window, command.caption);
}

const char* const kAboutText = "Версия программы 2.03. Дата создания 01.07.2013";
const char* const kSlogan =
    "   Мы системно решаем вопросы экономного теплоснабжения и диспетчиризации на Ваших объектах.";

} // namespace

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(plant::programTitle());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint);
    setFont(uifonts::windowFont());

    auto* board = new QWidget(this);
    setCentralWidget(board);

    buildMenu();
    setupUi(board);
    board->setFixedSize(board->size());
    showPictures();
    fitCaptions(board);
    buildStatusBar();
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(kClockInterval);
    connect(Timer1, &QTimer::timeout, this, &TMainForm::Timer1Timer);
    Timer1->start();

    FormCreate();
}

void TMainForm::buildMenu()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    for (const MenuRow& row : kMenu) {
        const QString name = QString::fromLatin1(row.name);
        const QString caption = QString::fromUtf8(row.caption);
        QAction* action = nullptr;
        if (!row.parent && !row.handler) {
            QMenu* menu = bar->addMenu(caption);
            menu->setObjectName(name);
            action = menu->menuAction();
        } else if (!row.parent) {
            action = bar->addAction(caption);
        } else {
            auto* menu = bar->findChild<QMenu*>(QString::fromLatin1(row.parent));
            action = menu->addAction(caption);
        }
        action->setObjectName(name);
        if (row.handler)
            connect(action, &QAction::triggered, this, row.handler);
        if (row.shortcut)
            action->setShortcut(QKeySequence(guide::keysOf(row.shortcut)));
    }
    menubars::setUp(this);
}

// Each picture box of the form shows the file named after it (Image5: image5.jpg); four
// pictures are commands, the twins of menu commands.
void TMainForm::showPictures()
{
    for (PictureBox* box : centralWidget()->findChildren<PictureBox*>())
        box->setImageFile(box->objectName().toLower() + QStringLiteral(".jpg"));
    const std::pair<PictureBox*, Handler> commands[] = {
        {Image5, &TMainForm::Image5Click},
        {Image1, &TMainForm::Image1Click},
        {Image4, &TMainForm::Image4Click},
        {Image10, &TMainForm::Image10Click},
    };
    for (const auto& [box, click] : commands) {
        box->setCursor(Qt::PointingHandCursor);
        connect(box, &PictureBox::clicked, this, click);
    }
}

// The product captions take the caption font, drawn narrower where a stand-in face would run
// past the window's edge, and the size of their text.
void TMainForm::fitCaptions(QWidget* board)
{
    const QFont font = uifonts::productCaption();
    for (QLabel* label : board->findChildren<QLabel*>()) {
        label->setFont(uifonts::fittedTo(font, label->text(), board->width() - 2 - label->x()));
        label->adjustSize();
    }
}

void TMainForm::buildStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);
    bar->setFixedHeight(kStatusBarHeight);
    for (int i = 0; i < int(m_panels.size()); ++i) {
        auto* panel = new StatusPanel(bar);
        panel->setObjectName(QStringLiteral("StatusBar1Panel%1").arg(i));
        const bool last = i + 1 == int(m_panels.size());
        if (last) {
            // The last panel takes what the status bar has left, and at least its own width:
            // the web address is meant to be read.
            panel->setMinimumWidth(kPanelWidths[i]);
            panel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        } else {
            panel->setFixedWidth(kPanelWidths[i]);
        }
        bar->addWidget(panel, last ? 1 : 0);
        m_panels[i] = panel;
    }
}

void TMainForm::FormCreate()
{
    setPanelText(1, regional::shortDate(QDate::currentDate()));
    setPanelText(2, QString::fromUtf8(kSlogan));
    setPanelText(3, QStringLiteral("Сайт Компании:  ") + plant::webAddress());
}

void TMainForm::Timer1Timer() { setPanelText(0, regional::longTime(QTime::currentTime())); }

void TMainForm::setPanelText(int index, const QString& text)
{
    static_cast<StatusPanel*>(m_panels.at(index))->setFullText(text);
}

QString TMainForm::panelText(int index) const
{
    if (index < 0 || index >= int(m_panels.size()))
        return {};
    return static_cast<StatusPanel*>(m_panels[index])->fullText();
}

void TMainForm::Image5Click() { run(sizingOf(EquipmentKind::Hydroelevator)); }
void TMainForm::N12Click() { Image5Click(); }
void TMainForm::Image1Click() { run(sizingOf(EquipmentKind::ControlValve)); }
void TMainForm::N13Click() { Image1Click(); }
void TMainForm::Image4Click() { run(sizingOf(EquipmentKind::MixingValve)); }
void TMainForm::N14Click() { Image4Click(); }
void TMainForm::N27Click() { run(sizingOf(EquipmentKind::Regulator)); }
void TMainForm::Image10Click() { N27Click(); }
void TMainForm::N35Click() { run(questionnaireOf(questionnaire::Kind::Itp)); }
void TMainForm::N36Click() { run(questionnaireOf(questionnaire::Kind::Btp)); }
void TMainForm::N2Click() { run(questionnaireOf(questionnaire::Kind::Plate)); }
void TMainForm::N44Click() { run({assessmentWindow, std::nullopt}); }
void TMainForm::N10Click() { run({contactsWindow, std::nullopt}); }
void TMainForm::N5Click() { run({plantInformationWindow, std::nullopt}); }
void TMainForm::N11Click() { messages::show(QString::fromUtf8(kAboutText)); }

void TMainForm::NGuideClick() { helpwindow::show(QStringLiteral("index")); }
void TMainForm::N9Click() { close(); }

void TMainForm::closeEvent(QCloseEvent* event)
{
    // While a work window is open the main window takes no input, its title-bar close box
    // included: the user is passed on to the open window instead.
    if (!isEnabled()) {
        event->ignore();
        windowprotocol::bringOpenWindowForward();
        return;
    }
    QMainWindow::closeEvent(event);
    emit closed();
}

void TMainForm::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    // A click on the disabled main window activates it in the window system; the open work
    // window comes forward so that it is not lost behind it.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !isEnabled())
        windowprotocol::bringOpenWindowForward();
}

void TMainForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!m_placed) {
        centring::centreOn(this, centring::screenArea());
        m_placed = true;
    }
}
