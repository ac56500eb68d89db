#include "realseams.h"

#include <QApplication>
#include <QMessageBox>

void QMessageBoxes::show(QWidget *page, Icon icon, const QString &text)
{
    const QMessageBox::Icon shown = icon == Icon::Stop          ? QMessageBox::Critical
                                    : icon == Icon::Information ? QMessageBox::Information
                                                                : QMessageBox::NoIcon;
    QMessageBox box(shown, ProgramTitle, text, QMessageBox::Ok, page);
    box.exec();
}

void ApplicationEnd::endProgram()
{
    // Every page goes at once; the event loop returns as soon as the current
    // handler does.
    for (QWidget *window : QApplication::topLevelWidgets())
        window->hide();
    QCoreApplication::exit(0);
}
