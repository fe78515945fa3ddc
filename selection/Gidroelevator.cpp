#include "Gidroelevator.h"

TSelectRtForm* SelectRtForm = nullptr;

TSelectRtForm::TSelectRtForm(QWidget* parent)
    : TWorkForm(QStringLiteral("SelectRtForm"), QStringLiteral("Регулирующий гидроэлеватор"), 946, 445,
                Placement::ScreenCentre, parent)
{
}
