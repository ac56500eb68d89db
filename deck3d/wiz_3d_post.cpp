#include "wiz_3d_post.h"

#include "resources.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

// Two independent groups: the post sizes in Frame1, the decking kinds on the
// page.
Wiz_3D_Post::Wiz_3D_Post(WizardContext &context, deckfile::Deck3dAnswers &answers)
    : WizardPage(context, QStringLiteral("Post and Decking Size"), 6792, 4032, false), m_answers(answers)
{
    setObjectName(QStringLiteral("Wiz_3D_Post"));

    Option5 = addOption(this, "Option5", QStringLiteral("5/4x6 Decking"), twips(3720, 3000, 1695, 252));
    Option4 = addOption(this, "Option4", QStringLiteral("2x6 Decking"), twips(3720, 2760, 1692, 252));
    Option3 = addOption(this, "Option3", QStringLiteral("2x4 Decking"), twips(3720, 2520, 1695, 252));
    Command4 = addButton(this, "Command4", QStringLiteral("<< &Back"), twips(3240, 3600, 1125, 345));
    Command9 = addButton(this, "Command9", QStringLiteral("&Next  >>"), twips(4440, 3600, 1125, 345));
    Command2 = addButton(this, "Command2", QStringLiteral("&Cancel"), twips(120, 3600, 1125, 345));
    Picture3 = addPictureBox(this, "Picture3", resources::picture(resources::Picture::Decking),
                             twips(3360, 360, 1572, 1692));
    Picture2 = addPictureBox(this, "Picture2", resources::picture(resources::Picture::Posts),
                             twips(480, 360, 1572, 1692));
    Picture1 = addBanner("Picture1");
    Frame1 = addFrame(this, "Frame1", QString(), twips(120, 120, 2775, 3255));
    Option2 = addOption(Frame1, "Option2", QStringLiteral("6\" Square Posts"), twips(360, 2880, 1935, 252));
    Option1 = addOption(Frame1, "Option1", QStringLiteral("4\" Square Posts"), twips(360, 2520, 1935, 252));
    Frame2 = addFrame(this, "Frame2", QString(), twips(3000, 120, 2655, 3255));
    Line1 = addSeparator();

    setStacking({Option5, Option4, Option3, Command4, Command9, Command2, Picture3, Picture2, Picture1, Frame1,
                 Option2, Option1, Frame2});
    for (QRadioButton *option : {Option1, Option2, Option3, Option4, Option5})
        setBold(option);
    // The toolkit's own grouping by parent reaches into child frames, which
    // would make the five options one group; the groups are therefore explicit.
    auto *posts = new QButtonGroup(this);
    for (QRadioButton *option : {Option1, Option2})
        posts->addButton(option);
    auto *decking = new QButtonGroup(this);
    for (QRadioButton *option : {Option3, Option4, Option5})
        decking->addButton(option);
    Option1->setChecked(true);
    Option5->setChecked(true);

    setTabOrder({Command9, Command4, Command2, Option1, Option2, Option3, Option4, Option5});
    setCancelButton(Command2);

    rememberChoices();
    connect(posts, &QButtonGroup::buttonToggled, this, &Wiz_3D_Post::rememberChoices);
    connect(decking, &QButtonGroup::buttonToggled, this, &Wiz_3D_Post::rememberChoices);
    connect(Command9, &QPushButton::clicked, this, &Wiz_3D_Post::next);
    connect(Command4, &QPushButton::clicked, this, &Wiz_3D_Post::back);
    connect(Command2, &QPushButton::clicked, this, &Wiz_3D_Post::endProgram);
}

void Wiz_3D_Post::rememberChoices()
{
    using namespace deckfile;
    m_answers.posts = Option1->isChecked() ? Posts::FourInch : Posts::SixInch;
    m_answers.decking = Option3->isChecked()   ? Decking::TwoByFour
                        : Option4->isChecked() ? Decking::TwoBySix
                                               : Decking::FiveQuarterBySix;
}

void Wiz_3D_Post::next()
{
    moveTo(PageId::Wiz_3D_2);
}

void Wiz_3D_Post::back()
{
    moveTo(PageId::Wiz_3D_1);
}

#include "moc_wiz_3d_post.cpp"
