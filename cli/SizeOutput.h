#pragma once
// What vedan-cli size prints beside the result lines: the engineering checks, one Russian line
// each, and the whole selection as one JSON object; the JSON texts the commands share.
// Depends on Qt Core and the selection and checks libraries.

#include "checks/Checks.h"
#include "selection/SelectionRun.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

namespace cli {

// JSON texts, written in a fixed field order. Numbers in the shortest form that reads back as
// the same double; an absent value is null.
QString jsonString(const QString& text);
QString jsonNumber(double value);
QString jsonOr(const std::optional<double>& value);
QString jsonOr(const std::optional<QString>& text);
// {"key": value, ...} from pairs of a key and a JSON text, in the given order.
QString object(const std::vector<std::pair<QString, QString>>& fields);
QString array(const QStringList& items);

// "[не пройдена] title (designation): formula; note — источник: source"
QString checkLine(const checks::Check& check);

// {"lines": [...], "message": ..., "values": {...}, "offers": [...], "checks": [...]}: numbers
// unrounded, fields that do not apply null.
QString sizeJson(const selection::SelectionRun& run, const std::vector<checks::Check>& found);

} // namespace cli
