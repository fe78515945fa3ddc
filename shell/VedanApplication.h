#pragma once
// The application object. An exception that no handler of the program catches is shown by the
// general error report (a message box with the error's text) and the event loop goes on.

#include <QApplication>

namespace shell {

class VedanApplication : public QApplication {
    Q_OBJECT
public:
    VedanApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace shell
