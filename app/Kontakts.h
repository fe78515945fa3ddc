#pragma once
// The contacts window: the plant's departments in one memo, its representative offices in the
// other. A work window of its own: resizable, the memos keep their places when it is resized.
// The memos are laid out by the Designer form resources/forms/Kontakt.ui.
// Depends on Qt Widgets, its form, the plant's data (core) and the shell.

#include "ui/shell/WorkWindow.h"
#include "ui_Kontakt.h"

class TKontakt : public TWorkForm, private Ui::KontaktClient {
    Q_OBJECT
public:
    explicit TKontakt(QWidget* parent = nullptr);

    QSize sizeHint() const override;

private:
    // The form's size: the client area of the 756 x 480 window under its title bar and thin
    // border, and the size the window opens at.
    QSize m_formSize;
};

extern TKontakt* Kontakt;
