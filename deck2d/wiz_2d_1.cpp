#include "wiz_2d_1.h"

#include "deckwidth.h"
#include "resources.h"
#include "sequences.h"
#include "styles.h"
#include "handoff.h"

#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

Wiz_2D_1::Wiz_2D_1(WizardContext &context)
    : WizardPage(context, QStringLiteral("Choose your Deck Shape and Width"), 6780, 4020, true)
{
    setObjectName(QStringLiteral("Wiz_2D_1"));

    Command7 = addButton(this, "Command7", QStringLiteral("+"), twips(5160, 1800, 250, 250));
    Command4 = addButton(this, "Command4", QStringLiteral("-"), twips(3960, 1800, 250, 250));
    Text1 = addTextBox(this, "Text1", QStringLiteral("20"), twips(4320, 1680, 690, 405));
    Frame2 = addFrame(this, "Frame2", QStringLiteral("Deck Width"), twips(3705, 135, 1905, 3255));
    Label1 = addLabel(Frame2, "Label1", QStringLiteral("Deck Width (A)"), twips(360, 1320, 1215, 255));
    Command5 = addButton(this, "Command5", QStringLiteral("Next Style >>"), twips(2070, 2910, 1425, 345));
    Command6 = addButton(this, "Command6", QStringLiteral("<< Previous Style"), twips(330, 2925, 1425, 345));
    Picture2 = addBanner("Picture2");
    Picture1 = addRuntimePictureBox(this, "Picture1", twips(240, 360, 3255, 2232));
    Frame1 = addFrame(this, "Frame1", QStringLiteral("Deck Shape"), twips(120, 135, 3495, 3255));
    Command3 = addButton(this, "Command3", QStringLiteral("&Finish  >>"), twips(3960, 3600, 1125, 345));
    Command2 = addButton(this, "Command2", QStringLiteral("<<  &Back"), twips(2760, 3600, 1125, 345));
    Command1 = addButton(this, "Command1", QStringLiteral("&Cancel"), twips(120, 3600, 1125, 345));
    Line1 = addSeparator();

    setStacking({Command7, Command4, Text1, Frame2, Label1, Command5, Command6, Picture2, Picture1, Frame1,
                 Command3, Command2, Command1});

    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setTextColour(Label1, QColor(0, 0, 255)); // the blue of the letter A in the pictures
    setHeading(Text1, Label1);

    // The small step buttons take the focus when clicked, but Tab passes them by.
    for (QPushButton *small : {Command7, Command4})
        small->setFocusPolicy(Qt::ClickFocus);
    setTabOrder({Text1, Command7, Command4, Command6, Command5, Command2, Command3, Command1});
    setDefaultButton(Command3);
    setCancelButton(Command1);
    selectAllOnFocus(Text1);

    connect(Command5, &QPushButton::clicked, this, &Wiz_2D_1::nextStyle);
    connect(Command6, &QPushButton::clicked, this, &Wiz_2D_1::previousStyle);
    connect(Command4, &QPushButton::clicked, this, &Wiz_2D_1::widthDown);
    connect(Command7, &QPushButton::clicked, this, &Wiz_2D_1::widthUp);
    connect(Command2, &QPushButton::clicked, this, &Wiz_2D_1::back);
    connect(Command1, &QPushButton::clicked, this, &Wiz_2D_1::endProgram);
    connect(Command3, &QPushButton::clicked, this, &Wiz_2D_1::finish);
}

void Wiz_2D_1::load()
{
    if (styleNumber == 0)
        styleNumber = styles::First;
    showStyle();
}

void Wiz_2D_1::showStyle()
{
    setPicture(Picture1, resources::bitmap(styles::bitmapId(styleNumber)));
}

void Wiz_2D_1::nextStyle()
{
    styleNumber = styles::next(styleNumber);
    showStyle();
}

void Wiz_2D_1::previousStyle()
{
    styleNumber = styles::previous(styleNumber);
    showStyle();
}

void Wiz_2D_1::widthDown()
{
    stepWidth(-1);
}

void Wiz_2D_1::widthUp()
{
    stepWidth(+1);
}

void Wiz_2D_1::stepWidth(int by)
{
    // A text that is not a number as a whole stays as the user left it.
    if (const auto text = deckwidth::stepped(Text1->text(), by)) {
        Text1->setText(*text);
        Text1->repaint();
    }
}

void Wiz_2D_1::back()
{
    moveTo(PageId::Wiz_1);
}

void Wiz_2D_1::finish()
{
    const QString width = Text1->text();
    if (const auto refusal = deckwidth::refusalOf(width)) {
        if (refusal->stop)
            showStopMessage(refusal->text);
        else
            showMessage(refusal->text);
        return;
    }

    // The host's 2D symbols read the width exactly as typed, blanks and all.
    bool written = false;
    const auto writeDeckSize = [&]() -> host::Status {
        if (const jm::Status saved = deckfile::writeDeckSize(context().programFolder, width); !saved)
            return host::Error{saved.failure().number, saved.failure().description.toStdString()};
        written = true;
        return host::success();
    };
    const host::Status done = host::runFinish2D(*context().host, styleNumber, [this] { hide(); }, writeDeckSize);
    if (!done) {
        // The wizard ends after this box: once the width is on disk, it says
        // where, and what the host was to load, so the deck is not lost.
        const QString afterwards = written
            ? QStringLiteral("The deck width is saved in the file \"%1\" in the folder \"%2\". The host "
                             "application was asked to load \"%3\" and open \"%4\".")
                  .arg(deckfile::DeckSizeFile, QDir::toNativeSeparators(QDir(context().programFolder).absolutePath()),
                       QString::fromStdString(host::styleSymbolPath(styleNumber)),
                       QLatin1String(host::Deck2DSymbolFile))
            : QString();
        reportFailure(done.error().number, QString::fromStdString(done.error().description), afterwards);
    }
    endProgram();
}

#include "moc_wiz_2d_1.cpp"
