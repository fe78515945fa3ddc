#pragma once
// The commands of vedan-cli. Each takes the arguments after its command word and returns the
// exit status: 0 success, 1 a message the window would show, 2 a wrong option (usage printed).
// Depends on Qt Core only.

#include <QStringList>

namespace cli {

int runSize(const QStringList& args);          // size KIND ...
int runSeason(const QStringList& args);        // season KIND ... --outdoor-design T
int runAssess(const QStringList& args);        // assess FILE.teo --system ...
int runTemplate(const QStringList& args);      // template FILE.teo [--json]
int runQuestionnaire(const QStringList& args); // questionnaire itp|btp|plate ...
int runSubstation(const QStringList& args);    // substation SCHEME ...
int runProject(const QStringList& args);       // project new KIND ... --out FILE.vedan

} // namespace cli
