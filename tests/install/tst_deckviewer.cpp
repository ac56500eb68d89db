// The deck viewer (deckviewer --open FOLDER|FILE): which parameter files it
// shows, with their lines, for a folder, a single file, and a path that is
// neither; and the panel's folder line. The rows are in data/opened-files.txt.
#include "datatable.h"
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
    void open();
};

void TestDeckViewer::open()
{
    QTemporaryDir folder;
    const struct { const char *name; QByteArray bytes; } files[] = {
        {"Deck_Rectangle.txt", "16        ' Z,   ', Deck Depth\r\n12        ' X,   ', Deck Width\r\n"},
        {"DeckSize.txt", "24.5\r\n"}, {"DeckType.txt", " 2 \r\n"}, {"Sizes.txt", "12\n16\r\n"},
        {"notes.txt", "not a parameter file\r\n"},
    };
    for (const auto &f : files) {
        QFile file(folder.filePath(f.name));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(f.bytes) == f.bytes.size());
    }
    const auto resolved = [&folder](QString s) {
        return s.replace("<folder>", QDir::toNativeSeparators(folder.path())).replace("<start>", "/start").replace("\\n", "\n");
    };
    const QList<QStringList> rows = dataTable(JM_TESTDATA "/opened-files.txt", QStringLiteral(" | "));
    QCOMPARE(rows.size(), 3);
    for (const QStringList &r : rows) {
        FilesPanel panel(QStringLiteral("/start"));
        const bool found = panel.openDeck(resolved(r[1]));
        QCOMPARE(r[0] + ": " + QString::number(found) + " " + panel.folderLabel->text() + " "
                     + panel.parameterFiles->toPlainText(),
                 r[0] + ": " + r[2] + " " + resolved(r[3]) + " " + resolved(r[4]));
    }
}

QTEST_MAIN(TestDeckViewer)
#include "tst_deckviewer.moc"
