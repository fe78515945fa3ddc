#include "ui/shell/VedanApplication.h"

#include "ui/shell/Messages.h"
#include "ui/shell/QtSetup.h"

#include <exception>

namespace shell {

VedanApplication::VedanApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    qtSetup::usePrivateUserSettings();
    qtSetup::loadRussianTranslations(*this);
    qtSetup::quitOnTerminationSignals(*this);
}

VedanApplication::~VedanApplication() { qtSetup::removePrivateUserSettings(); }

bool VedanApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        Messages::showError(error);
    } catch (...) {
        Messages::showError(QStringLiteral("Неизвестная ошибка"));
    }
    return false;
}

} // namespace shell
