#include "CliIo.h"
#include "Commands.h"

int runAssess(const QStringList&) { return cli::usage(); }
int runTemplate(const QStringList&) { return cli::usage(); }
