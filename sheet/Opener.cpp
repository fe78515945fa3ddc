#include "sheet/Opener.h"

#include "sheet/Launcher.h"

#include <utility>

namespace sheet {

namespace {

Opener& installedOpener()
{
    static Opener opener;
    return opener;
}

Opener& systemOpener()
{
    static Opener opener = openInSpreadsheet;
    return opener;
}

} // namespace

Opener setOpener(Opener opener) { return std::exchange(installedOpener(), std::move(opener)); }

void replaceSystemOpener(Opener opener) { systemOpener() = std::move(opener); }

bool openWorkbook(const QString& file)
{
    const Opener& opener = installedOpener() ? installedOpener() : systemOpener();
    return opener && opener(file);
}

} // namespace sheet
