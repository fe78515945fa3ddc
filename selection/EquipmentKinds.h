#pragma once
// The four kinds of equipment the selection window sizes, each identified by the exact text of
// the window's title. Depends on Qt Core only.

#include <QString>
#include <optional>

namespace selection {

enum class EquipmentKind { Hydroelevator, ControlValve, MixingValve, Regulator };

namespace kinds {

// The kinds in the order in which a title is compared with their captions.
const EquipmentKind kAll[] = {EquipmentKind::Hydroelevator, EquipmentKind::ControlValve,
                              EquipmentKind::MixingValve, EquipmentKind::Regulator};

QString caption(EquipmentKind kind);
// Exact, case-sensitive comparison; nullopt when the title names no kind.
std::optional<EquipmentKind> ofCaption(const QString& title);

// The kind's name on the command line and in project files ("control-valve").
QString token(EquipmentKind kind);
std::optional<EquipmentKind> ofToken(const QString& token);

} // namespace kinds

} // namespace selection
