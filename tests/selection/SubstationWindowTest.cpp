// The substation window of the selection window: the menu item that opens it, the scheme that
// follows the kind of equipment and the user's choice kept until the kind changes, the inputs
// (typed with real key events, read on Enter and on leaving a box, walked by Tab in their order,
// refused with their reason), Esc, the elements' table and the chart against the library's budget
// of the worked case, the window following every "Подобрать", and the sheet's data.

#include "ui/selection/SubstationWindow.h"
#include "calcsheet/PdfViewer.h"
#include "core/Numbers.h"
#include "selection/EquipmentKinds.h"
#include "selection/Units.h"
#include "substation/Presentation.h"
#include "tests/support/RunProgram.h"
#include "ui/selection/Gidroelevator.h"
#include "ui/shell/Messages.h"
#include "ui/shell/Prompts.h"

#include <QAction>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QLabel>
#include <QLegendMarker>
#include <QLineEdit>
#include <QLineSeries>
#include <QMenu>
#include <QPushButton>
#include <QScatterSeries>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeWidget>
#include <QtTest>

using substation::Scheme;

namespace {

using selection::EquipmentKind;
const QString kValve = selection::kinds::caption(EquipmentKind::ControlValve);
const QString kElevator = selection::kinds::caption(EquipmentKind::Hydroelevator);
const QString kMixing = selection::kinds::caption(EquipmentKind::MixingValve);
const QString kRegulator = selection::kinds::caption(EquipmentKind::Regulator);

// The worked case: inlet 9, outlet 3 kgf/cm², 115/70 °C, 0,18 Gcal/h, S = 2 m.
const QStringList kWorkedCase = {"9", "3", "115", "70", "0,18", "2"};

} // namespace

class SubstationWindowTest : public QObject {
    Q_OBJECT

private:
    QWidget m_main;
    TSelectRtForm* m_form = nullptr;
    QStringList m_opened;

    template <typename T> T* child(const char* name)
    {
        return m_form->findChild<T*>(QString::fromLatin1(name));
    }
    // A widget of the substation window, whose names other windows of the selection may share.
    template <typename T> T* mine(const char* name)
    {
        return window()->findChild<T*>(QString::fromLatin1(name));
    }
    selection::SubstationWindow* window()
    {
        return m_form->findChild<selection::SubstationWindow*>(QStringLiteral("SubstationForm"));
    }
    QTableWidget* table() { return child<QTableWidget>("ElementsTable"); }
    // A cell's text; a cell that is not there reads as such.
    QString cell(int row, int column)
    {
        const QTableWidgetItem* item = table()->item(row, column);
        return item ? item->text() : QStringLiteral("(no cell)");
    }
    // Options as one text, each named, so that a value read into another option shows.
    static QString optionsText(const substation::Options& o)
    {
        return QStringLiteral("%1 h=%2 a=%3 range=%4 Hmax=%5 dmin=%6")
            .arg(substation::schemeId(o.scheme))
            .arg(o.otherLosses.inMetres())
            .arg(o.targetAuthority)
            .arg(o.settingRange)
            .arg(o.maxElevatorHead.inMetres())
            .arg(o.minBore.inMillimetres());
    }
    // The options of the budget shown.
    QString shownOptions()
    {
        const std::optional<calcsheet::SubstationSheet> shown = window()->sheet();
        return shown ? optionsText(shown->options) : QStringLiteral("(no budget)");
    }
    QComboBox* scheme() { return child<QComboBox>("Scheme"); }
    QString status() { return mine<QLabel>("Status")->text(); }
    QChart* chart() { return child<QChartView>("PiezometricChart")->chart(); }
    QList<QXYSeries*> series(const char* name)
    {
        QList<QXYSeries*> found;
        for (QAbstractSeries* s : chart()->series())
            if (s->objectName() == QLatin1String(name))
                found << qobject_cast<QXYSeries*>(s);
        return found;
    }

