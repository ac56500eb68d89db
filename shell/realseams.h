// The seams as the running program uses them.
#pragma once

#include "seams.h"

class QMessageBoxes : public MessageBoxes {
public:
    void show(QWidget *page, Icon icon, const QString &text) override;
};

class ApplicationEnd : public ProgramEnd {
public:
    void endProgram() override;
};
