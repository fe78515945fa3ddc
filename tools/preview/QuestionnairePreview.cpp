// Shows the questionnaire window with a given caption, over a plain stand-in main window.
// Usage: questionnaire-preview itp|btp|plate
#include "questionnaire/Panels.h"
#include "ui/questionnaire/Oprosnik.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget main;
    main.setGeometry(490, 400, 300, 200);
    main.show();
    windowprotocol::setMainWindow(&main);
    const QString which = argc > 1 ? QString::fromLatin1(argv[1]) : QStringLiteral("itp");
    const auto kind = which == "btp"     ? questionnaire::Kind::Btp
                      : which == "plate" ? questionnaire::Kind::Plate
                                         : questionnaire::Kind::Itp;
    TOprList window;
    windowprotocol::openWorkWindow(&window, questionnaire::panel(kind).caption);
    return app.exec();
}
