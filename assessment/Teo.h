#pragma once
// The techno-economic assessment window.

#include "WorkWindow.h"

class TTexOb : public TWorkForm {
    Q_OBJECT
public:
    explicit TTexOb(QWidget* parent = nullptr);
};

extern TTexOb* TexOb;
