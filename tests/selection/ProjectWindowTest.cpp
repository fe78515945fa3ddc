// Projects in the selection window, driven by real key events: a round trip (type, save, close,
// open, "Подобрать") gives the same result lines and season for every kind; the project's line
// with its mark for unsaved changes; the question before a changed project is set aside, whose
// "Отмена" keeps the window open; a broken project changes nothing; a project of another kind
// switches the window to that kind.

#include "core/Numbers.h"
#include "ui/selection/Gidroelevator.h"
#include "ui/selection/SeasonWindow.h"
#include "ui/selection/SubstationWindow.h"
#include "ui/shell/FileDialogs.h"
#include "ui/shell/Messages.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QtTest>

class ProjectWindowTest : public QObject {
    Q_OBJECT

private:
    QWidget m_main;
    TSelectRtForm* m_form = nullptr;
    QTemporaryDir m_dir;
    QString m_chosen;    // what the file dialogs answer
    QStringList m_shown; // message boxes
    QStringList m_asked; // questions
    messages::Answer m_answer = messages::Answer::No;

    template <typename T> T* child(const char* name)
    {
        return m_form->findChild<T*>(QString::fromLatin1(name));
    }
    QString path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    QString line() { return child<QLabel>("ProjectLine")->text(); }
    QString memo() { return child<QPlainTextEdit>("Memo2")->toPlainText(); }
    QStringList season()
    {
        const auto* w = m_form->findChild<selection::SeasonWindow*>();
        QStringList points;
        if (const std::optional<calcsheet::SeasonSheet> s = w->sheet())
            for (const season::Point& p : s->points)
                points << num::general(p.outdoor.inCelsius()) + '/'
                              + num::general(p.supply.inCelsius());
        return points;
    }

    // The substation's elements as "kind:head" while its window is open.
    QStringList substation()
    {
        const auto* w = m_form->findChild<selection::SubstationWindow*>();
        QStringList heads;
        if (const std::optional<calcsheet::SubstationSheet> s = w->sheet())
            for (const substation::Element& e : s->budget.elements)
                heads << QString::number(int(e.kind)) + ':' + num::general(e.head.inMetres());
        return heads;
    }
    QLineEdit* box(const char* name)
    {
        return m_form->findChild<QLineEdit*>(QString::fromLatin1(name));
    }

