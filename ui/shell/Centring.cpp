#include "ui/shell/Centring.h"

#include <QGuiApplication>
#include <QMargins>
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

namespace {

// `size` within `free`, next to the edge of it that touches `near`, level with `top` as far as
// `free` allows.
QRect nextTo(const QRect& free, const QRect& near, QSize size, int top)
{
    QRect r(QPoint(0, 0), size.boundedTo(free.size()));
    const int y = std::clamp(top, free.top(), free.bottom() + 1 - r.height());
    if (free.right() < near.left())
        r.moveTopRight(QPoint(free.right(), y)); // free lies left of `near`
    else if (free.left() > near.right())
        r.moveTopLeft(QPoint(free.left(), y)); // right of it
    else if (free.bottom() < near.top())
        r.moveBottomLeft(QPoint(free.left(), free.bottom())); // above it
    else
        r.moveTopLeft(free.topLeft()); // below it
    return r;
}

} // namespace

QRect besideOwner(const QRect& room, const QRect& owner, const QRect& keep, QSize preferred,
                  QSize least)
{
    const auto fits = [&](const QRect& free) {
        return free.width() >= least.width() && free.height() >= least.height();
    };
    const QRect right(QPoint(owner.right() + 1, room.top()), room.bottomRight());
    const QRect left(room.topLeft(), QPoint(owner.left() - 1, room.bottom()));
    const QRect& wider = right.width() >= left.width() ? right : left;
    if (fits(wider))
        return nextTo(wider, owner, preferred, owner.top());
    // Around the part kept in view: the largest window that the free parts allow, one that has
    // room for `least` first.
    const QRect around[] = {
        QRect(room.topLeft(), QPoint(keep.left() - 1, room.bottom())),
        QRect(QPoint(keep.right() + 1, room.top()), room.bottomRight()),
        QRect(room.topLeft(), QPoint(room.right(), keep.top() - 1)),
        QRect(QPoint(room.left(), keep.bottom() + 1), room.bottomRight()),
    };
    QRect best;
    bool bestFits = false;
    for (const QRect& free : around) {
        if (free.isEmpty())
            continue;
        const QRect placed = nextTo(free, keep, preferred, owner.top());
        const auto area = [](const QRect& r) { return qint64(r.width()) * r.height(); };
        const bool placedFits = fits(placed);
        if (best.isNull() || (placedFits && !bestFits)
            || (placedFits == bestFits && area(placed) > area(best))) {
            best = placed;
            bestFits = placedFits;
        }
    }
    return best.isNull() ? QRect(room.topLeft(), preferred.boundedTo(room.size())) : best;
}

void placeBesideOwner(QWidget* window, const QWidget* keep, QSize preferred, QSize least)
{
    const QWidget* owner = window->parentWidget();
    QScreen* screen = owner ? owner->screen() : window->screen();
    if (!owner || !screen)
        return;
    const QRect kept =
        keep ? QRect(keep->mapToGlobal(QPoint(0, 0)), keep->size()) : owner->frameGeometry();
    // The window system's frame: as it was when the window was last shown, or a title bar and
    // thin borders.
    QMargins frame(window->geometry().left() - window->frameGeometry().left(),
                   window->geometry().top() - window->frameGeometry().top(),
                   window->frameGeometry().right() - window->geometry().right(),
                   window->frameGeometry().bottom() - window->geometry().bottom());
    if (frame.isNull())
        frame = QMargins(4, 30, 4, 4);
    const QRect placed =
        besideOwner(screen->availableGeometry(), owner->frameGeometry(), kept, preferred, least);
    window->resize(placed.marginsRemoved(frame).size());
    window->move(placed.topLeft());
}

void bringForward(QWidget* window, const std::function<void()>& place)
{
    if (!window->isVisible())
        place();
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace centring
