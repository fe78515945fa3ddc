#pragma once
// The checks window of the selection window: the engineering checks of the latest result, each
// with its verdict (an icon of its own shape and colour, and a word), its title and the formula
// with the numbers; the source, the assumptions and the limits on hover and on expansion. It is
// owned by the selection window, never modal, and follows every new result.
// Depends on Qt Widgets, core and the checks library.

#include "checks/Checks.h"

#include <QToolButton>
#include <QWidget>
#include <vector>

class QKeyEvent;
class QLabel;
class QMenuBar;

namespace selection {

class ChecksTree;

// The verdict of the latest result, where the selection window shows it: in the right corner of
// its menu bar, out of the client area. It names the worst status with its own icon and, for a
// failed check, its colour, always in its whole text; a click opens the checks window. Hidden
// while there is no result with checks.
class VerdictButton : public QToolButton {
    Q_OBJECT
public:
    explicit VerdictButton(QMenuBar* bar);
    void follow(const std::vector<checks::Check>& found);

private:
    QMenuBar* m_bar;
};

class ChecksWindow : public QWidget {
    Q_OBJECT
public:
    explicit ChecksWindow(QWidget* owner);

    // Replaces what the window shows by the checks of a result of the kind named by caption; no
    // checks: the result ended in a message or there is none.
    void follow(const QString& caption, const std::vector<checks::Check>& found);
    // Shows the window in front of its owner.
    void bringForward();

protected:
    // Esc closes the window, as it closes the work windows.
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLabel* m_summary;
    ChecksTree* m_tree;
};

} // namespace selection
