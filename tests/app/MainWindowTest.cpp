// The main window and the work-window protocol, driven as a user would: menu commands,
// picture clicks, the work windows' own exit commands, the status bar and its clock.

#include "app/Forms.h"
#include "app/InfoZavod.h"
#include "app/Kontakts.h"
#include "app/Main.h"
#include "app/StatusPanel.h"
#include "core/PlantInfo.h"
#include "core/Regional.h"
#include "ui/assessment/Teo.h"
#include "ui/questionnaire/Oprosnik.h"
#include "ui/selection/Gidroelevator.h"
#include "ui/shell/Messages.h"
#include "ui/shell/PictureBox.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QWindow>

using app::StatusPanel;
using shell::PictureBox;

namespace {

QWidget* workWindow(const QString& name)
{
    const QHash<QString, QWidget*> windows{{"SelectRtForm", SelectRtForm},
                                           {"OprList", OprList},
                                           {"TexOb", TexOb},
                                           {"Kontakt", Kontakt},
                                           {"InfoForm", InfoForm}};
    return windows.value(name);
}

QList<QWidget*> workWindows() { return {SelectRtForm, OprList, TexOb, Kontakt, InfoForm}; }

// Runs a command of the main window by its component name: a menu item is triggered, a
// picture is clicked with the mouse.
bool activate(const QString& name)
{
    if (auto* action = MainForm->findChild<QAction*>(name)) {
        action->trigger();
        return true;
    }
    if (auto* box = MainForm->findChild<PictureBox*>(name)) {
        QTest::mouseClick(box, Qt::LeftButton, {}, box->rect().center());
        return true;
    }
    return false;
}

// The work window's own way out: a menu item or a button of that window.
bool useExit(QWidget* window, const QString& name)
{
    if (name == "close()")
        return window->close();
    if (auto* action = window->findChild<QAction*>(name)) {
        action->trigger();
        return true;
    }
    if (auto* button = window->findChild<QAbstractButton*>(name)) {
        button->click();
        return true;
    }
    return false;
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    QStringList m_shown;

    void closeAllWorkWindows()
    {
        for (QWidget* w : workWindows())
            if (w->isVisible())
                w->close();
        QVERIFY(MainForm->isEnabled());
    }

private slots:
    void initTestCase()
    {
        messages::setHook([this](const messages::Shown& s) { m_shown << s.text; });
        createForms();
        MainForm->show();
        QVERIFY(QTest::qWaitForWindowExposed(MainForm));
    }

    void cleanupTestCase() { destroyForms(); }

    void init() { m_shown.clear(); }
    void cleanup() { closeAllWorkWindows(); }

    void startsWithOnlyTheMainWindowShown()
    {
        QCOMPARE(MainForm->windowTitle(), plant::programTitle());
        QVERIFY(MainForm->isEnabled());
        for (QWidget* w : workWindows())
            QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
    }

    void mainWindowIsFixedWithoutMaximise()
    {
        const QSize client(MainForm->centralWidget()->width(),
                           MainForm->centralWidget()->height() + MainForm->statusBar()->height());
        QCOMPARE(client, QSize(953, 425));
        QCOMPARE(MainForm->statusBar()->height(), 19);
        QCOMPARE(MainForm->minimumSize(), MainForm->maximumSize());
        QVERIFY(!(MainForm->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(MainForm->windowFlags() & Qt::WindowMinimizeButtonHint);
    }

    void menuTree_data()
    {
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::newRow("N1") << ""
                            << "N1"
                            << "Файл";
        QTest::newRow("N9") << "N1"
                            << "N9"
                            << "Выход";
        QTest::newRow("N3") << ""
                            << "N3"
                            << "Подбор оборудования";
        QTest::newRow("N12") << "N3"
                             << "N12"
                             << "Регулирующие гидроэлеваторы  (ЭЖ)";
        QTest::newRow("N13") << "N3"
                             << "N13"
                             << "Запорнорегулирующие клапана (ТВМ)";
        QTest::newRow("N14") << "N3"
                             << "N14"
                             << "Смесительные клапана (ЛНВ)";
        QTest::newRow("N27") << "N3"
                             << "N27"
                             << "Регулятор перепада давления";
        QTest::newRow("N4") << ""
                            << "N4"
                            << "Заполнение опросноых листов";
        QTest::newRow("N35") << "N4"
                             << "N35"
                             << "Индивидуальный тепловой пункт";
        QTest::newRow("N36") << "N4"
                             << "N36"
                             << "Блочный тепловой пункт";
        QTest::newRow("N2") << "N4"
                            << "N2"
                            << "Пластинчатый теплообменник";
        QTest::newRow("N44") << ""
                             << "N44"
                             << "ТЭО";
        QTest::newRow("hhhhhhh1") << ""
                                  << "hhhhhhh1"
                                  << "Помощь";
        QTest::newRow("N5") << "hhhhhhh1"
                            << "N5"
                            << "Информация о заводе";
        QTest::newRow("N10") << "hhhhhhh1"
                             << "N10"
                             << "Контакты";
        QTest::newRow("N11") << "hhhhhhh1"
                             << "N11"
                             << "Информация о программе";
        QTest::newRow("NGuide") << "hhhhhhh1"
                                << "NGuide"
                                << "Руководство пользователя";
    }

    void menuTree()
    {
        QFETCH(QString, parent);
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QMenuBar* bar = MainForm->findChild<QMenuBar*>("MainMenu1");
        QVERIFY(bar);
        auto* action = MainForm->findChild<QAction*>(name);
        QVERIFY(action);
        QCOMPARE(QString(action->text()).remove(u'&'), caption);
        const QList<QAction*> siblings =
            parent.isEmpty() ? bar->actions() : MainForm->findChild<QMenu*>(parent)->actions();
        QVERIFY(siblings.contains(action));
        // Only the bar's own command has no drop-down.
        if (parent.isEmpty())
            QCOMPARE(action->menu() == nullptr, name == "N44");
    }

    void menuBarOrder()
    {
        QStringList names;
        for (QAction* a : MainForm->menuBar()->actions())
            names << a->objectName();
        QCOMPARE(names, QStringList({"N1", "N3", "N4", "N44", "hhhhhhh1"}));
    }

    // Each command disables the main window, sets the title where it has one and shows its
    // window; pictures and their menu twins give the same title.
    void commandsOpenWorkWindows_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("title"); // empty: the window keeps its own
        const QString elevator = "Регулирующий гидроэлеватор";
        const QString control = "Запорно-регулирующий клапан";
        const QString mixing = "Клапан смесительный трехходовой";
        const QString regulator = "Регулятор давления и перепада";
        QTest::newRow("Image5") << "Image5"
                                << "SelectRtForm" << elevator;
        QTest::newRow("N12") << "N12"
                             << "SelectRtForm" << elevator;
        QTest::newRow("Image1") << "Image1"
                                << "SelectRtForm" << control;
        QTest::newRow("N13") << "N13"
                             << "SelectRtForm" << control;
        QTest::newRow("Image4") << "Image4"
                                << "SelectRtForm" << mixing;
        QTest::newRow("N14") << "N14"
                             << "SelectRtForm" << mixing;
        QTest::newRow("N27") << "N27"
                             << "SelectRtForm" << regulator;
        QTest::newRow("Image10") << "Image10"
                                 << "SelectRtForm" << regulator;
        QTest::newRow("N35") << "N35"
                             << "OprList"
                             << "Опросный лист индивидульного теплового пункта";
        QTest::newRow("N36") << "N36"
                             << "OprList"
                             << "Опросный лист блочного теплового пункта";
        QTest::newRow("N2") << "N2"
                            << "OprList"
                            << "Опросный лист пластинчатого теплообменника";
        QTest::newRow("N44") << "N44"
                             << "TexOb"
                             << "";
        QTest::newRow("N10") << "N10"
                             << "Kontakt"
                             << "";
        QTest::newRow("N5") << "N5"
                            << "InfoForm"
                            << "";
    }

    void commandsOpenWorkWindows()
    {
        QFETCH(QString, command);
        QFETCH(QString, window);
        QFETCH(QString, title);
        QWidget* w = workWindow(window);
        const QString ownTitle = w->windowTitle();
        QVERIFY(activate(command));
        QVERIFY(!MainForm->isEnabled());
        QVERIFY(w->isVisible());
        QCOMPARE(w->windowTitle(), title.isEmpty() ? ownTitle : title);
        QVERIFY(m_shown.isEmpty());
        w->close();
        QVERIFY(MainForm->isEnabled());
        QVERIFY(!w->isVisible());
    }

    void disabledMainWindowIgnoresPictureClicks()
    {
        QVERIFY(activate("Image5"));
        QVERIFY(activate("Image1"));
        QCOMPARE(SelectRtForm->windowTitle(), QString("Регулирующий гидроэлеватор"));
        QVERIFY(!MainForm->isEnabled());
        SelectRtForm->close();
        // Input is taken again after the close.
        QVERIFY(activate("Image1"));
        QCOMPARE(SelectRtForm->windowTitle(), QString("Запорно-регулирующий клапан"));
    }

    void picturesAndLabelsWithoutCommandDoNothing()
    {
        QStringList inert{"Image2", "Image3", "Image6",  "Image7",
                          "Image8", "Image9", "Image11", "Image12"};
        for (const QString& name : inert)
            QVERIFY2(activate(name), qPrintable(name));
        for (int i = 1; i <= 14; ++i) {
            auto* label = MainForm->findChild<QLabel*>(QString("Label%1").arg(i));
            QVERIFY(label);
            QTest::mouseClick(label, Qt::LeftButton, {}, label->rect().center());
        }
        QVERIFY(MainForm->isEnabled());
        for (QWidget* w : workWindows())
            QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
    }

    void productCaptionsAreWhollyInsideTheWindow()
    {
        for (int i = 1; i <= 14; ++i) {
            auto* label = MainForm->findChild<QLabel*>(QString("Label%1").arg(i));
            const int needed = label->fontMetrics().horizontalAdvance(label->text());
            QVERIFY2(label->width() >= needed, qPrintable(label->text()));
            QVERIFY2(label->geometry().right() < 953, qPrintable(label->text()));
            QCOMPARE(label->palette().color(QPalette::WindowText), QColor(Qt::red));
        }
    }

    // However a work window is closed, the main window takes input again and the work window
    // is only hidden.
    void everyWayOfClosingEnablesTheMainWindow_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("exit");
        const QList<std::pair<QString, QString>> openers{{"N12", "SelectRtForm"},
                                                         {"N35", "OprList"},
                                                         {"N44", "TexOb"},
                                                         {"N10", "Kontakt"},
                                                         {"N5", "InfoForm"}};
        for (const auto& [command, window] : openers)
            QTest::addRow("%s close box", qPrintable(window)) << command << window << "close()";
        QTest::newRow("SelectRtForm N4") << "N12"
                                         << "SelectRtForm"
                                         << "N4";
        QTest::newRow("SelectRtForm BitBtn1") << "N12"
                                              << "SelectRtForm"
                                              << "BitBtn1";
        QTest::newRow("TexOb N5") << "N44"
                                  << "TexOb"
                                  << "N5";
        QTest::newRow("OprList BitBtn1") << "N35"
                                         << "OprList"
                                         << "BitBtn1";
        QTest::newRow("OprList BitBtn2") << "N36"
                                         << "OprList"
                                         << "BitBtn2";
        QTest::newRow("OprList BitBtn3") << "N2"
                                         << "OprList"
                                         << "BitBtn3";
        QTest::newRow("InfoForm BitBtn1") << "N5"
                                          << "InfoForm"
                                          << "BitBtn1";
    }

    void everyWayOfClosingEnablesTheMainWindow()
    {
        QFETCH(QString, command);
        QFETCH(QString, window);
        QFETCH(QString, exit);
        QWidget* w = workWindow(window);
        QVERIFY(activate(command));
        QVERIFY(!MainForm->isEnabled());
        // A renamed or missing exit command fails: every row names a control the window has.
        const bool used = useExit(w, exit);
        if (!used)
            w->close();
        QVERIFY2(used, qPrintable(window + " has no exit command " + exit));
        QVERIFY(MainForm->isEnabled());
        QVERIFY(!w->isVisible());
        QVERIFY(m_shown.isEmpty());
        // Hidden, not destroyed: the same window opens again.
        QVERIFY(activate(command));
        QCOMPARE(workWindow(window), w);
        QVERIFY(w->isVisible());
    }

    void aboutMessageLeavesTheMainWindowUsable()
    {
        const QString about = "Версия программы 2.03. Дата создания 01.07.2013";
        QVERIFY(activate("N11"));
        QVERIFY(activate("N11"));
        QCOMPARE(m_shown, QStringList({about, about}));
        QVERIFY(MainForm->isEnabled());
        for (QWidget* w : workWindows())
            QVERIFY(!w->isVisible());
    }

    void exitClosesTheMainWindow()
    {
        TMainForm form;
        form.show();
        QSignalSpy closed(&form, &TMainForm::closed);
        form.findChild<QAction*>("N9")->trigger();
        QCOMPARE(closed.count(), 1);
        QVERIFY(!form.isVisible());
    }

    // The title-bar close box: it ends the program only while the main window takes input.
    void closeBoxOfTheMainWindow_data()
    {
        QTest::addColumn<bool>("enabled");
        QTest::newRow("enabled") << true;
        QTest::newRow("disabled, a work window open") << false;
    }

    void closeBoxOfTheMainWindow()
    {
        QFETCH(bool, enabled);
        TMainForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.setEnabled(enabled);
        QSignalSpy closed(&form, &TMainForm::closed);
        form.windowHandle()->close(); // as the window system delivers the close box
        QCOMPARE(closed.count(), enabled ? 1 : 0);
        QCOMPARE(form.isVisible(), !enabled);
    }

    // A window opened over the main window is centred on it at every opening, also after the
    // main window has been moved.
    void informationWindowsOpenOverTheMainWindow_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("window");
        QTest::newRow("Kontakt") << "N10"
                                 << "Kontakt";
        QTest::newRow("InfoForm") << "N5"
                                  << "InfoForm";
    }

