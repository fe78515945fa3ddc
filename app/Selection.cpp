// The program's entry: creates the six windows, shows the main window and runs the event loop
// until the main window is closed.

#include "app/Forms.h"
#include "app/Main.h"
#include "shell/VedanApplication.h"

using shell::VedanApplication;

int main(int argc, char** argv)
{
    VedanApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    createForms();
    QObject::connect(MainForm, &TMainForm::closed, &app, &QCoreApplication::quit);
    MainForm->show();
    const int status = app.exec();
    destroyForms();
    return status;
}
