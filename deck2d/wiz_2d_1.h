#pragma once

#include "wizardpage.h"

class Wiz_2D_1 : public WizardPage {
    Q_OBJECT
public:
    explicit Wiz_2D_1(WizardContext &context);
};
