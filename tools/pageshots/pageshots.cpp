// Draws each of the six pages as it first appears and saves it as a PNG, for a
// person to look over: pageshots OUTPUT_FOLDER. Run it under a real display
// (tools/screenshots starts a virtual one).
#include "testseams.h"

#include <QApplication>
#include <QDir>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        fprintf(stderr, "usage: pageshots OUTPUT_FOLDER\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(out.path());

    TestWizard t; // a scratch program folder and a host that records instead of drawing
    if (!t.start())
        return 1;
    int failures = 0;
    for (PageId id : {PageId::Wiz_1, PageId::Wiz_2D_1, PageId::Wiz_3D_1, PageId::Wiz_3D_Post, PageId::Wiz_3D_2,
                      PageId::Shading}) {
        QWidget *page = t.wizard.page(id);
        page->show();
        QApplication::processEvents();
        const QString file = out.filePath(page->objectName() + QStringLiteral(".png"));
        if (!page->grab().save(file)) {
            fprintf(stderr, "could not write %s\n", qPrintable(file));
            ++failures;
        } else {
            printf("%s\n", qPrintable(file));
        }
        page->hide();
    }
    return failures ? 1 : 0;
}
