#pragma once

#include "wizardpage.h"

class Shading : public WizardPage {
    Q_OBJECT
public:
    explicit Shading(WizardContext &context);
};
