// The deck shape and size page, the first of the 3D road: nine deck shapes to
// step through, and distance A, distance B and the deck height, each a text
// box with a pair of half-foot step buttons and checks when it is left.
#pragma once

#include "decksizes.h"
#include "wizardpage.h"

#include <QHash>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class Wiz_3D_1 : public WizardPage {
    Q_OBJECT
public:
    explicit Wiz_3D_1(WizardContext &context);
    void load() override;

    // The current deck type, 1 to 9.
    qint16 shapeNumber = 1;

    QPushButton *Command11 = nullptr; // "<< &Back"
    QGroupBox *Frame1 = nullptr;
    QLineEdit *deckLength = nullptr;  // distance A, under "Deck Width (A)"
    QLineEdit *deckHeight = nullptr;
    QLineEdit *deckWidth = nullptr;   // distance B, under "Deck Length (B)"
    QPushButton *Command3 = nullptr;  // height +
    QPushButton *Command5 = nullptr;  // height -
    QPushButton *Command7 = nullptr;  // A +
    QPushButton *Command8 = nullptr;  // A -
    QPushButton *Command9 = nullptr;  // B -
    QPushButton *Command10 = nullptr; // B +
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Picture3 = nullptr;       // banner
    QPushButton *Command6 = nullptr;  // "&Cancel"
    QPushButton *Command1 = nullptr;  // "&Next >>"
    QLabel *Picture2 = nullptr;       // the deck type's bitmap
    QPushButton *Command4 = nullptr;  // next style
    QPushButton *Command2 = nullptr;  // previous style
    QGroupBox *Frame2 = nullptr;
    QFrame *Line1 = nullptr;

private:
    void nextStyle();
    void previousStyle();
    void stepUpA();
    void stepDownA();
    void stepUpB();
    void stepDownB();
    void stepUpHeight();
    void stepDownHeight();
    void next();
    void back();

    void showStyle(int shape);
    void step(QLineEdit *box, decksizes::Row row, int direction);
    // The check of a box that is left: its size rule, then the square rule.
    bool checkBox(QLineEdit *box);
    bool checkSize(QLineEdit *box, decksizes::Row row);
    // While the deck is square, the box acted on gives its text to the other.
    void keepSquare(QLineEdit *actedOn);

    // Each box's text as its last check or step left it: Next checks a box
    // again only when its text changed since (a drop, a paste by the mouse),
    // so that a height the step buttons reached is written as it stands.
    QHash<const QLineEdit *, QString> m_settled;
};
