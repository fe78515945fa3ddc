#include "CliIo.h"
#include "Commands.h"

int runSize(const QStringList&) { return cli::usage(); }
