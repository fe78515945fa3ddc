// The program's entry: creates the six windows, shows the main window (and the selection window
// on a project file given as the argument) and runs the event loop until the main window is
// closed. Started where no window can be shown, it says so and points
// to the command-line tool instead of letting Qt fail on its platform plugin.

#include "app/Forms.h"
#include "app/Main.h"
#include "ui/selection/Gidroelevator.h"
#include "ui/shell/QtSetup.h"
#include "ui/shell/VedanApplication.h"

#include <QByteArray>
#include <QList>

#include <cstdio>

namespace {

// The platform asked for with -platform (or --platform), else QT_QPA_PLATFORM; empty when
// neither names one and Qt chooses by the session.
QByteArray requestedPlatform(int argc, char** argv)
{
    for (int i = 1; i + 1 < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "-platform" || arg == "--platform")
            return argv[i + 1];
    }
    return qgetenv("QT_QPA_PLATFORM");
}

// xcb talks to an X server and wayland to a compositor; offscreen, vnc, linuxfb, eglfs and
// minimal need no display server.
bool platformUsable(const QByteArray& name)
{
    if (name == "xcb")
        return !qEnvironmentVariableIsEmpty("DISPLAY");
    if (name.startsWith("wayland"))
        return !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    return true;
}

bool displayAvailable(const QByteArray& platform)
{
    if (platform.trimmed().isEmpty())
        return platformUsable("xcb") || platformUsable("wayland");
    // "wayland;xcb" is a list tried in order; "vnc:size=1024x768" carries options after a colon.
    for (const QByteArray& entry : platform.split(';'))
        if (platformUsable(entry.split(':').first().trimmed()))
            return true;
    return false;
}

} // namespace

using shell::VedanApplication;

int main(int argc, char** argv)
{
    if (!displayAvailable(requestedPlatform(argc, argv))) {
        std::fputs("vedan: программе нужен графический сеанс рабочего стола, а его нет "
                   "(не заданы переменные DISPLAY и WAYLAND_DISPLAY).\n"
                   "Те же расчёты без окон выполняет vedan-cli; запущенный без параметров, "
                   "он перечисляет свои команды.\n",
                   stderr);
        return 1;
    }
    // Ties the windows to the installed desktop entry, whose icon the desktop then shows.
    QGuiApplication::setDesktopFileName(QStringLiteral(VEDAN_APP_ID));
    VedanApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    createForms();
    QObject::connect(MainForm, &TMainForm::closed, &app, &QCoreApplication::quit);
    MainForm->show();
    // A project given to the program (a double-click on a .vedan file): the selection window
    // opens on it, as "Файл" → "Открыть проект…" would.
    const QStringList files = QCoreApplication::arguments().mid(1);
    if (!files.isEmpty() && !files.front().startsWith(QLatin1Char('-')))
        SelectRtForm->openProjectFile(files.front());
    qtsetup::notifyReadyOnceRunning();
    const int status = app.exec();
    destroyForms();
    return status;
}