    void informationWindowsOpenOverTheMainWindow()
    {
        QFETCH(QString, command);
        QFETCH(QString, window);
        QWidget* w = workWindow(window);
        const QPoint home = MainForm->pos();
        for (const QPoint shift : {QPoint(0, 0), QPoint(120, 60)}) {
            MainForm->move(home + shift);
            QVERIFY(activate(command));
            const QPoint offset = w->frameGeometry().center() - MainForm->frameGeometry().center();
            QVERIFY2(offset.manhattanLength() <= 2,
                     qPrintable(QString("%1,%2").arg(offset.x()).arg(offset.y())));
            w->close();
        }
        MainForm->move(home);
    }

    void statusBarPanels()
    {
        TMainForm form;
        QCOMPARE(form.panelText(0), QString());
        QCOMPARE(form.panelText(1), regional::shortDate(QDate::currentDate()));
        QCOMPARE(form.panelText(2), QString("   Мы системно решаем вопросы экономного "
                                            "теплоснабжения и диспетчиризации на Ваших объектах."));
        QCOMPARE(form.panelText(3), "Сайт Компании:  " + plant::webAddress());

        const QString before = regional::longTime(QTime::currentTime());
        form.Timer1Timer();
        const QString after = regional::longTime(QTime::currentTime());
        QVERIFY2(form.panelText(0) == before || form.panelText(0) == after,
                 qPrintable(form.panelText(0)));

        const int widths[] = {80, 80, 600};
        for (int i = 0; i < 3; ++i)
            QCOMPARE(form.findChild<QLabel*>(QString("StatusBar1Panel%1").arg(i))->width(),
                     widths[i]);
        QVERIFY(form.findChild<QLabel*>("StatusBar1Panel3")->minimumWidth() >= 50);
    }

