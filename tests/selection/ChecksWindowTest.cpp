// The checks window of the selection window: the menu that opens it, the window following every
// result, and its verdicts told apart without colour.

#include "ui/selection/ChecksWindow.h"
#include "calcsheet/PdfViewer.h"
#include "sheet/Launcher.h"
#include "tests/support/RunProgram.h"
#include "ui/selection/Gidroelevator.h"
#include "ui/shell/Messages.h"
#include "ui/shell/Prompts.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QtTest>

class ChecksWindowTest : public QObject {
    Q_OBJECT

private:
    QWidget m_main;
    TSelectRtForm* m_form = nullptr;
    QStringList m_shown;
    QStringList m_opened; // PDF files handed to the viewer
    bool m_viewerFound = true;
    std::optional<QString> m_answer =
        QStringLiteral("Дом 5, ул. Садовая"); // to the object question
    QStringList m_offered;                    // the texts the object question started with
    QRect m_clientAtStart;                    // before any result

    template <typename T> T* child(const char* name)
    {
        return m_form->findChild<T*>(QString::fromLatin1(name));
    }
    QWidget* checksWindow() { return child<QWidget>("ChecksForm"); }
    QTreeWidget* tree() { return child<QTreeWidget>("ChecksTree"); }

    // Opens the window for a kind with all units chosen and the given inputs, and sizes.
    void size(const QString& title, const QStringList& edits, int series = 0, int range = 0)
    {
        windowprotocol::openWorkWindow(m_form, title);
        const char* const names[] = {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5", "Edit6"};
        for (int i = 0; i < edits.size(); ++i)
            child<QLineEdit>(names[i])->setText(edits[i]);
        const std::pair<const char*, int> choices[] = {{"ComboBox1", 1},      {"ComboBox2", 3},
                                                       {"ComboBox3", 3},      {"ComboBox4", 2},
                                                       {"ComboBox5", series}, {"ComboBox6", range}};
        for (const auto& [name, index] : choices)
            child<QComboBox>(name)->setCurrentIndex(index);
        QTest::mouseClick(child<QPushButton>("Button1"), Qt::LeftButton);
    }
    // The verdict's whole text and icon fit in the width the menu bar gives it, and the client
    // area stays where it was before the first result.
    void verifyShownWhole(const QToolButton* verdict)
    {
        QCoreApplication::processEvents();
        QCOMPARE(m_form->client()->geometry(), m_clientAtStart);
        const int needed = QFontMetrics(verdict->font()).horizontalAdvance(verdict->text())
                           + verdict->iconSize().width();
        QVERIFY2(verdict->width() >= verdict->sizeHint().width()
                     && verdict->sizeHint().width() >= needed,
                 qPrintable(QStringLiteral("%1: %2 px shown, %3 px asked, %4 px needed")
                                .arg(verdict->text())
                                .arg(verdict->width())
                                .arg(verdict->sizeHint().width())
                                .arg(needed)));
    }
    QStringList shownIds()
    {
        QStringList ids;
        for (int i = 0; i < tree()->topLevelItemCount(); ++i)
            ids << tree()->topLevelItem(i)->data(0, Qt::UserRole).toString();
        return ids;
    }

private slots:
    void initTestCase()
    {
        windowprotocol::setMainWindow(&m_main);
        m_main.show();
        messages::setHook([this](const messages::Shown& s) { m_shown << s.text; });
        prompts::setHook([this](const prompts::Question& q) {
            m_offered << q.initial;
            return m_answer;
        });
        m_form = new TSelectRtForm;
        windowprotocol::openWorkWindow(m_form, QStringLiteral("Регулирующий гидроэлеватор"));
        m_clientAtStart = m_form->client()->geometry();
        m_form->close();
        // A viewer that is not there is told later, as the real opening tells it.
        calcsheet::setOpener([this](const QString& file, const desktop::Failed& failed) {
            m_opened << file;
            if (!m_viewerFound)
                desktop::failLater(failed, QStringLiteral("не установлена программа xdg-open"));
        });
    }
    void cleanupTestCase()
    {
        delete m_form;
        messages::setHook({});
    }
    void init()
    {
        m_shown.clear();
        m_opened.clear();
        m_viewerFound = true;
    }
    void cleanup() { m_form->close(); }

    // The projects' menu "Файл" comes first, then the window's own "Выход" and the calculations.
    void calculationMenuFollowsExitAndLeavesTheClientArea()
    {
        const QList<QAction*> bar = m_form->menuBar()->actions();
        QCOMPARE(bar.size(), 3);
        QCOMPARE(bar[1]->objectName(), QStringLiteral("N4"));
        // Menu captions compare without their mnemonic marks.
        QCOMPARE(bar[0]->text().remove(QLatin1Char('&')), QStringLiteral("Файл"));
        QCOMPARE(bar[1]->text().remove(QLatin1Char('&')), QStringLiteral("Выход"));
        QCOMPARE(bar[2]->text().remove(QLatin1Char('&')), QStringLiteral("Расчёт"));
        const QList<QAction*> items = child<QMenu>("N5")->actions();
        QCOMPARE(items.size(), 4);
        QCOMPARE(items[0]->text(), QStringLiteral("Проверки"));
        QCOMPARE(items[1]->objectName(), QStringLiteral("N7"));
        QCOMPARE(items[1]->text(), QStringLiteral("Расчётный лист (PDF)"));
        QCOMPARE(items[2]->objectName(), QStringLiteral("N8"));
        QCOMPARE(items[2]->text(), QStringLiteral("Отопительный сезон"));
        QCOMPARE(items[3]->objectName(), QStringLiteral("N9"));
        QCOMPARE(items[3]->text(), QStringLiteral("Тепловой пункт"));

        windowprotocol::openWorkWindow(m_form, QStringLiteral("Регулирующий гидроэлеватор"));
        items[0]->trigger();
        QVERIFY(checksWindow()->isVisible());
        QVERIFY(checksWindow()->isWindow());
        QCOMPARE(checksWindow()->parentWidget(), m_form);
        QCOMPARE(checksWindow()->windowModality(), Qt::NonModal);
        QCOMPARE(m_form->client()->size(), QSize(946, 445));
    }

    // "Расчётный лист (PDF)" sizes from the boxes, as "Подобрать" does, writes a new PDF into the folder of unsaved exports and hands it to the viewer; a viewer
    // that cannot be started is reported.
    void calculationSheetIsWrittenAndOpened()
    {
        size(QStringLiteral("Запорно-регулирующий клапан"), {"4", "2", "150", "70", "0,5", "2"});
        child<QPlainTextEdit>("Memo2")->clear();
        QAction* sheet = child<QAction>("N7");
        sheet->trigger();
        QVERIFY(!child<QPlainTextEdit>("Memo2")->toPlainText().isEmpty());
        QCOMPARE(m_opened.size(), 1);
        QVERIFY(m_opened[0].startsWith(sheet::unsavedFolder() + QLatin1Char('/')));
        QVERIFY(m_opened[0].endsWith(QStringLiteral(".pdf")));
        QFile written(m_opened[0]);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QVERIFY(written.readAll().startsWith("%PDF-"));
        QCOMPARE(m_shown, QStringList());
        // The object asked for stands in the title block, and is offered again next time.
        const CliRun text = runProgram(QStringLiteral("pdftotext"), {m_opened[0], "-"});
        QVERIFY2(text.text().contains(QStringLiteral("Объект: Дом 5, ул. Садовая")),
                 qPrintable(text.text().left(400)));
        QCOMPARE(m_offered.size(), 1);

        // Without a viewer, the message names the sheet's whole path once that is known.
        m_viewerFound = false;
        sheet->trigger();
        QCOMPARE(m_offered.last(), QStringLiteral("Дом 5, ул. Садовая"));
        QCOMPARE(m_opened.size(), 2);
        QVERIFY(m_opened[1] != m_opened[0]);
        QCOMPARE(m_shown, QStringList());
        QTRY_COMPARE(m_shown,
                     QStringList{QStringLiteral("Расчётный лист записан в файл %1, но открыть его "
                                                "не удалось: не установлена программа xdg-open")
                                     .arg(m_opened[1])});

        // A cancelled question writes no sheet.
        m_answer = std::nullopt;
        sheet->trigger();
        QCOMPARE(m_opened.size(), 2);
        m_answer = QStringLiteral("Дом 5, ул. Садовая");
    }

    // The sheet says what the window says: typed into a box without "Подобрать", a new load is
    // sized by the sheet command itself, the result box and the checks follow, and the sheet is
    // written from that run; a run that stops shows its message and writes no sheet.
    void calculationSheetSizesFromTheBoxes()
    {
        size(QStringLiteral("Запорно-регулирующий клапан"), {"4", "2", "150", "70", "0,5", "2"});
        QVERIFY(
            child<QPlainTextEdit>("Memo2")->toPlainText().contains(QStringLiteral("ТВМ-25/17")));
        child<QLineEdit>("Edit5")->setText(QStringLiteral("1"));
        child<QAction>("N7")->trigger();
        const QString memo = child<QPlainTextEdit>("Memo2")->toPlainText();
        QVERIFY2(memo.contains(QStringLiteral("Расход сетевой воды = 12,46 т/час")),
                 qPrintable(memo));
        QCOMPARE(m_opened.size(), 1);
        const QString text =
            runProgram(QStringLiteral("pdftotext"), {m_opened[0], QStringLiteral("-")}).text();
        QVERIFY(text.contains(QStringLiteral("12,46 т/ч")));
        QVERIFY(text.contains(QStringLiteral("ТВМ-50/20")));
        QVERIFY(!text.contains(QStringLiteral("ТВМ-25/17")));

        child<QComboBox>("ComboBox1")->setCurrentIndex(0); // no resistance unit chosen
        child<QAction>("N7")->trigger();
        QCOMPARE(m_opened.size(), 1);
        QCOMPARE(m_shown.size(), 1);
        QVERIFY(child<QPlainTextEdit>("Memo2")->toPlainText().isEmpty());
    }

    void followsEveryResult()
    {
        const QStringList valveExample = {"4", "2", "150", "70", "0,5", "2"};
        size(QStringLiteral("Запорно-регулирующий клапан"), valveExample);
        QCOMPARE(shownIds(), (QStringList{"supply.liquid", "supply.schedule", "selection.offer",
                                          "valve.authority", "valve.authority", "valve.cavitation",
                                          "valve.flashing", "valve.velocity", "valve.velocity"}));
        QTreeWidgetItem* cavitation = tree()->topLevelItem(5);
        QVERIFY(cavitation->text(0).startsWith(QStringLiteral("не пройдена\n")));
        QVERIFY(cavitation->text(1).contains(QStringLiteral("F_F = 0,96")));
        QVERIFY(cavitation->toolTip(0).contains(QStringLiteral("Источник: IEC 60534-2-1")));
        QCOMPARE(cavitation->child(0)->text(0), QStringLiteral("Источник"));
        QVERIFY(tree()->topLevelItem(7)->text(0).contains(QStringLiteral("ТВМ-25/17")));

        // A run that ends in a message leaves no checks behind.
        child<QComboBox>("ComboBox3")->setCurrentIndex(0);
        QTest::mouseClick(child<QPushButton>("Button1"), Qt::LeftButton);
        QCOMPARE(m_shown, QStringList{QStringLiteral("Выберите величину измерения давления")});
        QCOMPARE(tree()->topLevelItemCount(), 0);

        size(QStringLiteral("Регулятор давления и перепада"),
             {"4", "3,8", "115", "70", "0,08", "1"}, 1, 1);
        QCOMPARE(shownIds(),
                 (QStringList{"supply.liquid", "supply.schedule", "selection.offer",
                              "regulator.cavitation", "regulator.flashing", "regulator.range"}));
        QVERIFY(tree()->topLevelItem(5)->text(0).startsWith(QStringLiteral("предупреждение\n")));

        // Closed and opened again, the window starts without a result and without checks.
        m_form->close();
        QVERIFY(!checksWindow()->isVisible());
        windowprotocol::openWorkWindow(m_form, QStringLiteral("Регулирующий гидроэлеватор"));
        QCOMPARE(tree()->topLevelItemCount(), 0);
    }

    // Each status has an icon of its own shape: told apart in grey as well as in colour.
    // The verdict beside the menu after every "Подобрать": a failed check named in its own
    // colour, the client area where it was, a click opening the checks window; gone after a
    // run that ended in a message, and when the window is opened again.
    void verdictBesideTheMenuFollowsEveryResult()
    {
        auto* verdict = child<QToolButton>("verdictButton");
        QVERIFY(verdict);
        QCOMPARE(m_form->menuBar()->cornerWidget(Qt::TopRightCorner), verdict);
        windowprotocol::openWorkWindow(m_form, QStringLiteral("Запорно-регулирующий клапан"));
        QVERIFY(!verdict->isVisible());

        checksWindow()->hide();
        size(QStringLiteral("Запорно-регулирующий клапан"), {"4", "2", "150", "70", "0,5", "2"});
        QVERIFY(verdict->isVisible());
        QCOMPARE(verdict->text(), QStringLiteral("Проверки: не пройдены (2)"));
        QVERIFY(verdict->styleSheet().contains(QStringLiteral("#d55e00")));
        verifyShownWhole(verdict);
        QCOMPARE(child<QPlainTextEdit>("Memo2")->toPlainText().split('\n').size(), 7);
        checksWindow()->hide();
        QTest::mouseClick(verdict, Qt::LeftButton);
        QVERIFY(checksWindow()->isVisible());

        // After a short bold verdict, a longer plain one, and a short one again: each is shown
        // whole, in the width it needs.
        size(QStringLiteral("Регулятор давления и перепада"),
             {"4", "3,8", "115", "70", "0,08", "1"}, 1, 1);
        QCOMPARE(verdict->text(), QStringLiteral("Проверки: есть предупреждения (1)"));
        QVERIFY(!verdict->styleSheet().contains(QStringLiteral("#d55e00")));
        verifyShownWhole(verdict);

        size(QStringLiteral("Регулятор давления и перепада"),
             {"6", "4", "150", "70", "0,5", "16,315456"}, 1, 1);
        QCOMPARE(verdict->text(), QStringLiteral("Проверки: пройдены"));
        verifyShownWhole(verdict);

        child<QComboBox>("ComboBox3")->setCurrentIndex(0);
        QTest::mouseClick(child<QPushButton>("Button1"), Qt::LeftButton);
        QVERIFY(!verdict->isVisible());
        m_shown.clear();
    }

    // The verdict of checks that none of them applies to says so; it is never "passed".
    void verdictOfChecksThatDoNotApply()
    {
        QMenuBar bar;
        selection::VerdictButton verdict(&bar);
        checks::Check notApplicable;
        notApplicable.status = checks::Status::NotApplicable;
        verdict.follow({notApplicable, notApplicable});
        QCOMPARE(verdict.text(), QStringLiteral("Проверки: неприменимы"));
        checks::Check passed = notApplicable;
        passed.status = checks::Status::Passed;
        verdict.follow({notApplicable, passed});
        QCOMPARE(verdict.text(), QStringLiteral("Проверки: пройдены"));
    }

    // The checks window opens wholly on its owner's screen, and its long formulas and details
    // wrap: no sideways scrolling at the size it opens with.
    void opensOnTheScreenAndWrapsLongTexts()
    {
        checksWindow()->hide();
        size(QStringLiteral("Запорно-регулирующий клапан"), {"4", "2", "150", "70", "0,5", "2"});
        child<QAction>("N6")->trigger();
        QVERIFY(checksWindow()->isVisible());
        const QRect room = m_form->screen()->availableGeometry();
        const QRect placed = checksWindow()->frameGeometry();
        QVERIFY2(room.contains(placed), qPrintable(QStringLiteral("%1,%2 %3x%4 in %5x%6")
                                                       .arg(placed.x())
                                                       .arg(placed.y())
                                                       .arg(placed.width())
                                                       .arg(placed.height())
                                                       .arg(room.width())
                                                       .arg(room.height())));
        tree()->expandAll();
        QCoreApplication::processEvents();
        QCOMPARE(tree()->horizontalScrollBar()->maximum(), 0);
        QVERIFY(tree()->wordWrap());
        // Every formula and detail is whole: its row is as tall as its text wrapped to the
        // column, here and after the window was made narrower.
        for (int width : {checksWindow()->width(), 520}) {
            checksWindow()->resize(width, checksWindow()->height());
            QCoreApplication::processEvents();
            // The text's room: the column less the style's text margins on both sides.
            const int column =
                tree()->columnWidth(1)
                - 2 * (tree()->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
            for (QTreeWidgetItemIterator it(tree()); *it; ++it) {
                const QRect wrapped = tree()->fontMetrics().boundingRect(
                    QRect(0, 0, column, 1 << 20), Qt::TextWordWrap, (*it)->text(1));
                const QRect row = tree()->visualItemRect(*it);
                QVERIFY2(row.height() >= wrapped.height(),
                         qPrintable(QStringLiteral("%4 wide: %1 px for %2 px: %3")
                                        .arg(row.height())
                                        .arg(wrapped.height())
                                        .arg((*it)->text(1))
                                        .arg(width)));
            }
        }
        checksWindow()->hide();
    }

    // Esc closes the checks window, from its list as from the window itself, and leaves the
    // selection window open.
    void escapeClosesIt()
    {
        size(QStringLiteral("Запорно-регулирующий клапан"), {"4", "2", "150", "70", "0,5", "2"});
        for (QWidget* target : {static_cast<QWidget*>(tree()), checksWindow()}) {
            child<QAction>("N6")->trigger();
            QVERIFY(QTest::qWaitForWindowActive(checksWindow()));
            target->setFocus();
            QTest::keyClick(target, Qt::Key_Escape);
            QVERIFY2(!checksWindow()->isVisible(), qPrintable(target->objectName()));
            QVERIFY(m_form->isVisible());
        }
    }

    void statusIconsDifferWithoutColour()
    {
        // Passed, warning and failed checks of the hydroelevator defaults and the valve example.
        size(QStringLiteral("Запорно-регулирующий клапан"), {"4", "2", "150", "70", "0,5", "2"});
        const auto grey = [this](int row) {
            return tree()->topLevelItem(row)->icon(0).pixmap(20, 20).toImage().convertToFormat(
                QImage::Format_Grayscale8);
        };
        const QImage passed = grey(0), failed = grey(3), warning = grey(5);
        QVERIFY(passed != failed);
        QVERIFY(passed != warning);
        QVERIFY(failed != warning);
    }
};

QTEST_MAIN(ChecksWindowTest)
#include "ChecksWindowTest.moc"
