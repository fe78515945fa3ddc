#pragma once
// The contacts window: the plant's departments in one memo, its representative offices in the
// other. A work window of its own: resizable, the memos keep their places when it is resized.

#include "shell/WorkWindow.h"

class QPlainTextEdit;

class TKontakt : public TWorkForm {
    Q_OBJECT
public:
    explicit TKontakt(QWidget* parent = nullptr);

    QSize sizeHint() const override;

private:
    QPlainTextEdit* Memo1;
    QPlainTextEdit* Memo2;
};

extern TKontakt* Kontakt;
