#pragma once
// What a project gives a command of vedan-cli (size, season, substation, project new) and each row
// of a batch that names it: its fields by the names the command takes, and the kind (or scheme)
// where none is given. Depends on Qt Core and the project library.

#include "cli/SizeRequest.h"
#include "project/Project.h"

#include <QString>
#include <functional>

namespace cli {

// The fields of the project the command takes (`takes` answers by name), in the file's order:
// the selection's inputs, the season's, the substation's (its setting range under the name the
// command gives it; the substation takes neither the selection's series nor its range), the
// object and the note.
Fields projectFields(const project::Project& p, const QString& command,
                     const std::function<bool(const QString&)>& takes);
// The kind's token the project gives a command without one; for substation the project's scheme,
// or its kind's own.
QString projectPositional(const project::Project& p, const QString& command);

} // namespace cli
