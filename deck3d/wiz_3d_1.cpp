#include "wiz_3d_1.h"

#include "handoff.h"
#include "numbertext.h"
#include "resources.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

struct Wiz_3D_1::SizeRule {
    double stepLowest;  // the step buttons go no lower
    double stepHighest; // and no higher
    QString stepTooHigh;
    QString stepTooLow;
    double typedLowest; // a text left in the box must lie within these
    double typedHighest;
    QString typedTooLow;
    QString typedTooHigh;
    QString repairLow;
    QString repairHigh;
    bool takesFocusBack; // a repaired text keeps the user in the box
};

// The step buttons name a box by its own name, the checks by the heading above it.
const Wiz_3D_1::SizeRule Wiz_3D_1::RuleA{
    10, 99, QStringLiteral("Deck length can not exceed 99 feet."), QStringLiteral("Deck length can not be less than 10 feet."),
    10, 99, QStringLiteral("The deck Width can not be less than 10 feet."), QStringLiteral("The deck Width can not exceed 99 feet."),
    QStringLiteral("10"), QStringLiteral("99"), false};
const Wiz_3D_1::SizeRule Wiz_3D_1::RuleB{
    10, 99, QStringLiteral("Deck width can not exceed 99 feet."), QStringLiteral("Deck width can not be less than 10 feet."),
    10, 99, QStringLiteral("The deck Length can not be less than 10 feet."), QStringLiteral("The deck Length can not exceed 99 feet."),
    QStringLiteral("10"), QStringLiteral("99"), false};
// A height above 6 goes back to 3 as well: the usual height, not the limit.
const Wiz_3D_1::SizeRule Wiz_3D_1::RuleHeight{
    1, 6, QStringLiteral("Deck height can not exceed 6 feet."), QStringLiteral("Deck height can not be less than 1 foot."),
    3, 6, QStringLiteral("The deck height can not be less than 3 feet."), QStringLiteral("The deck height can not exceed 6 feet."),
    QStringLiteral("3"), QStringLiteral("3"), true};

