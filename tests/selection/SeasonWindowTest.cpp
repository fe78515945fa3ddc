// The season window of the selection window: the menu item that opens it, its place beside the
// selection window or clear of its result box, Esc, the split kept for the session, the window
// following every "Подобрать" and emptied when the selection window is shown again, its inputs
// (typed with real key events, kept for the session, refused with a reason), the table with its
// failed checks and warnings apart, the charts with their legends, marks and cut (and the
// sheet's painted chart with the same cut), and the season page of the calculation sheet.

#include "ui/selection/SeasonWindow.h"
#include "calcsheet/ChartPainter.h"
#include "calcsheet/PdfViewer.h"
#include "core/Numbers.h"
#include "tests/support/RunProgram.h"
#include "ui/selection/Gidroelevator.h"
#include "ui/shell/Centring.h"
#include "ui/shell/Messages.h"
#include "ui/shell/Prompts.h"

#include <QAction>
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
#include <QSplitter>
#include <QTableWidget>
#include <QTextDocumentFragment>
#include <QtTest>

#include <map>

class SeasonWindowTest : public QObject {
    Q_OBJECT

private:
    QWidget m_main;
    TSelectRtForm* m_form = nullptr;
    QStringList m_opened;

    template <typename T> T* child(const char* name)
    {
        return m_form->findChild<T*>(QString::fromLatin1(name));
    }
    QWidget* window() { return child<QWidget>("SeasonForm"); }
    QTableWidget* table() { return child<QTableWidget>("PointsTable"); }
    QString status()
    {
        return QTextDocumentFragment::fromHtml(child<QLabel>("Status")->text()).toPlainText();
    }
    QLineEdit* input(const char* name) { return child<QLineEdit>(name); }

