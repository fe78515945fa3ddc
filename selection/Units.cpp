#include "selection/Units.h"

#include "core/Numbers.h"
#include "selection/RegulatorSizing.h"

namespace units {

const QStringList& regulatorItems()
{
    static const QStringList list = [] {
        QStringList items;
        for (const selection::RegulatorSeries& series : selection::regulatorSeries())
            items << QString::fromUtf8(series.item);
        return items;
    }();
    return list;
}

// "от 0,04 МПа до 0,16 МПа": the figures of each range, written with the decimal comma whatever
// the regional settings, as the items always read.
const QStringList& settingRangeItems()
{
    static const QStringList list = [] {
        QStringList items{QStringLiteral("Выберите диапазон настройки")};
        const auto& ranges = selection::regulatorSettingRanges();
        for (std::size_t i = 1; i < ranges.size(); ++i)
            items << QStringLiteral("от %1 МПа до %2 МПа")
                         .arg(num::general(ranges[i].from, QChar(u',')),
                              num::general(ranges[i].to, QChar(u',')));
        return items;
    }();
    return list;
}

} // namespace units
