#include "Forms.h"

#include "Gidroelevator.h"
#include "InfoZavod.h"
#include "Kontakts.h"
#include "Main.h"
#include "Oprosnik.h"
#include "Teo.h"
#include "WorkWindow.h"

void createForms()
{
    SelectRtForm = new TSelectRtForm;
    TexOb = new TTexOb;
    OprList = new TOprList;
    Kontakt = new TKontakt;
    InfoForm = new TInfoForm;
    MainForm = new TMainForm;
    WindowProtocol::setMainWindow(MainForm);
}

void destroyForms()
{
    WindowProtocol::setMainWindow(nullptr);
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
