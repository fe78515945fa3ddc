#pragma once
// JSON as the program writes it: objects keep the order in which their fields are set, texts
// are escaped by the JSON library alone, and a number that JSON cannot hold (NaN, infinity) is
// null. Depends on Qt Core and nlohmann-json only.

#include <QByteArray>
#include <QString>

#include <nlohmann/json.hpp>

#include <cmath>
#include <optional>

namespace json {

using Value = nlohmann::ordered_json;

inline Value text(const QString& s) { return s.toStdString(); }

inline Value number(double value) { return std::isfinite(value) ? Value(value) : Value(); }

inline Value numberOr(const std::optional<double>& value)
{
    return value ? number(*value) : Value();
}

inline Value textOr(const std::optional<QString>& value) { return value ? text(*value) : Value(); }

// On one line; a text that is not UTF-8 (never made by the program) gets U+FFFD.
inline QByteArray dump(const Value& value)
{
    return QByteArray::fromStdString(
        value.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace));
}

} // namespace json
