#include "PlantInfo.h"

namespace plant {

QString programTitle()
{
    return QStringLiteral("Программа подбора оборудования произодства ОАО \"Завод Ведан\"");
}

QString shortName() { return QStringLiteral("Завод Ведан"); }
QString webAddress() { return QStringLiteral("www.vedan.example"); }
QString faxNumber() { return QStringLiteral("+7 (495) 555-01-02"); }
QString email() { return QStringLiteral("sbyt@vedan.example"); }

QStringList contactsText() { return {}; }
QStringList representativesText() { return {}; }
QStringList historyText() { return {}; }

} // namespace plant
