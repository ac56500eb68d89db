// Files a person asked for: written whole through a private folder beside
// the target, never through a link, never over a FIFO or a device, with the
// target's permission bits, the system's reason when they cannot be.
#include "outputfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <thread>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

class TestOutputFile : public QObject {
    Q_OBJECT
private slots:
    void targets();
    void concurrentWritesStayWhole();
};

static QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

void TestOutputFile::targets()
{
#ifdef Q_OS_UNIX
    QTemporaryDir folder;
    const QDir dir(folder.path());
    auto path = [&](const char *name) { return dir.filePath(QLatin1String(name)); };
    QFile victim(path("victim"));
    QVERIFY(victim.open(QIODevice::WriteOnly) && victim.write("kept") == 4);
    victim.close();
    QVERIFY(QFile::link(path("victim"), path("link.csv")));
    QCOMPARE(::mkfifo(QFile::encodeName(path("fifo.csv")).constData(), 0600), 0);
    QVERIFY(dir.mkdir("folder.csv"));
    QFile old(path("private.csv"));
    QVERIFY(old.open(QIODevice::WriteOnly) && old.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    old.close();

    const QString in = folder.path() + "/";
    const struct { const char *name; QString outcome; } rows[] = {
        {"new.csv", "new"},
        {"link.csv", "new"},
        {"private.csv", "new"},
        {"fifo.csv", "cannot write " + in + "fifo.csv: it is not a regular file (a FIFO, a device or a socket)"},
        {"folder.csv", "cannot write " + in + "folder.csv: it is a folder"},
        {"missing/x.csv", "cannot write " + in + "missing/x.csv: No such file or directory"},
    };
    for (const auto &r : rows) {
        const jm::Status written = outputfile::writeWhole(path(r.name), "new");
        QCOMPARE(written ? contentOf(path(r.name)) : written.error(), r.outcome);
    }
    // The link was replaced, not written through; the bits of the file replaced kept.
    QCOMPARE(contentOf(path("victim")), QByteArray("kept"));
    QVERIFY(!QFileInfo(path("link.csv")).isSymLink());
    struct stat status {};
    QCOMPARE(::stat(QFile::encodeName(path("private.csv")).constData(), &status), 0);
    QCOMPARE(status.st_mode & 0777, 0640u);
    QCOMPARE(dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
             (QStringList{"fifo.csv", "folder.csv", "link.csv", "new.csv", "private.csv", "victim"}));
#else
    QSKIP("links, FIFOs and permission bits are a Unix matter");
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
        QVERIFY(first && second);
        const QByteArray written = contentOf(target);
        QVERIFY(written == a || written == b);
        QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{"deck.step"});
    }
}

QTEST_APPLESS_MAIN(TestOutputFile)
#include "tst_outputfile.moc"