    void open(const QString& title)
    {
        windowprotocol::openWorkWindow(m_form, title);
        m_form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_form));
    }
    // Types into a box as a user does: everything selected, typed over.
    void type(QLineEdit* box, const QString& text)
    {
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, text);
    }
    void typeInputs(const QStringList& edits)
    {
        const char* const names[] = {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5", "Edit6"};
        for (int i = 0; i < edits.size(); ++i)
            type(child<QLineEdit>(names[i]), edits[i]);
        // Each unit chosen from the keyboard: the list opened at its prompt, n items down.
        const std::pair<const char*, int> choices[] = {{"ComboBox1", 1}, {"ComboBox2", 3},
                                                       {"ComboBox3", 3}, {"ComboBox4", 2},
                                                       {"ComboBox5", 1}, {"ComboBox6", 1}};
        for (const auto& [name, n] : choices) {
            QComboBox* box = child<QComboBox>(name);
            box->setCurrentIndex(0);
            box->setFocus();
            for (int i = 0; i < n; ++i)
                QTest::keyClick(box, Qt::Key_Down);
        }
    }
    void press(QKeySequence keys) { QTest::keySequence(m_form, keys); }
    void sizeWithEnter() { QTest::keyClick(child<QLineEdit>("Edit1"), Qt::Key_Return); }

private slots:
    void initTestCase()
    {
        windowprotocol::setMainWindow(&m_main);
        m_main.show();
        messages::setHook([this](const messages::Shown& s) { m_shown << s.text; });
        messages::setQuestionHook([this](const messages::Shown& s) {
            m_asked << s.text;
            return m_answer;
        });
        filedialogs::setHook([this](const filedialogs::Request&) { return m_chosen; });
        m_form = new TSelectRtForm;
    }
    void cleanupTestCase() { delete m_form; }
    void cleanup()
    {
        m_answer = messages::Answer::No;
        m_form->close();
        m_shown.clear();
        m_asked.clear();
    }

    void aSavedProjectGivesTheSameResultForEveryKind_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("edits");
        QTest::newRow("hydroelevator")
            << "Регулирующий гидроэлеватор" << QStringList{"6", "4", "150", "70", "0,5", "1"};
        QTest::newRow("control valve")
            << "Запорно-регулирующий клапан" << QStringList{"4", "2", "150", "70", "0,5", "2"};
        QTest::newRow("mixing valve")
            << "Клапан смесительный трехходовой" << QStringList{"4", "2", "130", "70", "0,3", "2"};
        QTest::newRow("regulator")
            << "Регулятор давления и перепада" << QStringList{"6", "4", "150", "70", "0,5", "1"};
    }
    void aSavedProjectGivesTheSameResultForEveryKind()
    {
        QFETCH(QString, title);
        QFETCH(QStringList, edits);
        open(title);
        typeInputs(edits);
        type(box("OutdoorDesign"), QStringLiteral("-26"));
        child<QAction>("N9")->trigger();
        type(box("OtherLosses"), QStringLiteral("2"));
        type(box("MinBore"), QStringLiteral("2,5"));
        sizeWithEnter();
        const QString lines = memo();
        const QStringList points = season();
        const QStringList heads = substation();
        QVERIFY(heads.contains(QStringLiteral("0:2")));
        QVERIFY(!lines.isEmpty());
        QVERIFY(!points.isEmpty());
        m_chosen = path("round"); // the extension is added
        press(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
        QCOMPARE(line(), QStringLiteral("Проект: round.vedan"));
        QTest::keyClick(m_form, Qt::Key_Escape);
        QVERIFY(!m_form->isVisible());

        // Another kind with other inputs, then the project opened and sized.
        open(QStringLiteral("Регулирующий гидроэлеватор"));
        typeInputs({"9", "1", "95", "70", "1", "3"});
        type(box("OutdoorDesign"), QStringLiteral("-10"));
        type(box("OtherLosses"), QStringLiteral("0"));
        m_chosen = path("round.vedan");
        press(QKeySequence(Qt::CTRL | Qt::Key_O));
        QCOMPARE(m_form->windowTitle(), title);
        QVERIFY(memo().isEmpty());
        QVERIFY2(m_shown.isEmpty(), qPrintable(m_shown.join('\n')));
        sizeWithEnter();
        QCOMPARE(memo(), lines);
        QCOMPARE(season(), points);
        child<QAction>("N9")->trigger();
        QCOMPARE(substation(), heads);
        QCOMPARE(box("MinBore")->text(), QStringLiteral("2,5"));
        QVERIFY(m_shown.isEmpty());
    }

    void theLineMarksUnsavedChangesAndTheQuestionCanKeepTheWindow()
    {
        open(QStringLiteral("Запорно-регулирующий клапан"));
        typeInputs({"4", "2", "150", "70", "0,5", "2"});
        m_chosen = path("mark.vedan");
        press(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
        QCOMPARE(line(), QStringLiteral("Проект: mark.vedan"));
        type(child<QLineEdit>("Edit5"), QStringLiteral("0,6"));
        QCOMPARE(line(), QStringLiteral("Проект: mark.vedan *"));

        // Esc, the menu's "Выход" and the button "Выход" all ask; "Отмена" keeps the window.
        m_answer = messages::Answer::Cancel;
        QTest::keyClick(m_form, Qt::Key_Escape);
        child<QAction>("N4")->trigger();
        QTest::mouseClick(child<QWidget>("BitBtn1"), Qt::LeftButton);
        QCOMPARE(m_asked.size(), 3);
        QCOMPARE(m_asked.front(), QStringLiteral("Сохранить изменения в проекте «mark.vedan»?"));
        QVERIFY(m_form->isVisible());
        QVERIFY(!m_main.isEnabled());

        // "Да" saves, then closes.
        m_answer = messages::Answer::Yes;
        QTest::keyClick(m_form, Qt::Key_Escape);
        QVERIFY(!m_form->isVisible());
        QVERIFY(m_main.isEnabled());
        open(QStringLiteral("Регулирующий гидроэлеватор"));
        m_chosen = path("mark.vedan");
        press(QKeySequence(Qt::CTRL | Qt::Key_O));
        QCOMPARE(child<QLineEdit>("Edit5")->text(), QStringLiteral("0,6"));
        QCOMPARE(line(), QStringLiteral("Проект: mark.vedan"));
    }

    void aBrokenProjectChangesNothing()
    {
        open(QStringLiteral("Регулирующий гидроэлеватор"));
        typeInputs({"6", "4", "150", "70", "0,5", "1"});
        const QString before = line();
        QFile broken(path("broken.vedan"));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write(R"({"vedanProject": 1, "kind": "regulator", "inputs": {"supply": "150"}})");
        broken.close();
        m_chosen = broken.fileName();
        press(QKeySequence(Qt::CTRL | Qt::Key_O));
        QCOMPARE(m_shown.size(), 1);
        QVERIFY(m_shown.front().contains(QStringLiteral("«inputs.supply»")));
        QCOMPARE(m_form->windowTitle(), QStringLiteral("Регулирующий гидроэлеватор"));
        QCOMPARE(child<QLineEdit>("Edit3")->text(), QStringLiteral("150"));
        QCOMPARE(line(), before);
    }
};

QTEST_MAIN(ProjectWindowTest)
#include "ProjectWindowTest.moc"
