#include "assessment/Report.h"
#include "tests/support/SheetCalls.h"
#include "tests/support/WorkbookReader.h"
#include "ui/assessment/Teo.h"
#include "ui/shell/FileDialogs.h"
#include "ui/shell/Messages.h"
#include "ui/shell/WorkWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using assessment::SystemChoice;
using sheet::XLApp;

class TeoWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QMainWindow> m_main;
    std::unique_ptr<TTexOb> m_w;
    QStringList m_shown;
    QString m_dialogAnswer;
    int m_dialogs = 0;
    QTemporaryDir m_dir;

    QLineEdit* edit(const char* name) { return m_w->findChild<QLineEdit*>(QLatin1String(name)); }
    QComboBox* combo(const char* name) { return m_w->findChild<QComboBox*>(QLatin1String(name)); }
    QCheckBox* check(const char* name) { return m_w->findChild<QCheckBox*>(QLatin1String(name)); }
    QWidget* widget(const char* name) { return m_w->findChild<QWidget*>(QLatin1String(name)); }
    QPlainTextEdit* memo() { return m_w->findChild<QPlainTextEdit*>(QStringLiteral("Memo1")); }
    // The memo's paragraphs as they stand, no-break spaces included.
    QStringList memoLines() { return memo()->document()->toRawText().split(QChar(0x2029)); }

    // The user picks an item of the system choice.
    void choose(int item)
    {
        combo("ComboBox3")->setCurrentIndex(item);
        emit combo("ComboBox3")->activated(item);
    }
    void setUnits(int heating, int hotWater)
    {
        combo("ComboBox4")->setCurrentIndex(heating);
        combo("ComboBox1")->setCurrentIndex(hotWater);
    }
    QString path(const QString& name) { return m_dir.filePath(name); }

