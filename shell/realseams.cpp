#include "realseams.h"

#include <QApplication>
#include <QMessageBox>

void QMessageBoxes::show(QWidget *page, Icon icon, const QString &text)
{
    QMessageBox box(icon == Icon::Stop ? QMessageBox::Critical : QMessageBox::NoIcon, ProgramTitle, text,
                    QMessageBox::Ok, page);
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
