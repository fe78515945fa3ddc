// The selection window: descriptions following the title, closing, inputs kept, messages,
// Enter in the input boxes, export and the opening of what it wrote, the object question, and the
// command-line tool printing what the window shows.

#include "core/Numbers.h"
#include "sheet/Launcher.h"
#include "sheet/Opener.h"
#include "tests/support/RunProgram.h"
#include "tests/support/SheetCalls.h"
#include "ui/selection/Gidroelevator.h"
#include "ui/shell/Messages.h"
#include "ui/shell/Prompts.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace selection;

namespace {

const QString kHydro = QStringLiteral("Регулирующий гидроэлеватор");
const QString kControl = QStringLiteral("Запорно-регулирующий клапан");
const QString kMixing = QStringLiteral("Клапан смесительный трехходовой");
const QString kRegulator = QStringLiteral("Регулятор давления и перепада");

} // namespace

class SelectionWindowTest : public QObject {
    Q_OBJECT

private:
    QWidget m_main;
    TSelectRtForm* m_form = nullptr;
    QStringList m_shown;

    template <typename T> T* child(const char* name)
    {
        return m_form->findChild<T*>(QString::fromLatin1(name));
    }
    QPlainTextEdit* memo(const char* name) { return child<QPlainTextEdit>(name); }
    QStringList memo2Lines()
    {
        const QString text = memo("Memo2")->toPlainText();
        return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
    }
    void open(const QString& title) { windowprotocol::openWorkWindow(m_form, title); }
    void set(const char* edit, const QString& text) { child<QLineEdit>(edit)->setText(text); }
    void pick(const char* combo, int index) { child<QComboBox>(combo)->setCurrentIndex(index); }
    void chooseUnits()
    {
        pick("ComboBox1", 1);
        pick("ComboBox2", 3);
        pick("ComboBox3", 3);
        pick("ComboBox4", 2);
    }
    void resetUnits()
    {
        for (const char* combo : {"ComboBox1", "ComboBox2", "ComboBox3", "ComboBox4"})
            pick(combo, 0);
    }
    // Stand-ins for desktop programs, alone on PATH while the test runs: each notes its
    // arguments, stays in the foreground until the test lets it go, and ends with its status.
    struct FakePrograms {
        QTemporaryDir dir;
        QByteArray path = qgetenv("PATH");
        QString file(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
        void install(const QString& program, const QString& status)
        {
            QFile script(dir.filePath(program));
            QVERIFY(script.open(QIODevice::WriteOnly));
            const QString body =
                status == QLatin1String("broken")
                    ? QStringLiteral("#!/nonexistent/sh\n")
                    : QStringLiteral("#!/bin/sh\necho \"$*\" > '%1'\nn=0\n"
                                     "while [ ! -e '%2' ] && [ $n -lt 1000 ]; do\n"
                                     "/bin/sleep 0.02; n=$((n+1)); done\n: > '%3'\nexit %4\n")
                          .arg(file("started"), file("release"), file("ended"), status);
            script.write(body.toUtf8());
            script.close();
            script.setPermissions(script.permissions() | QFile::ExeOwner);
        }
        ~FakePrograms()
        {
            QFile(file("release")).open(QIODevice::WriteOnly); // none is left waiting
            qputenv("PATH", path);
        }
    };
    QStringList visibleDescriptions()
    {
        QStringList visible;
        for (const char* name : {"Memo1", "Memo3", "Memo4", "Memo5"})
            if (memo(name)->isVisible())
                visible << QString::fromLatin1(name);
        return visible;
    }

private slots:
    void initTestCase()
    {
        windowprotocol::setMainWindow(&m_main);
        m_main.show();
        messages::setHook([this](const messages::Shown& s) { m_shown << s.text; });
        m_form = new TSelectRtForm;
    }

    void cleanupTestCase()
    {
        delete m_form;
        messages::setHook({});
    }

    void init() { m_shown.clear(); }
    void cleanup() { m_form->close(); }

    void startsWithTheSpecifiedDefaults()
    {
        QCOMPARE(m_form->windowTitle(), kHydro);
        QCOMPARE(m_form->client()->size(), QSize(946, 445));
        QCOMPARE(child<QLineEdit>("Edit2")->text(), QStringLiteral("3,8"));
        QCOMPARE(child<QComboBox>("ComboBox5")->count(), 4);
        QCOMPARE(child<QComboBox>("ComboBox2")->currentText(), QStringLiteral("Выберите величину"));
        QVERIFY(memo("Memo2")->isReadOnly());
    }

