// deckviewer --render --attach: the worked example hung on the house, its
// takeoff as the hand-counted CSV, its check report's ledger rows, the design
// it writes, and each refusal as one sentence with exit code 1.
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run {
    int exitCode = -1;
    QByteArray out, err;
};

Run render(const QTemporaryDir &folder, const QString &out, const QStringList &options)
{
    QProcess process;
    process.start(qEnvironmentVariable("DECKVIEWER"),
                  QStringList{"--render", folder.filePath("Deck_Rectangle.txt"), "--out", folder.filePath(out)} + options);
    process.waitForFinished(60000);
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestAttachRender : public QObject {
    Q_OBJECT
    QTemporaryDir m_config;
    QTemporaryDir m_folder;
private slots:
    void initTestCase()
    {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
        QVERIFY(QFile::copy(QStringLiteral(JM_DECK3D_DATA "/Deck_Rectangle-worked-example.txt"),
                            m_folder.filePath(QStringLiteral("Deck_Rectangle.txt"))));
    }

    void takeoffIsTheHandCount()
    {
        const Run run = render(m_folder, "takeoff.csv", {"--attach", "left"});
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(fileBytes(m_folder.filePath("takeoff.csv")),
                 fileBytes(QStringLiteral(JM_TAKEOFF_DATA "/attached-example-takeoff-priced.csv")));
    }

    // Hung on the house along its back edge: the hand-counted CSV, and the
    // check's rows of the deck framed turned.
    void backEdgeTakeoffAndRows()
    {
        const Run run = render(m_folder, "back.csv", {"--attach", "back"});
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(fileBytes(m_folder.filePath("back.csv")),
                 fileBytes(QStringLiteral(JM_TAKEOFF_DATA "/attached-back-example-takeoff-priced.csv")));
        const Run check = render(m_folder, "back.json", {"--attach", "back"});
        QCOMPARE(check.exitCode, 0);
        const QJsonObject report = QJsonDocument::fromJson(fileBytes(m_folder.filePath("back.json"))).object();
        QMap<QString, QJsonObject> rows;
        for (const QJsonValue &row : report.value(u"checks").toArray())
            rows.insert(row.toObject().value(u"rule").toString(), row.toObject());
        QVERIFY(!rows.isEmpty());
        // The joists span 142.5 - 86.625 = 55.875" from the ledger, under 6 ft:
        // the lag column's 30"; 192" less 2" at each end in 7 gaps: 8 lags.
        const QJsonObject spacing = rows.value(QStringLiteral("R507.9.1.3 ledger fastener spacing"));
        QCOMPARE(spacing.value(u"result").toString(), QStringLiteral("pass"));
        QCOMPARE(spacing.value(u"sentence").toString(),
                 QStringLiteral("Fasten the ledger with 1/2 in lag screws at 30\" on centre, 8 in all, staggered between two rows; "
                                "Table R507.9.1.3(1) allows 30\" for joists spanning 4' 7 7/8\" from the ledger."));
        // 15 joists, each hung on the ledger at its back end.
        const QJsonObject hangers = rows.value(QStringLiteral("R507.6.2 joist hangers"));
        QCOMPARE(hangers.value(u"members").toArray().size(), 15);
        QCOMPARE(hangers.value(u"sentence").toString(),
                 QStringLiteral("Hang each of the 15 joists on the ledger in a 2x6 joist hanger, fastened as its maker says."));
        // The boards run left to right over the joists 12" apart; the last,
        // ripped to 1/4" over the ledger, bears on it.
        const QJsonObject decking = rows.value(QStringLiteral("R507.7 decking span"));
        QCOMPARE(decking.value(u"result").toString(), QStringLiteral("pass"));
        QCOMPARE(decking.value(u"value_in").toDouble(), 12.0);
        QCOMPARE(decking.value(u"limit_in").toDouble(), 16.0);
        // The beams run left to right: 192" on three posts 72" apart, 24"
        // past the end posts, more than a quarter of 72".
        const QJsonObject cantilever = rows.value(QStringLiteral("R507.5 beam cantilever"));
        QCOMPARE(cantilever.value(u"result").toString(), QStringLiteral("fail"));
        QCOMPARE(cantilever.value(u"value_in").toDouble(), 24.0);
        QCOMPARE(cantilever.value(u"limit_in").toDouble(), 18.0);
    }

    void reportGivesTheLedgerRows()
    {
        const Run run = render(m_folder, "check.json", {"--attach", "left", "--fastener", "bolt", "--sheathing", "1"});
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.exitCode, 0);
        const QJsonArray checks = QJsonDocument::fromJson(fileBytes(m_folder.filePath("check.json"))).object()["checks"].toArray();
        QStringList rules;
        QJsonObject spacing;
        for (const QJsonValue &check : checks) {
            rules << check["rule"].toString();
            if (rules.last() == u"R507.9.1.3 ledger fastener spacing")
                spacing = check.toObject();
        }
        for (const char *rule : {"R507.9.1.1 ledger size and grade", "R507.9.1.2 ledger fastened to the house",
                                 "R507.9.1.3 ledger fastener placement", "R507.9.2 hold-downs", "R507.2.4 ledger flashing",
                                 "R507.6.2 joist hangers", "R507.3.2 footings beside the house"})
            QVERIFY2(rules.contains(QLatin1String(rule)), rule);
        // Bolts through 1 in of sheathing: the 1 in column, 36 in at 6 ft.
        QCOMPARE(spacing["result"].toString(), "pass");
        QCOMPARE(spacing["value_in"].toDouble(), 36.0);
        QCOMPARE(spacing["limit_in"].toDouble(), 36.0);
        QCOMPARE(spacing["cell"].toString(), "Table R507.9.1.3(1), 40 psf, 1/2 in bolt, 1 in maximum sheathing 6 ft: 36");
    }

    void designKeepsTheAttachment()
    {
        const Run run = render(m_folder, "attached.jmdeck", {"--attach", "right", "--attached-to", "rim-board"});
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.exitCode, 0);
        const QJsonObject design = QJsonDocument::fromJson(fileBytes(m_folder.filePath("attached.jmdeck"))).object();
        QCOMPARE(design["version"].toInt(), 2);
        QCOMPARE(design["attachment"].toObject(),
                 (QJsonObject{{"edge", 1}, {"to", "rim-board"}, {"fastener", "lag"}, {"sheathingIn", 0.5}}));
    }

    // The ledger's sheet read back with pdftotext: the detail's callouts,
    // the rows' distances (2", 3 1/2", 1 3/4": 7 1/4" in all), the face
    // with its six lags 28" apart, the first 2" from the end; the title
    // block says where the deck hangs.
    void ledgerSheetReadsBack()
    {
        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (pdftotext.isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed: the PDF's text is not read.");
        const Run run = render(m_folder, "ledger.pdf", {"--attach", "left", "--sheets", "ledger", "--paper", "letter"});
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.exitCode, 0);
        QProcess text;
        text.start(pdftotext, {m_folder.filePath("ledger.pdf"), "-"});
        QVERIFY(text.waitForFinished(60000));
        const QString words = QString::fromUtf8(text.readAllStandardOutput()).simplified();
        for (const char *expected :
             {"LEDGER DETAIL", "LEDGER SEEN FROM THE DECK", "2x8 ledger, pressure-treated, No. 2 or better",
              "1/2 in lag screws at 30\" on centre, staggered between a top row 2\" and a bottom row 5 1/2\" below the "
              "ledger's top",
              "flashing, 0.019 in metal, up the wall under the water barrier and over the ledger",
              "2x6 joist in a 2x6 joist hanger", "a 2x band joist of the house", "sheathing 1/2\"",
              // 140" between the end ones in 5 gaps of at most 30": 28" apart
              "6 fasteners 28\" apart (at most 30\" on centre), the first 2\" from each end of every board", "1 3/4\"",
              "3 1/2\"",
              "7 1/4\"", "12' 0\"", "attached to the house along the left edge"})
            QVERIFY2(words.contains(QLatin1String(expected)), expected);

        // The framing plan: the house behind the ledger, the ledger's note,
        // its first fastener 2" from the end and the next 28" on.
        const Run framing = render(m_folder, "framing.pdf", {"--attach", "left", "--sheets", "framing", "--paper", "letter"});
        QCOMPARE(framing.exitCode, 0);
        QProcess plan;
        plan.start(pdftotext, {m_folder.filePath("framing.pdf"), "-"});
        QVERIFY(plan.waitForFinished(60000));
        const QString planWords = QString::fromUtf8(plan.readAllStandardOutput()).simplified();
        for (const char *expected : {"HOUSE", "L: 2x8 ledger, 6 fasteners staggered, at most 30\" o.c.", "28\"", "2\""})
            QVERIFY2(planWords.contains(QLatin1String(expected)), expected);
        // The front elevation shows the house in profile beside the deck.
        QCOMPARE(render(m_folder, "elevations.pdf", {"--attach", "left", "--sheets", "elevations", "--paper", "letter"}).exitCode, 0);
        QProcess elevations;
        elevations.start(pdftotext, {m_folder.filePath("elevations.pdf"), "-"});
        QVERIFY(elevations.waitForFinished(60000));
        QVERIFY(QString::fromUtf8(elevations.readAllStandardOutput()).contains(QStringLiteral("HOUSE")));
    }

    // Hung on the house along its back edge: the title block says so, and
    // both elevations show the house, behind the deck in the front one and
    // in profile in the side one; along its left edge the other way round.
    void houseOnBothElevations_data()
    {
        QTest::addColumn<QString>("side");
        QTest::newRow("back") << "back";
        QTest::newRow("left") << "left";
        QTest::newRow("front") << "front";
    }
    void houseOnBothElevations()
    {
        QFETCH(QString, side);
        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (pdftotext.isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed: the PDF's text is not read.");
        const Run run = render(m_folder, "house.pdf", {"--attach", side, "--sheets", "elevations", "--paper", "letter"});
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.exitCode, 0);
        QProcess text;
        text.start(pdftotext, {m_folder.filePath("house.pdf"), "-"});
        QVERIFY(text.waitForFinished(60000));
        const QString words = QString::fromUtf8(text.readAllStandardOutput()).simplified();
        QCOMPARE(words.count(QStringLiteral("HOUSE")), 2);
        QVERIFY(words.contains(QStringLiteral("attached to the house along the %1 edge").arg(side)));
        QVERIFY(words.contains(QStringLiteral("FRONT ELEVATION")) && words.contains(QStringLiteral("SIDE ELEVATION")));
    }

    // The framing plan of the deck hung along its back edge, drawn where it
    // stands: the house, the front arrow, the ledger's note under the plan
    // (8 lags, 30" at most), its first fastener 2" from the end and the next
    // (192 - 4) / 7 = 26 7/8" on, the 15 joists' 30 hangers and 30 ties.
    void backEdgeFramingPlan()
    {
        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (pdftotext.isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed: the PDF's text is not read.");
        const Run run = render(m_folder, "back-framing.pdf", {"--attach", "back", "--sheets", "framing", "--paper", "letter"});
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.exitCode, 0);
        QProcess text;
        text.start(pdftotext, {m_folder.filePath("back-framing.pdf"), "-"});
        QVERIFY(text.waitForFinished(60000));
        const QString words = QString::fromUtf8(text.readAllStandardOutput()).simplified();
        for (const char *expected : {"HOUSE", "FRONT", "L: 2x8 ledger, 8 fasteners staggered, at most 30\" o.c.", "26 7/8\"", "2\"",
                                     "Joist hangers at 30 joist ends on rims; joist ties at 30 joists on beams",
                                     "attached to the house along the back edge"})
            QVERIFY2(words.contains(QLatin1String(expected)), expected);
    }

    // Only a deck hung on the house has the sheet.
    void freeStandingHasNoLedgerSheet()
    {
        const Run run = render(m_folder, "free.pdf", {"--sheets", "ledger"});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains("ledger"), run.err.constData());
    }

    // deckhost hands the same options to the viewer: the takeoff, and a refusal.
    void deckhostHandsItOn()
    {
        QProcess host;
        host.start(qEnvironmentVariable("DECKHOST"), {"--render", m_folder.filePath("Deck_Rectangle.txt"), "--out",
                                                      m_folder.filePath("host.csv"), "--attach", "left"});
        QVERIFY(host.waitForFinished(60000));
        QCOMPARE(host.readAllStandardError(), QByteArray());
        QCOMPARE(host.exitCode(), 0);
        QCOMPARE(fileBytes(m_folder.filePath("host.csv")),
                 fileBytes(QStringLiteral(JM_TAKEOFF_DATA "/attached-example-takeoff-priced.csv")));
        host.start(qEnvironmentVariable("DECKHOST"), {"--render", m_folder.filePath("Deck_Rectangle.txt"), "--out",
                                                      m_folder.filePath("host2.csv"), "--attach", "right", "--attached-to",
                                                      "overhang"});
        QVERIFY(host.waitForFinished(60000));
        QCOMPARE(host.exitCode(), 1);
        QCOMPARE(host.readAllStandardError(),
                 QByteArray("deckhost: The deck cannot hang on a house overhang: the band joist of a floor that cantilevers "
                            "past the wall below does not bear fully on the house (R507.9.1.2); attach it free-standing: a "
                            "beam line 18 in from the house.\n"));
    }

    void refusals_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QByteArray>("err");
        QTest::newRow("brick veneer") << QStringList{"--attach", "left", "--attached-to", "brick-veneer"}
            << QByteArray("deckviewer: The deck cannot hang on brick veneer: a ledger may not be supported on stone or masonry "
                          "veneer (R507.9.1.1); attach it free-standing: a beam line 18 in from the house.\n");
        QTest::newRow("stone veneer") << QStringList{"--attach", "right", "--attached-to", "stone-veneer"}
            << QByteArray("deckviewer: The deck cannot hang on stone veneer: a ledger may not be supported on stone or masonry "
                          "veneer (R507.9.1.1); attach it free-standing: a beam line 18 in from the house.\n");
        QTest::newRow("cantilevered floor") << QStringList{"--attach", "left", "--attached-to", "cantilevered-floor"}
            << QByteArray("deckviewer: The deck cannot hang on a cantilevered floor: the band joist of a floor that cantilevers "
                          "past the wall below does not bear fully on the house (R507.9.1.2); attach it free-standing: a "
                          "beam line 18 in from the house.\n");
        QTest::newRow("overhang") << QStringList{"--attach", "left", "--attached-to", "overhang"}
            << QByteArray("deckviewer: The deck cannot hang on a house overhang: the band joist of a floor that cantilevers "
                          "past the wall below does not bear fully on the house (R507.9.1.2); attach it free-standing: a "
                          "beam line 18 in from the house.\n");
    }
    void refusals()
    {
        QFETCH(QStringList, options);
        QFETCH(QByteArray, err);
        QFile::remove(m_folder.filePath("refused.csv"));
        const Run run = render(m_folder, "refused.csv", options);
        QCOMPARE(run.err, err);
        QCOMPARE(run.exitCode, 1);
        QVERIFY(!QFile::exists(m_folder.filePath("refused.csv")));
    }
};

QTEST_GUILESS_MAIN(TestAttachRender)
#include "tst_attachrender.moc"
