// The post and decking size page: two independent groups of options, kept in
// the 3D answers for the finish.
#pragma once

#include "parameterfile.h"
#include "wizardpage.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

class Wiz_3D_Post : public WizardPage {
    Q_OBJECT
public:
    Wiz_3D_Post(WizardContext &context, deckfile::Deck3dAnswers &answers);

    QRadioButton *Option5 = nullptr; // "5/4x6 Decking"
    QRadioButton *Option4 = nullptr; // "2x6 Decking"
    QRadioButton *Option3 = nullptr; // "2x4 Decking"
    QPushButton *Command4 = nullptr;
    QPushButton *Command9 = nullptr;
    QPushButton *Command2 = nullptr;
    QLabel *Picture3 = nullptr;
    QLabel *Picture2 = nullptr;
    QLabel *Picture1 = nullptr;
    QGroupBox *Frame1 = nullptr;
    QRadioButton *Option2 = nullptr; // 6" posts
    QRadioButton *Option1 = nullptr; // 4" posts
    QGroupBox *Frame2 = nullptr;
    QFrame *Line1 = nullptr;

private:
    void rememberChoices();
    void next();
    void back();

    deckfile::Deck3dAnswers &m_answers;
};
