#include "wiz_1.h"

#include "catalogue.h"
#include "handoff.h"
#include "resources.h"
#include "sequences.h"
#include "textfiles.h"

#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

void setHandPointer(bool hand)
{
    if (hand) {
        static const QCursor handCursor = resources::cursor(200);
        if (QGuiApplication::overrideCursor())
            QGuiApplication::changeOverrideCursor(handCursor);
        else
            QGuiApplication::setOverrideCursor(handCursor);
    } else {
        while (QGuiApplication::overrideCursor())
            QGuiApplication::restoreOverrideCursor();
    }
}

Wiz_1::Wiz_1(WizardContext &context)
    : WizardPage(context, QStringLiteral("Choose your Deck Type"), 6780, 4020, true)
{
    setObjectName(QStringLiteral("Wiz_1"));

    Frame2 = addFrame(this, "Frame2", QStringLiteral("3D Deck"), twips(3045, 300, 2535, 2745));
    Image2 = addImage(Frame2, "Image2", resources::picture(resources::Picture::Deck3D), twips(240, 240, 1644, 1848));
    Frame1 = addFrame(this, "Frame1", QStringLiteral("2D Deck"), twips(195, 300, 2535, 2745));
    Image1 = addImage(Frame1, "Image1", resources::picture(resources::Picture::Deck2D), twips(120, 360, 1764, 1680));
    Command1 = addButton(this, "Command1", QStringLiteral("&Cancel"), twips(120, 3600, 1125, 345));
    Picture1 = addBanner("Picture1");
    Line1 = addSeparator();

    setStacking({Frame2, Frame1, Command1, Picture1});
    setCancelButton(Command1);

    // Only the two pictures and the page's own background follow the mouse.
    setMouseTracking(true);
    for (QLabel *image : {Image1, Image2}) {
        image->setMouseTracking(true);
        image->installEventFilter(this);
    }

    connect(Command1, &QPushButton::clicked, this, &Wiz_1::endProgram);
}

void Wiz_1::load()
{
    // Each deletion on its own: a missing or locked file does not stop the others.
    for (const QString &name : deckfile::parameterFiles())
        QFile::remove(textfiles::pathIn(context().programFolder, name));
    deckfile::removeLeftovers(context().programFolder);

    host::runStartup(*context().host, [this] { show(); });
}

void Wiz_1::openRoad(PageId firstPage)
{
    setHandPointer(false);
    moveTo(firstPage);
}

void Wiz_1::mouseMoveEvent(QMouseEvent *event)
{
    if (!childAt(event->position().toPoint()))
        setHandPointer(false);
    WizardPage::mouseMoveEvent(event);
}

bool Wiz_1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Image1 || watched == Image2) {
        if (event->type() == QEvent::MouseMove) {
            setHandPointer(true);
            return true;
        }
        if (event->type() == QEvent::MouseButtonPress)
            return true; // so that the release, the click, comes here too
        if (event->type() == QEvent::MouseButtonRelease
            && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton
            && static_cast<QWidget *>(watched)->rect().contains(static_cast<QMouseEvent *>(event)->position().toPoint())) {
            openRoad(watched == Image1 ? PageId::Wiz_2D_1 : PageId::Wiz_3D_1);
            return true;
        }
    }
    return WizardPage::eventFilter(watched, event);
}

#include "moc_wiz_1.cpp"
