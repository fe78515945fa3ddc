#include "CliIo.h"
#include "Commands.h"

int runQuestionnaire(const QStringList&) { return cli::usage(); }