    // Position and, where the window fixes them, width and height (0: not fixed).
    void controlsStandWhereTheWindowWasDrawn_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("drawn");
        const struct {
            const char* name;
            QRect drawn;
        } rows[] = {
            {"Label2", {624, 8, 0, 0}},      {"Label4", {512, 40, 0, 0}},
            {"Label5", {512, 64, 0, 0}},     {"Label6", {512, 88, 0, 0}},
            {"Label8", {512, 112, 0, 0}},    {"Label1", {512, 136, 0, 0}},
            {"Edit1", {744, 40, 0, 0}},      {"Edit2", {744, 64, 0, 0}},
            {"Edit3", {744, 88, 0, 0}},      {"Edit4", {856, 88, 0, 0}},
            {"Edit5", {744, 112, 0, 0}},     {"Edit6", {744, 136, 0, 0}},
            {"ComboBox2", {816, 40, 0, 0}},  {"ComboBox3", {816, 64, 0, 0}},
            {"ComboBox4", {816, 112, 0, 0}}, {"ComboBox1", {816, 136, 0, 0}},
            {"ComboBox5", {8, 296, 489, 0}}, {"ComboBox6", {8, 328, 489, 0}},
            {"Button1", {512, 160, 433, 0}}, {"Memo2", {512, 184, 433, 209}},
            {"Button2", {512, 400, 433, 0}}, {"BitBtn1", {0, 424, 946, 17}},
            {"Memo1", {0, 0, 505, 417}},     {"Memo3", {0, 0, 505, 417}},
            {"Memo4", {0, 0, 505, 417}},     {"Memo5", {0, 0, 505, 281}},
        };
        for (const auto& row : rows)
            QTest::newRow(row.name) << QString::fromLatin1(row.name) << row.drawn;
    }

    void controlsStandWhereTheWindowWasDrawn()
    {
        QFETCH(QString, name);
        QFETCH(QRect, drawn);
        auto* widget = m_form->client()->findChild<QWidget*>(name);
        QVERIFY(widget);
        const QRect at = widget->geometry();
        QCOMPARE(at.topLeft(), drawn.topLeft());
        if (drawn.width())
            QCOMPARE(at.width(), drawn.width());
        if (drawn.height())
            QCOMPARE(at.height(), drawn.height());
        if (name.startsWith(QLatin1String("Label")) && name != QLatin1String("Label2"))
            QCOMPARE(widget->font().pixelSize(), 16);
    }

    void tabKeyVisitsTheControlsInTheirOrder()
    {
        const QStringList order = {"BitBtn1",   "Memo1",     "Edit1",   "ComboBox2", "Edit2",
                                   "ComboBox3", "Edit3",     "Edit4",   "Edit5",     "ComboBox4",
                                   "Edit6",     "ComboBox1", "Button1", "Memo2",     "Button2",
                                   "Memo3",     "Memo4",     "Memo5",   "ComboBox5", "ComboBox6"};
        QStringList visited;
        QWidget* widget = child<QWidget>("BitBtn1");
        for (int step = 0; step < 500 && visited.size() <= order.size(); ++step) {
            if (order.contains(widget->objectName()))
                visited << widget->objectName();
            widget = widget->nextInFocusChain();
        }
        QCOMPARE(visited.mid(0, order.size()), order);
        QCOMPARE(visited.value(order.size()), order.first()); // and round again
    }

