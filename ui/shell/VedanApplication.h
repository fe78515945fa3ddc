#pragma once
// The application object. An exception that no handler of the program catches is shown by the
// general error report (a message box with the error's text) and the event loop goes on. Qt's
// standard dialogs speak Russian, and what Qt keeps of them lives in a private folder that goes
// away with the application object; a request to end the process ends the event loop.
// Depends on Qt Widgets and the rest of the shell.

#include <QApplication>

namespace shell {

class VedanApplication : public QApplication {
    Q_OBJECT
public:
    VedanApplication(int& argc, char** argv);
    ~VedanApplication() override;
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace shell
