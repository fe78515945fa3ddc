#pragma once
// A window of its own that accompanies the selection window (the season's, the substation's):
// placed beside it where the screen has room, otherwise clear of its result box, and closed by
// Esc as the work windows are. Depends on Qt Widgets and the shell's placement.

#include <QWidget>

namespace selection {

class CompanionWindow : public QWidget {
    Q_OBJECT
public:
    explicit CompanionWindow(QWidget* owner);

    // Shows the window in front of its owner, placed afresh when it was hidden.
    void bringForward();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace selection
