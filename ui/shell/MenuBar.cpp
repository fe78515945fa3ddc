#include "ui/shell/MenuBar.h"

#include "ui/shell/UiFonts.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

namespace menubars {

void setUp(QMainWindow* window)
{
    QMenuBar* bar = window->menuBar();
    const QFont font = uifonts::menuFont();
    bar->setFont(font);
    // The drop-downs are windows of their own and inherit no font from the bar.
    for (QMenu* menu : bar->findChildren<QMenu*>())
        menu->setFont(font);
    new MenuBarKeys(bar);
}

MenuBarKeys::MenuBarKeys(QMenuBar* bar) : QObject(bar), m_bar(bar)
{
    setObjectName(QStringLiteral("menuBarKeys"));
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), bar->window());
    f10->setObjectName(QStringLiteral("menuBarF10"));
    connect(f10, &QShortcut::activated, this, &MenuBarKeys::open);
    connect(bar, &QMenuBar::hovered, this, &MenuBarKeys::highlighted);
    connect(bar, &QMenuBar::triggered, this, &MenuBarKeys::leave);
    bar->installEventFilter(this);
    for (QAction* action : bar->actions())
        if (action->menu())
            action->menu()->installEventFilter(this);
}

bool MenuBarKeys::toNeighbourCommand(QMenu* menu, int key)
{
    if (key != Qt::Key_Left && key != Qt::Key_Right)
        return false;
    if (key == Qt::Key_Right && menu->activeAction() && menu->activeAction()->menu())
        return false;
    const QList<QAction*> actions = m_bar->actions();
    const qsizetype at = actions.indexOf(menu->menuAction());
    if (at < 0)
        return false;
    const qsizetype n = actions.size();
    QAction* next = actions[(at + (key == Qt::Key_Right ? 1 : n - 1)) % n];
    if (next->menu() || !next->isVisible() || !next->isEnabled())
        return false;
    // Qt's own move would leave the keyboard in the box it came from: the bar takes it.
    menu->close();
    m_open = true;
    m_bar->setActiveAction(next);
    m_bar->setFocus(Qt::MenuBarFocusReason);
    return true;
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
    QWidget* focus = QApplication::focusWidget();
    m_returnFocus = focus == m_bar ? nullptr : focus;
    m_open = true;
    m_bar->setActiveAction(first);
    highlighted(first);
}

// A command of the bar itself has no drop-down to take the keys: the bar takes them.
void MenuBarKeys::highlighted(QAction* action)
{
    if (m_open && action && !action->menu())
        m_bar->setFocus(Qt::MenuBarFocusReason);
}

void MenuBarKeys::leave()
{
    m_open = false;
    if (!m_bar->hasFocus())
        return;
    m_bar->setActiveAction(nullptr);
    if (m_returnFocus)
        m_returnFocus->setFocus(Qt::MenuBarFocusReason);
    else
        m_bar->clearFocus();
    m_returnFocus = nullptr;
}

bool MenuBarKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (auto* menu = qobject_cast<QMenu*>(watched); menu && event->type() == QEvent::KeyPress)
        return toNeighbourCommand(menu, static_cast<QKeyEvent*>(event)->key());
    if (watched != m_bar || event->type() != QEvent::KeyPress || !m_bar->hasFocus())
        return false;
    QAction* current = m_bar->activeAction();
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (current && current->menu()) {
        // Escape on the title of a drop-down closed with Escape: the keyboard goes back.
        if (m_open && key == Qt::Key_Escape) {
            leave();
            return true;
        }
        return false;
    }
    if (!current) {
        // A drop-down was closed with Escape: the bar lets the keyboard go.
        leave();
        return key == Qt::Key_Escape;
    }
    switch (key) {
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

} // namespace menubars
