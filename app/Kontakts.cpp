#include "Kontakts.h"

TKontakt* Kontakt = nullptr;

TKontakt::TKontakt(QWidget* parent)
    : TWorkForm(QStringLiteral("Kontakt"), QStringLiteral("Контакты"), 740, 441,
                Placement::MainWindowCentre, parent)
{
}
