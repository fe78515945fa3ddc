#pragma once
// What every window's menu bar shares: one menu font, and F10, which opens the menu bar from the
// keyboard as in other desktop programs. The menus themselves are each window's own; their
// captions carry the Alt+letter mnemonics ("&Файл"). Depends on Qt Widgets only.

#include <QObject>
#include <QPointer>

class QAction;
class QMainWindow;
class QMenu;
class QMenuBar;

namespace menubars {

// Gives the window's menu bar and its drop-downs the menu font and installs F10. Called once a
// window has built its menus.
void setUp(QMainWindow* window);

// F10 on a window: the first command of its menu bar becomes the current one. A drop-down opens
// at once (the arrows walk the bar and the menu, Enter picks, Escape leaves); a command of the
// bar itself (reached by F10 or by the arrows) is highlighted and the bar takes the keyboard
// until Enter runs it or Escape leaves, when the keyboard goes back where it was.
class MenuBarKeys : public QObject {
public:
    explicit MenuBarKeys(QMenuBar* bar);

    void open();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* firstCommand() const;
    void highlighted(QAction* action);
    // Left or Right in a drop-down whose neighbour on the bar is a command without one.
    bool toNeighbourCommand(QMenu* menu, int key);
    void leave();

    QMenuBar* m_bar;
    bool m_open = false; // opened from the keyboard and not left yet
    QPointer<QWidget> m_returnFocus;
};

} // namespace menubars
