#pragma once
// The system's reason for a failed file operation, as a message box shows it. Where the system
// speaks English (no Russian messages installed), the common reasons are given in Russian.
// Depends on Qt Core only.

#include <QString>

namespace systemreason {

// The Russian text of a reason that the C library or Qt gives in English; any other text
// unchanged.
QString inRussian(const QString& reason);
// The Russian text of a system error number; an unusual one is named with its number and the
// system's own words.
QString ofError(int code);

} // namespace systemreason
