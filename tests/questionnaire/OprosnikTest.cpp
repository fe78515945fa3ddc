// The questionnaire window: panel choice by caption, enabling rules, values kept between
// showings, the request buttons and the exits, and labels that fit their controls.
#include "ui/questionnaire/Oprosnik.h"
#include "core/PlantInfo.h"
#include "questionnaire/Sheets.h"
#include "sheet/SheetModel.h"
#include "sheet/XLApp.h"
#include "tests/support/SheetCalls.h"
#include "ui/shell/Memos.h"
#include "ui/shell/Messages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

using namespace questionnaire;
using sheet::XLApp;

class OprosnikTest : public QObject {
    Q_OBJECT
private:
    QWidget m_main;
    TOprList* m_window = nullptr;
    QStringList m_shown;

    template <typename T> T* get(const char* name) { return m_window->findChild<T*>(name); }
    void open(Kind kind) { windowprotocol::openWorkWindow(m_window, panel(kind).caption); }
    QWidget* panelOf(Kind kind) { return m_window->findChild<QWidget*>(panel(kind).panelName); }
    // Types the text key by key, as the keyboard delivers it (Cyrillic letters included).
    static void type(QWidget* widget, const QString& text)
    {
        for (const QChar ch : text)
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key(ch.toUpper().unicode()), QString(ch),
                                Qt::NoModifier);
    }
    // Column A of the last written sheet, row by row from row 1 to its last row.
    QStringList columnA()
    {
        const sheet::SheetModel& model = m_window->xlApp().model();
        const int last = model.cells.empty() ? 0 : model.cells.rbegin()->first.first;
        QStringList texts;
        for (int row = 1; row <= last; ++row)
            texts << model.cell(QString("A%1").arg(row)).value_or(sheet::Cell{}).text;
        return texts;
    }

