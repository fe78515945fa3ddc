#include "app/Forms.h"

#include "app/InfoZavod.h"
#include "app/Kontakts.h"
#include "app/Main.h"
#include "ui/assessment/Teo.h"
#include "ui/questionnaire/Oprosnik.h"
#include "ui/selection/Gidroelevator.h"
#include "ui/shell/HelpWindow.h"
#include "ui/shell/WorkWindow.h"

void createForms()
{
    SelectRtForm = new TSelectRtForm;
    TexOb = new TTexOb;
    OprList = new TOprList;
    Kontakt = new TKontakt;
    InfoForm = new TInfoForm;
    MainForm = new TMainForm;
    windowprotocol::setMainWindow(MainForm);
    // F1 opens the guide at the chapter of the window it is pressed in.
    helpwindow::installF1();
    helpwindow::setTopic(MainForm, QStringLiteral("index"));
    helpwindow::setTopic(SelectRtForm, QStringLiteral("methods"));
    helpwindow::setTopic(TexOb, QStringLiteral("assessment"));
    helpwindow::setTopic(OprList, QStringLiteral("questionnaires"));
}

void destroyForms()
{
    helpwindow::destroy();
    windowprotocol::setMainWindow(nullptr);
    delete MainForm;
    delete InfoForm;
    delete Kontakt;
    delete OprList;
    delete TexOb;
    delete SelectRtForm;
    MainForm = nullptr;
    InfoForm = nullptr;
    Kontakt = nullptr;
    OprList = nullptr;
    TexOb = nullptr;
    SelectRtForm = nullptr;
}
