#pragma once

#include "wizardpage.h"

class Wiz_3D_Post : public WizardPage {
    Q_OBJECT
public:
    explicit Wiz_3D_Post(WizardContext &context);
};
