#pragma once
// The plant-information window: a photograph of the plant, the slogan under it, the plant's
// history beside it and a close button along the bottom.

#include "shell/WorkWindow.h"

class TInfoForm : public TWorkForm {
    Q_OBJECT
public:
    explicit TInfoForm(QWidget* parent = nullptr);

    // Handlers.
    void BitBtn1Click();

private:
    void buildSlogan();
};

extern TInfoForm* InfoForm;
