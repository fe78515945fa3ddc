#include "ui/shell/VedanApplication.h"

#include "ui/shell/Messages.h"
#include "ui/shell/QtSetup.h"

#include <exception>

namespace shell {

VedanApplication::VedanApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    qtsetup::usePrivateUserSettings();
    qtsetup::loadRussianTranslations(*this);
    qtsetup::quitOnTerminationSignals(*this);
}

VedanApplication::~VedanApplication() { qtsetup::removePrivateUserSettings(); }

bool VedanApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        messages::showError(error);
    } catch (...) {
        messages::showError(QStringLiteral("Неизвестная ошибка"));
    }
    return false;
}

} // namespace shell