private slots:
    void initTestCase()
    {
        windowprotocol::setMainWindow(&m_main);
        m_main.show();
        m_window = new TOprList;
        messages::setHook([this](const messages::Shown& s) {
            m_shown << (s.kind == messages::Kind::Error ? "error|" : "") + s.title + "|" + s.text;
        });
    }
    void cleanupTestCase() { delete m_window; }
    void init() { m_shown.clear(); }

    void captionChoosesPanel_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("individual") << int(Kind::Itp);
        QTest::newRow("block") << int(Kind::Btp);
        QTest::newRow("plate") << int(Kind::Plate);
    }
    void captionChoosesPanel()
    {
        QFETCH(int, kind);
        open(Kind(kind));
        QVERIFY(!m_main.isEnabled());
        for (Kind k : {Kind::Itp, Kind::Btp, Kind::Plate})
            QCOMPARE(panelOf(k)->isVisible(), k == Kind(kind));
        m_window->close();
        QVERIFY(m_main.isEnabled());
    }

    void panelsKeepTheirValues()
    {
        open(Kind::Itp);
        get<QLineEdit>("Edit38")->setText("ООО Тест");
        get<QComboBox>("ComboBox18")->setCurrentIndex(2);
        get<QPlainTextEdit>("Memo3")->setPlainText("своё");
        get<QPushButton>("BitBtn3")->click();
        QVERIFY(m_main.isEnabled());
        open(Kind::Btp);
        QVERIFY(panelOf(Kind::Btp)->isVisible() && !panelOf(Kind::Itp)->isVisible());
        get<QLineEdit>("Edit1")->setText("другое");
        m_window->close();
        open(Kind::Itp);
        QCOMPARE(get<QLineEdit>("Edit38")->text(), QString("ООО Тест"));
        QCOMPARE(get<QComboBox>("ComboBox18")->currentIndex(), 2);
        QCOMPARE(get<QPlainTextEdit>("Memo3")->toPlainText(), QString("своё"));
        QCOMPARE(get<QLineEdit>("Edit1")->text(), QString("другое"));
        m_window->close();
    }

    void meteringCheckBoxesEnableTheirEditBox()
    {
        auto* edit52 = get<QLineEdit>("Edit52");
        auto* edit15 = get<QLineEdit>("Edit15");
        QVERIFY(edit52->isEnabled() && edit15->isEnabled());
        get<QCheckBox>("CheckBox6")->click();
        QVERIFY(!edit52->isEnabled());
        QVERIFY(edit15->isEnabled());
        QCOMPARE(edit52->text(), QString("Введите производителя"));
        get<QCheckBox>("CheckBox6")->click();
        QVERIFY(edit52->isEnabled());
        get<QCheckBox>("CheckBox1")->click();
        QVERIFY(!edit15->isEnabled());
        QVERIFY(edit52->isEnabled());
        get<QCheckBox>("CheckBox1")->click();
        QVERIFY(edit15->isEnabled());
    }

    void otherEnablesItsEditBox_data()
    {
        QTest::addColumn<QString>("combo");
        QTest::addColumn<QString>("edit");
        QTest::newRow("object") << "ComboBox17"
                                << "Edit45";
        QTest::newRow("source") << "ComboBox19"
                                << "Edit46";
    }
    void otherEnablesItsEditBox()
    {
        QFETCH(QString, combo);
        QFETCH(QString, edit);
        auto* box = m_window->findChild<QComboBox*>(combo);
        auto* line = m_window->findChild<QLineEdit*>(edit);
        QVERIFY(!line->isEnabled());
        const QString text = line->text();
        for (int index : {4, 1, 4, 0, 3}) {
            box->setCurrentIndex(index);
            QCOMPARE(line->isEnabled(), index == 4);
        }
        QCOMPARE(line->text(), text);
    }

    void incompleteRequestShowsTheMessage()
    {
        open(Kind::Plate);
        get<QPushButton>("Button2")->click();
        QCOMPARE(m_shown, QStringList{plant::programTitle() + "|Выбраны не все пункты!"});
        QVERIFY(sheettest::recordedCalls(m_window->xlApp()).isEmpty());
        QVERIFY(m_window->isVisible());
        m_window->close();
    }

    void requestWritesTheSheetOfItsPanel()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("btp.xlsx");
        m_window->xlApp().setTargetFile(file);
        open(Kind::Btp);
        for (int i = 1; i <= 10; ++i)
            m_window->findChild<QComboBox*>(QString("ComboBox%1").arg(i))->setCurrentIndex(1);
        get<QCheckBox>("CheckBox3")->setChecked(false);
        get<QPlainTextEdit>("Memo1")->setPlainText("первая\nвторая");
        get<QPushButton>("Button1")->click();
        QVERIFY2(m_shown.isEmpty(), qPrintable(m_shown.join("; ")));
        const QStringList calls = sheettest::recordedCalls(m_window->xlApp());
        QVERIFY(calls.contains("nameSheet(Опросник БТП)"));
        QVERIFY(calls.contains(
            "writeCell(A25,A25,Без автоматического снижения расхода тепла на отопление в "
            "\"нерабочее\" время.)"));
        QVERIFY(calls.contains("writeCell(A32,A32,вторая)"));
        QVERIFY(calls.contains("writeCell(A34,A34,ДАННЫЙ ОПРОСНЫЙ ЛИСТ НАПРАВТЕ ПО ФАКСУ"
                               + plant::faxNumber() + " ИЛИ ПО АДРЕСУ " + plant::email() + ")"));
        QVERIFY(QFile::exists(file));
        QVERIFY(m_window->isVisible()); // a request does not close the window
        m_window->close();
    }

    // The substation template's every line fits its memo on one displayed line, so the default
    // sheet keeps the template in rows 36 to 56 and its footer in row 58.
    void defaultTemplateKeepsItsRows()
    {
        QTemporaryDir dir;
        m_window->xlApp().setTargetFile(dir.filePath("itp.xlsx"));
        open(Kind::Itp);
        auto* memo = get<QPlainTextEdit>("Memo3");
        memo->setPlainText(panel(Kind::Itp).control("Memo3")->text);
        const QStringList lines = memoLines(memo->toPlainText());
        QCOMPARE(lines.size(), 21);
        QCOMPARE(memos::displayedLines(memo), lines);
        QCOMPARE(memo->horizontalScrollBar()->maximum(), 0);
        for (int i = 17; i <= 24; ++i)
            m_window->findChild<QComboBox*>(QString("ComboBox%1").arg(i))->setCurrentIndex(1);
        get<QPushButton>("Button3")->click();
        QVERIFY2(m_shown.isEmpty(), qPrintable(m_shown.join("; ")));
        const QStringList a = columnA();
        QCOMPARE(a.size(), 58);
        QCOMPARE(a.mid(35, 21), lines);
        QCOMPARE(a[57], footerText());
        m_window->close();
    }

    // A line typed wider than its memo wraps at word boundaries, shows from its beginning without
    // sideways scrolling, and reaches the sheet one row per displayed line.
    void longTypedLineReachesTheSheetAsDisplayed()
    {
        QTemporaryDir dir;
        m_window->xlApp().setTargetFile(dir.filePath("btp.xlsx"));
        open(Kind::Btp);
        for (int i = 1; i <= 10; ++i)
            m_window->findChild<QComboBox*>(QString("ComboBox%1").arg(i))->setCurrentIndex(1);
        auto* memo = get<QPlainTextEdit>("Memo1");
        memo->clear();
        memo->setFocus();
        QString typed;
        for (int i = 1; i <= 30; ++i)
            typed += QString("слово%1 ").arg(i);
        typed = typed.trimmed();
        type(memo, typed);
        QCOMPARE(memo->toPlainText(), typed);
        QCOMPARE(memo->horizontalScrollBar()->maximum(), 0);
        const QStringList shown = memos::displayedLines(memo);
        QVERIFY(shown.size() >= 3);
        QCOMPARE(shown.join(QString()), typed);
        for (const QString& line : shown.mid(0, shown.size() - 1))
            QVERIFY2(line.endsWith(' '), qPrintable(line)); // broken between words
        get<QPushButton>("Button1")->click();
        QVERIFY2(m_shown.isEmpty(), qPrintable(m_shown.join("; ")));
        const QStringList a = columnA();
        const int first = sheetLayout(Kind::Btp).firstMemoRow;
        QCOMPARE(a.mid(first - 1, shown.size()), shown);
        QCOMPARE(a.size(), first + int(shown.size()) + 1);
        QCOMPARE(a.last(), footerText());
        m_window->close();
    }

    // A word alone wider than its memo is broken inside the word, every piece within the memo's
    // width, nothing lost, and each piece reaches the sheet as a row of its own.
    void wordLongerThanItsMemoWrapsInsideTheWord()
    {
        QTemporaryDir dir;
        m_window->xlApp().setTargetFile(dir.filePath("btp.xlsx"));
        open(Kind::Btp);
        auto* memo = get<QPlainTextEdit>("Memo1");
        const QString word = QString("теплоснабжение").repeated(12) + " конец";
        memo->setPlainText(word);
        QCOMPARE(memo->horizontalScrollBar()->maximum(), 0);
        const QStringList shown = memos::displayedLines(memo);
        QVERIFY2(shown.size() >= 3, qPrintable(shown.join('|')));
        QCOMPARE(shown.join(QString()), word);
        const QFontMetrics metrics(memo->font());
        const int room = memo->viewport()->width();
        for (const QString& line : shown)
            QVERIFY2(metrics.horizontalAdvance(line.trimmed()) <= room, qPrintable(line));
        get<QPushButton>("Button1")->click();
        QVERIFY2(m_shown.isEmpty(), qPrintable(m_shown.join("; ")));
        const QStringList a = columnA();
        const int first = sheetLayout(Kind::Btp).firstMemoRow;
        QCOMPARE(a.mid(first - 1, shown.size()), shown);
        m_window->close();
    }

    // A refused spreadsheet operation goes to the general error report; the window stays open.
    void refusedOperationIsReported()
    {
        QTemporaryDir dir;
        QFile blocker(dir.filePath("file"));
        QVERIFY(blocker.open(QIODevice::WriteOnly)); // a file where the folder would have to be
        blocker.close();
        const QString target = dir.filePath("file/q.xlsx");
        m_window->xlApp().setTargetFile(target);
        open(Kind::Btp); // complete since the previous case
        get<QPushButton>("Button1")->click();
        QVERIFY2(m_shown.size() == 1, qPrintable(m_shown.join("; ")));
        QVERIFY2(m_shown[0].startsWith("error|") && m_shown[0].contains(target),
                 qPrintable(m_shown[0]));
        QVERIFY(m_window->isVisible());
        m_window->close();
    }

    // Every label, check box and button shows its whole text inside the client area.
    void labelsAreLegible_data() { captionChoosesPanel_data(); }
    void labelsAreLegible()
    {
        QFETCH(int, kind);
        open(Kind(kind));
        QWidget* panelWidget = panelOf(Kind(kind));
        const QRect area = m_window->client()->rect();
        for (QWidget* w : panelWidget->findChildren<QWidget*>()) {
            if (!w->isVisibleTo(panelWidget) || w->objectName() == "qt_scrollarea_viewport")
                continue;
            const QRect box(w->mapTo(m_window->client(), QPoint(0, 0)), w->size());
            QVERIFY2(area.contains(box),
                     qPrintable(w->objectName() + " " + w->metaObject()->className()));
            if (auto* label = qobject_cast<QLabel*>(w)) {
                const int needed = label->wordWrap() ? label->heightForWidth(label->width())
                                                     : label->sizeHint().height();
                QVERIFY2(label->height() >= needed
                             && (label->wordWrap() || label->width() >= label->sizeHint().width()),
                         qPrintable(label->text()));
            } else if (auto* check = qobject_cast<QCheckBox*>(w)) {
                QVERIFY2(check->width() >= check->sizeHint().width(), qPrintable(check->text()));
            } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
                QVERIFY2(combo->width() >= combo->minimumSizeHint().width() - 2,
                         qPrintable(combo->objectName()));
            }
        }
        m_window->close();
    }
};

QTEST_MAIN(OprosnikTest)
#include "OprosnikTest.moc"
