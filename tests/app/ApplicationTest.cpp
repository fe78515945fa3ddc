// The general error report: an error that no handler catches is shown with its own text, and
// the event loop goes on. Qt's standard dialogs speak Russian, show their columns whole, and
// leave nothing of the program behind.

#include "tests/support/QtPrinters.h"
#include "tests/support/ReadyNotice.h"
#include "ui/shell/FileDialogs.h"
#include "ui/shell/Messages.h"
#include "ui/shell/VedanApplication.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <stdexcept>

using shell::VedanApplication;

namespace {

class Failing : public QObject {
public:
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::User)
            throw std::runtime_error("Файл недоступен");
        return QObject::event(e);
    }
};

TEST(VedanApplication, UncaughtErrorIsReportedAndTheLoopGoesOn)
{
    int argc = 1;
    char name[] = "vedan";
    char* argv[] = {name, nullptr};
    VedanApplication app(argc, argv);

    QStringList shown;
    messages::setHook([&](const messages::Shown& s) { shown << s.text; });
    Failing failing;
    bool ranAfter = false;
    QTimer::singleShot(0, [&] { QCoreApplication::postEvent(&failing, new QEvent(QEvent::User)); });
    QTimer::singleShot(20, [&] {
        ranAfter = true;
        app.quit();
    });
    app.exec();
    messages::setHook({});

    EXPECT_EQ(shown, QStringList{QStringLiteral("Файл недоступен")});
    EXPECT_TRUE(ranAfter);
}

// The file dialog, looked at when its list has come in, then cancelled.
struct DialogSeen {
    QString title;
    QStringList buttons;
    QStringList labels;
    QStringList clipped; // columns narrower than their contents
    QStringList types;   // the type column
    QString folder;      // where it started
    int rows = 0;
};

void inspectThenCancel(DialogSeen& seen, int attempts = 200)
{
    QTimer::singleShot(20, [&seen, attempts] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        auto* view = dialog ? dialog->findChild<QTreeView*>(QStringLiteral("treeView")) : nullptr;
        if (!view || (view->model()->rowCount(view->rootIndex()) < 2 && attempts > 0)) {
            inspectThenCancel(seen, attempts - 1);
            return;
        }
        seen.title = dialog->windowTitle();
        for (QPushButton* button :
             dialog->findChild<QDialogButtonBox*>()->findChildren<QPushButton*>())
            seen.buttons << button->text();
        for (QLabel* label : dialog->findChildren<QLabel*>())
            seen.labels << label->text();
        seen.rows = view->model()->rowCount(view->rootIndex());
        seen.folder = dialog->directory().absolutePath();
        for (int row = 0; row < seen.rows; ++row)
            seen.types << view->model()->index(row, 2, view->rootIndex()).data().toString();
        for (int column = 1; column < view->header()->count(); ++column)
            if (view->columnWidth(column)
                    < static_cast<QAbstractItemView*>(view)->sizeHintForColumn(column)
                || view->columnWidth(column) < view->header()->sectionSizeHint(column))
                seen.clipped << QString::number(column);
        dialog->reject();
    });
}

