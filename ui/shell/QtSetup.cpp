#include "ui/shell/QtSetup.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QSettings>
#include <QSocketNotifier>
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>

#include <csignal>
#include <cstddef>
#include <cstring>
#include <memory>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace qtsetup {

namespace {

// The write end of the pipe by which a signal handler wakes the event loop (the only thing a
// handler may safely do).
int signalWriteEnd = -1;

// Held by the process, not by the application object, so that exit() removes it as well.
std::unique_ptr<QTemporaryDir>& settingsFolder()
{
    static std::unique_ptr<QTemporaryDir> folder;
    return folder;
}

void onTerminationSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalWriteEnd, &byte, 1);
}

// Texts of Qt's own dialogs that Qt's Russian catalogue lacks: the type column of the file
// dialog's detail view names a folder, a drive or a link in English otherwise.
class MissingTranslations : public QTranslator {
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char* /*disambiguation*/,
                      int /*n*/) const override
    {
        struct Text {
            const char* context;
            const char* source;
            const char* russian;
        };
        static const Text texts[] = {
            {"QAbstractFileIconProvider", "Folder", "Папка"},
            {"QAbstractFileIconProvider", "Drive", "Диск"},
            {"QAbstractFileIconProvider", "Shortcut", "Ярлык"},
            {"QAbstractFileIconProvider", "Unknown", "Неизвестно"},
        };
        for (const Text& t : texts)
            if (qstrcmp(context, t.context) == 0 && qstrcmp(source, t.source) == 0)
                return QString::fromUtf8(t.russian);
        return QString();
    }
};

} // namespace

bool loadRussianTranslations(QCoreApplication& application)
{
    auto* translator = new QTranslator(&application);
    if (!translator->load(QStringLiteral("qtbase_ru"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(new MissingTranslations(&application));
    return QCoreApplication::installTranslator(translator);
}

bool usePrivateUserSettings()
{
    std::unique_ptr<QTemporaryDir>& folder = settingsFolder();
    if (folder)
        return true;
    folder = std::make_unique<QTemporaryDir>(
        QDir(QDir::tempPath()).absoluteFilePath(QStringLiteral("vedan-settings-XXXXXX")));
    if (!folder->isValid()) {
        folder.reset();
        return false;
    }
    // On Unix both formats read the same folders; the user scope is the only one Qt writes.
    for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, folder->path());
    return true;
}

void removePrivateUserSettings() { settingsFolder().reset(); }

void quitOnTerminationSignals(QCoreApplication& application)
{
    static int readEnd = -1;
    if (readEnd < 0) {
        int ends[2];
        if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0)
            return;
        signalWriteEnd = ends[0];
        readEnd = ends[1];
        struct sigaction action = {};
        action.sa_handler = onTerminationSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (int signal : {SIGTERM, SIGHUP, SIGINT})
            sigaction(signal, &action, nullptr);
    }
    auto* notifier = new QSocketNotifier(readEnd, QSocketNotifier::Read, &application);
    QObject::connect(notifier, &QSocketNotifier::activated, &application, &QCoreApplication::quit);
}

void notifyReadyOnceRunning()
{
    const QByteArray address = qgetenv("NOTIFY_SOCKET");
    if (address.isEmpty())
        return;
    QTimer::singleShot(0, [address] {
        sockaddr_un to{};
        to.sun_family = AF_UNIX;
        if (size_t(address.size()) >= sizeof to.sun_path)
            return;
        std::memcpy(to.sun_path, address.constData(), size_t(address.size()));
        if (to.sun_path[0] == '@') // an abstract address
            to.sun_path[0] = '\0';
        const int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        if (fd < 0)
            return;
        static const char ready[] = "READY=1";
        ::sendto(fd, ready, sizeof ready - 1, MSG_NOSIGNAL, reinterpret_cast<sockaddr*>(&to),
                 socklen_t(offsetof(sockaddr_un, sun_path) + size_t(address.size())));
        ::close(fd);
    });
}

} // namespace qtsetup