Wiz_3D_1::Wiz_3D_1(WizardContext &context)
    : WizardPage(context, QStringLiteral("Deck Shape and Size"), 6780, 4020, true)
{
    setObjectName(QStringLiteral("Wiz_3D_1"));

    Command11 = addButton(this, "Command11", QStringLiteral("<< &Back"), twips(3240, 3600, 1125, 345));
    Frame1 = addFrame(this, "Frame1", QStringLiteral("Adjust Deck Sizes"), twips(3840, 120, 1875, 3255));
    deckLength = addTextBox(Frame1, "deckLength", QStringLiteral("20"), twips(600, 600, 690, 330));
    deckHeight = addTextBox(Frame1, "deckHeight", QStringLiteral("3"), twips(600, 2480, 690, 330));
    deckWidth = addTextBox(Frame1, "deckWidth", QStringLiteral("20"), twips(615, 1560, 690, 330));
    Command3 = addButton(Frame1, "Command3", QStringLiteral("+"), twips(1440, 2520, 250, 250));
    Command5 = addButton(Frame1, "Command5", QStringLiteral("-"), twips(240, 2520, 250, 250));
    Command7 = addButton(Frame1, "Command7", QStringLiteral("+"), twips(1440, 600, 250, 250));
    Command8 = addButton(Frame1, "Command8", QStringLiteral("-"), twips(240, 600, 250, 250));
    Command9 = addButton(Frame1, "Command9", QStringLiteral("-"), twips(240, 1560, 250, 250));
    Command10 = addButton(Frame1, "Command10", QStringLiteral("+"), twips(1440, 1560, 250, 250));
    Label2 = addLabel(Frame1, "Label2", QStringLiteral("Deck Width (A)"), twips(360, 360, 1095, 195));
    Label3 = addLabel(Frame1, "Label3", QStringLiteral("Deck Length (B)"), twips(360, 1320, 1170, 195));
    Label4 = addLabel(Frame1, "Label4", QStringLiteral("Deck Height"), twips(480, 2280, 900, 195));
    Picture3 = addBanner("Picture3");
    Command6 = addButton(this, "Command6", QStringLiteral("&Cancel"), twips(120, 3600, 1125, 345));
    Command1 = addButton(this, "Command1", QStringLiteral("&Next >>"), twips(4440, 3600, 1125, 345));
    Picture2 = addRuntimePictureBox(this, "Picture2", twips(240, 360, 2292, 1575));
    Command4 = addButton(this, "Command4", QStringLiteral("   Ne&xt Style  >"), twips(2040, 2880, 1425, 345));
    Command2 = addButton(this, "Command2", QStringLiteral("<  &Previous Style"), twips(240, 2880, 1425, 345));
    Frame2 = addFrame(this, "Frame2", QStringLiteral("Choose Deck Shape"), twips(120, 120, 3495, 3255));
    Line1 = addSeparator();

    setStacking({Command11, Frame1, deckLength, deckHeight, deckWidth, Command3, Command5, Command7, Command8,
                 Command9, Command10, Label2, Label3, Label4, Picture3, Command6, Command1, Picture2, Command4,
                 Command2, Frame2});

    for (QLineEdit *box : {deckLength, deckWidth, deckHeight})
        box->setAlignment(Qt::AlignHCenter);
    for (QPushButton *minus : {Command5, Command8, Command9})
        setBold(minus);
    setTextColour(Label2, QColor(0, 0, 255)); // the blue of the letters A and B in the pictures
    setTextColour(Label3, QColor(0, 0, 255));
    setTextColour(Label4, QColor(0, 0, 0));
    setHeading(deckLength, Label2);
    setHeading(deckWidth, Label3);
    setHeading(deckHeight, Label4);

    // The small step buttons take the focus when clicked, so that the check of
    // the box they take it from runs first, but Tab passes them by.
    for (QPushButton *small : {Command3, Command5, Command7, Command8, Command9, Command10})
        small->setFocusPolicy(Qt::ClickFocus);
    setTabOrder({deckLength, deckWidth, deckHeight, Command1, Command11, Command4, Command2, Command6, Command3,
                 Command5, Command7, Command8, Command10, Command9});
    setCancelButton(Command6);

    for (QLineEdit *box : {deckLength, deckWidth, deckHeight})
        selectAllOnFocus(box);
    addFocusCheck(deckLength, [this] {
        const bool shown = checkSize(deckLength, RuleA);
        keepSquare(deckLength);
        return shown;
    });
    addFocusCheck(deckWidth, [this] {
        const bool shown = checkSize(deckWidth, RuleB);
        keepSquare(deckWidth);
        return shown;
    });
    addFocusCheck(deckHeight, [this] { return checkSize(deckHeight, RuleHeight); });

    connect(Command4, &QPushButton::clicked, this, &Wiz_3D_1::nextStyle);
    connect(Command2, &QPushButton::clicked, this, &Wiz_3D_1::previousStyle);
    connect(Command7, &QPushButton::clicked, this, &Wiz_3D_1::stepUpA);
    connect(Command8, &QPushButton::clicked, this, &Wiz_3D_1::stepDownA);
    connect(Command10, &QPushButton::clicked, this, &Wiz_3D_1::stepUpB);
    connect(Command9, &QPushButton::clicked, this, &Wiz_3D_1::stepDownB);
    connect(Command3, &QPushButton::clicked, this, &Wiz_3D_1::stepUpHeight);
    connect(Command5, &QPushButton::clicked, this, &Wiz_3D_1::stepDownHeight);
    connect(Command1, &QPushButton::clicked, this, &Wiz_3D_1::next);
    connect(Command11, &QPushButton::clicked, this, &Wiz_3D_1::back);
    connect(Command6, &QPushButton::clicked, this, &Wiz_3D_1::endProgram);
}

