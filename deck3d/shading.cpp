#include "shading.h"

#include "resources.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

Shading::Shading(WizardContext &context, deckfile::Deck3dAnswers &answers)
    : WizardPage(context, QStringLiteral("Viewing Options"), 6780, 4020, true), m_answers(answers)
{
    setObjectName(QStringLiteral("Shading"));
    using resources::Picture;

    Option3 = addOption(this, "Option3", QStringLiteral("Shaded"), twips(4320, 2640, 972, 372));
    Option2 = addOption(this, "Option2", QStringLiteral("Hidden Line"), twips(2160, 2640, 1452, 372));
    Option1 = addOption(this, "Option1", QStringLiteral("Wireframe"), twips(360, 2640, 1212, 372));
    // The three pictures are one control array; their indices do not follow the columns.
    Picture1[2] = addPictureBox(this, "Picture1(2)", resources::picture(Picture::Shaded), twips(4080, 360, 1452, 1932));
    Picture1[1] = addPictureBox(this, "Picture1(1)", resources::picture(Picture::Wireframe), twips(240, 360, 1452, 1932));
    Picture1[0] = addPictureBox(this, "Picture1(0)", resources::picture(Picture::HiddenLine), twips(2160, 360, 1452, 1932));
    Command11 = addButton(this, "Command11", QStringLiteral("<< &Back"), twips(3240, 3600, 1125, 345));
    Picture3 = addBanner("Picture3");
    Command6 = addButton(this, "Command6", QStringLiteral("&Cancel"), twips(120, 3600, 1125, 345));
    Command1 = addButton(this, "Command1", QStringLiteral("&Finish >>"), twips(4440, 3600, 1125, 345));
    Frame1 = addFrame(this, "Frame1", QString(), twips(120, 120, 1692, 3255));
    Label1 = addLabel(Frame1, "Label1", QStringLiteral("( fastest )"), twips(480, 2880, 855, 255));
    Frame2 = addFrame(this, "Frame2", QString(), twips(2040, 120, 1692, 3255));
    Label2 = addLabel(Frame2, "Label2", QStringLiteral("( slower )"), twips(480, 2880, 855, 255));
    Frame4 = addFrame(this, "Frame4", QString(), twips(3960, 120, 1692, 3255));
    Label3 = addLabel(Frame4, "Label3", QStringLiteral("( slowest )"), twips(480, 2880, 975, 255));
    Line1 = addSeparator();

    setStacking({Option3, Option2, Option1, Picture1[2], Picture1[1], Picture1[0], Command11, Picture3, Command6,
                 Command1, Frame1, Label1, Frame2, Label2, Frame4, Label3});
    for (QRadioButton *option : {Option1, Option2, Option3})
        setBold(option);
    // One group of three, whatever else the page may come to hold.
    auto *views = new QButtonGroup(this);
    for (QRadioButton *option : {Option1, Option2, Option3})
        views->addButton(option);
    Option1->setChecked(true);

    setTabOrder({Command1, Command11, Command6, Option1, Option2, Option3});
    setCancelButton(Command6);
    setDefaultButton(Command11);

    rememberViewing();
    connect(views, &QButtonGroup::buttonToggled, this, &Shading::rememberViewing);
    connect(Command1, &QPushButton::clicked, this, &Shading::finish);
    connect(Command11, &QPushButton::clicked, this, &Shading::back);
    connect(Command6, &QPushButton::clicked, this, &Shading::endProgram);
}

void Shading::rememberViewing()
{
    using deckfile::ViewingMode;
    m_answers.viewing = Option2->isChecked()   ? ViewingMode::HiddenLine
                        : Option3->isChecked() ? ViewingMode::Shaded
                                               : ViewingMode::Wireframe;
}

void Shading::back()
{
    moveTo(PageId::Wiz_3D_2);
}

#include "moc_shading.cpp"
