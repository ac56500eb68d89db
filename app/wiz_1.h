// The start page: clears the deck parameter files of an earlier run, greets the
// host application if one is running, and offers the two roads as pictures.
#pragma once

#include "wizardpage.h"

class QGroupBox;
class QLabel;
class QPushButton;

class Wiz_1 : public WizardPage {
    Q_OBJECT
public:
    explicit Wiz_1(WizardContext &context);

    // Start-up: runs once, when the program starts.
    void load() override;

    QGroupBox *Frame2;
    QLabel *Image2;
    QGroupBox *Frame1;
    QLabel *Image1;
    QPushButton *Command1;
    QLabel *Picture1;
    QFrame *Line1;

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void openRoad(PageId firstPage);
};

// The application-wide mouse pointer: the hand of cursor resource 200, or the default.
void setHandPointer(bool hand);
