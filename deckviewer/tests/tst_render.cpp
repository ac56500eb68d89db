// deckviewer --render, and deckhost --render, which hands over to the same
// code: headless, exit code 0 and the file on success, exit code 1 and one
// line saying why otherwise, 2 for a half-given option. The takeoff as the
// golden CSV; drawings well formed, with the title block. And --attach: the
// worked example hung on the house, its takeoff as the hand-counted CSV, its
// check report's ledger rows, the design it writes and its sheets' words.
#include "datatable.h"
#include "pdftext.h"
#include "runprogram.h"
#include "workedexample.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

namespace {
// The check report's rows by their rule.
QMap<QString, QJsonObject> checkRows(const QString &report)
{
    QMap<QString, QJsonObject> rows;
    for (const QJsonValue &row : QJsonDocument::fromJson(dataBytes(report)).object()["checks"].toArray())
        rows.insert(row["rule"].toString(), row.toObject());
    return rows;
}
} // namespace

class TestRender : public QObject {
    Q_OBJECT
    QTemporaryDir m_config; // the price list made on first use goes here, never to the user's
    QTemporaryDir m_folder; // the worked example's deck file, and what --attach renders of it
    // deck: the worked example in m_folder rendered to m_folder/out.
    Run attached(const QString &out, const QStringList &options, const QString &program = QStringLiteral("deckviewer"))
    {
        return runProgram(program, QStringList{"--render", m_folder.filePath("Deck_Rectangle.txt"), "--out",
                                               m_folder.filePath(out)} + options);
    }
private slots:
    void initTestCase()
    {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
        QVERIFY(!copyWorkedExample(m_folder.path()).isEmpty());
    }

