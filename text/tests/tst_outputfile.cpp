// Files that are not what they seem, read and written: a file is read only
// when it is a regular file of at most 4 MB (a FIFO refused at once rather
// than waited on, a device or a link to one never read); a file a person
// asked for is written whole through a private folder beside the target,
// never through a link, never over a FIFO or a folder, with the target's
// permission bits, and the system's reason when it cannot be.
#include "datatable.h"
#include "outputfile.h"
#include "textfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <thread>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

class TestOutputFile : public QObject {
    Q_OBJECT
private slots:
    void readAndWritten();
    void concurrentWritesStayWhole();
    void sameFileAfterLinks_data();
    void sameFileAfterLinks();
};

static QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

void TestOutputFile::readAndWritten()
{
#ifdef Q_OS_UNIX
    QTemporaryDir folder;
    const QDir dir(folder.path());
    auto path = [&](const char *name) { return dir.filePath(QLatin1String(name)); };
    QFile victim(path("victim"));
    QVERIFY(victim.open(QIODevice::WriteOnly) && victim.write("kept") == 4);
    victim.close();
    QVERIFY(QFile::link(path("victim"), path("link")) && QFile::link("/dev/zero", path("zero")));
    QCOMPARE(::mkfifo(QFile::encodeName(path("fifo")).constData(), 0600), 0);
    QVERIFY(dir.mkdir("folder"));
    for (const auto &[name, size] : {std::pair{"large", 4 * 1024 * 1024 + 1}, std::pair{"largest", 4 * 1024 * 1024}}) {
        QFile sized(path(name));
        QVERIFY(sized.open(QIODevice::WriteOnly) && sized.resize(size));
    }
    QVERIFY(QFile::setPermissions(path("largest"), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));

    const QString in = "the file \"%1\" in the folder \"" + QDir::toNativeSeparators(folder.path()) + "\": ";
    const QString to = "cannot write " + folder.path() + "/";
    const QString notRegular = "it is not a regular file (a FIFO, a device or a socket)";
    const struct { const char *name; QString read, written; } rows[] = {
        {"link", "4 bytes", "new"},
        {"largest", "4194304 bytes", "new"},
        {"zero", "Could not read " + in.arg("zero") + "it is not a regular file.", "new"},
        {"fifo", "Could not read " + in.arg("fifo") + "it is not a regular file.", to + "fifo: " + notRegular},
        {"folder", "Could not read " + in.arg("folder") + "it is a folder.", to + "folder: it is a folder"},
        {"large", "Could not read " + in.arg("large") + "it holds more than 4 MB, far more than any file of the wizard's.", "new"},
        {"missing", "Could not read " + in.arg("missing") + "No such file or directory.", "new"},
        {"none/x", "Could not read the file \"x\" in the folder \"" + QDir::toNativeSeparators(folder.path()) + "/none\": "
                   "No such file or directory.", to + "none/x: No such file or directory"},
    };
    for (const auto &r : rows) {
        const auto read = textfiles::readWhole(path(r.name));
        QCOMPARE(read ? QString::number(read->size()) + " bytes" : read.error(), r.read);
        const jm::Status written = outputfile::writeWhole(path(r.name), "new");
        QCOMPARE(written ? contentOf(path(r.name)) : written.error(), r.written);
    }
    // The link was replaced, not written through; the bits of the file replaced kept.
    QVERIFY(contentOf(path("victim")) == "kept" && !QFileInfo(path("link")).isSymLink());
    struct stat status {};
    QVERIFY(::stat(QFile::encodeName(path("largest")).constData(), &status) == 0 && (status.st_mode & 0777) == 0640);
    QCOMPARE(dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
             (QStringList{"fifo", "folder", "large", "largest", "link", "missing", "victim", "zero"}));
#else
    QSKIP("links, FIFOs, devices and permission bits are a Unix matter");
#endif
}

// Two writes to one target at once: the target is one of them whole, and
// nothing of either is left beside it.
void TestOutputFile::concurrentWritesStayWhole()
{
    QTemporaryDir folder;
    const QString target = QDir(folder.path()).filePath("deck.step");
    const QByteArray a(2'000'000, 'a'), b(2'000'000, 'b');
    for (int round = 0; round < 5; ++round) {
        jm::Status first = jm::success(), second = jm::success();
        std::thread one([&] { first = outputfile::writeWhole(target, a); });
        std::thread two([&] { second = outputfile::writeWhole(target, b); });
        one.join();
        two.join();
        const QByteArray written = contentOf(target);
        QVERIFY(first && second && (written == a || written == b));
        QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{"deck.step"});
    }
}

void TestOutputFile::sameFileAfterLinks_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<bool>("same");
    for (const QStringList &f : dataTable(JM_TESTDATA "/same-files.txt", QStringLiteral(" | ")))
        QTest::newRow(qPrintable(f[0])) << (f[1] == u"-" ? QString() : f[1]) << (f[2] == u"-" ? QString() : f[2]) << (f[3] == u"same");
}

void TestOutputFile::sameFileAfterLinks()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QTemporaryDir dir;
    QVERIFY(textfiles::writeWhole(dir.filePath("f.txt"), "f") && textfiles::writeWhole(dir.filePath("g.txt"), "g")
            && QDir(dir.path()).mkdir("sub") && QFile::link(dir.filePath("f.txt"), dir.filePath("link.txt")));
#ifdef Q_OS_UNIX
    QVERIFY(::link(QFile::encodeName(dir.filePath("f.txt")).constData(), QFile::encodeName(dir.filePath("hard.txt")).constData()) == 0);
#endif
    QTEST(outputfile::sameFile(a.isEmpty() ? a : dir.filePath(a), b.isEmpty() ? b : dir.filePath(b)), "same");
}

QTEST_APPLESS_MAIN(TestOutputFile)
#include "tst_outputfile.moc"