    // Types into a box as a user does: select all, type, then Enter or Tab.
    void type(const char* name, const QString& text, Qt::Key finish = Qt::Key_Return)
    {
        auto* box = child<QLineEdit>(name);
        box->setFocus(Qt::TabFocusReason);
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, text);
        QTest::keyClick(box, finish);
    }
    // Picks the scheme in its list with the arrow keys.
    void choose(Scheme s)
    {
        QComboBox* box = scheme();
        box->setFocus(Qt::TabFocusReason);
        QTest::keyClick(box, Qt::Key_Home);
        while (box->currentText() != substation::schemeTitle(s)) {
            const int before = box->currentIndex();
            QTest::keyClick(box, Qt::Key_Down);
            QVERIFY2(box->currentIndex() != before, qPrintable(substation::schemeId(s)));
        }
    }

    void size(const QString& title, const QStringList& edits)
    {
        windowprotocol::openWorkWindow(m_form, title);
        const char* const names[] = {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5", "Edit6"};
        for (int i = 0; i < edits.size(); ++i)
            child<QLineEdit>(names[i])->setText(edits[i]);
        const std::pair<const char*, int> choices[] = {
            {"ComboBox1", 1}, {"ComboBox2", 3}, {"ComboBox3", 3}, {"ComboBox4", 2}};
        for (const auto& [name, index] : choices)
            child<QComboBox>(name)->setCurrentIndex(index);
        QTest::mouseClick(child<QPushButton>("Button1"), Qt::LeftButton);
    }
    // The worked case sized as a control valve, the window open and active on it, on the scheme
    // when one is given.
    void openOnTheWorkedCase(std::optional<Scheme> on = Scheme::ValveRegulator)
    {
        size(kValve, kWorkedCase);
        child<QAction>("N9")->trigger();
        QVERIFY(window()->isVisible());
        window()->activateWindow();
        // The window system's word that it is active may still be the one of its last showing.
        QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(window()));
        if (on)
            choose(*on);
    }
    // The library's budget on the request the window shows, with options of the test's own.
    substation::Budget libraryBudget(const substation::Options& options)
    {
        const std::optional<calcsheet::SubstationSheet> shown = window()->sheet();
        if (!shown)
            return {};
        vedan::Outcome<substation::Budget> b = substation::budget(shown->request, options);
        return b.value;
    }

    // The table shows the budget's elements, each number within its last shown decimal.
    void verifyTableShows(const substation::Budget& b)
    {
        QCOMPARE(table()->rowCount(), static_cast<int>(b.elements.size()));
        const auto near = [&](int row, int column, std::optional<double> value) {
            const QString text = cell(row, column);
            if (!value)
                return text == QStringLiteral("—");
            const std::optional<double> shown = num::parseDecimal(text);
            const qsizetype decimals = text.size() - text.indexOf(QLatin1Char(',')) - 1;
            return shown && std::abs(*shown - *value) <= 0.5 * std::pow(10.0, -decimals) + 1e-12;
        };
        for (int r = 0; r < table()->rowCount(); ++r) {
            const substation::Element& e = b.elements[static_cast<std::size_t>(r)];
            const QString row = QString::number(r);
            QCOMPARE(cell(r, 0), substation::elementName(e.kind));
            QVERIFY2(near(r, 1, e.head.inMetres()), qPrintable(row));
            QVERIFY2(near(r, 2,
                          qty::readIn(substation::elementDrop(e),
                                      &qty::PressureDifference::inKgfPerCm2)),
                     qPrintable(row));
            QVERIFY2(
                near(r, 3, qty::readIn(e.requiredKv, &qty::FlowCoefficient::inCubicMetresPerHour)),
                qPrintable(row));
            QVERIFY2(
                near(r, 4, qty::readIn(e.requiredKvy, &qty::FlowCoefficient::inCubicMetresPerHour)),
                qPrintable(row));
            QCOMPARE(cell(r, 5), e.offer() ? e.offer()->designation : QStringLiteral("—"));
            QCOMPARE(cell(r, 6), substation::boresText(e));
        }
    }
    // Nothing of a budget is shown.
    void verifyEmptied()
    {
        QCOMPARE(table()->rowCount(), 0);
        QVERIFY(chart()->series().isEmpty());
        QCOMPARE(child<QTreeWidget>("BudgetChecks")->topLevelItemCount(), 0);
        QVERIFY(!window()->sheet());
    }

