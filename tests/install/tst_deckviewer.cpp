// The deck viewer (deckviewer --open FOLDER|FILE): which parameter files it
// shows, with their lines, for a folder, a single file, and a path that is
// neither; and the panel's folder line.
#include "filespanel.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

class TestDeckViewer : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void open_data();
    void open();

private:
    void write(const QString &name, const QByteArray &bytes);
    QTemporaryDir m_folder;
};

void TestDeckViewer::write(const QString &name, const QByteArray &bytes)
{
    QFile file(m_folder.filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

void TestDeckViewer::initTestCase()
{
    // A folder after a 2D finish and an older 3D one, with a file that is no
    // parameter file beside them; the blanks around the deck type are shown.
    QVERIFY(m_folder.isValid());
    write(QStringLiteral("Deck_Rectangle.txt"), "16        ' Z,   ', Deck Depth\r\n12        ' X,   ', Deck Width\r\n");
    write(QStringLiteral("DeckSize.txt"), "24.5\r\n");
    write(QStringLiteral("DeckType.txt"), " 2 \r\n");
    write(QStringLiteral("Sizes.txt"), "12\n16\r\n");
    write(QStringLiteral("notes.txt"), "not a parameter file\r\n");
}

void TestDeckViewer::open_data()
{
    QTest::addColumn<QString>("path"); // under the folder, "<folder>" for itself
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("text");

    QTest::newRow("a folder: the fixed names first, then Deck_*.txt")
        << "<folder>" << true << "Parameter files in <folder>:"
        << "DeckSize.txt\n    24.5\nDeckType.txt\n     2 \nSizes.txt\n    12<LF>16\nDeck_Rectangle.txt\n"
           "    16        ' Z,   ', Deck Depth\n    12        ' X,   ', Deck Width\n";
    QTest::newRow("one parameter file by itself")
        << "<folder>/Deck_Rectangle.txt" << true << "Parameter files in <folder>:"
        << "Deck_Rectangle.txt\n    16        ' Z,   ', Deck Depth\n    12        ' X,   ', Deck Width\n";
    QTest::newRow("a path that is not there")
        << "<folder>/gone" << false << "Parameter files in <start>:"
        << "Cannot open <folder>/gone: there is no such file or folder.\n";
}

void TestDeckViewer::open()
{
    QFETCH(QString, path);
    QFETCH(bool, found);
    QFETCH(QString, label);
    QFETCH(QString, text);
    const auto resolved = [this](QString s) {
        return s.replace(QStringLiteral("<folder>"), QDir::toNativeSeparators(m_folder.path()))
            .replace(QStringLiteral("<start>"), QStringLiteral("/start"));
    };

    FilesPanel panel(QStringLiteral("/start"));
    QCOMPARE(panel.openDeck(resolved(path)), found);
    QCOMPARE(panel.folderLabel->text(), resolved(label));
    QCOMPARE(panel.parameterFiles->toPlainText(), resolved(text));
}

QTEST_MAIN(TestDeckViewer)
#include "tst_deckviewer.moc"
