#include "ui/selection/CompanionWindow.h"

#include "ui/shell/Centring.h"

#include <QKeyEvent>

namespace selection {

CompanionWindow::CompanionWindow(QWidget* owner) : QWidget(owner, Qt::Window) {}

void CompanionWindow::bringForward()
{
    // Beside the selection window where the screen has room; otherwise clear of its result box.
    centring::bringForward(this, [this] {
        centring::placeBesideOwner(
            this,
            parentWidget() ? parentWidget()->findChild<QWidget*>(QStringLiteral("Memo2")) : nullptr,
            QSize(1100, 760), QSize(640, 480));
    });
}

void CompanionWindow::keyPressEvent(QKeyEvent* event)
{
    // Esc closes the window, as it closes the work windows.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace selection
