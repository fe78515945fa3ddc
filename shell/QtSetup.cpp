#include "shell/QtSetup.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QSettings>
#include <QTranslator>

namespace qtSetup {

bool loadRussianTranslations(QCoreApplication& application)
{
    auto* translator = new QTranslator(&application);
    if (!translator->load(QStringLiteral("qtbase_ru"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

std::unique_ptr<QTemporaryDir> privateUserSettings()
{
    auto folder = std::make_unique<QTemporaryDir>(
        QDir(QDir::tempPath()).absoluteFilePath(QStringLiteral("vedan-settings-XXXXXX")));
    if (!folder->isValid())
        return nullptr;
    // On Unix both formats read the same folders; the user scope is the only one Qt writes.
    for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, folder->path());
    return folder;
}

} // namespace qtSetup
