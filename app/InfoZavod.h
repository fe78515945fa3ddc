#pragma once
// The plant-information window.

#include "WorkWindow.h"

class TInfoForm : public TWorkForm {
    Q_OBJECT
public:
    explicit TInfoForm(QWidget* parent = nullptr);
};

extern TInfoForm* InfoForm;
