// The code check's words from hand-made records: the report as JSON and as
// text against golden files, the verdict line against a table, and the
// settings' keys read back or refused.
#include "codecheck.h"
#include "datatable.h"

#include <QTest>

using namespace deckmodel;

namespace {
CodeCheck check(const QString &rule, Verdict result, std::vector<QString> members, std::optional<double> value,
                std::optional<double> limit, const QString &cell, const QString &sentence)
{
    return {rule, std::move(members), value, limit, cell, result, sentence};
}

// Douglas fir under snow: a failing cantilever, a passing beam, a post past
// the tables, a footing size to build to; and a framing that would pass.
std::pair<CodeReport, Suggestion> failingDeck()
{
    CodeReport report;
    report.settings = {Species::DouglasFirLarch, 50, 2000, FootingShape::Square};
    report.checks = {
        check("R507.6 joist cantilever", Verdict::Fail, {"Joist 1", "Joist 2"}, 30, 16.5,
              "Table R507.6, 50 psf, Douglas fir-larch 2x8, back span 6 ft: 1-4 1/2",
              "Joist 1 cantilevers 2' 6\" past its beam where 1' 4 1/2\" is allowed; a 2x10 would do."),
        check("R507.5 beam span", Verdict::Pass, {"Beam 1", "Beam 2"}, 72, 90.75,
              "Table R507.5(2), Douglas fir-larch 2-2x10, effective joist span 8 ft: 7-6 3/4",
              "Every beam spans less than the table allows."),
        check("R507.4 post height", Verdict::Outside, {"Post 3"}, 170, std::nullopt, "",
              "Post 3 stands 14' 2\" tall, past the tallest post of the table."),
        check("R507.3.1 footing size", Verdict::Information, {}, std::nullopt, std::nullopt,
              "Table R507.3.1, 2,000 psf: 16 in", "Footings at least 16 in square and 12 in deep."),
    };
    const DeckParameters p{.overhangX = 1, .overhangZ = 1.5, .postSpacing = 6, .postSize = 6, .beamSpacing = 8.5,
                           .beamHeight = 11.25, .beamPly = 1.5, .beamPlies = 3, .joistHeight = 9.25, .joistWidth = 1.5,
                           .joistSpacing = 16};
    Suggestion suggestion{p, {}, {"Joists 2x10 at 16\" on centre instead of 2x8 at 16\"", "Beams 3-2x12 instead of 2-2x10"},
                          312.45, 290, 6};
    return {report, suggestion};
}

// The default settings, one passing rule, and no framing to suggest.
std::pair<CodeReport, Suggestion> passingDeck()
{
    CodeReport report;
    report.checks = {check("R507.7 decking span", Verdict::Pass, {"Joist 1", "Joist 2", "Joist 3"}, 16, 16,
                           "Table R507.7, 5/4 wood decking, perpendicular: 16 in", "The joists are close enough.")};
    Suggestion suggestion;
    suggestion.why = "The deck already passes.";
    return {report, suggestion};
}
} // namespace

class TestCodeReport : public QObject {
    Q_OBJECT
private slots:
    void files_data()
    {
        QTest::addColumn<bool>("failing");
        QTest::addColumn<QString>("golden");
        QTest::newRow("failing deck, JSON") << true << "codecheck-failing.json";
        QTest::newRow("failing deck, text") << true << "codecheck-failing.txt";
        QTest::newRow("passing deck, JSON") << false << "codecheck-passing.json";
        QTest::newRow("passing deck, text") << false << "codecheck-passing.txt";
    }
    void files()
    {
        QFETCH(bool, failing);
        QFETCH(QString, golden);
        const auto [report, suggestion] = failing ? failingDeck() : passingDeck();
        const QByteArray bytes = golden.endsWith(u".json") ? codeCheckJson(report, suggestion)
                                                          : codeCheckText(report, suggestion);
        QCOMPARE(byteLines(bytes), byteLines(dataBytes(JM_TESTDATA "/" + golden)));
    }

    void verdictLines_data()
    {
        QTest::addColumn<QStringList>("results");
        QTest::addColumn<QString>("line");
        const QList<QStringList> rows = dataTable(JM_TESTDATA "/verdict-lines.txt", QStringLiteral(" | "));
        QCOMPARE(rows.size(), 9);
        for (const QStringList &f : rows)
            QTest::newRow(qPrintable(f[0])) << f[1].split(u' ', Qt::SkipEmptyParts) << f[2];
    }
    void verdictLines()
    {
        QFETCH(QStringList, results);
        CodeReport report;
        const std::pair<const char *, Verdict> keys[] = {
            {"pass", Verdict::Pass}, {"fail", Verdict::Fail}, {"outside", Verdict::Outside},
            {"information", Verdict::Information}};
        for (const QString &result : results)
            for (const auto &[key, verdict] : keys)
                if (result == QLatin1String(key))
                    report.checks.push_back({.result = verdict});
        QCOMPARE(report.checks.size(), size_t(results.size()));
        QTEST(verdictLine(report), "line");
    }

    // Each key read back to itself and its words; anything else refused.
    void keys_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("read");
        for (const QStringList &f : dataTable(JM_TESTDATA "/setting-keys.txt"))
            QTest::newRow(qPrintable(f[0] + u' ' + f[1])) << f[0] << f[1] << f[2];
    }
    void keys()
    {
        QFETCH(QString, kind);
        QFETCH(QString, key);
        QString read = QStringLiteral("refused");
        if (kind == u"species") {
            if (const std::optional<Species> species = speciesNamed(key))
                read = speciesKey(*species) + u'=' + speciesWords(*species);
        } else if (kind == u"footing") {
            if (const std::optional<FootingShape> shape = footingNamed(key))
                read = footingKey(*shape);
        } else if (kind == u"snow" ? isSnowLoad(key.toInt()) : isSoilBearing(key.toInt())) {
            CodeSettings settings;
            settings.snowLoadPsf = kind == u"snow" ? key.toInt() : 0;
            read = kind == u"snow" ? designLoadWords(settings) : QStringLiteral("accepted");
        }
        QTEST(read, "read");
    }
};

QTEST_GUILESS_MAIN(TestCodeReport)
#include "tst_codereport.moc"
