#pragma once
// What the program sets up in Qt itself at start-up: Qt's own Russian texts for its standard
// dialogs and buttons, and a private folder for the settings that Qt's file dialog keeps on its
// own, removed when the program ends (the program keeps no settings of its own).
// Depends on Qt Core only.

class QCoreApplication;

namespace qtsetup {

// Installs Qt's Russian translations (qtbase_ru.qm of the system's Qt) into the application;
// false when the system has none, and Qt's texts stay English.
bool loadRussianTranslations(QCoreApplication& application);

// Points Qt's user settings at a new private temporary folder, kept until
// removePrivateUserSettings() or the end of the process, whichever comes first (a process that
// ends by exit(), as Qt ends it when the display goes away, removes it too). False when no folder
// could be made; Qt's settings then stay where they were.
bool usePrivateUserSettings();
void removePrivateUserSettings();

// Ends the application's event loop, as a close of the program would, when the process is asked
// to end (SIGTERM, SIGHUP at the end of a session, SIGINT), so that what the program leaves in the
// temporary folder is removed on the way out.
void quitOnTerminationSignals(QCoreApplication& application);

// Tells whoever started the program and asked for it, by the notification protocol of the
// service managers (READY=1 to the datagram socket named in NOTIFY_SOCKET), that the program's
// event loop runs, so that a session script or a test need not guess by waiting. Without
// NOTIFY_SOCKET it does nothing.
void notifyReadyOnceRunning();

} // namespace qtsetup
