// The menus driven from the keyboard alone, as a user without a mouse would: F10 or an
// Alt+letter mnemonic opens the menu bar, the arrows walk it, Enter picks a command. Also what
// every window's menu bar shares: a mnemonic on each top-level caption and one menu font.

#include "app/Forms.h"
#include "app/Main.h"
#include "ui/assessment/Teo.h"
#include "ui/questionnaire/Oprosnik.h"
#include "ui/selection/Gidroelevator.h"
#include "ui/shell/Messages.h"
#include "ui/shell/UiFonts.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

namespace {

// One key stroke: a key with its modifiers and the text it types.
struct Stroke {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    QString text = {};
};

// Alt with a Cyrillic letter, as the mnemonic "&Файл" makes Alt+Ф.
Stroke alt(char16_t letter)
{
    return {Qt::Key(letter), Qt::AltModifier, QString(QChar(letter)).toLower()};
}

// Sends the strokes where the keyboard goes: an open drop-down takes them, otherwise the
// widget with the focus, otherwise the active window.
void type(const QList<Stroke>& strokes)
{
    for (const Stroke& s : strokes) {
        QWidget* target = QApplication::activePopupWidget();
        if (!target)
            target = QApplication::focusWidget();
        if (!target)
            target = QApplication::activeWindow();
        QVERIFY(target);
        QTest::sendKeyEvent(QTest::Click, target, s.key, s.text, s.modifiers);
        QApplication::processEvents();
    }
}

QWidget* windowNamed(const QString& name)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == name)
            return w;
    return nullptr;
}

bool activate(QWidget* window)
{
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

} // namespace

Q_DECLARE_METATYPE(QList<Stroke>)

class MenuKeyboardTest : public QObject {
    Q_OBJECT

private:
    QStringList m_shown;

private slots:
    void initTestCase()
    {
        messages::setHook([this](const messages::Shown& s) { m_shown << s.text; });
        createForms();
        MainForm->show();
        QVERIFY(activate(MainForm));
    }

    void cleanupTestCase() { destroyForms(); }

    void init() { m_shown.clear(); }

    void cleanup()
    {
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
        for (QWidget* w : {static_cast<QWidget*>(SelectRtForm), static_cast<QWidget*>(TexOb),
                           static_cast<QWidget*>(OprList)})
            if (w->isVisible())
                w->close();
        QVERIFY(MainForm->isEnabled());
        QVERIFY(activate(MainForm));
    }

    // The main window opens its work windows from the keyboard.
    void mainWindowOpensWorkWindows_data()
    {
        QTest::addColumn<QList<Stroke>>("strokes");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("title");
        // F10 opens "Файл"; Right moves on to "Подбор оборудования" with its first command.
        QTest::newRow("F10, Right, Enter")
            << QList<Stroke>{{Qt::Key_F10}, {Qt::Key_Right}, {Qt::Key_Return}} << "SelectRtForm"
            << "Регулирующий гидроэлеватор";
        QTest::newRow("F10, Right, Down, Down, Enter") << QList<Stroke>{{Qt::Key_F10},
                                                                        {Qt::Key_Right},
                                                                        {Qt::Key_Down},
                                                                        {Qt::Key_Down},
                                                                        {Qt::Key_Return}}
                                                       << "SelectRtForm"
                                                       << "Клапан смесительный трехходовой";
        QTest::newRow("Alt+З, Down, Enter")
            << QList<Stroke>{alt(u'З'), {Qt::Key_Down}, {Qt::Key_Return}} << "OprList"
            << "Опросный лист блочного теплового пункта";
        // The arrows pass a command of the bar itself on the way: Enter runs it.
        QTest::newRow("F10, Right x3, Enter") << QList<Stroke>{{Qt::Key_F10},
                                                               {Qt::Key_Right},
                                                               {Qt::Key_Right},
                                                               {Qt::Key_Right},
                                                               {Qt::Key_Return}}
                                              << "TexOb"
                                              << "Технико-экономическое обоснование";
        // A command of the bar itself runs at once.
        QTest::newRow("Alt+Т") << QList<Stroke>{alt(u'Т')} << "TexOb"
                               << "Технико-экономическое обоснование";
        QTest::newRow("Alt+П, Up, Enter")
            << QList<Stroke>{alt(u'П'), {Qt::Key_Up}, {Qt::Key_Return}} << "SelectRtForm"
            << "Регулятор давления и перепада";
    }

    void mainWindowOpensWorkWindows()
    {
        QFETCH(QList<Stroke>, strokes);
        QFETCH(QString, window);
        QFETCH(QString, title);
        type(strokes);
        QWidget* opened = windowNamed(window);
        QVERIFY(opened);
        QTRY_VERIFY(opened->isVisible());
        QCOMPARE(opened->windowTitle(), title);
        QVERIFY(!MainForm->isEnabled());
        QVERIFY(m_shown.isEmpty());
    }

