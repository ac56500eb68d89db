// The model checks and the framing's refusals, compared as records: every
// shape frames soundly at its smallest, a typical and its largest size (with
// its outline's area counted by hand), sizes that cannot be framed are
// refused with the record that says why, and a deck with a planted fault gets
// every finding that catches it and no other. What a person reads for each
// rule is checked once. The tables are data/shapes.txt, data/plans.txt,
// data/framing.txt, data/faults.txt and data/sentences.txt.
#include "deckcases.h"
#include "framing.h"
#include "plan.h"

#include <QTest>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>

using namespace deckmodel;

Q_DECLARE_METATYPE(deckmodel::DeckParameters)
Q_DECLARE_METATYPE(jm::Result<deckmodel::Polygon>)

namespace {

// The rules by the names the tables give them.
const std::vector<std::pair<QString, Rule>> Rules = {
    {"TooLow", Rule::TooLow},
    {"TooManyMembers", Rule::TooManyMembers},
    {"BeamLinesCrowded", Rule::BeamLinesCrowded},
    {"BeamLinesUnderPosts", Rule::BeamLinesUnderPosts},
    {"PostsCrowded", Rule::PostsCrowded},
    {"JoistsCrowded", Rule::JoistsCrowded},
    {"MemberTooThin", Rule::MemberTooThin},
    {"StairTooNarrow", Rule::StairTooNarrow},
    {"StairOffDeck", Rule::StairOffDeck},
    {"StairDoesNotFit", Rule::StairDoesNotFit},
    {"StairBlocked", Rule::StairBlocked},
    {"MembersOverlap", Rule::MembersOverlap},
    {"JoistUnsupported", Rule::JoistUnsupported},
    {"PostUnderNoBeam", Rule::PostUnderNoBeam},
    {"OutsideOutline", Rule::OutsideOutline},
    {"InsideOutline", Rule::InsideOutline},
    {"DeckingUncovered", Rule::DeckingUncovered},
};

// A field's parts, none for "-".
QStringList parts(const QString &field, const QString &separator)
{
    return field == u"-" ? QStringList() : field.split(separator);
}

// A record as the tables write it: rule | members | lines | values.
Finding findingOf(const QStringList &f)
{
    const auto rule = std::find_if(Rules.begin(), Rules.end(), [&](const auto &r) { return r.first == f.value(0); });
    if (rule == Rules.end())
        qFatal("no rule \"%s\"", qPrintable(f.value(0)));
    Finding finding{rule->second};
    for (const QString &member : parts(f.value(1), QStringLiteral(", ")))
        finding.members.push_back(member);
    for (const QString &line : parts(f.value(2), QStringLiteral(" ")))
        finding.lines.push_back(line.toInt());
    for (const QString &value : parts(f.value(3), QStringLiteral(" ")))
        finding.values.push_back(value.toDouble());
    return finding;
}

// Records as comparable lines, the values to a thousandth.
QStringList texts(const std::vector<Finding> &findings)
{
    QStringList texts;
    for (const Finding &f : findings) {
        const auto rule = std::find_if(Rules.begin(), Rules.end(), [&](const auto &r) { return r.second == f.rule; });
        QStringList lines, values;
        for (int line : f.lines)
            lines << QString::number(line);
        for (double value : f.values)
            values << QString::number(std::round(value * 1000) / 1000, 'g', 15);
        texts << QStringList{rule == Rules.end() ? QStringLiteral("?") : rule->first,
                             QStringList(f.members.begin(), f.members.end()).join(u", "), lines.join(u' '), values.join(u' ')}
                     .join(u" | ");
    }
    return texts;
}

// What a build came to: "sound", the refusal's records, or the failure's
// sentence where no record says why (an outline that cannot be drawn). The
// failure of a refusal is its sentence.
QStringList outcomeOf(const DeckParameters &parameters)
{
    std::vector<Finding> findings;
    const jm::Result<Deck> built = buildDeck(parameters, &findings);
    if (built)
        return findings.empty() ? QStringList{"sound"} : texts(findings);
    QStringList got = findings.empty() ? QStringList{built.error()} : texts(findings);
    if (findings.size() == 1 && built.error() != sentence(findings.front()))
        got << "failure: " + built.error();
    for (const Finding &f : findings)
        if (f.file != parameters.fileName)
            got << "file: " + f.file;
    return got;
}

// A table's outcome: "sound", a record, or a sentence.
QStringList expectedOutcome(const QStringList &fields)
{
    return fields.size() == 4 ? texts({findingOf(fields)}) : fields;
}

Member *find(Deck &deck, const QString &name)
{
    auto it = std::find_if(deck.members.begin(), deck.members.end(), [&](const Member &m) { return m.name == name; });
    if (it == deck.members.end())
        qFatal("no member %s", qPrintable(name));
    return &*it;
}

void shift(Member *m, double x, double z)
{
    for (Point &p : m->plan)
        p.x += x, p.z += z;
}

void removeWhere(Deck &deck, const std::function<bool(const Member &)> &test)
{
    deck.members.erase(std::remove_if(deck.members.begin(), deck.members.end(), test), deck.members.end());
}

// The faults of data/faults.txt, planted in the worked example's deck.
const std::map<QString, std::function<void(Deck &)>> Faults = {
    {"post moved off its beam", [](Deck &d) { shift(find(d, "Post 1"), 0, 20); }},
    {"post an inch short", [](Deck &d) { find(d, "Post 2")->thickness -= 1; }},
    {"board pushed onto its neighbour", [](Deck &d) { shift(find(d, "Decking board 2"), 0, -0.5); }},
    {"board left out", [](Deck &d) { removeWhere(d, [](const Member &m) { return m.name == u"Decking board 5"; }); }},
    {"joist past the edge", [](Deck &d) { shift(find(d, "Joist 11"), 20, 0); }},
    {"guard post pushed into the deck", [](Deck &d) { shift(find(d, "Guard post 1"), -2, 0); }},
    {"no beams", [](Deck &d) { removeWhere(d, [](const Member &m) { return m.kind == Kind::BeamPly; }); }},
    {"one beam, no rims",
     [](Deck &d) {
         removeWhere(d, [](const Member &m) {
             return m.kind == Kind::RimJoist || m.name.startsWith(u"Beam 1 ") || m.name.startsWith(u"Beam 3 ");
         });
     }},
    {"boards slid onto each other, and a post off its beam",
     [](Deck &d) {
         for (int n = 2; n <= 34; ++n)
             shift(find(d, QStringLiteral("Decking board %1").arg(n)), 0, -0.5 * (n - 1));
         shift(find(d, "Post 1"), 0, 20);
     }},
};

// The worked example's deck file with "line=value" changes made.
QByteArray workedExampleWith(const QString &changes)
{
    QMap<int, QByteArray> lines;
    for (const QString &change : parts(changes, QStringLiteral(" ")))
        lines[change.section(u'=', 0, 0).toInt()] = change.section(u'=', 1).toLatin1() + "      ' changed";
    return withLines(workedExampleFile(), lines);
}

} // namespace