    void descriptionFollowsTheTitle_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("memoName");
        QTest::addColumn<bool>("regulatorChoicesInView");
        QTest::newRow("hydroelevator") << kHydro << "Memo1" << false;
        QTest::newRow("control valve") << kControl << "Memo3" << false;
        QTest::newRow("mixing valve") << kMixing << "Memo4" << false;
        QTest::newRow("regulator") << kRegulator << "Memo5" << true;
        QTest::newRow("no kind") << QStringLiteral("Запорнорегулирующий клапан") << "" << true;
    }

    void descriptionFollowsTheTitle()
    {
        QFETCH(QString, title);
        QFETCH(QString, memoName);
        QFETCH(bool, regulatorChoicesInView);
        open(kRegulator); // a stale description must not stay under the next one
        m_form->close();
        memo("Memo2")->setPlainText(QStringLiteral("old"));
        open(title);
        QCOMPARE(visibleDescriptions(), memoName.isEmpty() ? QStringList() : QStringList{memoName});
        QCOMPARE(memo("Memo2")->toPlainText(), QString());
        QVERIFY(!m_main.isEnabled());

        // In view means that no visible description covers the combo box.
        auto* combo5 = child<QComboBox>("ComboBox5");
        auto* combo6 = child<QComboBox>("ComboBox6");
        bool covered = false;
        for (const QString& name : visibleDescriptions())
            covered = covered || memo(name.toLatin1())->geometry().intersects(combo5->geometry())
                      || memo(name.toLatin1())->geometry().intersects(combo6->geometry());
        QCOMPARE(!covered, regulatorChoicesInView);
        // The covering memos lie above the combo boxes.
        const QObjectList order = m_form->client()->children();
        QVERIFY(order.indexOf(memo("Memo1")) > order.indexOf(combo5));
    }

    void everyWayOfClosingEndsTheSame_data()
    {
        QTest::addColumn<int>("way");
        QTest::newRow("menu Выход") << 0;
        QTest::newRow("BitBtn1") << 1;
        QTest::newRow("close box") << 2;
    }

    void everyWayOfClosingEndsTheSame()
    {
        QFETCH(int, way);
        open(kRegulator);
        QVERIFY(memo("Memo5")->isVisible());
        if (way == 0)
            child<QAction>("N4")->trigger();
        else if (way == 1)
            child<QPushButton>("BitBtn1")->click();
        else
            m_form->close();
        QVERIFY(!m_form->isVisible());
        QVERIFY(m_main.isEnabled());
        QVERIFY(memo("Memo5")->isHidden());
        open(kHydro);
        QCOMPARE(visibleDescriptions(), QStringList{QStringLiteral("Memo1")});
    }

    void inputsAreKeptAcrossKinds()
    {
        open(kHydro);
        set("Edit1", QStringLiteral("6"));
        pick("ComboBox2", 2);
        pick("ComboBox5", 3);
        m_form->close();
        open(kMixing);
        QCOMPARE(child<QLineEdit>("Edit1")->text(), QStringLiteral("6"));
        QCOMPARE(child<QComboBox>("ComboBox2")->currentIndex(), 2);
        QCOMPARE(child<QComboBox>("ComboBox5")->currentIndex(), 3);
        set("Edit1", QStringLiteral("4"));
        pick("ComboBox2", 0);
        pick("ComboBox5", 0);
    }

    void button1ShowsMessagesAndKeepsLines_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("units");
        QTest::addColumn<QString>("returnTemperature");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("lines");
        QTest::newRow("defaults: units at the prompt")
            << kHydro << false << "70"
            << "Выберите величину сопротивления системы" << 0;
        QTest::newRow("math error after one line") << kHydro << true << "95"
                                                   << "Неправильный ввод данных.!!!" << 1;
        QTest::newRow("point as separator")
            << kControl << true << "70.0"
            << "Неправильный ввод данных. Дробные числа вводяться через запятую!!!" << 0;
        QTest::newRow("regulator without series") << kRegulator << true << "70"
                                                  << "Выбраны не все параметры!" << 0;
        QTest::newRow("complete") << kMixing << true << "70"
                                  << "" << 6;
    }

    void button1ShowsMessagesAndKeepsLines()
    {
        QFETCH(QString, title);
        QFETCH(bool, units);
        QFETCH(QString, returnTemperature);
        QFETCH(QString, message);
        QFETCH(int, lines);
        open(title);
        if (units)
            chooseUnits();
        set("Edit4", returnTemperature);
        child<QPushButton>("Button1")->click();
        QCOMPARE(m_shown, message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(memo2Lines().size(), lines);
        set("Edit4", QStringLiteral("70"));
        resetUnits();
    }

    // Enter in any input box sizes, as "Подобрать" does, and leaves the focus in the box.
    void enterInAnInputBoxSizes()
    {
        open(kMixing);
        chooseUnits();
        m_form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_form));
        for (const char* name : {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5", "Edit6"}) {
            auto* edit = child<QLineEdit>(name);
            edit->setFocus(Qt::TabFocusReason);
            for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
                memo("Memo2")->clear();
                QTest::keyClick(edit, key);
                QVERIFY2(memo2Lines().size() == 6 && QApplication::focusWidget() == edit, name);
            }
        }
        QCOMPARE(m_shown, QStringList());
        resetUnits();
    }

    void sizingMethodsReportMathErrorsAfterTheirLines()
    {
        open(kControl);
        const SizingOutcome failed = m_form->PodborKZR(150, 70, 0.5, 4, 3.8, 3);
        QVERIFY(failed.failure && failed.failure->fault);
        QCOMPARE(memo2Lines().size(), 2);
        m_form->PodborKST(150, 70, 1.2, 4, 2, 2);
        QCOMPARE(memo2Lines().size(), 8);
        QCOMPARE(m_form->Translate(2, 1, 1.0), 10.19716);
    }

    // After the bad-number message the first box the selection could not read, in the order it
    // reads them (temperatures, load, pressures, resistance), has the focus, its text selected.
    void theBoxThatCouldNotBeReadTakesTheFocus()
    {
        open(kControl);
        chooseUnits();
        const char* const names[] = {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5", "Edit6"};
        QStringList typed;
        for (const char* name : names)
            typed << child<QLineEdit>(name)->text();
        set("Edit1", QStringLiteral("4"));
        set("Edit2", QStringLiteral("2"));
        set("Edit3", QStringLiteral("150"));
        set("Edit4", QStringLiteral("70"));
        set("Edit5", QStringLiteral("0.5"));
        set("Edit6", QStringLiteral("2"));
        child<QPushButton>("Button1")->click();
        QCOMPARE(m_shown, QStringList{num::conversionErrorMessage()});
        QCOMPARE(m_form->focusWidget(), child<QLineEdit>("Edit5"));
        QCOMPARE(child<QLineEdit>("Edit5")->selectedText(), QStringLiteral("0.5"));

        set("Edit1", QStringLiteral("4.0")); // a pressure is read after the load
        child<QPushButton>("Button1")->click();
        QCOMPARE(m_form->focusWidget(), child<QLineEdit>("Edit5"));
        set("Edit5", QStringLiteral("0,5"));
        child<QPushButton>("Button1")->click();
        QCOMPARE(m_form->focusWidget(), child<QLineEdit>("Edit1"));
        QCOMPARE(child<QLineEdit>("Edit1")->selectedText(), QStringLiteral("4.0"));
        m_shown.clear();
        for (int i = 0; i < 6; ++i)
            set(names[i], typed[i]);
        resetUnits();
    }

    void exportRunsTheSelectionWhenTheResultIsEmpty()
    {
        QTemporaryDir dir;
        m_form->xlApp().setTargetFile(dir.filePath(QStringLiteral("report.xlsx")));
        open(kControl);
        pick("ComboBox1", 1); // inlet unit left at the prompt
        child<QPushButton>("Button2")->click();
        QCOMPARE(m_shown, QStringList{QStringLiteral("Выберите величину измерения давления")});
        QStringList calls = sheettest::recordedCalls(m_form->xlApp());
        QVERIFY(calls.contains(QStringLiteral("writeCell(C6,C6,Выберите величину)")));

        chooseUnits();
        child<QPushButton>("Button2")->click();
        calls = sheettest::recordedCalls(m_form->xlApp());
        QCOMPARE(memo2Lines().size(), 6);
        QVERIFY(calls.contains(QStringLiteral("writeCell(A13,A13,") + memo2Lines().first()
                               + QLatin1Char(')')));
        QVERIFY(calls.contains(QStringLiteral("writeCell(A18,A18,") + memo2Lines().last()
                               + QLatin1Char(')')));
        // The workbook opens in an independent reader, under either locale of the run, with
        // the typed inputs as numbers.
        const QJsonObject sheet = readFirstSheet(dir.filePath(QStringLiteral("report.xlsx")));
        QVERIFY(!sheet.isEmpty());
        for (const char* edit : {"Edit1", "Edit2", "Edit5"}) {
            const std::optional<double> typed = num::parseDecimal(child<QLineEdit>(edit)->text());
            QVERIFY(typed);
            bool found = false;
            for (const QJsonValue cell : sheet[QStringLiteral("cells")].toObject())
                found = found
                        || (cell[QStringLiteral("type")].toString() == QStringLiteral("n")
                            && cell[QStringLiteral("value")].toDouble() == *typed);
            QVERIFY2(found, edit);
        }
        resetUnits();
    }

    // The object question of the calculation sheet shows its title and label whole, with an
    // answer box for a name and an address.
    void objectQuestionIsSizedToItsTexts()
    {
        std::optional<prompts::Question> asked;
        const prompts::Hook hook = prompts::setHook([&](const prompts::Question& q) {
            asked = q;
            return std::nullopt;
        });
        open(kMixing);
        chooseUnits();
        child<QAction>("N7")->trigger();
        prompts::setHook(hook);
        resetUnits();
        QVERIFY(asked);
        const std::unique_ptr<QInputDialog> dialog = prompts::dialogFor(m_form, *asked);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        const auto* label = dialog->findChild<QLabel*>();
        const auto* answer = dialog->findChild<QLineEdit*>();
        QVERIFY(label->width() >= label->fontMetrics().horizontalAdvance(asked->label));
        QVERIFY(answer->width() >= 40 * answer->fontMetrics().averageCharWidth());
        QVERIFY(dialog->width() >= dialog->fontMetrics().horizontalAdvance(asked->title) + 120);
    }

    // The written sheet or book goes to the real opening, with stand-ins for the programs: the
    // command returns while the program runs, a program in the foreground is no failure while it
    // runs or when it ends well, and one that fails is told with the file's whole path.
    void openingsAreWatchedWithoutWaiting_data()
    {
        QTest::addColumn<bool>("pdf"); // "Расчётный лист (PDF)", else the book
        QTest::addColumn<QStringList>("programs"); // "name=status" on PATH, in order
        QTest::addColumn<QString>("reason");       // empty: no message
        const QString noViewer = QStringLiteral("программа xdg-open завершилась с кодом 3 (не "
                                                "найдена программа для файлов этого типа)");
        QTest::newRow("sheet: no viewer for the type")
            << true << QStringList{"xdg-open=3"} << noViewer;
        QTest::newRow("sheet: viewer closed") << true << QStringList{"xdg-open=0"} << QString();
        QTest::newRow("sheet: no xdg-open")
            << true << QStringList{} << QStringLiteral("не установлена программа xdg-open");
        QTest::newRow("book: no soffice, no application for the type")
            << false << QStringList{"xdg-open=3"} << noViewer;
        QTest::newRow("book: soffice fails")
            << false << QStringList{"soffice=1", "xdg-open=0"}
            << QStringLiteral("программа soffice завершилась с кодом 1");
        QTest::newRow("book: soffice cannot start, xdg-open opens")
            << false << QStringList{"soffice=broken", "xdg-open=0"} << QString();
    }
    void openingsAreWatchedWithoutWaiting()
    {
        QFETCH(bool, pdf);
        QFETCH(QStringList, programs);
        QFETCH(QString, reason);
        FakePrograms fakes;
        for (const QString& program : programs)
            fakes.install(program.section('=', 0, 0), program.section('=', 1));
        qputenv("PATH", QFile::encodeName(fakes.dir.path()));
        const sheet::Opener sheetOpener = sheet::setOpener(sheet::openInSpreadsheet);
        const prompts::Hook hook =
            prompts::setHook([](const prompts::Question&) { return QStringLiteral("Дом 1"); });
        m_form->xlApp().setTargetFile({});
        open(kMixing);
        chooseUnits();
        if (pdf)
            child<QAction>("N7")->trigger();
        else
            child<QPushButton>("Button2")->click();
        prompts::setHook(hook);
        sheet::setOpener(sheetOpener);
        resetUnits();

        // The workbook is the window's own; the sheet is a new PDF of the export folder, which
        // other test programs running at the same time write to as well, so it is the one the
        // viewer was given.
        QString file = pdf ? QString() : m_form->xlApp().writtenFile();
        if (!programs.isEmpty()) {
            QTRY_VERIFY(QFile::exists(fakes.file("started")));
            QTest::qWait(200); // the program runs on; nothing is told meanwhile
            QCOMPARE(m_shown, QStringList());
            QFile started(fakes.file("started"));
            QVERIFY(started.open(QIODevice::ReadOnly));
            const QString given = QFile::decodeName(started.readAll().trimmed());
            if (pdf) {
                file = given.mid(given.lastIndexOf(QLatin1Char(' ')) + 1);
                QCOMPARE(QFileInfo(file).absolutePath(),
                         QDir(sheet::unsavedFolder()).absolutePath());
                QVERIFY(file.endsWith(QLatin1String(".pdf")));
            }
            QVERIFY(given.endsWith(file));
            QVERIFY(QFileInfo(file).isAbsolute() && QFile::exists(file));
            QFile release(fakes.file("release"));
            QVERIFY(release.open(QIODevice::WriteOnly));
            QTRY_VERIFY(QFile::exists(fakes.file("ended")));
        }
        if (reason.isEmpty()) {
            QTest::qWait(200);
            QCOMPARE(m_shown, QStringList());
            return;
        }
        QTRY_COMPARE(m_shown.size(), 1);
        if (file.isEmpty()) { // no viewer was started: the sheet named by the message
            const QString shown = m_shown[0];
            const qsizetype from = shown.indexOf(QStringLiteral("в файл ")) + 7;
            file = shown.mid(from, shown.indexOf(QStringLiteral(", но")) - from);
            QCOMPARE(QFileInfo(file).absolutePath(), QDir(sheet::unsavedFolder()).absolutePath());
            QVERIFY(file.endsWith(QLatin1String(".pdf")) && QFile::exists(file));
        }
        QCOMPARE(m_shown[0], (pdf ? QStringLiteral("Расчётный лист записан в файл %1, но открыть "
                                                   "его не удалось: %2")
                                  : QStringLiteral("Книга записана в файл %1, но открыть её не "
                                                   "удалось: %2"))
                                 .arg(file, reason));
    }

    void commandLineToolPrintsWhatTheWindowShows_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("load");
        QTest::addColumn<QString>("returnTemperature");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("hydroelevator") << "hydroelevator" << kHydro << "0,5"
                                       << "70" << 0;
        QTest::newRow("control valve") << "control-valve" << kControl << "1,2"
                                       << "70" << 0;
        QTest::newRow("mixing valve") << "mixing-valve" << kMixing << "1,2"
                                      << "70" << 0;
        QTest::newRow("regulator") << "regulator" << kRegulator << "0,5"
                                   << "70" << 0;
        QTest::newRow("math error") << "hydroelevator" << kHydro << "0,5"
                                    << "95" << 1;
        QTest::newRow("conversion error") << "mixing-valve" << kMixing << "0,5x"
                                          << "70" << 1;
    }

    void commandLineToolPrintsWhatTheWindowShows()
    {
        QFETCH(QString, kind);
        QFETCH(QString, title);
        QFETCH(QString, load);
        QFETCH(QString, returnTemperature);
        QFETCH(int, exitCode);
        open(title);
        set("Edit1", QStringLiteral("6"));
        set("Edit2", QStringLiteral("2"));
        set("Edit3", QStringLiteral("150"));
        set("Edit4", returnTemperature);
        set("Edit5", load);
        set("Edit6", QStringLiteral("1"));
        chooseUnits();
        pick("ComboBox2", 2); // MPa and bar on the two pressures
        pick("ComboBox3", 1);
        pick("ComboBox5", 2);
        pick("ComboBox6", 3);
        child<QPushButton>("Button1")->click();
        QCOMPARE(memo2Lines().size() >= 5, exitCode == 0);

        const CliRun cli = runCli(
            QStringLiteral("size %1 --inlet 6 --inlet-unit mpa --outlet 2 --outlet-unit bar "
                           "--supply 150 --return %2 --load %3 --load-unit gcal --resistance 1 "
                           "--resistance-unit m --series 2 --range 3")
                .arg(kind, returnTemperature, load)
                .split(QLatin1Char(' ')));
        QCOMPARE(cli.status, exitCode);
        QString expected;
        for (const QString& line : memo2Lines())
            expected += line + QLatin1Char('\n');
        QCOMPARE(cli.text(), expected);
        const QString shown = m_shown.isEmpty() ? QString() : m_shown.first() + QLatin1Char('\n');
        QCOMPARE(cli.err, shown);

        set("Edit1", QStringLiteral("4"));
        set("Edit2", QStringLiteral("3,8"));
        set("Edit3", QStringLiteral("115"));
        set("Edit4", QStringLiteral("70"));
        set("Edit5", QStringLiteral("0,08"));
        for (const char* combo :
             {"ComboBox1", "ComboBox2", "ComboBox3", "ComboBox4", "ComboBox5", "ComboBox6"})
            pick(combo, 0);
    }
};

QTEST_MAIN(SelectionWindowTest)
#include "SelectionWindowTest.moc"
