// The keyboard in every window, driven by key events as a user types them: Tab and Shift+Tab walk
// the whole tab order of each window both ways, leave every multi-line box, and type nothing
// into it.

#include "app/Forms.h"
#include "app/Main.h"
#include "ui/shell/Messages.h"
#include "ui/shell/WorkWindow.h"

#include <QAction>
#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace {

// Whether the user can reach the widget with Tab: shown, enabled, taking the focus by Tab.
bool reachable(const QWidget* w)
{
    return w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus)
           && !w->focusProxy();
}

QString nameOf(const QWidget* w)
{
    return w ? w->objectName() + QLatin1Char(':') + QLatin1String(w->metaObject()->className())
             : QStringLiteral("(none)");
}

// Presses the key on whatever has the focus, as the window system delivers it.
void press(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
{
    QWidget* target = QApplication::focusWidget();
    QVERIFY(target);
    QTest::keyClick(target, key, modifiers);
}

// Tab pressed until the focus comes back to where it started: the widgets in the order visited.
QList<QWidget*> walk(Qt::Key key, Qt::KeyboardModifiers modifiers, int limit)
{
    QList<QWidget*> visited{QApplication::focusWidget()};
    for (int i = 0; i < limit; ++i) {
        press(key, modifiers);
        QWidget* now = QApplication::focusWidget();
        if (now == visited.front())
            break;
        visited << now;
    }
    return visited;
}

QStringList names(const QList<QWidget*>& widgets)
{
    QStringList result;
    for (const QWidget* w : widgets)
        result << nameOf(w);
    return result;
}

} // namespace

class KeyboardTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        messages::setHook([](const messages::Shown&) {});
        createForms();
        MainForm->show();
        QVERIFY(QTest::qWaitForWindowExposed(MainForm));
    }
    void cleanupTestCase() { destroyForms(); }
    void cleanup()
    {
        if (QWidget* open = windowprotocol::openWindow())
            open->close();
    }

    // Esc closes every work window, and the plant-information window, through the normal close
    // protocol (the main window is enabled again); Enter on a focused "Выход" button presses it.
    void escapeClosesAndEnterPressesTheFocusedButton_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("exitButton"); // empty: the window has no exit button
        const std::pair<const char*, const char*> windows[] = {
            {"N27", "BitBtn1"}, {"N12", "BitBtn1"}, {"N13", "BitBtn1"}, {"N14", "BitBtn1"},
            {"N44", ""},        {"N35", ""},        {"N36", ""},        {"N2", ""},
            {"N10", ""},        {"N5", "BitBtn1"},
        };
        for (const auto& [command, exit] : windows)
            QTest::newRow(command) << QString(command) << QString(exit);
    }
    void escapeClosesAndEnterPressesTheFocusedButton()
    {
        QFETCH(QString, command);
        QFETCH(QString, exitButton);
        for (const bool byEnter : {false, true}) {
            if (byEnter && exitButton.isEmpty())
                continue;
            MainForm->findChild<QAction*>(command)->trigger();
            QWidget* window = windowprotocol::openWindow();
            QVERIFY(window);
            window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(window));
            QVERIFY(!MainForm->isEnabled());
            if (byEnter) {
                auto* button = window->findChild<QPushButton*>(exitButton);
                QVERIFY2(button && button->isVisible(), qPrintable(exitButton));
                button->setFocus(Qt::TabFocusReason);
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            } else {
                QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : window,
                                Qt::Key_Escape);
            }
            QVERIFY2(!window->isVisible(), byEnter ? "Enter" : "Esc");
            QVERIFY(MainForm->isEnabled());
        }
    }

    // A row names the menu command of the main window that opens the work window and, where the
    // window's order is fixed by name, the whole cycle from its first control.
    void tabWalksTheWholeOrderBothWays_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("cycle");
        QTest::newRow("regulator")
            << QString("N27")
            << QStringList{"BitBtn1", "Edit1",   "ComboBox2", "Edit2",     "ComboBox3", "Edit3",
                           "Edit4",   "Edit5",   "ComboBox4", "Edit6",     "ComboBox1", "Button1",
                           "Memo2",   "Button2", "Memo5",     "ComboBox5", "ComboBox6"};
        // The other kinds: the same order without the regulator's choices, which their
        // descriptions cover.
        const QStringList uncovered = {
            "BitBtn1", "Edit1",     "ComboBox2", "Edit2",     "ComboBox3", "Edit3", "Edit4",
            "Edit5",   "ComboBox4", "Edit6",     "ComboBox1", "Button1",   "Memo2", "Button2"};
        QTest::newRow("hydroelevator")
            << QString("N12") << (QStringList{"BitBtn1", "Memo1"} + uncovered.mid(1));
        QTest::newRow("control valve") << QString("N13") << (uncovered + QStringList{"Memo3"});
        QTest::newRow("mixing valve") << QString("N14") << (uncovered + QStringList{"Memo4"});
        QTest::newRow("assessment") << QString("N44") << QStringList{};
        QTest::newRow("individual substation") << QString("N35") << QStringList{};
        QTest::newRow("block substation") << QString("N36") << QStringList{};
        QTest::newRow("plate heat exchanger") << QString("N2") << QStringList{};
        QTest::newRow("contacts") << QString("N10") << QStringList{};
        QTest::newRow("plant information") << QString("N5") << QStringList{};
    }
    void tabWalksTheWholeOrderBothWays()
    {
        QFETCH(QString, command);
        QFETCH(QStringList, cycle);
        MainForm->findChild<QAction*>(command)->trigger();
        QWidget* window = windowprotocol::openWindow();
        QVERIFY(window);
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));

        QList<QWidget*> expected;
        for (QWidget* w : window->findChildren<QWidget*>())
            if (reachable(w))
                expected << w;
        QVERIFY(!expected.isEmpty());
        QHash<QPlainTextEdit*, QString> texts;
        for (QPlainTextEdit* memo : window->findChildren<QPlainTextEdit*>())
            texts.insert(memo, memo->toPlainText());

        // Start from the first control of the cycle, or wherever the window puts the focus.
        QWidget* start = cycle.isEmpty() ? QApplication::focusWidget()
                                         : window->findChild<QWidget*>(cycle.front());
        if (!start || start->window() != window)
            start = expected.front();
        start->setFocus(Qt::TabFocusReason);
        QCOMPARE(QApplication::focusWidget(), start);

        const int limit = int(expected.size()) + 2;
        const QList<QWidget*> forward = walk(Qt::Key_Tab, Qt::NoModifier, limit);
        QCOMPARE(QApplication::focusWidget(), start); // the cycle closes
        QCOMPARE(forward.size(), expected.size());
        for (QWidget* w : expected)
            QVERIFY2(forward.contains(w), qPrintable(nameOf(w) + " is never reached"));
        if (!cycle.isEmpty()) {
            QStringList visited;
            for (const QWidget* w : forward)
                visited << w->objectName();
            QCOMPARE(visited, cycle);
        }

        // Shift+Tab, as the window system delivers it (Backtab) and as a test tool may (Tab with
        // Shift), goes the same way back.
        for (Qt::Key key : {Qt::Key_Backtab, Qt::Key_Tab}) {
            const QList<QWidget*> backward = walk(key, Qt::ShiftModifier, limit);
            QList<QWidget*> reversed{forward.front()};
            for (qsizetype i = forward.size() - 1; i > 0; --i)
                reversed << forward[i];
            QCOMPARE(names(backward), names(reversed));
        }

        for (auto it = texts.constBegin(); it != texts.constEnd(); ++it)
            QVERIFY2(it.key()->toPlainText() == it.value(),
                     qPrintable(it.key()->objectName() + " took a key"));
    }

    // Sixteen presses of Tab in the regulator description never type into it.
    void tabNeverTypesIntoAMemo()
    {
        MainForm->findChild<QAction*>("N27")->trigger();
        QWidget* window = windowprotocol::openWindow();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        auto* memo = window->findChild<QPlainTextEdit*>("Memo5");
        QVERIFY(!memo->isReadOnly());
        const QString before = memo->toPlainText();
        memo->setFocus(Qt::TabFocusReason);
        for (int i = 0; i < 16; ++i) {
            memo->setFocus(Qt::TabFocusReason);
            press(Qt::Key_Tab);
            QVERIFY(QApplication::focusWidget() != memo);
        }
        QCOMPARE(memo->toPlainText(), before);
        QVERIFY(!memo->toPlainText().contains(QLatin1Char('\t')));
    }
};

QTEST_MAIN(KeyboardTest)
#include "KeyboardTest.moc"
