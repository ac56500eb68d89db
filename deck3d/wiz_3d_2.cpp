#include "wiz_3d_2.h"

#include "catalogue.h"
#include "resources.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

Wiz_3D_2::Wiz_3D_2(WizardContext &context, deckfile::Deck3dAnswers &answers)
    : WizardPage(context, QStringLiteral("Joist and Beam Size"), 6792, 4032, true), m_answers(answers)
{
    setObjectName(QStringLiteral("Wiz_3D_2"));

    const QStringList sizes = deckfile::framingSizeTexts();
    JoistSize = addComboBox(this, "JoistSize", sizes, twips(960, 2880, 1215, 315));
    BeamSize = addComboBox(this, "BeamSize", sizes, twips(3840, 2880, 1215, 315));
    Command4 = addButton(this, "Command4", QStringLiteral("<< &Back"), twips(3240, 3600, 1125, 345));
    Command9 = addButton(this, "Command9", QStringLiteral("&Next  >>"), twips(4440, 3600, 1125, 345));
    Command2 = addButton(this, "Command2", QStringLiteral("&Cancel"), twips(120, 3600, 1125, 345));
    Picture3 = addPictureBox(this, "Picture3", resources::picture(resources::Picture::Beams),
                             twips(3360, 480, 1728, 1728));
    Picture2 = addPictureBox(this, "Picture2", resources::picture(resources::Picture::Joists),
                             twips(480, 480, 1728, 1728));
    Picture1 = addBanner("Picture1");
    Frame1 = addFrame(this, "Frame1", QString(), twips(120, 120, 2775, 3255));
    Label2 = addLabel(Frame1, "Label2", QStringLiteral("Joist Size"), twips(840, 2520, 1215, 255));
    Frame2 = addFrame(this, "Frame2", QString(), twips(3000, 120, 2655, 3255));
    Label3 = addLabel(Frame2, "Label3", QStringLiteral("Beam Size"), twips(840, 2520, 1215, 255));
    Line1 = addSeparator();

    setStacking({JoistSize, BeamSize, Command4, Command9, Command2, Picture3, Picture2, Picture1, Frame1, Label2,
                 Frame2, Label3});
    for (QLabel *label : {Label2, Label3}) {
        setBold(label);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    }
    setHeading(JoistSize, Label2);
    setHeading(BeamSize, Label3);

    setTabOrder({JoistSize, BeamSize, Command9, Command4, Command2});
    setCancelButton(Command2);

    // The reminder does not hold the user: the focus goes where it was sent.
    addFocusCheck(JoistSize, [this] {
        if (!JoistSize->currentText().isEmpty())
            return false;
        showMessage(QStringLiteral("Please choose a joist size."));
        return true;
    });

    connect(JoistSize, &QComboBox::editTextChanged, this, &Wiz_3D_2::rememberJoistSize);
    connect(BeamSize, &QComboBox::editTextChanged, this, &Wiz_3D_2::rememberBeamSize);
    connect(Command9, &QPushButton::clicked, this, &Wiz_3D_2::next);
    connect(Command4, &QPushButton::clicked, this, &Wiz_3D_2::back);
    connect(Command2, &QPushButton::clicked, this, &Wiz_3D_2::endProgram);
}

void Wiz_3D_2::load()
{
    if (BeamSize->currentText().isEmpty())
        BeamSize->setEditText(deckfile::framingSizeTexts().constFirst());
    if (JoistSize->currentText().isEmpty())
        JoistSize->setEditText(deckfile::framingSizeTexts().constFirst());
}

void Wiz_3D_2::rememberJoistSize(const QString &text)
{
    m_answers.joistSize = text;
}

void Wiz_3D_2::rememberBeamSize(const QString &text)
{
    m_answers.beamSize = text;
}

void Wiz_3D_2::next()
{
    moveTo(PageId::Shading);
}

void Wiz_3D_2::back()
{
    moveTo(PageId::Wiz_3D_Post);
}

#include "moc_wiz_3d_2.cpp"