void Wiz_3D_1::load()
{
    shapeNumber = 1;
    setPicture(Picture2, resources::bitmap(101));
}

void Wiz_3D_1::nextStyle()
{
    showStyle(shapeNumber == 9 ? 1 : shapeNumber + 1);
}

void Wiz_3D_1::previousStyle()
{
    showStyle(shapeNumber == 1 ? 9 : shapeNumber - 1);
}

void Wiz_3D_1::showStyle(int shape)
{
    shapeNumber = qint16(shape);
    // Each shape starts from sizes that suit it; the last one keeps what it finds.
    if (shapeNumber == 1) {
        deckLength->setText(QStringLiteral("10"));
        deckWidth->setText(QStringLiteral("10"));
    } else if (shapeNumber != 9) {
        deckLength->setText(QStringLiteral("20"));
        deckWidth->setText(QStringLiteral("10"));
    }
    setPicture(Picture2, resources::bitmap(100 + shapeNumber));
    if (shapeNumber == 1)
        deckLength->setText(deckWidth->text());
}

void Wiz_3D_1::stepUpA() { step(deckLength, RuleA, +1); }
void Wiz_3D_1::stepDownA() { step(deckLength, RuleA, -1); }
void Wiz_3D_1::stepUpB() { step(deckWidth, RuleB, +1); }
void Wiz_3D_1::stepDownB() { step(deckWidth, RuleB, -1); }
void Wiz_3D_1::stepUpHeight() { step(deckHeight, RuleHeight, +1); }
void Wiz_3D_1::stepDownHeight() { step(deckHeight, RuleHeight, -1); }

void Wiz_3D_1::step(QLineEdit *box, const SizeRule &rule, int direction)
{
    // A text that is not a number has no next half foot: the step does nothing,
    // and in particular does not copy such a text into the other box.
    const std::optional<double> value = numbertext::strictNumber(box->text());
    if (!value)
        return;
    if (direction > 0 && *value <= rule.stepHighest - 0.5)
        box->setText(numbertext::generalNumber(*value + 0.5));
    else if (direction < 0 && *value >= rule.stepLowest + 0.5)
        box->setText(numbertext::generalNumber(*value - 0.5));
    else
        showMessage(direction > 0 ? rule.stepTooHigh : rule.stepTooLow);
    if (box != deckHeight)
        keepSquare(box);
}

bool Wiz_3D_1::checkSize(QLineEdit *box, const SizeRule &rule)
{
    bool shown = false;
    // A text that is not a number as a whole counts as too low, so that only
    // numbers ever reach the files.
    const std::optional<double> first = numbertext::strictNumber(box->text());
    if (!first || *first < rule.typedLowest) {
        showMessage(rule.typedTooLow);
        box->setText(rule.repairLow);
        if (rule.takesFocusBack)
            refocus(box);
        shown = true;
    }
    const std::optional<double> second = numbertext::strictNumber(box->text());
    if (second && *second > rule.typedHighest) {
        showMessage(rule.typedTooHigh);
        box->setText(rule.repairHigh);
        if (rule.takesFocusBack)
            refocus(box);
        shown = true;
    }
    return shown;
}

void Wiz_3D_1::keepSquare(QLineEdit *actedOn)
{
    if (shapeNumber != 1)
        return;
    QLineEdit *other = actedOn == deckLength ? deckWidth : deckLength;
    other->setText(actedOn->text());
}

void Wiz_3D_1::next()
{
    // The files first: if one cannot be written the user stays here to try again.
    const handoff::Sizes sizes{deckLength->text(), deckWidth->text(), deckHeight->text()};
    if (const auto failure = handoff::write(context().programFolder, shapeNumber, sizes)) {
        showStopMessage(failure->description);
        return;
    }
    moveTo(PageId::Wiz_3D_Post);
}

void Wiz_3D_1::back()
{
    moveTo(PageId::Wiz_1);
}