    // Types into an input as a user does: select all, type, Enter.
    void type(const char* name, const QString& text)
    {
        QLineEdit* box = input(name);
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Return);
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
    void sizeHydroelevator()
    {
        size(QStringLiteral("Регулирующий гидроэлеватор"), {"6", "4", "150", "70", "0,5", "1"});
    }
    // The control valve at 4/2 kgf/cm² and S = 2 m, its season from −26 °C: its design point
    // fails the valve's checks while the supply water only warns.
    void sizeValve(const QString& supply = "150", const QString& ret = "70")
    {
        type("OutdoorDesign", QStringLiteral("-26"));
        size(QStringLiteral("Запорно-регулирующий клапан"), {"4", "2", supply, ret, "0,5", "2"});
    }
    std::optional<calcsheet::SeasonSheet> sheet()
    {
        return qobject_cast<selection::SeasonWindow*>(window())->sheet();
    }
    QChart* chart(const char* name) { return child<QChartView>(name)->chart(); }
    // The series of a chart with the object name.
    QList<QXYSeries*> series(const char* chartName, const char* name)
    {
        QList<QXYSeries*> found;
        for (QAbstractSeries* s : chart(chartName)->series())
            if (s->objectName() == QLatin1String(name))
                found << qobject_cast<QXYSeries*>(s);
        return found;
    }
    void openSeason()
    {
        windowprotocol::openWorkWindow(m_form, QStringLiteral("Регулирующий гидроэлеватор"));
        child<QAction>("N8")->trigger();
        QVERIFY(window()->isVisible());
    }
    QStringList headings()
    {
        QStringList h;
        for (int c = 0; c < table()->columnCount(); ++c)
            h << table()->horizontalHeaderItem(c)->text();
        return h;
    }
    // The row of an outdoor temperature as shown.
    int rowOf(const QString& outdoor)
    {
        for (int r = 0; r < table()->rowCount(); ++r)
            if (table()->item(r, 0)->text() == outdoor)
                return r;
        return -1;
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

    void theMenuItemOpensAWindowOwnedByTheSelection()
    {
        windowprotocol::openWorkWindow(m_form, QStringLiteral("Регулирующий гидроэлеватор"));
        child<QAction>("N8")->trigger();
        QVERIFY(window()->isVisible());
        QVERIFY(window()->isWindow());
        QCOMPARE(window()->parentWidget(), m_form);
        QCOMPARE(window()->windowModality(), Qt::NonModal);
        QCOMPARE(window()->windowTitle(), QStringLiteral("Отопительный сезон"));
        QVERIFY(m_form->screen()->availableGeometry().contains(window()->frameGeometry()));
        // The defaults; the design outdoor temperature is the user's to give.
        QCOMPARE(input("Indoor")->text(), QStringLiteral("18"));
        QCOMPARE(input("Cut")->text(), QStringLiteral("70"));
        QCOMPARE(input("SeasonEnd")->text(), QStringLiteral("8"));
        QCOMPARE(input("Step")->text(), QStringLiteral("1"));
        QVERIFY(input("OutdoorDesign")->text().isEmpty());
        QCOMPARE(table()->rowCount(), 0);
    }

    void followsEverySelectionAndIsEmptiedOnShow()
    {
        sizeHydroelevator();
        // Without a design outdoor temperature there is nothing to draw, and the window says so.
        QCOMPARE(table()->rowCount(), 0);
        QVERIFY(status().contains(QStringLiteral("расчётную температуру наружного воздуха")));
        type("OutdoorDesign", QStringLiteral("-25"));
        QCOMPARE(table()->rowCount(), 34);
        QVERIFY(headings().contains(QStringLiteral("dс, мм")));
        QVERIFY(!headings().contains(QStringLiteral("Kv/Kvy")));
        // +5 °C: the network flow 4,860 t/h and the head check failed, marked.
        const int at5 = rowOf(QStringLiteral("5,0"));
        QVERIFY(at5 >= 0);
        QCOMPARE(table()->item(at5, headings().indexOf(QStringLiteral("G, т/ч")))->text(),
                 QStringLiteral("4,860"));
        QVERIFY(table()->item(at5, headings().size() - 1)->text().startsWith(QStringLiteral("×")));
        QVERIFY(table()
                    ->item(at5, headings().size() - 1)
                    ->text()
                    .contains(QStringLiteral("Напор, необходимый элеватору")));
        QVERIFY(!table()->item(0, headings().size() - 1)->text().startsWith(QStringLiteral("×")));
        // +5 … +8 °C fail; the design point warns (the jet near boiling).
        QCOMPARE(status(), QStringLiteral("Точек: 34. Не пройдены проверки в 4: × в таблице, ★ на "
                                          "графиках. Предупреждения в 1: ! в таблице, ◇ на "
                                          "графиках. Срезка 70 °C с tн = 2,78 °C."));
        // Both charts drawn, with axis titles.
        for (const char* name : {"ScheduleChart", "DeviceChart"}) {
            QChart* chart = child<QChartView>(name)->chart();
            QVERIFY(!chart->series().isEmpty());
            QVERIFY(!chart->axes(Qt::Horizontal).isEmpty());
            QVERIFY(
                chart->axes(Qt::Horizontal).front()->titleText().contains(QStringLiteral("°C")));
        }

        // Another kind: the window follows, with that kind's columns.
        size(QStringLiteral("Запорно-регулирующий клапан"), {"6", "4", "150", "70", "0,5", "2"});
        QCOMPARE(table()->rowCount(), 34);
        QVERIFY(headings().contains(QStringLiteral("Kv/Kvy")));
        QCOMPARE(table()->item(33, headings().indexOf(QStringLiteral("Kv/Kvy")))->text(),
                 QStringLiteral("0,379"));
        // A result that ends in a message empties it.
        size(QStringLiteral("Запорно-регулирующий клапан"), {"6", "4", "150", "70", "x", "2"});
        QCOMPARE(table()->rowCount(), 0);
        // Shown again, the selection window starts empty; the inputs stay for the session.
        sizeHydroelevator();
        QCOMPARE(table()->rowCount(), 34);
        m_form->close();
        windowprotocol::openWorkWindow(m_form, QStringLiteral("Регулирующий гидроэлеватор"));
        QCOMPARE(table()->rowCount(), 0);
        QCOMPARE(input("OutdoorDesign")->text(), QStringLiteral("-25"));
    }

    void inputsThatCannotBeUsedAreRefusedWithTheirReason_data()
    {
        QTest::addColumn<QByteArray>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("said");
        QTest::newRow("end above indoor") << QByteArray("SeasonEnd") << "20"
                                          << "конец отопительного периода";
        QTest::newRow("zero step") << QByteArray("Step") << "0"
                                   << "шаг";
        QTest::newRow("cut above supply") << QByteArray("Cut") << "160"
                                          << "срезки";
        QTest::newRow("not a number") << QByteArray("Indoor") << "t18"
                                      << "Не число";
        QTest::newRow("design at the end") << QByteArray("OutdoorDesign") << "8"
                                           << "расчётная температура";
    }
    void inputsThatCannotBeUsedAreRefusedWithTheirReason()
    {
        QFETCH(QByteArray, box);
        QFETCH(QString, text);
        QFETCH(QString, said);
        const QString before = input(box.constData())->text();
        type("OutdoorDesign", QStringLiteral("-25"));
        sizeHydroelevator();
        QCOMPARE(table()->rowCount(), 34);
        type(box.constData(), text);
        QCOMPARE(table()->rowCount(), 0);
        QVERIFY2(status().contains(said), qPrintable(status()));
        type(box.constData(), box == "OutdoorDesign" ? QStringLiteral("-25") : before);
        QCOMPARE(table()->rowCount(), 34);
    }

    void aWarningIsListedApartFromTheFailures()
    {
        sizeValve();
        QCOMPARE(table()->rowCount(), 35);
        const QString design = table()->item(0, headings().size() - 1)->text();
        const qsizetype warned =
            design.indexOf(QStringLiteral("; ! предупреждение: Вода на входе в жидком состоянии"));
        QVERIFY2(design.startsWith(QStringLiteral("× не пройдена: ")) && warned > 0,
                 qPrintable(design));
        QVERIFY(!design.left(warned).contains(QStringLiteral("Вода на входе")));
        QVERIFY(status().startsWith(
            QStringLiteral("Точек: 35. Не пройдены проверки в 7: × в таблице, ★ на графиках. "
                           "Предупреждения в 6:")));
    }

    void escCloses_data()
    {
        QTest::addColumn<QByteArray>("focus");
        QTest::newRow("from an input") << QByteArray("Indoor");
        QTest::newRow("from the table") << QByteArray("PointsTable");
    }
    void escCloses()
    {
        QFETCH(QByteArray, focus);
        openSeason();
        QWidget* widget = child<QWidget>(focus.constData());
        widget->setFocus();
        QTest::keyClick(widget, Qt::Key_Escape);
        QVERIFY(!window()->isVisible());
        QVERIFY(m_form->isVisible());
    }

    // The user's split stays when the window is closed and opened again, and when the selection
    // window is, though the window was larger when it was set.
    void theSplitIsKeptForTheSession()
    {
        openSeason();
        window()->resize(window()->size() + QSize(0, 300));
        auto* split = child<QSplitter>("Split");
        QSplitterHandle* handle = split->handle(1);
        const QPoint from = handle->rect().center();
        const auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
            QMouseEvent event(type, at, handle->mapToGlobal(at), Qt::LeftButton, buttons,
                              Qt::NoModifier);
            QApplication::sendEvent(handle, &event);
        };
        const QList<int> first = split->sizes();
        send(QEvent::MouseButtonPress, from, Qt::LeftButton);
        send(QEvent::MouseMove, from + QPoint(0, 150), Qt::LeftButton);
        send(QEvent::MouseButtonRelease, from + QPoint(0, 150), Qt::NoButton);
        QCOMPARE(split->sizes().front(), first.front() + 150);
        const auto chartsShare = [&] {
            return double(split->sizes().front())
                   / (split->sizes().front() + split->sizes().back());
        };
        const double set = chartsShare();
        QTest::keyClick(window(), Qt::Key_Escape);
        m_form->close();
        openSeason();
        QVERIFY2(std::abs(chartsShare() - set) < 0.01, qPrintable(QString::number(chartsShare())));
    }