    void renderFolder_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QStringList>("options");
        for (const char *program : {"deckviewer", "deckhost"}) {
            QTest::addRow("%s: takeoff", program) << program << "takeoff.csv" << QStringList();
            QTest::addRow("%s: hidden line SVG", program) << program << "deck.svg" << QStringList{"--mode", "hidden"};
            QTest::addRow("%s: shaded plan PDF", program)
                << program << "deck.pdf" << QStringList{"--view", "plan", "--mode", "shaded"};
            QTest::addRow("%s: code check JSON", program) << program << "check.json" << QStringList{"--species", "dfl"};
            QTest::addRow("%s: code check text", program) << program << "check.txt" << QStringList();
        }
    }
    // A wizard folder: DeckType.txt names the family's parameter file.
    void renderFolder()
    {
        QFETCH(QString, program);
        QFETCH(QString, out);
        QFETCH(QStringList, options);
        QTemporaryDir folder;
        QVERIFY(writeWorkedExampleFolder(folder.path()));
        const Run run = runProgram(program, QStringList{QStringLiteral("--render"), folder.path(), QStringLiteral("--out"),
                                                   folder.filePath(out)} + options);
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.exitCode, 0);
        const QByteArray bytes = dataBytes(folder.filePath(out));
        const QStringList title{"Deck_Rectangle: 16' 0\" x 12' 0\"", "Shape: rectangle",
                                "Sizes: A 16' 0\" x B 12' 0\"", "Height: 3' 0\"", "Decking boards", "Joist ties", "33", "1865.94"};
        QStringList texts;
        if (out.endsWith(".csv")) {
            QCOMPARE(bytes, dataBytes(JM_TAKEOFF_DATA "/worked-example-takeoff-priced.csv"));
        } else if (out.endsWith(".json")) {
            // The worked example fails the joist cantilever: 30" where the
            // table allows 12 + 6 x 1.5 / 2 = 16 1/2" at a 5' 6" back span.
            const QJsonObject check = QJsonDocument::fromJson(bytes).object();
            QCOMPARE(check["code"].toString(), "IRC 2021 R507");
            QCOMPARE(check["settings"].toObject()["species"].toString(), "dfl");
            QCOMPARE(check["verdict"].toString(), "Fails 1 of 14 checks of the 2021 IRC deck tables; 2 outside the tables");
            const QJsonObject cantilever = check["checks"].toArray()[1].toObject();
            QCOMPARE(QStringList({cantilever["rule"].toString(), cantilever["result"].toString(),
                                  QString::number(cantilever["value_in"].toDouble()),
                                  QString::number(cantilever["limit_in"].toDouble())}),
                     QStringList({"R507.6 joist cantilever", "fail", "30", "16.5"}));
            QVERIFY(check["suggestion"].toObject()["found"].toBool());
            return;
        } else if (out.endsWith(".txt")) {
            QVERIFY(bytes.contains("Fails 1 of 14 checks of the 2021 IRC deck tables; 2 outside the tables\n"));
            QVERIFY(bytes.contains("Joists cantilever 30\" past the outer beams; Table R507.6 allows 16 1/2\" for 2x6 "
                                   "Southern pine with a 5' 6\" back span."));
            return;
        } else if (out.endsWith(".svg")) {
            QXmlStreamReader xml(bytes);
            while (!xml.atEnd())
                if (xml.readNext() == QXmlStreamReader::Characters)
                    texts << xml.text().toString();
            QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        } else {
            QVERIFY(bytes.startsWith("%PDF-") && bytes.trimmed().endsWith("%%EOF"));
            texts = pdfTexts(bytes);
        }
        for (const QString &text : title)
            QVERIFY2(out.endsWith(".csv") || texts.contains(text), qPrintable(text));
    }

    // An output that is the run's price list (the other inputs: the viewer's
    // options tests): refused, the list unchanged.
    void anOutputThatIsAnInput()
    {
        QTemporaryDir dir;
        const QString prices = dir.filePath("p.csv");
        QVERIFY(QFile::copy(JM_DECK3D_DATA "/DeckType-worked-example.txt", prices));
        const Run run = runProgram("deckviewer", {"--render", copyWorkedExample(dir.path()), "--prices", prices, "--out", prices});
        QCOMPARE(QString::number(run.exitCode) + " " + run.err,
                 QStringLiteral("1 deckviewer: --out \"%1\" is \"%1\", which this run reads: name another file.\n").arg(prices));
        QCOMPARE(dataBytes(prices), dataBytes(JM_DECK3D_DATA "/DeckType-worked-example.txt"));
    }

    // A config folder that cannot be made on first use (its parent a file,
    // which stops root too): the takeoff and the drawing set both go on with
    // the example prices, and say so once.
    void aConfigFolderThatCannotBeMade()
    {
        QTemporaryDir parent;
        const QString config = parent.filePath("file");
        QVERIFY(writeBytes(config, "x"));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_CONFIG_HOME", config);
        for (const QString &out : {QStringLiteral("x.csv"), QStringLiteral("x.pdf")}) {
            QTemporaryDir dir;
            QStringList arguments{"--render", copyWorkedExample(dir.path()), "--out", dir.filePath(out)};
            if (out.endsWith(".pdf"))
                arguments << "--sheets" << "schedule";
            const Run run = runProgram("deckviewer", arguments, environment);
            QCOMPARE(QString::number(run.exitCode) + " " + run.err,
                     QStringLiteral("0 deckviewer: Cannot make the folder \"%1/joistmaster\". The example prices are used.\n")
                         .arg(config));
            QVERIFY(QFileInfo(dir.filePath(out)).size() > 0);
        }
    }

    // The geometry kernel's libraries are loaded (the dynamic loader's own
    // record says so) for the STEP file and the hidden lines alone.
    void theKernelOnlyWhereNeeded_data()
    {
        QTest::addColumn<QString>("out");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("module"); // the kernel's module loaded, if any
        QTest::addRow("takeoff") << "x.csv" << QStringList() << "";
        QTest::addRow("code check JSON") << "x.json" << QStringList() << "";
        QTest::addRow("code check text") << "x.txt" << QStringList() << "";
        QTest::addRow("drawing set") << "x.pdf" << QStringList{"--sheets", "schedule"} << "";
        QTest::addRow("wireframe") << "x.svg" << QStringList{"--mode", "wireframe"} << "";
        QTest::addRow("design") << "x.jmdeck" << QStringList() << "";
        QTest::addRow("hidden line") << "x.svg" << QStringList{"--mode", "hidden"} << "joistmaster-lines.so";
        QTest::addRow("STEP") << "x.step" << QStringList() << "joistmaster-step.so";
        QTest::addRow("glTF") << "x.glb" << QStringList() << "";
    }
    void theKernelOnlyWhereNeeded()
    {
        QFETCH(QString, out);
        QFETCH(QStringList, options);
        QFETCH(QString, module);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("loader"));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("LD_DEBUG", "libs");
        environment.insert("LD_DEBUG_OUTPUT", dir.filePath("loader/record"));
        const QStringList arguments{"--render", copyWorkedExample(dir.path()), "--out", dir.filePath(out)};
        QCOMPARE(runProgram("deckviewer", arguments + options, environment).exitCode, 0);
        QVERIFY(QFileInfo(dir.filePath(out)).size() > 0);
        QByteArray record;
        for (const QFileInfo &file : QDir(dir.filePath("loader")).entryInfoList(QDir::Files)) {
            QFile read(file.filePath());
            QVERIFY(read.open(QIODevice::ReadOnly));
            record += read.readAll();
        }
        QVERIFY(record.contains("libQt6Core")); // the record is there
        QCOMPARE(record.contains("libTKernel"), !module.isEmpty());
        for (const char *each : {"joistmaster-lines.so", "joistmaster-step.so"})
            QCOMPARE(record.contains(each), module == each);
        // Only the STEP writer binds the kernel's translator; nothing binds
        // its document framework or the drawing libraries that brings in.
        QCOMPARE(record.contains("libTKSTEP"), module == "joistmaster-step.so");
        QCOMPARE(record.contains("libTKXCAF"), false);
        QCOMPARE(record.contains("libTKService"), false);
    }

    // A viewer without its kernel module (copied alone to a folder of its
    // own): the takeoff as ever, the hidden lines from the depth buffer, and
    // a STEP file refused with the reason, nothing written; the same with
    // another module in the STEP module's place.
    void withoutTheKernelModule()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("alone"));
        const QString viewer = dir.filePath("alone/deckviewer");
        QVERIFY(QFile::copy(qEnvironmentVariable("DECKVIEWER"), viewer));
        QVERIFY(QFile::setPermissions(viewer, QFile::ReadOwner | QFile::ExeOwner));
        const QString deck = copyWorkedExample(dir.path());
        const auto render = [&](const QString &out, const QStringList &options) {
            return runProgram(viewer, QStringList{"--render", deck, "--out", dir.filePath(out)} + options);
        };
        Run run = render("x.csv", {});
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(dataBytes(dir.filePath("x.csv")), dataBytes(JM_TAKEOFF_DATA "/worked-example-takeoff-priced.csv"));

        run = render("x.svg", {"--mode", "hidden"});
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.exitCode, 0);
        QVERIFY(QFileInfo(dir.filePath("x.svg")).size() > 0);

        run = render("x.step", {});
        QCOMPARE(run.exitCode, 1);
        const QString why = QString::fromUtf8(run.err);
        const QString start = QStringLiteral("deckviewer: cannot write ") + dir.filePath("x.step")
                              + QStringLiteral(": The geometry kernel module could not be loaded: ");
        QVERIFY2(why.startsWith(start) && why.endsWith(u'\n') && why.count(u'\n') == 1, qPrintable(why));
        QVERIFY2(why.contains(dir.filePath("alone/joistmaster-step")), qPrintable(why));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name),
                 (QStringList{"Deck_Rectangle.txt", "alone", "x.csv", "x.svg"}));

        // The hidden lines' module where the STEP module belongs: refused as a module of another build.
        const QString bin = QFileInfo(qEnvironmentVariable("DECKVIEWER")).path();
        QVERIFY(QFile::copy(bin + "/joistmaster-lines.so", dir.filePath("alone/joistmaster-step.so")));
        run = render("x.step", {});
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(QString::fromUtf8(run.err), "deckviewer: cannot write " + dir.filePath("x.step") + ": The geometry kernel module "
                                                 + dir.filePath("alone/joistmaster-step.so") + " is of another build of Joistmaster.\n");
        QVERIFY(!QFile::exists(dir.filePath("x.step")));
    }

    // The rows are in data/render-failures.txt.
    void failures()
    {
        const QList<QStringList> rows = dataTable(JM_TESTDATA "/render-failures.txt", QStringLiteral(" | "));
        QCOMPARE(rows.size(), 14);
        for (const QStringList &r : rows) {
            const QStringList arguments = QString(r[2])
                                             .replace("<data>", JM_DECK3D_DATA)
                                             .replace("<deck>", m_folder.filePath("Deck_Rectangle.txt"))
                                             .split(u' ');
            const Run run = runProgram(r[1], arguments);
            QCOMPARE(r[0] + ": " + QString::number(run.exitCode) + " " + run.err + run.out,
                     r[0] + ": " + r[3] + " " + QString(r[4]).replace("<data>", JM_DECK3D_DATA) + "\n");
            QVERIFY2(!QFile::exists(arguments.value(arguments.indexOf("--out") + 1)), qPrintable(r[0]));
        }
    }

    // Hung on the house: the hand-counted takeoffs, deckhost's too.
    void attachedTakeoffs_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("edge");
        QTest::addColumn<QString>("golden");
        QTest::newRow("left") << "deckviewer" << "left" << "attached-example-takeoff-priced.csv";
        QTest::newRow("back") << "deckviewer" << "back" << "attached-back-example-takeoff-priced.csv";
        QTest::newRow("deckhost, left") << "deckhost" << "left" << "attached-example-takeoff-priced.csv";
    }
    void attachedTakeoffs()
    {
        QFETCH(QString, program);
        QFETCH(QString, edge);
        QFETCH(QString, golden);
        const Run run = attached(program + ".csv", {"--attach", edge}, program);
        QCOMPARE(QString::number(run.exitCode) + " " + run.err, "0 ");
        QCOMPARE(dataBytes(m_folder.filePath(program + ".csv")), dataBytes(JM_TAKEOFF_DATA "/" + golden));
    }

    // The check's rows of the deck hung along its back edge, framed turned.
    void backEdgeRows()
    {
        QCOMPARE(attached("back.json", {"--attach", "back"}).exitCode, 0);
        const QMap<QString, QJsonObject> rows = checkRows(m_folder.filePath("back.json"));
        // The joists span 142.5 - 86.625 = 55.875" from the ledger, under 6 ft:
        // the lag column's 30"; 192" less 2" at each end in 7 gaps: 8 lags.
        const QJsonObject spacing = rows["R507.9.1.3 ledger fastener spacing"];
        QCOMPARE(spacing["result"].toString(), "pass");
        QCOMPARE(spacing["sentence"].toString(),
                 "Fasten the ledger with 1/2 in lag screws at 30\" on centre, 8 in all, staggered between two rows; "
                 "Table R507.9.1.3(1) allows 30\" for joists spanning 4' 7 7/8\" from the ledger.");
        // 15 joists, each hung on the ledger at its back end.
        QCOMPARE(rows["R507.6.2 joist hangers"]["members"].toArray().size(), 15);
        QCOMPARE(rows["R507.6.2 joist hangers"]["sentence"].toString(),
                 "Hang each of the 15 joists on the ledger in a 2x6 joist hanger, fastened as its maker says.");
        // The boards run left to right over the joists 12" apart; the last,
        // ripped to 1/4" over the ledger, bears on it. The beams run left to
        // right: 192" on three posts 72" apart, 24" past the end posts, more
        // than a quarter of 72".
        QStringList judged;
        for (const char *rule : {"R507.7 decking span", "R507.5 beam cantilever"})
            judged << rows[rule]["result"].toString() + u' ' + QString::number(rows[rule]["value_in"].toDouble()) + u' '
                          + QString::number(rows[rule]["limit_in"].toDouble());
        QCOMPARE(judged, (QStringList{"pass 12 16", "fail 24 18"}));
    }

    // Bolts through 1 in of sheathing along the left edge: the spacing from
    // the 1 in column, 36 in at 6 ft (the ledger's other rows: codecheck's tests).
    void ledgerRows()
    {
        const Run run = attached("check.json", {"--attach", "left", "--fastener", "bolt", "--sheathing", "1"});
        QCOMPARE(QString::number(run.exitCode) + " " + run.err, "0 ");
        const QJsonObject spacing = checkRows(m_folder.filePath("check.json"))["R507.9.1.3 ledger fastener spacing"];
        QCOMPARE(spacing["result"].toString() + u' ' + QString::number(spacing["value_in"].toDouble()) + u' '
                     + QString::number(spacing["limit_in"].toDouble()) + u' ' + spacing["cell"].toString(),
                 "pass 36 36 Table R507.9.1.3(1), 40 psf, 1/2 in bolt, 1 in maximum sheathing 6 ft: 36");
    }

    void designKeepsTheAttachment()
    {
        QCOMPARE(attached("attached.jmdeck", {"--attach", "right", "--attached-to", "rim-board"}).exitCode, 0);
        const QJsonObject design = QJsonDocument::fromJson(dataBytes(m_folder.filePath("attached.jmdeck"))).object();
        QCOMPARE(design["version"].toInt(), 2);
        QCOMPARE(design["attachment"].toObject(),
                 (QJsonObject{{"edge", 1}, {"to", "rim-board"}, {"fastener", "lag"}, {"sheathingIn", 0.5}}));
    }

    // The rows are in data/attach-sheets.txt.
    void attachedSheets()
    {
        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (pdftotext.isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed: the PDF's text is not read.");
        for (const QStringList &row : dataTable(JM_TESTDATA "/attach-sheets.txt", QStringLiteral(" | "))) {
            const Run run = attached("sheet.pdf", QStringList{"--attach"} + row[1].split(u' '));
            QCOMPARE(row[0] + ": " + QString::number(run.exitCode) + " " + run.err, row[0] + ": 0 ");
            const QString words = QString::fromUtf8(runProgram(pdftotext, {m_folder.filePath("sheet.pdf"), "-"}).out).simplified();
            for (const QString &expected : row.mid(2)) {
                const int times = expected.startsWith(u"count ") ? expected.section(u' ', 1, 1).chopped(1).toInt() : 0;
                const QString text = times ? expected.section(u' ', 2) : expected;
                QVERIFY2(times ? words.count(text) == times : words.contains(text), qPrintable(row[0] + ": " + expected));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestRender)
#include "tst_render.moc"
