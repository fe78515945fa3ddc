#pragma once
// The selection window, shared by the four kinds of equipment.

#include "WorkWindow.h"

class TSelectRtForm : public TWorkForm {
    Q_OBJECT
public:
    explicit TSelectRtForm(QWidget* parent = nullptr);
};

extern TSelectRtForm* SelectRtForm;
