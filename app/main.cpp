// Joistmaster: a wizard that designs a garden deck and hands it to the host
// CAD application. main() only wires the real seams to the pages.
#include "realseams.h"
#include "system.h"
#include "wizard.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Joistmaster"));

    QMessageBoxes messages;
    ApplicationEnd end;
    const auto host = host::makeSystemConnector();
    Wizard wizard(QCoreApplication::applicationDirPath(), host.get(), &messages, &end);
    wizard.start();
    return app.exec();
}