    // Escape leaves the menu without running anything, and the keyboard goes back where it was.
    void escapeLeavesTheMenu_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QList<Stroke>>("strokes");
        // The first Escape closes the drop-down and leaves its title current, the second leaves
        // the bar.
        QTest::newRow("assessment, F10, Down, Escape x2")
            << "TexOb"
            << QList<Stroke>{{Qt::Key_F10}, {Qt::Key_Down}, {Qt::Key_Escape}, {Qt::Key_Escape}};
        QTest::newRow("assessment, Alt+Ф, Escape x2")
            << "TexOb" << QList<Stroke>{alt(u'Ф'), {Qt::Key_Escape}, {Qt::Key_Escape}};
        // The selection window's "Файл" as the assessment's; then its command "Выход" of the
        // bar itself: one Escape.
        QTest::newRow("selection, F10, Down, Escape x2")
            << "SelectRtForm"
            << QList<Stroke>{{Qt::Key_F10}, {Qt::Key_Down}, {Qt::Key_Escape}, {Qt::Key_Escape}};
        QTest::newRow("selection, F10, Right, Escape")
            << "SelectRtForm" << QList<Stroke>{{Qt::Key_F10}, {Qt::Key_Right}, {Qt::Key_Escape}};
    }

    void escapeLeavesTheMenu()
    {
        QFETCH(QString, window);
        QFETCH(QList<Stroke>, strokes);
        auto* w = qobject_cast<QMainWindow*>(windowNamed(window));
        QVERIFY(w);
        windowprotocol::openWorkWindow(w);
        QVERIFY(activate(w));
        QWidget* edit = w->findChild<QWidget*>("Edit3");
        edit->setFocus();
        type(strokes);
        QTRY_VERIFY(!QApplication::activePopupWidget());
        QCOMPARE(QApplication::focusWidget(), edit);
        QVERIFY(!w->menuBar()->activeAction());
        QVERIFY(w->isVisible());
        QVERIFY(m_shown.isEmpty());
    }

    // The work windows' own menus close them from the keyboard, as "Выход" does.
    void workWindowsCloseFromTheKeyboard_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QList<Stroke>>("strokes");
        // The selection window's bar holds the command itself after "Файл": F10 highlights
        // "Файл", Right the command, Enter runs it.
        QTest::newRow("selection, F10, Right, Enter")
            << "SelectRtForm" << QList<Stroke>{{Qt::Key_F10}, {Qt::Key_Right}, {Qt::Key_Return}};
        QTest::newRow("selection, Alt+В") << "SelectRtForm" << QList<Stroke>{alt(u'В')};
        // "Файл": save, load, a separator, exit.
        QTest::newRow("assessment, F10, Down x3, Enter")
            << "TexOb"
            << QList<Stroke>{
                   {Qt::Key_F10}, {Qt::Key_Down}, {Qt::Key_Down}, {Qt::Key_Down}, {Qt::Key_Return}};
        QTest::newRow("assessment, Alt+Ф, Up, Enter")
            << "TexOb" << QList<Stroke>{alt(u'Ф'), {Qt::Key_Up}, {Qt::Key_Return}};
    }

    void workWindowsCloseFromTheKeyboard()
    {
        QFETCH(QString, window);
        QFETCH(QList<Stroke>, strokes);
        QWidget* w = windowNamed(window);
        QVERIFY(w);
        windowprotocol::openWorkWindow(w);
        QVERIFY(activate(w));
        type(strokes);
        QTRY_VERIFY(!w->isVisible());
        QVERIFY(MainForm->isEnabled());
        QVERIFY(m_shown.isEmpty());
    }

    // Every top-level caption of every menu bar has its own Alt+letter; the bars and their
    // drop-downs share one font.
    void everyMenuBarHasMnemonicsAndTheMenuFont()
    {
        for (QMainWindow* window :
             {static_cast<QMainWindow*>(MainForm), static_cast<QMainWindow*>(SelectRtForm),
              static_cast<QMainWindow*>(TexOb)}) {
            QMenuBar* bar = window->menuBar();
            QSet<QChar> letters;
            for (QAction* a : bar->actions()) {
                const QString text = a->text();
                const qsizetype amp = text.indexOf(u'&');
                QVERIFY2(amp >= 0 && amp + 1 < text.size(), qPrintable(text));
                const QChar letter = text.at(amp + 1).toUpper();
                QVERIFY2(letter.isLetter() && !letters.contains(letter), qPrintable(text));
                letters.insert(letter);
            }
            QCOMPARE(bar->font(), uifonts::menuFont());
            for (QMenu* menu : bar->findChildren<QMenu*>())
                QCOMPARE(menu->font(), uifonts::menuFont());
        }
    }
};

QTEST_MAIN(MenuKeyboardTest)
#include "MenuKeyboardTest.moc"
