// The joist and beam size page: two editable lists, whose texts are kept in
// the 3D answers for the finish exactly as they stand.
#pragma once

#include "parameterfile.h"
#include "wizardpage.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

class Wiz_3D_2 : public WizardPage {
    Q_OBJECT
public:
    Wiz_3D_2(WizardContext &context, deckfile::Deck3dAnswers &answers);
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
    void rememberJoistSize(const QString &text);
    void rememberBeamSize(const QString &text);
    void next();
    void back();

    deckfile::Deck3dAnswers &m_answers;
};
