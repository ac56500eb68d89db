#pragma once

#include "wizardpage.h"

class Wiz_3D_2 : public WizardPage {
    Q_OBJECT
public:
    explicit Wiz_3D_2(WizardContext &context);
};
