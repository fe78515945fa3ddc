#include "selection/EquipmentKinds.h"

namespace selection {

namespace kinds {

QString caption(EquipmentKind kind)
{
    switch (kind) {
    case EquipmentKind::Hydroelevator: return QStringLiteral("Регулирующий гидроэлеватор");
    case EquipmentKind::ControlValve: return QStringLiteral("Запорно-регулирующий клапан");
    case EquipmentKind::MixingValve: return QStringLiteral("Клапан смесительный трехходовой");
    case EquipmentKind::Regulator: return QStringLiteral("Регулятор давления и перепада");
    }
    return {};
}

std::optional<EquipmentKind> ofCaption(const QString& title)
{
    for (EquipmentKind kind : kAll) {
        if (title == caption(kind))
            return kind;
    }
    return std::nullopt;
}

QString token(EquipmentKind kind)
{
    switch (kind) {
    case EquipmentKind::Hydroelevator: return QStringLiteral("hydroelevator");
    case EquipmentKind::ControlValve: return QStringLiteral("control-valve");
    case EquipmentKind::MixingValve: return QStringLiteral("mixing-valve");
    case EquipmentKind::Regulator: return QStringLiteral("regulator");
    }
    return {};
}

std::optional<EquipmentKind> ofToken(const QString& token)
{
    for (EquipmentKind kind : kAll) {
        if (token == kinds::token(kind))
            return kind;
    }
    return std::nullopt;
}

} // namespace kinds

} // namespace selection
