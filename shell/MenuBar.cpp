#include "shell/MenuBar.h"

#include "shell/UiFonts.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

namespace menuBars {

void setUp(QMainWindow* window)
{
    QMenuBar* bar = window->menuBar();
    const QFont font = uiFonts::menuFont();
    bar->setFont(font);
    // The drop-downs are windows of their own and inherit no font from the bar.
    for (QMenu* menu : bar->findChildren<QMenu*>())
        menu->setFont(font);
    new MenuBarKeys(bar);
}

} // namespace menuBars

MenuBarKeys::MenuBarKeys(QMenuBar* bar) : QObject(bar), m_bar(bar)
{
    setObjectName(QStringLiteral("menuBarKeys"));
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), bar->window());
    f10->setObjectName(QStringLiteral("menuBarF10"));
    connect(f10, &QShortcut::activated, this, &MenuBarKeys::open);
    bar->installEventFilter(this);
}

QAction* MenuBarKeys::firstCommand() const
{
    for (QAction* action : m_bar->actions())
        if (action->isVisible() && action->isEnabled() && !action->isSeparator())
            return action;
    return nullptr;
}

void MenuBarKeys::open()
{
    QAction* first = firstCommand();
    if (!first)
        return;
    if (!first->menu()) {
        m_returnFocus = QApplication::focusWidget();
        m_bar->setFocus(Qt::MenuBarFocusReason);
    }
    m_bar->setActiveAction(first);
}

void MenuBarKeys::leave()
{
    m_bar->setActiveAction(nullptr);
    if (m_returnFocus)
        m_returnFocus->setFocus(Qt::MenuBarFocusReason);
    m_returnFocus = nullptr;
}

bool MenuBarKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_bar || event->type() != QEvent::KeyPress || !m_bar->hasFocus())
        return false;
    QAction* current = m_bar->activeAction();
    if (!current || current->menu())
        return false;
    switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        leave();
        current->trigger();
        return true;
    case Qt::Key_Escape: leave(); return true;
    default: return false;
    }
}