private slots:
    void initTestCase()
    {
        messages::setHook([this](const messages::Shown& s) { m_shown << s.text; });
        filedialogs::setHook([this](const filedialogs::Request& r) -> QString {
            ++m_dialogs;
            if (r.filter != QStringLiteral("Файл ТЭО|*.teo|Все файлы|*.*")
                || r.defaultExtension != QStringLiteral("teo"))
                return QStringLiteral("/wrong/dialog/request");
            return m_dialogAnswer;
        });
    }

    void init()
    {
        m_main = std::make_unique<QMainWindow>();
        windowprotocol::setMainWindow(m_main.get());
        m_w = std::make_unique<TTexOb>();
        m_shown.clear();
        m_dialogs = 0;
        m_dialogAnswer.clear();
    }

    void cleanup()
    {
        m_w.reset();
        windowprotocol::setMainWindow(nullptr);
        m_main.reset();
    }

    void enablingFollowsTheUsersChoice_data()
    {
        QTest::addColumn<int>("item");
        QTest::addColumn<QList<bool>>("on"); // heating, hot water, Edit14, Edit13, Edit7
        QTest::newRow("prompt") << 0 << QList<bool>{false, false, false, false, false};
        QTest::newRow("heating") << 1 << QList<bool>{true, false, false, true, false};
        QTest::newRow("hot water") << 2 << QList<bool>{false, true, false, false, true};
        QTest::newRow("both") << 3 << QList<bool>{true, true, true, false, false};
    }
    void enablingFollowsTheUsersChoice()
    {
        QFETCH(int, item);
        QFETCH(QList<bool>, on);
        choose(3);
        choose(item);
        const char* const areas[][2] = {{"GroupBox1", "GroupBox1"},
                                        {"GroupBox2", "GroupBox2"},
                                        {"Label14", "Edit14"},
                                        {"Label12", "Edit13"},
                                        {"Label6", "Edit7"}};
        for (int i = 0; i < 5; ++i)
            for (const char* name : areas[i])
                QVERIFY2(widget(name)->isEnabledTo(m_w.get()) == on[i], name);
    }

    void choiceSetFromCodeEnablesNothing()
    {
        combo("ComboBox3")->setCurrentIndex(3);
        QVERIFY(!widget("GroupBox1")->isEnabledTo(m_w.get()));
        QVERIFY(!widget("Edit14")->isEnabled());
    }

    void readDataReadsOnlyWhatTheChoiceNeeds()
    {
        choose(2);
        edit("Edit11")->setText(QStringLiteral("abc"));
        edit("Edit9")->setText(QStringLiteral("-4.6"));
        setUnits(0, 1);
        edit("Edit12")->setText(QStringLiteral("1"));
        QVERIFY(m_w->ReadData());
        QVERIFY(m_shown.isEmpty());
        QCOMPARE(m_w->inputs().hotWaterLoad, 0.8598);
        QCOMPARE(m_w->inputs().heatingLoad, 0.0);
        QCOMPARE(m_w->inputs().nightSetbackHours, 0.0);

        choose(1);
        edit("Edit11")->setText(QStringLiteral("2"));
        QVERIFY(!m_w->ReadData()); // -4.6 with a point
        QCOMPARE(m_shown,
                 QStringList{QStringLiteral(
                     "Неправильный ввод данных. Дробные числа вводяться через запятую!!!")});
        QCOMPARE(m_w->inputs().heatingLoad, 2.0);      // read before the failure
        QCOMPARE(m_w->inputs().holidayCount, 16.0);    // read before the failure
        QCOMPARE(m_w->inputs().heatingWorksCost, 0.0); // after it: untouched
        QCOMPARE(m_w->inputs().nightSetbackHours, 0.0);
        // The box that could not be read has the focus, its text selected.
        QCOMPARE(m_w->focusWidget(), edit("Edit9"));
        QCOMPARE(edit("Edit9")->selectedText(), QStringLiteral("-4.6"));

        edit("Edit4")->setText(QStringLiteral("220,5"));
        QVERIFY(!m_w->ReadData());
        QCOMPARE(m_shown.size(), 2);
        QCOMPARE(m_w->focusWidget(), edit("Edit4")); // whole days only
        QCOMPARE(edit("Edit4")->selectedText(), QStringLiteral("220,5"));
    }

    void setbackHoursFromTheHourChoices()
    {
        const std::tuple<QString, QString, double> cases[] = {
            {"17", "09", 16}, {"09", "17", 8}, {"05", "05", 0}};
        choose(1);
        for (const auto& [start, end, hours] : cases) {
            combo("ComboBox2")->setCurrentText(start);
            combo("ComboBox5")->setCurrentText(end);
            check("CheckBox2")->setChecked(false); // computed whether or not the box is ticked
            QVERIFY(m_w->ReadData());
            QCOMPARE(m_w->inputs().nightSetbackHours, hours);
        }
    }

    void reportsForEachChoice()
    {
        setUnits(2, 2);
        for (int item : {1, 2, 3}) {
            choose(item);
            m_w->Button2Click();
            QVERIFY(m_shown.isEmpty());
            const auto choice = static_cast<SystemChoice>(item);
            QStringList expected = assessment::reportHeader(
                choice, QStringLiteral("г. Город  ул. Улица д. 10"), QStringLiteral("1606,29"));
            expected += assessment::assessmentBody(m_w->inputs(), choice).lines;
            QCOMPARE(memoLines(), expected);
        }
        QCOMPARE(memoLines().at(memoLines().size() - 2),
                 QStringLiteral(" Срок окупаемости комплекса работ  по внедрению регуляторов "
                                "расхода тепловой энергии: 1,16 лет."));
    }

    void headerEchoesTextsAsTyped()
    {
        setUnits(2, 2);
        choose(1);
        edit("Edit3")->setText(QStringLiteral("1606,290 "));
        edit("Edit2")->setText(QString(120, QLatin1Char('x')));
        m_w->Button2Click();
        QCOMPARE(memoLines()[2], QString(120, QLatin1Char('x')));
        QCOMPARE(memoLines()[3], QStringLiteral("при стоимости одной Гкал 1606,290 "));
        QCOMPARE(m_w->inputs().objectName, QString(100, QLatin1Char('x')));
    }

    void unitChecksAndTheirOrder()
    {
        const QString chooseUnit = QStringLiteral("Выберите величину измерения нагрузки");
        const QString badInput =
            QStringLiteral("Неправильный ввод данных. Дробные числа вводяться через запятую!!!");
        edit("Edit9")->setText(QStringLiteral("x"));

        // Heating: the unit first, the inputs are not read.
        choose(1);
        m_w->Button2Click();
        QCOMPARE(m_shown, QStringList{chooseUnit});
        QCOMPARE(memoLines().size(), 5);

        // Both: the inputs first, then the units.
        m_shown.clear();
        choose(3);
        m_w->Button2Click();
        QCOMPARE(m_shown, QStringList{badInput});
        edit("Edit9")->setText(QStringLiteral("-4,6"));
        m_shown.clear();
        setUnits(2, 0);
        m_w->Button2Click();
        QCOMPARE(m_shown, QStringList{chooseUnit});
        QCOMPARE(memoLines().size(), 5);
        QCOMPARE(m_w->inputs().averageOutdoorTemperature, -4.6);

        // No system: the memo keeps what it had.
        const QString before = memo()->toPlainText();
        m_shown.clear();
        choose(0);
        m_w->Button2Click();
        QCOMPARE(m_shown, QStringList{QStringLiteral("Выберите систему для расчета ТЭО.")});
        QCOMPARE(memo()->toPlainText(), before);
    }

    void zeroDivisorKeepsWhatWasWritten()
    {
        setUnits(2, 2);
        choose(3);
        edit("Edit1")->setText(QStringLiteral("5")); // hot water as warm as the winter tap water
        m_w->Button2Click();
        QCOMPARE(m_shown, QStringList{QStringLiteral("Деление на ноль")});
        const QStringList lines = memoLines();
        QCOMPARE(lines.last(),
                 QStringLiteral(" -") + QString(9, QChar(0xA0))
                     + QStringLiteral(
                         " автоматическое снижение температуры горячей воды в ночное время."));
        QVERIFY(lines.contains(QStringLiteral("ОТОПЛЕНИЕ.")));
    }

    void saveAndLoadRoundTrip()
    {
        setUnits(1, 2);
        edit("Edit11")->setText(QStringLiteral("1"));
        combo("ComboBox3")->setCurrentIndex(1);
        m_dialogAnswer = path(QStringLiteral("round.teo"));
        m_w->N2Click();
        QVERIFY(m_shown.isEmpty());
        QCOMPARE(combo("ComboBox3")->currentIndex(), 1);
        QCOMPARE(QFileInfo(m_dialogAnswer).size(), 256);

        const char* const filled[] = {"Edit2",  "Edit3", "Edit4", "Edit9", "Edit10", "Edit13",
                                      "Edit12", "Edit5", "Edit6", "Edit7", "Edit1",  "Edit14"};
        QStringList saved;
        for (const char* name : filled) {
            saved << edit(name)->text();
            edit(name)->setText(QStringLiteral("0"));
        }
        setUnits(0, 0);
        check("CheckBox1")->setChecked(false);
        check("CheckBox2")->setChecked(false);
        edit("Edit16")->setText(QStringLiteral("kept"));

        m_w->N3Click();
        QVERIFY(m_shown.isEmpty());
        QStringList loaded;
        for (const char* name : filled)
            loaded << edit(name)->text();
        QCOMPARE(loaded, saved);
        QCOMPARE(edit("Edit11")->text(), QStringLiteral("0,8598"));
        QCOMPARE(combo("ComboBox4")->currentIndex(), 2);
        QCOMPARE(combo("ComboBox1")->currentIndex(), 2);
        QVERIFY(check("CheckBox1")->isChecked() && check("CheckBox2")->isChecked());
        QCOMPARE(edit("Edit16")->text(), QStringLiteral("kept"));
        QCOMPARE(combo("ComboBox3")->currentIndex(), 1);
    }

    void saveRefusalsWriteNothing()
    {
        combo("ComboBox3")->setCurrentIndex(2);
        m_dialogAnswer = path(QStringLiteral("never.teo"));
        edit("Edit17")->setText(QStringLiteral("?")); // a heating box: the save reads everything
        m_w->N2Click();
        QCOMPARE(
            m_shown,
            (QStringList{QStringLiteral(
                             "Неправильный ввод данных. Дробные числа вводяться через запятую!!!"),
                         QStringLiteral("Не удалось сохранить. Неправильный ввод данных.")}));
        QCOMPARE(m_dialogs, 0);
        QCOMPARE(combo("ComboBox3")->currentIndex(), 2);

        edit("Edit17")->setText(QStringLiteral("22"));
        m_shown.clear();
        m_dialogAnswer.clear(); // cancel
        m_w->N2Click();
        QVERIFY(m_shown.isEmpty());
        QCOMPARE(m_dialogs, 1);
        QVERIFY(!QFile::exists(path(QStringLiteral("never.teo"))));
        QCOMPARE(combo("ComboBox3")->currentIndex(), 2);
    }

    void loadFailureLeavesControls()
    {
        const QString shortFile = path(QStringLiteral("short.teo"));
        QFile file(shortFile);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(100, '\x05'));
        file.close();
        for (const QString& answer : {shortFile, path(QStringLiteral("nowhere.teo"))}) {
            m_shown.clear();
            m_dialogAnswer = answer;
            m_w->N3Click();
            QCOMPARE(m_shown.size(), 1);
            QVERIFY2(m_shown[0].contains(answer), qPrintable(m_shown[0]));
            QCOMPARE(edit("Edit2")->text(), QStringLiteral("г. Город  ул. Улица д. 10"));
            QCOMPARE(combo("ComboBox4")->currentIndex(), 0);
        }
    }

    void longLinesAreShownInPieces()
    {
        m_w->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_w.get()));
        setUnits(2, 2);
        choose(1);
        m_w->Button2Click();
        const QStringList shown = m_w->displayedLines();
        QVERIFY(shown.size() > memoLines().size());
        QCOMPARE(shown.mid(0, 4), memoLines().mid(0, 4));
        // The pieces put together give the report back.
        QCOMPARE(shown.join(QString()).remove(QLatin1Char(' ')),
                 memoLines().join(QString()).remove(QLatin1Char(' ')));
        const QFontMetrics metrics(memo()->font());
        for (const QString& line : shown)
            QVERIFY2(metrics.horizontalAdvance(line.trimmed()) <= memo()->viewport()->width(),
                     qPrintable(line));
    }

    void exportWritesTheDisplayedLines()
    {
        m_w->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_w.get()));
        m_w->Button1Click();
        QCOMPARE(m_shown, QStringList{QStringLiteral("Расчитайте ТЭО.")});
        QVERIFY(sheettest::recordedCalls(m_w->xlApp()).isEmpty());

        m_shown.clear();
        setUnits(2, 2);
        choose(3);
        edit("Edit2")->setText(QStringLiteral("Дом 7"));
        m_w->Button2Click();
        const QString out = path(QStringLiteral("export.xlsx"));
        m_w->xlApp().setTargetFile(out);
        m_w->Button1Click();
        QVERIFY2(m_shown.isEmpty(), qPrintable(m_shown.join(QLatin1Char('|'))));

        const QJsonObject sheet = readFirstSheet(out);
        QCOMPARE(sheet[QStringLiteral("name")].toString(), QStringLiteral("ТЭОДом 7"));
        const QStringList shown = m_w->displayedLines();
        const QJsonArray merged = sheet[QStringLiteral("merged")].toArray();
        QCOMPARE(merged.size(), shown.size());
        const QJsonObject cells = sheet[QStringLiteral("cells")].toObject();
        for (int row = 1; row <= shown.size(); ++row) {
            const QString a = QStringLiteral("A%1").arg(row);
            QVERIFY2(merged.contains(QStringLiteral("A%1:E%1").arg(row)), qPrintable(a));
            if (shown[row - 1].isEmpty())
                continue;
            const QJsonObject cell = cells[a].toObject();
            QCOMPARE(cell[QStringLiteral("value")].toString(), shown[row - 1]);
            QVERIFY(cell[QStringLiteral("bold")].toBool());
            QCOMPARE(cell[QStringLiteral("align")].toString(),
                     row <= 4 ? QStringLiteral("center") : QStringLiteral("left"));
        }
    }

    void refusedSheetNameEndsTheExport()
    {
        setUnits(2, 2);
        choose(1);
        edit("Edit2")->setText(QStringLiteral("Дом [1]/2"));
        m_w->Button2Click();
        m_w->xlApp().setTargetFile(path(QStringLiteral("refused.xlsx")));
        m_w->Button1Click();
        QCOMPARE(m_shown.size(), 1);
        QVERIFY2(m_shown[0].contains(QStringLiteral("ТЭОДом [1]/2")), qPrintable(m_shown[0]));
        QVERIFY(!QFile::exists(path(QStringLiteral("refused.xlsx"))));

        // The refusal does not spoil the next export of the same window.
        m_shown.clear();
        edit("Edit2")->setText(QStringLiteral("Дом 1"));
        m_w->Button2Click();
        const QString out = path(QStringLiteral("after-refusal.xlsx"));
        m_w->xlApp().setTargetFile(out);
        m_w->Button1Click();
        QVERIFY2(m_shown.isEmpty(), qPrintable(m_shown.join(QLatin1Char('|'))));
        QCOMPARE(readFirstSheet(out)[QStringLiteral("name")].toString(),
                 QStringLiteral("ТЭОДом 1"));
    }

    void exitClosesAndEnablesMainWindow()
    {
        windowprotocol::openWorkWindow(m_w.get());
        QVERIFY(!m_main->isEnabled());
        m_w->N5Click();
        QVERIFY(m_main->isEnabled());
        QVERIFY(!m_w->isVisible());
    }
};

QTEST_MAIN(TeoWindowTest)
#include "TeoWindowTest.moc"
