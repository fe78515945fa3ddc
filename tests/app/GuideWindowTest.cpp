// The user's guide in its window, driven by key events as a user types them: F1 in each window
// opens that window's chapter (on a selected check, the check's row), back and forward walk the
// pages seen, Ctrl+F finds a word, and Esc closes the find bar, then the window.

#include "app/Forms.h"
#include "app/Main.h"
#include "ui/selection/Gidroelevator.h"
#include "ui/shell/HelpWindow.h"
#include "ui/shell/Messages.h"
#include "ui/shell/WorkWindow.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTreeWidget>

namespace {

HelpWindow* help() { return HelpWindow::instance(); }

// The page the guide shows: "checks.html#check-valve.cavitation", or "checks.html".
QString shown()
{
    const QUrl source = help()->browser()->source();
    const QString page = QFileInfo(source.toLocalFile()).fileName();
    return source.hasFragment() ? page + QLatin1Char('#') + source.fragment() : page;
}

// The window made active and the key pressed on what has the focus in it, as the window system
// delivers it.
void pressIn(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers = {})
{
    window->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), window);
    QWidget* target = QApplication::focusWidget();
    QTest::keyClick(target ? target : window, key, modifiers);
}

template <typename T> T* named(QWidget* in, const char* name)
{
    return in->findChild<T*>(QString::fromLatin1(name));
}

// A control valve sized on the worked case, so that the checks and the companions have results.
void sizeValve()
{
    windowprotocol::openWorkWindow(SelectRtForm, QStringLiteral("Запорно-регулирующий клапан"));
    const char* const boxes[] = {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5", "Edit6"};
    const char* const values[] = {"4", "2", "150", "70", "0,5", "2"};
    for (int i = 0; i < 6; ++i)
        named<QLineEdit>(SelectRtForm, boxes[i])->setText(QString::fromLatin1(values[i]));
    const std::pair<const char*, int> choices[] = {
        {"ComboBox1", 1}, {"ComboBox2", 3}, {"ComboBox3", 3}, {"ComboBox4", 2}};
    for (const auto& [name, index] : choices)
        named<QComboBox>(SelectRtForm, name)->setCurrentIndex(index);
    QTest::mouseClick(named<QPushButton>(SelectRtForm, "Button1"), Qt::LeftButton);
}

// Opens a window the way its command does and answers it.
QWidget* openWindow(const QString& which)
{
    if (which == QLatin1String("main"))
        return MainForm;
    if (which == QLatin1String("assessment")) {
        named<QAction>(MainForm, "N44")->trigger();
        return windowprotocol::openWindow();
    }
    if (which == QLatin1String("questionnaire")) {
        named<QAction>(MainForm, "N35")->trigger();
        return windowprotocol::openWindow();
    }
    sizeValve();
    if (which == QLatin1String("selection"))
        return SelectRtForm;
    const struct {
        const char* which;
        const char* form;
    } companions[] = {
        {"checks", "ChecksForm"}, {"season", "SeasonForm"}, {"substation", "SubstationForm"}};
    for (const auto& c : companions) {
        if (which != QLatin1String(c.which))
            continue;
        if (which == QLatin1String("checks"))
            named<QMenu>(SelectRtForm, "N5")->actions().at(0)->trigger();
        else
            named<QAction>(SelectRtForm, which == QLatin1String("season") ? "N8" : "N9")->trigger();
        return named<QWidget>(SelectRtForm, c.form);
    }
    return nullptr;
}

} // namespace

class GuideWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        messages::setHook([](const messages::Shown&) {});
        createForms();
        MainForm->show();
        QVERIFY(QTest::qWaitForWindowExposed(MainForm));
        QVERIFY2(!helpwindow::guideFolder().isEmpty(), "the build tree's guide is not found");
    }
    void cleanupTestCase() { destroyForms(); }
    void cleanup()
    {
        help()->close();
        for (const char* form : {"ChecksForm", "SeasonForm", "SubstationForm"})
            if (QWidget* w = named<QWidget>(SelectRtForm, form))
                w->close();
        if (QWidget* open = windowprotocol::openWindow())
            open->close();
    }

    void f1OpensTheChapterOfTheWindow_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("page");
        QTest::newRow("main") << "main"
                              << "index.html";
        QTest::newRow("selection") << "selection"
                                   << "methods.html";
        QTest::newRow("checks") << "checks"
                                << "checks.html";
        QTest::newRow("season") << "season"
                                << "season.html";
        QTest::newRow("substation") << "substation"
                                    << "substation.html";
        QTest::newRow("assessment") << "assessment"
                                    << "assessment.html";
        QTest::newRow("questionnaire") << "questionnaire"
                                       << "questionnaires.html";
    }
    void f1OpensTheChapterOfTheWindow()
    {
        QFETCH(QString, window);
        QFETCH(QString, page);
        QWidget* w = openWindow(window);
        QVERIFY(w && w->isVisible());
        if (window == QLatin1String("checks"))
            named<QTreeWidget>(w, "ChecksTree")->setCurrentItem(nullptr);
        pressIn(w, Qt::Key_F1);
        QVERIFY(help()->isVisible());
        QCOMPARE(shown(), page);
        QVERIFY(help()->windowTitle().startsWith(QStringLiteral("Руководство пользователя")));
    }

    // The main window's menu "Помощь" names the guide with its key.
    void helpMenuOpensTheContents()
    {
        auto* item = named<QAction>(MainForm, "NGuide");
        QVERIFY(item);
        QCOMPARE(item->shortcut(), QKeySequence(Qt::Key_F1));
        QCOMPARE(named<QMenu>(MainForm, "hhhhhhh1")->actions().last(), item);
        item->trigger();
        QCOMPARE(shown(), QStringLiteral("index.html"));
    }

    // F1 on a selected check, and its link «Подробнее», open the check's row in the guide.
    void f1OnACheckOpensItsRow()
    {
        QWidget* w = openWindow(QStringLiteral("checks"));
        auto* tree = named<QTreeWidget>(w, "ChecksTree");
        QVERIFY(tree->topLevelItemCount() > 2);
        QTreeWidgetItem* check = tree->topLevelItem(2);
        const QString id = check->data(0, Qt::UserRole).toString();
        QVERIFY(!id.isEmpty());
        tree->setFocus();
        tree->setCurrentItem(check);
        pressIn(w, Qt::Key_F1);
        QCOMPARE(shown(), QStringLiteral("checks.html#check-") + id);
        // Down on a detail row still belongs to the same check.
        tree->expandItem(check);
        pressIn(w, Qt::Key_Down);
        QCOMPARE(tree->currentItem()->parent(), check);
        pressIn(w, Qt::Key_F1);
        QCOMPARE(shown(), QStringLiteral("checks.html#check-") + id);

        help()->close();
        const QList<QLabel*> links = w->findChildren<QLabel*>(QStringLiteral("GuideLink"));
        QCOMPARE(links.size(), tree->topLevelItemCount());
        emit links.at(0)->linkActivated(tree->topLevelItem(0)->data(0, Qt::UserRole).toString());
        QCOMPARE(shown(), QStringLiteral("checks.html#check-")
                              + tree->topLevelItem(0)->data(0, Qt::UserRole).toString());
    }

    void backAndForwardWalkThePagesSeen()
    {
        helpwindow::show(QStringLiteral("methods"));
        helpwindow::show(QStringLiteral("keys"));
        pressIn(help(), Qt::Key_Left, Qt::AltModifier);
        QCOMPARE(shown(), QStringLiteral("methods.html"));
        pressIn(help(), Qt::Key_Right, Qt::AltModifier);
        QCOMPARE(shown(), QStringLiteral("keys.html"));
        pressIn(help(), Qt::Key_Home, Qt::AltModifier);
        QCOMPARE(shown(), QStringLiteral("index.html"));
    }

    // A link out of the guide is not followed inside it.
    void externalLinksStayOut()
    {
        helpwindow::show(QStringLiteral("keys"));
        for (const char* link :
             {"https://example.org/", "mailto:someone@example.org", "file:///etc/passwd"})
            emit help()->browser()->anchorClicked(QUrl(QString::fromLatin1(link)));
        QCOMPARE(shown(), QStringLiteral("keys.html"));
        emit help()->browser()->anchorClicked(QUrl(QStringLiteral("cli.html")));
        QCOMPARE(shown(), QStringLiteral("cli.html"));
    }

    // Without its pages the window says where it looked, and its commands do nothing.
    void aWindowWithoutTheGuideSaysSo()
    {
        HelpWindow window{QString()};
        window.open(QStringLiteral("checks"), QStringLiteral("check-valve.velocity"));
        QVERIFY(window.browser()->source().isEmpty());
        QVERIFY(window.browser()->toPlainText().contains(QStringLiteral("Руководство не найдено")));
        QVERIFY(window.browser()->toPlainText().contains(QCoreApplication::applicationDirPath()));
    }

    void findBarFindsAndEscapeClosesItThenTheWindow()
    {
        helpwindow::show(QStringLiteral("checks"));
        QVERIFY(!help()->findBar()->isVisible());
        pressIn(help(), Qt::Key_F, Qt::ControlModifier);
        QVERIFY(help()->findBar()->isVisible());
        auto* text = named<QLineEdit>(help(), "FindText");
        QCOMPARE(QApplication::focusWidget(), text);
        QTest::keyClicks(text, QStringLiteral("IEC 60534"));
        QTest::keyClick(text, Qt::Key_Return);
        const QTextCursor first = help()->browser()->textCursor();
        QCOMPARE(first.selectedText(), QStringLiteral("IEC 60534"));
        pressIn(help(), Qt::Key_F3);
        const QTextCursor second = help()->browser()->textCursor();
        QCOMPARE(second.selectedText(), QStringLiteral("IEC 60534"));
        QVERIFY(second.position() > first.position());
        pressIn(help(), Qt::Key_F3, Qt::ShiftModifier);
        QCOMPARE(help()->browser()->textCursor().position(), first.position());
        // A word the page does not have says so.
        text->setFocus();
        text->selectAll();
        QTest::keyClicks(text, QStringLiteral("zzqqxx"));
        QTest::keyClick(text, Qt::Key_Return);
        QCOMPARE(named<QLabel>(help(), "FindState")->text(), QStringLiteral("не найдено"));

        QTest::keyClick(text, Qt::Key_Escape);
        QVERIFY(!help()->findBar()->isVisible());
        QVERIFY(help()->isVisible());
        pressIn(help(), Qt::Key_Escape);
        QVERIFY(!help()->isVisible());
    }
};

QTEST_MAIN(GuideWindowTest)
#include "GuideWindowTest.moc"
