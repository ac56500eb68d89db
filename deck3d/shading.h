// The viewing options page, the last of the 3D road; its Finish runs the 3D
// finish (finish3d.cpp).
#pragma once

#include "parameterfile.h"
#include "wizardpage.h"

#include <array>

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

class Shading : public WizardPage {
    Q_OBJECT
public:
    Shading(WizardContext &context, deckfile::Deck3dAnswers &answers);

    QRadioButton *Option3 = nullptr; // "Shaded"
    QRadioButton *Option2 = nullptr; // "Hidden Line"
    QRadioButton *Option1 = nullptr; // "Wireframe"
    std::array<QLabel *, 3> Picture1{}; // index 0 hidden line, 1 wireframe, 2 shaded
    QPushButton *Command11 = nullptr;
    QLabel *Picture3 = nullptr;
    QPushButton *Command6 = nullptr;
    QPushButton *Command1 = nullptr;
    QGroupBox *Frame1 = nullptr;
    QLabel *Label1 = nullptr;
    QGroupBox *Frame2 = nullptr;
    QLabel *Label2 = nullptr;
    QGroupBox *Frame4 = nullptr;
    QLabel *Label3 = nullptr;
    QFrame *Line1 = nullptr;

    // The 3D finish: reads the stored sizes back, completes the deck parameter file
    // and hands the deck's symbol to the host. Defined in finish3d.cpp.
    void finish();

private:
    void rememberViewing();
    void back();

    deckfile::Deck3dAnswers &m_answers;
};
