#include "shell/Centring.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace centring {

QRect screenArea()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

void centreOn(QWidget* window, const QRect& area)
{
    if (!area.isValid())
        return;
    const QRect frame = window->frameGeometry();
    window->move(area.center() - QPoint(frame.width() / 2, frame.height() / 2));
}

} // namespace centring
