#include "app/Main.h"

#include "app/InfoZavod.h"
#include "app/Kontakts.h"
#include "app/StatusPanel.h"
#include "assessment/Teo.h"
#include "core/PlantInfo.h"
#include "core/Regional.h"
#include "questionnaire/Oprosnik.h"
#include "questionnaire/Panels.h"
#include "selection/EquipmentKinds.h"
#include "selection/Gidroelevator.h"
#include "shell/Centring.h"
#include "shell/Messages.h"
#include "shell/PictureBox.h"
#include "shell/Pictures.h"
#include "shell/UiFonts.h"
#include "shell/WorkWindow.h"

#include <QCloseEvent>
#include <QLayout>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>

TMainForm* MainForm = nullptr;

namespace {

constexpr int kClientWidth = 953;
constexpr int kClientHeight = 425;
constexpr int kStatusBarHeight = 19;
constexpr int kClockInterval = 1000;

using Handler = void (TMainForm::*)();

// The menu tree: a row without a parent stands on the menu bar; a bar row with a handler is a
// command of the bar itself, without a drop-down.
struct MenuRow {
    const char* parent;
    const char* name;
    const char* caption;
    Handler handler;
};

const MenuRow kMenu[] = {
    {nullptr, "N1", "Файл", nullptr},
    {"N1", "N9", "Выход", &TMainForm::N9Click},
    {nullptr, "N3", "Подбор оборудования", nullptr},
    {"N3", "N12", "Регулирующие гидроэлеваторы  (ЭЖ)", &TMainForm::N12Click},
    {"N3", "N13", "Запорнорегулирующие клапана (ТВМ)", &TMainForm::N13Click},
    {"N3", "N14", "Смесительные клапана (ЛНВ)", &TMainForm::N14Click},
    {"N3", "N27", "Регулятор перепада давления", &TMainForm::N27Click},
    {nullptr, "N4", "Заполнение опросноых листов", nullptr},
    {"N4", "N35", "Индивидуальный тепловой пункт", &TMainForm::N35Click},
    {"N4", "N36", "Блочный тепловой пункт", &TMainForm::N36Click},
    {"N4", "N2", "Пластинчатый теплообменник", &TMainForm::N2Click},
    {nullptr, "N44", "ТЭО", &TMainForm::N44Click},
    {nullptr, "hhhhhhh1", "Помощь", nullptr},
    {"hhhhhhh1", "N5", "Информация о заводе", &TMainForm::N5Click},
    {"hhhhhhh1", "N10", "Контакты", &TMainForm::N10Click},
    {"hhhhhhh1", "N11", "Информация о программе", &TMainForm::N11Click},
};

// The picture board: image<number>.jpg in its box; four pictures are commands.
struct PictureRow {
    int number;
    int left, top, width, height;
    bool proportional;
    bool stretch;
    Handler click;
};

const PictureRow kPictures[] = {
    {1, 168, 72, 81, 193, true, false, &TMainForm::Image1Click},
    {2, 0, 0, 97, 97, true, false, nullptr},
    {3, 464, 280, 105, 113, true, true, nullptr},
    {4, 256, 104, 89, 201, true, false, &TMainForm::Image4Click},
    {5, 88, 32, 73, 177, true, false, &TMainForm::Image5Click},
    {6, 352, 152, 105, 201, true, true, nullptr},
    {7, 584, -8, 137, 89, true, true, nullptr},
    {8, 464, 184, 105, 89, true, true, nullptr},
    {9, 672, 32, 89, 73, true, true, nullptr},
    {10, 792, 72, 81, 113, true, true, &TMainForm::Image10Click},
    {11, 576, 224, 105, 105, true, true, nullptr},
    {12, 0, 224, 257, 185, false, true, nullptr},
};

// The product captions (red); Label10, Label12 and Label13 read as one caption in three lines.
struct LabelRow {
    int number;
    int left, top;
    const char* caption;
};

const LabelRow kLabels[] = {
    {1, 88, 0, "Регулятор температуры"},
    {2, 168, 32, "Регулирующий гидроэлеватор"},
    {3, 256, 72, "Запорнорегулирующий клапан"},
    {4, 352, 112, "Клапан смесительный трехходовой"},
    {5, 464, 152, "Пластинчатый теплообменник"},
    {6, 688, 0, "Шаровый кран"},
    {7, 264, 336, "БТП"},
    {8, 584, 192, "Фильтр сетчатый магнитный"},
    {9, 688, 232, "Фильтр грязеотделитель"},
    {10, 816, 72, "Регулятор"},
    {11, 568, 336, "Шкаф пускозащитной аппаратуры"},
    {12, 832, 96, "перепада"},
    {13, 848, 128, "давления"},
    {14, 760, 40, "Клапан обратный"},
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
        WindowProtocol::openWorkWindow(window, command.caption);
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
    setFont(uiFonts::windowFont());

    auto* board = new QWidget(this);
    board->setObjectName(QStringLiteral("board"));
    board->setFixedSize(kClientWidth, kClientHeight - kStatusBarHeight);
    board->setAutoFillBackground(true);
    QPalette white = board->palette();
    white.setColor(QPalette::Window, Qt::white);
    board->setPalette(white);
    setCentralWidget(board);

    buildMenu();
    buildPictures(board);
    buildLabels(board);
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
    // The menus keep the desktop's menu font, as their drop-downs do.
    bar->setFont(QFont());
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
    }
}

void TMainForm::buildPictures(QWidget* board)
{
    for (const PictureRow& row : kPictures) {
        auto* box = new PictureBox(board);
        box->setObjectName(QStringLiteral("Image%1").arg(row.number));
        box->setGeometry(row.left, row.top, row.width, row.height);
        box->setProportional(row.proportional);
        box->setStretch(row.stretch);
        box->setImageFile(QStringLiteral("image%1.jpg").arg(row.number));
        if (row.click) {
            box->setCursor(Qt::PointingHandCursor);
            connect(box, &PictureBox::clicked, this, row.click);
        }
    }
}

void TMainForm::buildLabels(QWidget* board)
{
    const QFont font = uiFonts::productCaption();
    for (const LabelRow& row : kLabels) {
        auto* label = new QLabel(QString::fromUtf8(row.caption), board);
        label->setObjectName(QStringLiteral("Label%1").arg(row.number));
        // A caption ends inside the window.
        label->setFont(uiFonts::fittedTo(font, label->text(), kClientWidth - 2 - row.left));
        QPalette red = label->palette();
        red.setColor(QPalette::WindowText, Qt::red);
        label->setPalette(red);
        label->move(row.left, row.top);
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
void TMainForm::N11Click() { Messages::show(QString::fromUtf8(kAboutText)); }
void TMainForm::N9Click() { close(); }

void TMainForm::closeEvent(QCloseEvent* event)
{
    // While a work window is open the main window takes no input, its title-bar close box
    // included: the user is passed on to the open window instead.
    if (!isEnabled()) {
        event->ignore();
        WindowProtocol::bringOpenWindowForward();
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
        WindowProtocol::bringOpenWindowForward();
}

void TMainForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!m_placed) {
        centring::centreOn(this, centring::screenArea());
        m_placed = true;
    }
}
