// The floor of the start-up benchmark: the least a Qt Widgets program costs
// here, an empty fixed-size dialog the size of the start page. With
// --caption it holds one caption sized to its text, the least any page with
// text costs: the font configuration, the font database and one font.
#include <QApplication>
#include <QDialog>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Floor"));
    dialog.setFixedSize(565, 335);
    if (app.arguments().contains(QStringLiteral("--caption"))) {
        auto *caption = new QLabel(QStringLiteral("Choose your Deck Type"), &dialog);
        caption->adjustSize();
    }
    dialog.show();
    return app.exec();
}
