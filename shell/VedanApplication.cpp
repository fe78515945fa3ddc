#include "shell/VedanApplication.h"

#include "shell/Messages.h"

#include <exception>

namespace shell {

VedanApplication::VedanApplication(int& argc, char** argv) : QApplication(argc, argv) {}

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