TEST(VedanApplication, FileDialogSpeaksRussianAndLeavesNoSettingsBehind)
{
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const QString config = home.filePath(QStringLiteral("config"));
    ASSERT_TRUE(QDir().mkpath(config));
    qputenv("XDG_CONFIG_HOME", config.toUtf8());
    // A folder with files to list: a long name, sizes and dates in every row.
    ASSERT_TRUE(QDir().mkpath(home.filePath(QStringLiteral("files"))));
    for (const char* name : {"Котельная на улице Примерной, вариант 1.teo", "b.teo"}) {
        QFile file(home.filePath(QStringLiteral("files/") + QString::fromUtf8(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(123456, 'x'));
    }
    ASSERT_TRUE(QDir().mkpath(home.filePath(QStringLiteral("files/Архив"))));
    // The dialog starts in the home folder, not in the working folder.
    const QString before = QDir::currentPath();
    const QByteArray homeBefore = qgetenv("HOME");
    QDir::setCurrent(home.path());
    qputenv("HOME", home.filePath(QStringLiteral("files")).toUtf8());

    QString privateFolder;
    DialogSeen seen;
    {
        int argc = 1;
        char name[] = "vedan";
        char* argv[] = {name, nullptr};
        VedanApplication app(argc, argv);
        privateFolder =
            QFileInfo(QSettings(QSettings::UserScope, QStringLiteral("QtProject")).fileName())
                .absolutePath();
        inspectThenCancel(seen);
        const QString chosen = filedialogs::choose(
            nullptr, {filedialogs::Mode::Save, QStringLiteral("Файл ТЭО|*.teo"), "teo"});
        EXPECT_TRUE(chosen.isEmpty());
        EXPECT_TRUE(QFileInfo(privateFolder).isDir());
    }
    QDir::setCurrent(before);
    qputenv("HOME", homeBefore);
    qunsetenv("XDG_CONFIG_HOME");

    EXPECT_EQ(seen.folder, QFileInfo(home.filePath(QStringLiteral("files"))).absoluteFilePath());
    EXPECT_GE(seen.rows, 3);
    // A folder's type is in Russian too.
    EXPECT_TRUE(seen.types.contains(QStringLiteral("Папка"))) << seen.types.join('|').toStdString();
    EXPECT_FALSE(seen.types.contains(QStringLiteral("Folder")));
    EXPECT_TRUE(seen.buttons.contains(QStringLiteral("Отмена")))
        << seen.buttons.join('|').toStdString();
    EXPECT_TRUE(seen.labels.contains(QStringLiteral("Имя файла:"))
                || seen.labels.contains(QStringLiteral("&Имя файла:")))
        << seen.labels.join('|').toStdString();
    EXPECT_TRUE(seen.clipped.isEmpty()) << seen.clipped.join(',').toStdString();
    // Nothing of the program stays: neither in the user's settings nor in the private folder.
    EXPECT_FALSE(privateFolder.startsWith(config));
    EXPECT_FALSE(QFileInfo::exists(privateFolder));
    EXPECT_TRUE(QDir(config).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
}

// Asked to end (as at the end of a session), the program closes as if the user had closed it,
// and its private settings folder goes with it.
TEST(VedanApplication, EveryTerminationSignalEndsTheProgramCleanly)
{
    for (const int signal : {SIGTERM, SIGHUP, SIGINT}) {
        SCOPED_TRACE(strsignal(signal));
        QTemporaryDir tmp;
        ASSERT_TRUE(tmp.isValid());
        const QDir folder(tmp.path());
        const QStringList settings{QStringLiteral("vedan-settings-*")};
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TMPDIR"), tmp.path());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        const ReadyNotice ready;
        const QString entry = ready.environmentEntry();
        env.insert(entry.section('=', 0, 0), entry.section('=', 1));
        program.setProcessEnvironment(env);
        program.start(QStringLiteral(VEDAN_PROGRAM), {});
        ASSERT_TRUE(program.waitForStarted(10000));
        ASSERT_TRUE(ready.waitReady(30000)) << "the program did not report that it runs";
        ASSERT_EQ(folder.entryList(settings, QDir::Dirs).size(), 1);
        ::kill(pid_t(program.processId()), signal);
        ASSERT_TRUE(program.waitForFinished(20000));
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), 0);
        EXPECT_TRUE(folder.entryList(settings, QDir::Dirs).isEmpty());
    }
}

} // namespace

// A dialog starts in the folder of the file last chosen in the session while that folder exists,
// and otherwise in the home folder.
TEST(FileDialogs, StartInTheLastFolderUsedElseHome)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString folder = dir.filePath(QStringLiteral("Объекты"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const filedialogs::Hook previous = filedialogs::setHook(
        [&](const filedialogs::Request&) { return folder + QStringLiteral("/котельная.teo"); });
    const filedialogs::Request open{filedialogs::Mode::Open, QStringLiteral("Файл ТЭО|*.teo"),
                                    QStringLiteral("teo")};
    filedialogs::choose(nullptr, open);
    EXPECT_EQ(filedialogs::startFolder(), folder);
    // A cancel keeps the folder.
    filedialogs::setHook([](const filedialogs::Request&) { return QString(); });
    filedialogs::choose(nullptr, open);
    EXPECT_EQ(filedialogs::startFolder(), folder);
    ASSERT_TRUE(QDir(folder).removeRecursively());
    EXPECT_EQ(filedialogs::startFolder(), QDir::homePath());
    filedialogs::setHook(previous);
}