private slots:
    void initTestCase()
    {
        windowprotocol::setMainWindow(&m_main);
        m_main.show();
        messages::setHook([](const messages::Shown&) {});
        prompts::setHook([](const prompts::Question&) { return QStringLiteral("Дом 1"); });
        calcsheet::setOpener(
            [this](const QString& file, const desktop::Failed&) { m_opened << file; });
        m_form = new TSelectRtForm;
    }
    void cleanupTestCase() { delete m_form; }
    void cleanup() { m_form->close(); }

    void theLastItemOfTheMenuOpensAWindowOwnedByTheSelection()
    {
        windowprotocol::openWorkWindow(m_form, kValve);
        const QList<QAction*> items = child<QMenu>("N5")->actions();
        QCOMPARE(items.back()->objectName(), QStringLiteral("N9"));
        QCOMPARE(items.back()->text(), QStringLiteral("Тепловой пункт"));
        items.back()->trigger();
        QVERIFY(window()->isVisible());
        QVERIFY(window()->isWindow());
        QCOMPARE(window()->parentWidget(), m_form);
        QCOMPARE(window()->windowModality(), Qt::NonModal);
        QCOMPARE(window()->windowTitle(), QStringLiteral("Тепловой пункт: распределение напора"));
        QVERIFY(m_form->screen()->availableGeometry().contains(window()->frameGeometry()));
        // The defaults; no result yet.
        const std::pair<const char*, QString> defaults[] = {{"OtherLosses", "0"},
                                                            {"TargetAuthority", "0,5"},
                                                            {"MaxElevatorHead", "35"},
                                                            {"MinBore", "3"}};
        for (const auto& [name, text] : defaults)
            QCOMPARE(child<QLineEdit>(name)->text(), text);
        auto* range = child<QComboBox>("SettingRange");
        QCOMPARE(range->count(), 3);
        QCOMPARE(range->currentText(), units::settingRangeItems().at(1));
        QVERIFY(status().contains(QStringLiteral("Подобрать")));
        verifyEmptied();
    }

    void theSchemeFollowsTheKind_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("expected"); // Scheme
        QTest::addColumn<bool>("range");
        QTest::newRow("hydroelevator") << kElevator << int(Scheme::Elevator) << false;
        QTest::newRow("control valve") << kValve << int(Scheme::ValveRegulator) << true;
        QTest::newRow("mixing valve") << kMixing << int(Scheme::ValveRegulator) << true;
        QTest::newRow("regulator") << kRegulator << int(Scheme::Regulator) << true;
    }
    void theSchemeFollowsTheKind()
    {
        QFETCH(QString, title);
        QFETCH(int, expected);
        QFETCH(bool, range);
        // From a kind of another default, so that each row sees the change.
        windowprotocol::openWorkWindow(m_form, title == kElevator ? kValve : kElevator);
        m_form->close();
        windowprotocol::openWorkWindow(m_form, title);
        QCOMPARE(scheme()->currentText(), substation::schemeTitle(Scheme(expected)));
        QCOMPARE(child<QComboBox>("SettingRange")->isEnabled(), range);
    }

    // The user's scheme stays through new results and the selection window shown again, until
    // the window is opened for another kind.
    void theChosenSchemeStaysUntilTheKindChanges()
    {
        openOnTheWorkedCase(std::nullopt);
        QCOMPARE(scheme()->currentText(), substation::schemeTitle(Scheme::ValveRegulator));
        choose(Scheme::Elevator);
        QVERIFY(!child<QComboBox>("SettingRange")->isEnabled());
        QCOMPARE(cell(table()->rowCount() - 2, 0),
                 substation::elementName(substation::ElementKind::Elevator));
        QTest::mouseClick(child<QPushButton>("Button1"), Qt::LeftButton);
        QCOMPARE(scheme()->currentText(), substation::schemeTitle(Scheme::Elevator));
        m_form->close();
        size(kValve, kWorkedCase);
        QCOMPARE(scheme()->currentText(), substation::schemeTitle(Scheme::Elevator));
        QVERIFY(!window()->sheet()); // hidden with the selection window
        m_form->close();
        windowprotocol::openWorkWindow(m_form, kRegulator);
        QCOMPARE(scheme()->currentText(), substation::schemeTitle(Scheme::Regulator));
        m_form->close();
        windowprotocol::openWorkWindow(m_form, kValve);
        QCOMPARE(scheme()->currentText(), substation::schemeTitle(Scheme::ValveRegulator));
    }

    // The worked case as the table shows it, and as the library computes it on the default
    // options.
    void theTableIsTheBudgetOfTheWorkedCase()
    {
        openOnTheWorkedCase();
        const QStringList rows[] = {
            {"дроссельная диафрагма", "22,369", "2,2369", "—", "—", "—", "1 × 9,18 мм"},
            {"регулятор перепада давления", "33,552", "3,3552", "2,1769", "2,612", "ЖМ-25.4.1.1",
             "—"},
            {"регулирующий клапан", "2,079", "0,2079", "8,7454", "10,494", "ТВМ-50/20", "—"},
            {"система отопления", "2,000", "—", "—", "—", "—", "—"},
        };
        QCOMPARE(table()->rowCount(), int(std::size(rows)));
        for (int r = 0; r < table()->rowCount(); ++r)
            for (int c = 0; c < table()->columnCount(); ++c)
                QCOMPARE(cell(r, c), rows[r][c]);

        const std::optional<calcsheet::SubstationSheet> shown = window()->sheet();
        QVERIFY(shown && shown->budget.elements.size() == std::size(rows));
        const substation::Budget& b = shown->budget;
        const auto drop = [&](std::size_t i) {
            return num::fixed(shown->budget.elements[i].drop->inKgfPerCm2(), 5);
        };
        QCOMPARE(num::fixed(shown->budget.elements[0].head.inMetres(), 3),
                 QStringLiteral("22,369"));
        QCOMPARE(drop(1), QStringLiteral("3,35525"));
        QCOMPARE(drop(2), QStringLiteral("0,20789"));
        QCOMPARE(shown->request.conditions.inletPressure.inKgfPerCm2(), 9.0);
        QCOMPARE(shownOptions(), optionsText({}));
        QVERIFY(status().contains(QStringLiteral("ΔH = 60,00 м")));
        // The budget's checks in their order, each with its status and title.
        QStringList shownChecks, budgetChecks;
        auto* tree = child<QTreeWidget>("BudgetChecks");
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            shownChecks << tree->topLevelItem(i)->data(0, Qt::UserRole).toString() + ": "
                               + tree->topLevelItem(i)->text(0);
        for (const checks::Check& c : b.checks)
            budgetChecks << c.id + ": " + checks::statusText(c.status) + "\n" + c.title
                                + (c.designation ? " — " + *c.designation : QString());
        QCOMPARE(shownChecks, budgetChecks);
        QVERIFY(budgetChecks.join(' ').contains("budget.head: пройдена"));
        QCOMPARE(child<QTabWidget>("Pages")->tabText(1),
                 QStringLiteral("Проверки: ") + checks::statusText(checks::verdict(b.checks)));
    }

    // For each scheme, the chart's line is the library's step points of the budget from the
    // inlet's pressure, each element's head is labelled over its drop, and a regulator's set
    // point is a bracket from its outlet down by the head it holds.
    void theChartIsTheLibrarysPiezometricLine_data()
    {
        QTest::addColumn<int>("scheme");
        for (const substation::SchemeRow& row : substation::kSchemeRows)
            QTest::newRow(row.id) << int(row.scheme);
    }
    void theChartIsTheLibrarysPiezometricLine()
    {
        QFETCH(int, scheme);
        openOnTheWorkedCase(Scheme(scheme));
        const substation::Budget b = libraryBudget({.scheme = Scheme(scheme)});
        verifyTableShows(b);
        const substation::PiezometricLine line =
            substation::piezometricLine(b, qty::GaugePressure::kgfPerCm2(9));
        const QList<QXYSeries*> path = series("Piezometric");
        QCOMPARE(path.size(), 1);
        QList<QPointF> expected;
        for (const substation::ChartPoint& p : substation::stepPoints(line))
            expected << QPointF(p.x, p.y);
        QCOMPARE(path.front()->points(), expected);

        const QList<QXYSeries*> drops = series("Drop");
        QCOMPARE(drops.size(), qsizetype(line.steps.size()));
        for (std::size_t i = 0; i < line.steps.size(); ++i) {
            const substation::PiezometricStep& s = line.steps[i];
            QXYSeries* label = drops[qsizetype(i)];
            QCOMPARE(label->points(), QList<QPointF>{QPointF(double(i) + 0.5, s.before)});
            QCOMPARE(label->pointLabelsFormat(),
                     num::f2(s.before - s.after) + QStringLiteral(" м"));
            QVERIFY(label->pointLabelsVisible());
        }
        const auto* axis = qobject_cast<QCategoryAxis*>(chart()->axes(Qt::Horizontal).front());
        QCOMPARE(axis->count(), int(line.steps.size()));

        const QList<QXYSeries*> bracket = series("SetPoint");
        QCOMPARE(bracket.size(), line.setPointHead ? 1 : 0);
        if (line.setPointHead) {
            const QList<QPointF> at = bracket.front()->points();
            const double outlet = line.steps[*line.regulatorStep].after;
            QCOMPARE(at.front(), QPointF(double(*line.regulatorStep + 1), outlet));
            QCOMPARE(at[1].x(), at.front().x());
            QVERIFY(std::abs(at.front().y() - at[1].y() - *line.setPointHead) < 1e-9);
            QCOMPARE(bracket.front()->name(),
                     QStringLiteral("Δp уст = %1 кгс/см²")
                         .arg(num::f3(b.elements[*line.regulatorStep].setPoint->inKgfPerCm2())));
            QVERIFY(chart()->legend()->markers(bracket.front()).front()->isVisible());
        }
    }

    // An input typed and ended with Enter, or left with Tab, is read into its own option: the
    // budget shown is the library's on it.
    void typingAnInputRecomputes_data()
    {
        QTest::addColumn<QByteArray>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("finish"); // Qt::Key
        QTest::addColumn<int>("scheme");
        QTest::newRow("other losses, Enter") << QByteArray("OtherLosses") << "10,5" << 10.5
                                             << int(Qt::Key_Return) << int(Scheme::ValveRegulator);
        QTest::newRow("other losses, Tab") << QByteArray("OtherLosses") << "7" << 7.0
                                           << int(Qt::Key_Tab) << int(Scheme::Regulator);
        QTest::newRow("authority") << QByteArray("TargetAuthority") << "0,7" << 0.7
                                   << int(Qt::Key_Return) << int(Scheme::ValveRegulator);
        QTest::newRow("max elevator head") << QByteArray("MaxElevatorHead") << "20" << 20.0
                                           << int(Qt::Key_Tab) << int(Scheme::Elevator);
        QTest::newRow("min bore") << QByteArray("MinBore") << "12" << 12.0 << int(Qt::Key_Return)
                                  << int(Scheme::Valve);
    }
    void typingAnInputRecomputes()
    {
        QFETCH(QByteArray, box);
        QFETCH(QString, text);
        QFETCH(double, value);
        QFETCH(int, finish);
        QFETCH(int, scheme);
        openOnTheWorkedCase(Scheme(scheme));
        const std::map<QByteArray, void (*)(substation::Options&, double)> into = {
            {"OtherLosses",
             [](substation::Options& o, double v) { o.otherLosses = qty::Head::metres(v); }},
            {"TargetAuthority", [](substation::Options& o, double v) { o.targetAuthority = v; }},
            {"MaxElevatorHead",
             [](substation::Options& o, double v) { o.maxElevatorHead = qty::Head::metres(v); }},
            {"MinBore",
             [](substation::Options& o, double v) { o.minBore = qty::Diameter::millimetres(v); }},
        };
        substation::Options expected{.scheme = Scheme(scheme)};
        into.at(box)(expected, value);
        const substation::Budget before = libraryBudget(expected);
        const QString typed = child<QLineEdit>(box.constData())->text();
        type(box.constData(), text, Qt::Key(finish));
        QCOMPARE(shownOptions(), optionsText(expected));
        verifyTableShows(before);
        type(box.constData(), typed);
    }

    void theRegulatorsRangeIsRead()
    {
        openOnTheWorkedCase(Scheme::ValveRegulator);
        auto* range = child<QComboBox>("SettingRange");
        range->setFocus(Qt::TabFocusReason);
        QTest::keyClick(range, Qt::Key_Down);
        const substation::Options second{.settingRange = 2};
        QCOMPARE(shownOptions(), optionsText(second));
        const substation::Budget b = libraryBudget(second);
        verifyTableShows(b);
        // The set point rises to the bottom of the second range, 0,1 MPa.
        QCOMPARE(num::f3(b.elements[1].setPoint->inKgfPerCm2()), QStringLiteral("1,020"));
        QTest::keyClick(range, Qt::Key_Up);
        QCOMPARE(shownOptions(), optionsText({}));
    }

    void tabWalksTheInputsInOrder_data()
    {
        QTest::addColumn<int>("scheme");
        QTest::addColumn<QStringList>("order");
        const QStringList all = {"Scheme",       "OtherLosses",     "TargetAuthority",
                                 "SettingRange", "MaxElevatorHead", "MinBore"};
        QTest::newRow("with a regulator") << int(Scheme::ValveRegulator) << all;
        QStringList withoutRange = all;
        withoutRange.removeAll(QStringLiteral("SettingRange"));
        QTest::newRow("elevator") << int(Scheme::Elevator) << withoutRange;
        QTest::newRow("valve") << int(Scheme::Valve) << withoutRange;
    }
    void tabWalksTheInputsInOrder()
    {
        QFETCH(int, scheme);
        QFETCH(QStringList, order);
        openOnTheWorkedCase(Scheme(scheme));
        QCOMPARE(QApplication::focusWidget(), child<QWidget>("Scheme"));
        QStringList visited{QApplication::focusWidget()->objectName()};
        for (qsizetype i = 1; i < order.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, order);
        // And back.
        for (qsizetype i = 1; i < order.size(); ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), child<QWidget>("Scheme"));
    }

    // A box that does not read, or that the budget refuses, is named with the reason; the table,
    // the chart and the checks are emptied until it is mended.
    void aRefusedInputIsNamedAndEmptiesTheWindow_data()
    {
        QTest::addColumn<QByteArray>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("said");
        QTest::newRow("not a number") << QByteArray("OtherLosses") << "x"
                                      << "Не число: прочие потери напора «x».";
        QTest::newRow("a point, not the comma") << QByteArray("TargetAuthority") << "0.5"
                                                << "Не число: целевой авторитет клапана «0.5».";
        QTest::newRow("empty") << QByteArray("MinBore") << ""
                               << "Не число: наименьший диаметр отверстия «».";
        QTest::newRow("authority of 1") << QByteArray("TargetAuthority") << "1"
                                        << "Целевой авторитет клапана должен быть больше 0";
        QTest::newRow("losses above the head") << QByteArray("OtherLosses") << "60"
                                               << "Прочие потери напора должны быть";
        QTest::newRow("negative losses") << QByteArray("OtherLosses") << "-1"
                                         << "Прочие потери напора должны быть";
        QTest::newRow("elevator's head") << QByteArray("MaxElevatorHead") << "5"
                                         << "Наибольший напор элеватора должен быть больше";
        QTest::newRow("zero bore") << QByteArray("MinBore") << "0"
                                   << "Наименьший диаметр отверстия должен быть больше 0 мм";
    }
    void aRefusedInputIsNamedAndEmptiesTheWindow()
    {
        QFETCH(QByteArray, box);
        QFETCH(QString, text);
        QFETCH(QString, said);
        openOnTheWorkedCase();
        const QString before = child<QLineEdit>(box.constData())->text();
        type(box.constData(), text);
        QVERIFY2(status().contains(said), qPrintable(status()));
        verifyEmptied();
        type(box.constData(), before);
        QCOMPARE(table()->rowCount(), 4);
        QVERIFY(!series("Piezometric").isEmpty());
        QVERIFY(window()->sheet());
    }

    void escCloses_data()
    {
        QTest::addColumn<QByteArray>("focus");
        QTest::newRow("from a box") << QByteArray("MinBore");
        QTest::newRow("from the scheme") << QByteArray("Scheme");
        QTest::newRow("from the table") << QByteArray("ElementsTable");
        QTest::newRow("from the checks") << QByteArray("BudgetChecks");
    }
    void escCloses()
    {
        QFETCH(QByteArray, focus);
        openOnTheWorkedCase();
        auto* widget = child<QWidget>(focus.constData());
        widget->setFocus();
        QTest::keyClick(widget, Qt::Key_Escape);
        QVERIFY(!window()->isVisible());
        QVERIFY(m_form->isVisible());
        QVERIFY(!window()->sheet());
    }

    // A second "Подобрать" is followed; one that ends in a message empties the window, as
    // showing the selection window again does; the inputs stay.
    void followsEverySelection()
    {
        openOnTheWorkedCase();
        type("OtherLosses", QStringLiteral("5"));
        QStringList second = kWorkedCase;
        second[0] = QStringLiteral("8");
        size(kValve, second);
        QVERIFY(status().contains(QStringLiteral("ΔH = 50,00 м")));
        QVERIFY(window()->sheet());
        QCOMPARE(window()->sheet()->request.conditions.inletPressure.inKgfPerCm2(), 8.0);
        substation::Options options;
        options.otherLosses = qty::Head::metres(5);
        verifyTableShows(libraryBudget(options));
        QCOMPARE(cell(0, 0), substation::elementName(substation::ElementKind::Other));

        second[4] = QStringLiteral("x");
        size(kValve, second);
        verifyEmptied();
        QVERIFY(status().contains(QStringLiteral("Подобрать")));
        size(kValve, kWorkedCase);
        QCOMPARE(table()->rowCount(), 5);
        m_form->close();
        windowprotocol::openWorkWindow(m_form, kValve);
        child<QAction>("N9")->trigger();
        verifyEmptied();
        QCOMPARE(child<QLineEdit>("OtherLosses")->text(), QStringLiteral("5"));
        type("OtherLosses", QStringLiteral("0"));
    }

    // The sheet gets the budget only while the window shows one.
    void theSheetHasTheBudgetWhileTheWindowIsOpen()
    {
        size(kValve, kWorkedCase);
        QVERIFY(!window()->sheet());
        child<QAction>("N9")->trigger();
        const std::optional<calcsheet::SubstationSheet> shown = window()->sheet();
        QVERIFY(shown);
        QCOMPARE(shown->budget.elements.size(), libraryBudget({}).elements.size());
        QCOMPARE(shown->request.kind, selection::EquipmentKind::ControlValve);
        // The calculation sheet sizes from the boxes again; the window follows and stays open,
        // and the sheet has the substation's page after the selection's own.
        m_opened.clear();
        child<QAction>("N7")->trigger();
        QVERIFY(window()->isVisible());
        QVERIFY(window()->sheet());
        QCOMPARE(m_opened.size(), 1);
        const QString text =
            runProgram(QStringLiteral("pdftotext"), {m_opened[0], QStringLiteral("-")}).text();
        const qsizetype page = text.indexOf(QStringLiteral("Распределение располагаемого напора"));
        QVERIFY(page > text.indexOf(QStringLiteral("Исходные данные\n")));
        QVERIFY(text.indexOf(QStringLiteral("9,182"), page) > page);
        // Without the window, no such page.
        window()->close();
        m_opened.clear();
        child<QAction>("N7")->trigger();
        QCOMPARE(m_opened.size(), 1);
        QVERIFY(!runProgram(QStringLiteral("pdftotext"), {m_opened[0], QStringLiteral("-")})
                     .text()
                     .contains(QStringLiteral("Распределение располагаемого напора")));
    }
};

QTEST_MAIN(SubstationWindowTest)
#include "SubstationWindowTest.moc"
