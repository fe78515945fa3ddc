#include "Oprosnik.h"

TOprList* OprList = nullptr;

TOprList::TOprList(QWidget* parent)
    : TWorkForm(QStringLiteral("OprList"), QStringLiteral("Опросный лист"), 987, 441,
                Placement::ScreenCentre, parent)
{
}
