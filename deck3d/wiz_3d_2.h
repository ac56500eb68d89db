// The joist and beam size page: two editable lists, read by the 3D finish
// while the page is hidden.
#pragma once

#include "wizardpage.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

class Wiz_3D_2 : public WizardPage {
    Q_OBJECT
public:
    explicit Wiz_3D_2(WizardContext &context);
    void load() override;

    QComboBox *JoistSize = nullptr;
    QComboBox *BeamSize = nullptr;
    QPushButton *Command4 = nullptr;
    QPushButton *Command9 = nullptr;
    QPushButton *Command2 = nullptr;
    QLabel *Picture3 = nullptr;
    QLabel *Picture2 = nullptr;
    QLabel *Picture1 = nullptr;
    QGroupBox *Frame1 = nullptr;
    QLabel *Label2 = nullptr;
    QGroupBox *Frame2 = nullptr;
    QLabel *Label3 = nullptr;
    QFrame *Line1 = nullptr;

private:
    void next();
    void back();
};
