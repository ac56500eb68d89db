// The page of the 2D road: one of nineteen deck outline styles, browsed in a
// ring, and the deck's overall width; Finish hands both to the host.
#pragma once

#include "wizardpage.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class Wiz_2D_1 : public WizardPage {
    Q_OBJECT
public:
    explicit Wiz_2D_1(WizardContext &context);

    void load() override;

    // The style shown: 0 until the page first loads, from then on 1 to 19.
    qint16 styleNumber = 0;

    QPushButton *Command7;
    QPushButton *Command4;
    QLineEdit *Text1;
    QGroupBox *Frame2;
    QLabel *Label1;
    QPushButton *Command5;
    QPushButton *Command6;
    QLabel *Picture2;
    QLabel *Picture1;
    QGroupBox *Frame1;
    QPushButton *Command3;
    QPushButton *Command2;
    QPushButton *Command1;
    QFrame *Line1;

private:
    void showStyle();
    void nextStyle();
    void previousStyle();
    void widthDown();
    void widthUp();
    void stepWidth(int by);
    void back();
    void finish();
};
