#include "Teo.h"

TTexOb* TexOb = nullptr;

TTexOb::TTexOb(QWidget* parent)
    : TWorkForm(QStringLiteral("TexOb"), QStringLiteral("Технико-экономическое обоснование"), 953, 427,
                Placement::MainWindowCentre, parent)
{
}
