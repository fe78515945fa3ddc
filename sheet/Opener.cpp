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

void openWorkbook(const QString& file, const desktop::Failed& failed)
{
    const Opener& opener = installedOpener() ? installedOpener() : systemOpener();
    if (opener)
        opener(file, failed);
    else
        desktop::failLater(failed, QStringLiteral("не задана программа для электронных таблиц"));
}

} // namespace sheet