    void clockTicksEverySecond()
    {
        TMainForm form;
        auto* timer = form.findChild<QTimer*>("Timer1");
        QVERIFY(timer);
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 1000);
        QTRY_VERIFY_WITH_TIMEOUT(!form.panelText(0).isEmpty(), 3000);
    }

    void statusPanelShortensWhatDoesNotFit()
    {
        StatusPanel panel;
        panel.setFixedWidth(40);
        panel.show();
        panel.setFullText("Сайт Компании:  vedan.example");
        QCOMPARE(panel.fullText(), QString("Сайт Компании:  vedan.example"));
        QVERIFY(panel.text() != panel.fullText());
        QCOMPARE(panel.toolTip(), panel.fullText());
        panel.setFixedWidth(400);
        QCOMPARE(panel.text(), panel.fullText());
        QVERIFY(panel.toolTip().isEmpty());
    }

    void contactsWindow()
    {
        QVERIFY(activate("N10"));
        QCOMPARE(Kontakt->windowTitle(), QString("Контакты"));
        QCOMPARE(Kontakt->size(), QSize(740, 441));
        QVERIFY(Kontakt->minimumSize() != Kontakt->maximumSize());
        QVERIFY(!(Kontakt->windowFlags() & Qt::WindowMinimizeButtonHint));
        const QRect memo1(0, 0, 369, 441);
        const QRect memo2(376, 0, 361, 441);
        auto* m1 = Kontakt->findChild<QPlainTextEdit*>("Memo1");
        auto* m2 = Kontakt->findChild<QPlainTextEdit*>("Memo2");
        QVERIFY(m1 && m2);
        QVERIFY(m1->isReadOnly() && m2->isReadOnly());
        QCOMPARE(m1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QVERIFY(m1->toPlainText().startsWith(plant::fullName()));
        QVERIFY(m1->toPlainText().contains(plant::faxNumber()));
        QVERIFY(m1->toPlainText().contains(plant::email()));
        QCOMPARE(m2->toPlainText().split('\n'), plant::representativesText());
        Kontakt->resize(900, 600);
        QCOMPARE(m1->geometry(), memo1);
        QCOMPARE(m2->geometry(), memo2);
        Kontakt->resize(740, 441);
    }

    void plantInformationWindow()
    {
        QVERIFY(activate("N5"));
        QCOMPARE(InfoForm->windowTitle(), QString("Информация о заводе"));
        QCOMPARE(InfoForm->centralWidget()->size(), QSize(937, 441));
        QCOMPARE(InfoForm->minimumSize(), InfoForm->maximumSize());
        auto* memo = InfoForm->findChild<QPlainTextEdit*>("Memo1");
        QVERIFY(memo && memo->isReadOnly());
        QCOMPARE(memo->toPlainText().split('\n'), plant::historyText());
        auto* photo = InfoForm->findChild<PictureBox*>("Image1");
        QVERIFY(photo && photo->proportional() && photo->stretch());
        // The slogan stays clear of the history memo.
        for (const char* name : {"Label1", "Label2", "Label3"}) {
            auto* label = InfoForm->findChild<QLabel*>(name);
            QVERIFY(label->geometry().right() < memo->geometry().left());
            QVERIFY(label->width() >= label->fontMetrics().horizontalAdvance(label->text()));
        }
        auto* close = InfoForm->findChild<QAbstractButton*>("BitBtn1");
        QVERIFY(close && !close->icon().isNull());
        QCOMPARE(close->geometry(), QRect(0, 424, 937, 17));
        QTest::mouseClick(close, Qt::LeftButton);
        QVERIFY(!InfoForm->isVisible());
        QVERIFY(MainForm->isEnabled());
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
