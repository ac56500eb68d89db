// The floor of the start-up benchmark: the least a Qt Widgets program costs
// here, an empty fixed-size dialog the size of the start page.
#include <QApplication>
#include <QDialog>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Floor"));
    dialog.setFixedSize(565, 335);
    dialog.show();
    return app.exec();
}