    // Beside the owner where the screen has room; otherwise clear of its result box, within the
    // screen. Frames of the selection window (946 × 495) centred on each screen.
    void itsPlaceLeavesTheResultBoxInView_data()
    {
        QTest::addColumn<QRect>("room");
        QTest::addColumn<QPoint>("owner");
        QTest::addColumn<bool>("beside");
        QTest::newRow("1366×768") << QRect(0, 0, 1366, 768) << QPoint(210, 136) << false;
        QTest::newRow("1920×1080, a panel") << QRect(0, 0, 1920, 1040) << QPoint(487, 272) << false;
        QTest::newRow("2560×1440") << QRect(0, 0, 2560, 1440) << QPoint(807, 472) << true;
        QTest::newRow("1920×1080, owner left") << QRect(0, 0, 1920, 1080) << QPoint(0, 292) << true;
    }
    void itsPlaceLeavesTheResultBoxInView()
    {
        QFETCH(QRect, room);
        QFETCH(QPoint, owner);
        QFETCH(bool, beside);
        const QRect frame(owner, QSize(946, 495));
        const QRect resultBox(owner + QPoint(512, 234), QSize(433, 209)); // Memo2
        const QSize least(640, 480);
        const QRect placed = centring::besideOwner(room, frame, resultBox, QSize(1100, 760), least);
        QVERIFY(room.contains(placed));
        QVERIFY(placed.width() >= least.width() && placed.height() >= least.height());
        QVERIFY(placed.width() <= 1100 && placed.height() <= 760);
        QVERIFY(!placed.intersects(resultBox));
        QCOMPARE(!placed.intersects(frame), beside);
        if (beside)
            QVERIFY(placed.left() == frame.right() + 1 || placed.right() == frame.left() - 1);
    }

