#pragma once
// The product descriptions shown beside the selection inputs, one per kind of equipment.
// Depends on Qt Core only.

#include "selection/EquipmentKinds.h"

#include <QString>

namespace selection {

namespace descriptions {

// Several paragraphs separated by empty lines.
QString of(EquipmentKind kind);

} // namespace descriptions

} // namespace selection
