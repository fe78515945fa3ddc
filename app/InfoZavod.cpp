#include "InfoZavod.h"

TInfoForm* InfoForm = nullptr;

TInfoForm::TInfoForm(QWidget* parent)
    : TWorkForm(QStringLiteral("InfoForm"), QStringLiteral("Информация о заводе"), 937, 441,
                Placement::MainWindowCentre, parent)
{
}
