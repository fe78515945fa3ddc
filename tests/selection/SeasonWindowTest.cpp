// The season window of the selection window: the menu item that opens it, the window following
// every "Подобрать" and emptied when the selection window is shown again, its inputs (typed with
// real key events, kept for the session, refused with a reason), the table with its failing
// points marked, the charts, and the season page of the calculation sheet.

#include "selection/ui/SeasonWindow.h"
#include "calcsheet/PdfViewer.h"
#include "selection/ui/Gidroelevator.h"
#include "shell/Messages.h"
#include "shell/Prompts.h"
#include "tests/support/RunProgram.h"

#include <QAction>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

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
    QString status() { return child<QLabel>("Status")->text(); }
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
        WindowProtocol::openWorkWindow(m_form, title);
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
        WindowProtocol::setMainWindow(&m_main);
        m_main.show();
        Messages::setHook([](const Messages::Shown&) {});
        Prompts::setHook([](const Prompts::Question&) { return QStringLiteral("Дом 1"); });
        calcsheet::setOpener(
            [this](const QString& file, const desktop::Failed&) { m_opened << file; });
        m_form = new TSelectRtForm;
    }
    void cleanupTestCase() { delete m_form; }
    void cleanup() { m_form->close(); }

    void theMenuItemOpensAWindowOwnedByTheSelection()
    {
        WindowProtocol::openWorkWindow(m_form, QStringLiteral("Регулирующий гидроэлеватор"));
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
        QCOMPARE(status(), QStringLiteral("Точек: 34; не пройдены проверки в 4 (отмечены ×); "
                                          "предупреждения в 1."));
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
        WindowProtocol::openWorkWindow(m_form, QStringLiteral("Регулирующий гидроэлеватор"));
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
