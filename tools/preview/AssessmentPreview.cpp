// Developer preview of the assessment window, for looking at it and taking screenshots.
// Usage: assessment-preview [heating|hot-water|both] — presets the system choice (both load
// units in Gcal/h) and runs the assessment once; with "--export OUT.xlsx" after it, exports the
// report into that workbook and ends.

#include "ui/assessment/Teo.h"
#include "ui/shell/Messages.h"
#include "ui/shell/VedanApplication.h"
#include "ui/shell/WorkWindow.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QMainWindow>
#include <QTimer>

using shell::VedanApplication;

int main(int argc, char** argv)
{
    VedanApplication app(argc, argv);
    QMainWindow main;
    main.setWindowTitle(QStringLiteral("preview"));
    main.resize(1100, 700);
    main.show();
    windowprotocol::setMainWindow(&main);
    TexOb = new TTexOb;
    windowprotocol::openWorkWindow(TexOb);

    const QStringList args = app.arguments();
    const QStringList systems = {QString(), QStringLiteral("heating"), QStringLiteral("hot-water"),
                                 QStringLiteral("both")};
    const int item = args.size() > 1 ? int(systems.indexOf(args[1])) : -1;
    const QString exportFile =
        args.size() > 3 && args[2] == QLatin1String("--export") ? args[3] : QString();
    if (item > 0) {
        QTimer::singleShot(200, [item, exportFile] {
            auto* choice = TexOb->findChild<QComboBox*>(QStringLiteral("ComboBox3"));
            choice->setCurrentIndex(item);
            emit choice->activated(item);
            TexOb->findChild<QComboBox*>(QStringLiteral("ComboBox4"))->setCurrentIndex(2);
            TexOb->findChild<QComboBox*>(QStringLiteral("ComboBox1"))->setCurrentIndex(2);
            TexOb->Button2Click();
            if (!exportFile.isEmpty()) {
                TexOb->xlApp().setTargetFile(exportFile);
                TexOb->Button1Click();
                QCoreApplication::quit();
            }
        });
    }
    const int status = app.exec();
    delete TexOb;
    return status;
}