    // The default cut applies above 70 °C only; the window does not pass its default as a cut
    // asked for, which a design at or below it would refuse.
    void noCutAtOrBelowSeventy_data()
    {
        QTest::addColumn<QString>("supply");
        QTest::addColumn<QString>("ret");
        QTest::addColumn<bool>("cut");
        QTest::newRow("150/70") << "150"
                                << "70" << true;
        QTest::newRow("70/50") << "70"
                               << "50" << false;
        QTest::newRow("65/45") << "65"
                               << "45" << false;
    }
    void noCutAtOrBelowSeventy()
    {
        QFETCH(QString, supply);
        QFETCH(QString, ret);
        QFETCH(bool, cut);
        sizeValve(supply, ret);
        QCOMPARE(table()->rowCount(), 35);
        QCOMPARE(sheet()->cut.has_value(), cut);
        QCOMPARE(series("ScheduleChart", "cut").size(), cut ? 1 : 0);
        QCOMPARE(status().endsWith(QStringLiteral("Срезки нет: подача не выше 70 °C.")), !cut);
    }

    // The cut where τ1 reaches it, +2,42 °C from −26 °C, between the points: on the window's
    // chart and on the sheet's painted one, read back from its pixels.
    void theCutIsDrawnWhereTheSupplyReachesIt()
    {
        sizeValve();
        const QList<QXYSeries*> cut = series("ScheduleChart", "cut");
        QCOMPARE(cut.size(), 1);
        for (const QPointF& at : cut.front()->points())
            QCOMPARE(num::fixed(at.x(), 2), QStringLiteral("2,42"));

        const std::optional<calcsheet::SeasonSheet> season = sheet();
        const season::Chart painted = season::scheduleChart(season->points, season->cut);
        const QSize pixels(2000, 800);
        const QImage image = calcsheet::chartImage(painted, pixels, 300);
        const calcsheet::PlotFrame frame = *calcsheet::plotFrame(painted, pixels, 300);
        // The share of the plot's height in a column of pixels of a colour.
        const auto share = [&](double x, QColor colour) {
            int n = 0;
            for (int y = int(frame.plot.top()) + 2; y < int(frame.plot.bottom()) - 2; ++y) {
                const QColor c = image.pixelColor(int(std::lround(x)), y);
                n += std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green())
                                 + std::abs(c.blue() - colour.blue())
                             < 30
                         ? 1
                         : 0;
            }
            return n / (frame.plot.height() - 4);
        };
        QVERIFY(share(frame.xAt(0), QColor(0xDD, 0xDD, 0xDD)) > 0.8); // the grid line of 0 °C
        QVERIFY(share(frame.xAt(2.42), Qt::gray) > 0.4);
        QCOMPARE(share(frame.xAt(2), Qt::gray), 0.0);
        QCOMPARE(share(frame.xAt(3), Qt::gray), 0.0);
    }

    // A failing elevator's head is starred on its needed head, not on the schedule; the design
    // point's warning is marked there too; every legend shows each curve's line with its mark.
    void marksOnTheirCurvesAndLegendsWithMarks()
    {
        type("OutdoorDesign", QStringLiteral("-25"));
        sizeHydroelevator();
        std::map<double, double> needed;
        const std::optional<calcsheet::SeasonSheet> season = sheet();
        for (const season::Point& p : season->points)
            needed[p.outdoor.inCelsius()] = p.requiredHead->inMetres();
        QVERIFY(series("ScheduleChart", "failing").isEmpty());
        QVERIFY(series("ScheduleChart", "warning").isEmpty());
        const std::pair<const char*, QList<double>> marked[] = {{"failing", {5, 6, 7, 8}},
                                                                {"warning", {-25}}};
        for (const auto& [name, outdoors] : marked) {
            const QList<QXYSeries*> found = series("DeviceChart", name);
            QCOMPARE(found.size(), 1);
            QList<double> xs;
            for (const QPointF& at : found.front()->points()) {
                xs << at.x();
                QCOMPARE(at.y(), needed.at(at.x()));
            }
            QCOMPARE(xs, outdoors);
        }
        const std::pair<const char*, QStringList> legends[] = {
            {"ScheduleChart", {"τ1", "τ3", "τ2", "срезка"}},
            {"DeviceChart", {"Hтреб", "Hрасп", "G"}},
        };
        for (const auto& [name, labels] : legends) {
            QStringList shown;
            std::size_t curve = 0;
            for (QLegendMarker* marker : chart(name)->legend()->markers()) {
                if (!marker->isVisible())
                    continue;
                shown << marker->label();
                auto* key = qobject_cast<QXYSeries*>(marker->series());
                if (key->objectName() != QLatin1String("legend"))
                    continue;
                const season::CurveLook& look = season::curveLook(curve++);
                QCOMPARE(key->pen().style(), calcsheet::penStyle(look.line));
                const QImage mark = key->lightMarker();
                QVERIFY(!mark.isNull());
                // The mark, white inside, over the line's sample.
                QCOMPARE(mark.pixelColor(mark.width() / 2, mark.height() / 2), QColor(Qt::white));
                QCOMPARE(mark.pixelColor(0, mark.height() / 2).alpha(), 0);
            }
            QCOMPARE(shown, labels);
        }
    }

    // With a design outdoor temperature the calculation sheet gets the season's page; without
    // one it does not.
    void theCalculationSheetGetsTheSeasonPage()
    {
        type("OutdoorDesign", QStringLiteral("-25"));
        size(QStringLiteral("Регулирующий гидроэлеватор"), {"6", "4", "150", "70", "0,5", "1"});
        m_opened.clear();
        child<QAction>("N7")->trigger();
        QCOMPARE(m_opened.size(), 1);
        const QString text =
            runProgram(QStringLiteral("pdftotext"), {m_opened[0], QStringLiteral("-")}).text();
        QVERIFY(text.contains(QStringLiteral("Работа в течение отопительного сезона")));
        QVERIFY(text.contains(QStringLiteral("Точки отопительного сезона")));
        QVERIFY(text.contains(QStringLiteral("4,860")));

        type("OutdoorDesign", QString());
        m_opened.clear();
        child<QAction>("N7")->trigger();
        QCOMPARE(m_opened.size(), 1);
        QVERIFY(!runProgram(QStringLiteral("pdftotext"), {m_opened[0], QStringLiteral("-")})
                     .text()
                     .contains(QStringLiteral("отопительного сезона")));
    }
};

QTEST_MAIN(SeasonWindowTest)
#include "SeasonWindowTest.moc"
