#pragma once
// The contacts window.

#include "WorkWindow.h"

class TKontakt : public TWorkForm {
    Q_OBJECT
public:
    explicit TKontakt(QWidget* parent = nullptr);
};

extern TKontakt* Kontakt;
