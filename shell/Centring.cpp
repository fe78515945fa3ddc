#include "shell/Centring.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

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

// Wholly on the screen of the owner window: no larger than the screen leaves room for (with a
// margin for the window's frame), centred over the owner and moved inside the screen.
void placeOnOwnersScreen(QWidget* window, const QSize& preferred)
{
    QWidget* owner = window->parentWidget();
    QScreen* screen = owner ? owner->screen() : window->screen();
    if (!screen)
        return;
    const QRect room = screen->availableGeometry();
    constexpr int kFrame = 40; // title bar and borders that the window system adds
    const QSize size(std::min(preferred.width(), room.width() - kFrame),
                     std::min(preferred.height(), room.height() - kFrame));
    window->resize(size);
    QRect placed(QPoint(0, 0), size);
    placed.moveCenter(owner ? owner->frameGeometry().center() : room.center());
    // Kept inside even where the room is tight: the far edge wins over the near one.
    const auto inside = [](int value, int low, int high) {
        return std::max(low, std::min(value, high));
    };
    const int left =
        inside(placed.left(), room.left(), room.right() + 1 - size.width() - kFrame / 2);
    const int top = inside(placed.top(), room.top() + kFrame / 2,
                           room.bottom() + 1 - size.height() - kFrame / 2);
    window->move(left, top);
}

} // namespace centring
