#include "assessment/AssessmentInputs.h"

#include "assessment/Cp1251.h"
#include "core/Checked.h"
#include "core/Units.h"

#include <QStringList>

using vedan::Ext;
using vedan::store;

namespace assessment {

const QStringList& systemChoiceItems()
{
    static const QStringList items = {
        QStringLiteral("Выберите систему для расчета"),
        QStringLiteral("Система отопления"),
        QStringLiteral("Система горячего водоснабжения"),
        QStringLiteral("Система отопления и горячего водоснабжения"),
    };
    return items;
}

double loadInGcalPerHour(double value, int unitItem)
{
    if (unitItem == units::kMegawatt || unitItem == units::kGcalPerHour)
        return units::Translate(unitItem, units::kHeatLoad, value);
    return value;
}

double setbackHours(int startHour, int endHour)
{
    if (endHour < startHour)
        return store(Ext(24) - Ext(startHour) + Ext(endHour));
    return store(Ext(endHour) - Ext(startHour));
}

QString recordObjectName(const QString& typed)
{
    const QList<uint> codePoints = typed.toUcs4();
    QString cut;
    for (qsizetype i = 0; i < codePoints.size() && i < kMaxObjectNameLength; ++i)
        cut.append(QString::fromUcs4(reinterpret_cast<const char32_t*>(&codePoints[i]), 1));
    return cp1251::decode(cp1251::encode(cut));
}

} // namespace assessment
