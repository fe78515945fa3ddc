// Developer preview: the selection window alone, opened for the kind named on the command line,
// optionally with every unit chosen and a selection run, so that it can be looked at.
// Usage: selection-preview [TITLE] [--run SERIES RANGE]

#include "selection/Gidroelevator.h"
#include "shell/Messages.h"

#include <QApplication>
#include <QComboBox>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString title = args.value(1, QStringLiteral("Регулирующий гидроэлеватор"));

    QWidget mainWindow; // stands in for the main window, never shown
    WindowProtocol::setMainWindow(&mainWindow);
    SelectRtForm = new TSelectRtForm;
    WindowProtocol::openWorkWindow(SelectRtForm, title);
    app.setQuitOnLastWindowClosed(true);

    if (args.value(2) == QStringLiteral("--run")) {
        Messages::setHook([](const Messages::Shown&) {});
        const auto pick = [](const char* name, int index) {
            SelectRtForm->findChild<QComboBox*>(QString::fromLatin1(name))->setCurrentIndex(index);
        };
        pick("ComboBox1", 1);
        pick("ComboBox2", 3);
        pick("ComboBox3", 3);
        pick("ComboBox4", 2);
        pick("ComboBox5", args.value(3, QStringLiteral("0")).toInt());
        pick("ComboBox6", args.value(4, QStringLiteral("0")).toInt());
        SelectRtForm->Button1Click();
    }
    const int status = app.exec();
    delete SelectRtForm;
    return status;
}
