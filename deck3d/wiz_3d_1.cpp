#include "wiz_3d_1.h"

#include "catalogue.h"
#include "handoff.h"
#include "resources.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using decksizes::Row;

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
    for (QLineEdit *box : {deckLength, deckWidth, deckHeight})
        addFocusCheck(box, [this, box] { return checkBox(box); });

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
    shapeNumber = deckfile::FirstDeckType;
    setPicture(Picture2, resources::bitmap(deckfile::shapeOf(shapeNumber)->pictureId));
}

void Wiz_3D_1::nextStyle()
{
    showStyle(deckfile::nextDeckType(shapeNumber));
}

void Wiz_3D_1::previousStyle()
{
    showStyle(deckfile::previousDeckType(shapeNumber));
}

void Wiz_3D_1::showStyle(int shape)
{
    shapeNumber = qint16(shape);
    // Each shape starts from sizes that suit it; the last one keeps what it finds.
    if (shapeNumber == 1) {
        deckLength->setText(QStringLiteral("10"));
        deckWidth->setText(QStringLiteral("10"));
    } else if (shapeNumber != deckfile::LastDeckType) {
        deckLength->setText(QStringLiteral("20"));
        deckWidth->setText(QStringLiteral("10"));
    }
    setPicture(Picture2, resources::bitmap(deckfile::shapeOf(shapeNumber)->pictureId));
    if (shapeNumber == 1)
        deckLength->setText(deckWidth->text());
}

void Wiz_3D_1::stepUpA() { step(deckLength, Row::A, +1); }
void Wiz_3D_1::stepDownA() { step(deckLength, Row::A, -1); }
void Wiz_3D_1::stepUpB() { step(deckWidth, Row::B, +1); }
void Wiz_3D_1::stepDownB() { step(deckWidth, Row::B, -1); }
void Wiz_3D_1::stepUpHeight() { step(deckHeight, Row::Height, +1); }
void Wiz_3D_1::stepDownHeight() { step(deckHeight, Row::Height, -1); }

void Wiz_3D_1::step(QLineEdit *box, Row row, int direction)
{
    // A text that is not a number is left alone, and in particular not copied
    // into the other box.
    const std::optional<decksizes::Step> stepped = decksizes::step(row, box->text(), direction);
    if (!stepped)
        return;
    if (stepped->message.isEmpty())
        box->setText(stepped->text);
    else
        showMessage(stepped->message);
    m_settled[box] = box->text();
    if (box != deckHeight)
        keepSquare(box);
}

bool Wiz_3D_1::checkSize(QLineEdit *box, Row row)
{
    const QList<decksizes::Repair> repairs = decksizes::repairs(row, box->text());
    for (const decksizes::Repair &repair : repairs) {
        showMessage(repair.message);
        box->setText(repair.text);
        if (decksizes::takesFocusBack(row))
            refocus(box);
    }
    return !repairs.isEmpty();
}

bool Wiz_3D_1::checkBox(QLineEdit *box)
{
    if (box == deckHeight) {
        const bool shown = checkSize(deckHeight, Row::Height);
        m_settled[box] = box->text();
        return shown;
    }
    const bool shown = checkSize(box, box == deckLength ? Row::A : Row::B);
    m_settled[box] = box->text();
    keepSquare(box);
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
    // Text dropped on a box does not move the focus, so its check may not have
    // run: a box whose text changed since its last check or step is checked
    // here, in the boxes' order, and only sizes the checks or the step
    // buttons allow reach the files.
    for (QLineEdit *box : {deckLength, deckWidth, deckHeight})
        if (!m_settled.contains(box) || m_settled.value(box) != box->text())
            checkBox(box);
    // The files first: if one cannot be written the user stays here to try again.
    const deckfile::Sizes sizes{deckLength->text(), deckWidth->text(), deckHeight->text()};
    if (const jm::Status written = deckfile::writeHandOff(context().programFolder, shapeNumber, sizes); !written) {
        showStopMessage(written.failure().description);
        return;
    }
    moveTo(PageId::Wiz_3D_Post);
}

void Wiz_3D_1::back()
{
    moveTo(PageId::Wiz_1);
}

#include "moc_wiz_3d_1.cpp"