class TestModelChecks : public QObject {
    Q_OBJECT
private slots:
    // What the beams rest on as the deck comes down: posts from the ground to
    // the beams, or where the beams' undersides stand under 8 inches, deck
    // blocks 11 inches square where the posts would stand, at least 8 inches
    // tall, their tops under the beams (data/blocks.txt, counted by hand).
    void supportsUnderTheBeams_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("supports");
        const QList<QStringList> rows = tableRows("blocks.txt");
        QCOMPARE(rows.size(), 5);
        for (const QStringList &r : rows)
            QTest::newRow(qPrintable(r[0])) << workedExampleWith(r.value(1)) << r.value(2).split(QStringLiteral("; "));
    }
    void supportsUnderTheBeams()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, supports);
        const auto read = deckfile::readDeckFile(file, QStringLiteral("Deck_Rectangle.txt"));
        QVERIFY2(read, qPrintable(read.error()));
        const Deck built = framed(*read);
        QStringList found;
        for (const Member &m : built.members) {
            if (!carriesBeam(m.kind))
                continue;
            const Box b = bounds(m.plan);
            found << QStringLiteral("%1 at %2 %3, %4 square, from %5 to %6")
                         .arg(m.name)
                         .arg((b.x0 + b.x1) / 2)
                         .arg((b.z0 + b.z1) / 2)
                         .arg(b.x1 - b.x0)
                         .arg(m.base)
                         .arg(m.top());
        }
        QCOMPARE(found.join(QStringLiteral("; ")), supports.join(QStringLiteral("; ")));
        QCOMPARE(kindName(Kind::Block), QStringLiteral("Deck blocks"));
    }

    void everyShape_data()
    {
        QTest::addColumn<DeckParameters>("deck");
        QTest::addColumn<QStringList>("outcome"); // square feet, or the refusal
        const QList<QStringList> rows = tableRows("shapes.txt");
        QCOMPARE(rows.size(), 33);
        for (const QStringList &r : rows) {
            const QStringList size = r.value(1).split(u' ');
            QTest::newRow(qPrintable(r[0])) << deckOf(size.value(0).toInt(), size.value(1).toDouble(), size.value(2).toDouble(),
                                                      size.value(3).toDouble(), r.value(2), r.value(3), r.value(4).toDouble(), r.value(5))
                                            << r.mid(6);
        }
    }
    void everyShape()
    {
        QFETCH(DeckParameters, deck);
        QFETCH(QStringList, outcome);
        bool isArea = false;
        const double squareFeet = outcome.value(0).toDouble(&isArea);
        if (!isArea) {
            QCOMPARE(outcomeOf(deck), expectedOutcome(outcome));
            return;
        }
        const Deck built = framed(deck);
        QVERIFY2(std::abs(area(built.outline) / 144 - squareFeet) < 1e-6,
                 qPrintable(QString::number(area(built.outline) / 144, 'f', 6)));
    }

    void plans_data()
    {
        QTest::addColumn<jm::Result<Polygon>>("plan");
        QTest::addColumn<QString>("corners");
        const QList<QStringList> rows = tableRows("plans.txt");
        QCOMPARE(rows.size(), 8);
        for (const QStringList &r : rows) {
            const QStringList p = r.value(1).split(u' ');
            QTest::newRow(qPrintable(r[0])) << (p.value(0) == u"shape" ? shapePlan(p.value(1).toInt(), p.value(2).toDouble(), p.value(3).toDouble())
                                                                     : stylePlan(p.value(1).toInt(), p.value(2).toDouble()))
                                            << r.value(2);
        }
    }
    void plans()
    {
        QFETCH(jm::Result<Polygon>, plan);
        QFETCH(QString, corners);
        QVERIFY2(plan && signedArea(*plan) > 0, qPrintable(plan.error()));
        QStringList got, expected = corners.split(u' ');
        for (const Point &p : *plan)
            got << QStringLiteral("%1,%2").arg(std::round(p.x * 1000) / 1000).arg(std::round(p.z * 1000) / 1000);
        got.sort();
        expected.sort();
        QCOMPARE(got, expected);
    }

    void crowdedSizes_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("outcome");
        const QList<QStringList> rows = tableRows("framing.txt");
        QCOMPARE(rows.size(), 14);
        for (const QStringList &r : rows)
            QTest::newRow(qPrintable(r[0])) << workedExampleWith(r.value(1)) << r.mid(2);
    }
    void crowdedSizes()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, outcome);
        const auto read = deckfile::readDeckFile(file, QStringLiteral("Deck_Rectangle.txt"));
        QVERIFY2(read, qPrintable(read.error()));
        QCOMPARE(read->fileName, QStringLiteral("Deck_Rectangle.txt"));
        QCOMPARE(outcomeOf(*read), expectedOutcome(outcome));
    }

    void plantedFaults_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QStringList>("findings");
        QList<QPair<QString, QStringList>> faults;
        for (const QStringList &r : tableRows("faults.txt")) {
            if (faults.isEmpty() || faults.last().first != r[0])
                faults.append({r[0], {}});
            faults.last().second << texts({findingOf(r.mid(1))});
        }
        QCOMPARE(faults.size(), qsizetype(Faults.size()));
        for (const auto &[fault, findings] : faults)
            QTest::newRow(qPrintable(fault)) << fault << findings;
    }
    void plantedFaults()
    {
        QFETCH(QString, fault);
        QFETCH(QStringList, findings);
        jm::Result<Deck> built = frameDeck(workedExample());
        QVERIFY(built);
        QCOMPARE(texts(checkDeck(*built)), QStringList());
        QVERIFY2(Faults.count(fault), qPrintable(fault));
        Faults.at(fault)(*built);
        QCOMPARE(texts(checkDeck(*built)), findings);
    }

    // One record of every rule and its sentence.
    void sentences_data()
    {
        QTest::addColumn<QStringList>("row");
        const QList<QStringList> rows = tableRows("sentences.txt");
        QSet<QString> rules;
        for (const QStringList &r : rows)
            rules << r[0];
        QCOMPARE(rows.size(), qsizetype(Rules.size()) + 4); // the stair's misfit both ways, a deck too low three ways, too many members by the stair
        QCOMPARE(rules.size(), qsizetype(Rules.size()));
        for (const QStringList &r : rows)
            QTest::newRow(qPrintable(r[0] + " " + r[4])) << r;
    }
    void sentences()
    {
        QFETCH(QStringList, row);
        Finding finding = findingOf({row.value(0), row.value(2), row.value(3), row.value(4)});
        finding.file = row.value(1) == u"-" ? QString() : row.value(1);
        QCOMPARE(sentence(finding), row.value(5));
    }
    void severalFindings()
    {
        const std::vector<Finding> two{{Rule::PostUnderNoBeam, {}, {"Post 1"}}, {Rule::JoistUnsupported, {}, {"Joist 5"}, {}, {1, 0}}};
        QCOMPARE(checksFailed(two),
                 "The deck fails its checks: Post 1 stands under no beam. Joist 5 rests on 1 beam lines and 0 rim joists.");
    }
};

QTEST_GUILESS_MAIN(TestModelChecks)
#include "tst_modelchecks.moc"
