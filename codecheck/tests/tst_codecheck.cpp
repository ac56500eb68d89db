// The code check against hand-worked rows: for each rule a passing, a
// boundary and a failing deck (data/codecheck.txt, the table cells quoted
// there), the worked example's sentences word for word
// (data/codecheck-sentences.txt), and the suggested framing: it passes every
// rule, with less lumber than the wizard's, and a deck too deep for two beam
// lines gets none and says why.
#include "codecheck.h"
#include "deckcases.h"

#include "testclasses.h"

#include <QTest>

#include <cmath>

using namespace deckmodel;

namespace {

// "73/24" or "3.5".
double numberOf(const QString &text)
{
    const QStringList parts = text.split(u'/');
    return parts.size() == 2 ? parts[0].toDouble() / parts[1].toDouble() : text.toDouble();
}

DeckParameters changed(DeckParameters p, const QString &changes)
{
    if (changes == u"-")
        return p;
    for (const QString &change : changes.split(u' ')) {
        const QString name = change.section(u'=', 0, 0);
        const double value = numberOf(change.section(u'=', 1));
        double *field = name == u"depthA" ? &p.depthA : name == u"widthB" ? &p.widthB : name == u"height" ? &p.height
            : name == u"overhangX" ? &p.overhangX : name == u"overhangZ" ? &p.overhangZ
            : name == u"postSpacing" ? &p.postSpacing : name == u"beamSpacing" ? &p.beamSpacing
            : name == u"joistSpacing" ? &p.joistSpacing : name == u"joistHeight" ? &p.joistHeight
            : name == u"deckingThickness" ? &p.deckingThickness : name == u"postSize" ? &p.postSize
            : name == u"beamHeight" ? &p.beamHeight : nullptr;
        if (!field)
            qFatal("no field \"%s\"", qPrintable(name));
        *field = value;
    }
    return p;
}

CodeSettings settingsOf(const QString &field)
{
    if (field == u"-")
        return {};
    const QStringList f = field.split(u' ');
    const Species species = f[0] == u"dfl" ? Species::DouglasFirLarch : f[0] == u"redwood" ? Species::Redwood
                                                                                          : Species::SouthernPine;
    return {species, f[1].toInt(), f[2].toInt(), f[3] == u"square" ? FootingShape::Square : FootingShape::Round};
}

const CodeCheck &ruleOf(const CodeReport &report, const QString &rule)
{
    for (const CodeCheck &check : report.checks)
        if (check.rule == rule)
            return check;
    qFatal("no rule \"%s\"", qPrintable(rule));
}

QString resultWord(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Pass: return QStringLiteral("pass");
    case Verdict::Fail: return QStringLiteral("fail");
    case Verdict::Outside: return QStringLiteral("outside");
    case Verdict::Information: return QStringLiteral("information");
    }
    return {};
}

QString inches(const std::optional<double> &value)
{
    return value ? QString::number(std::round(*value * 1e4) / 1e4) : QStringLiteral("-");
}

} // namespace

class TestCodeCheck : public QObject {
    Q_OBJECT
private slots:
    void rules();
    void workedExampleSentences();
    void deckOnBlocks();
    void failureSentences();
    void adviceTaken();
    void cutShapeSuggestion();
    void suggestion();
    void everyShape();
    void passingDeckFile();
    void outcome();
};

void TestCodeCheck::rules()
{
    const QList<QStringList> rows = tableRows("codecheck.txt");
    QCOMPARE(rows.size(), 37);
    for (const QStringList &r : rows) {
        const jm::Result<Deck> deck = frameDeck(changed(workedExample(), r[1]));
        QVERIFY2(deck, qPrintable(r[0] + ": " + deck.error()));
        const CodeReport report = checkCode(*deck, settingsOf(r[2]));
        const CodeCheck &check = ruleOf(report, r[3]);
        const QString got = QStringList{resultWord(check.result), inches(check.valueInches), inches(check.limitInches),
                                        check.members.empty() ? QStringLiteral("-") : check.members.front()}
                                .join(QStringLiteral(" | "));
        QCOMPARE(r[0] + ": " + got, r[0] + ": " + r.mid(4).join(QStringLiteral(" | ")));
    }
}

// The worked example at 1 foot on 2x6 beams rests on 6 deck blocks: no post
// to judge by Table R507.4, the footings sized under the blocks as they were
// under the posts, the beams spanning between the blocks as between posts.
void TestCodeCheck::deckOnBlocks()
{
    DeckParameters p = workedExample();
    p.height = 1, p.beamHeight = 5.5;
    const CodeReport report = checkCode(*frameDeck(p), {});
    const CodeCheck &posts = ruleOf(report, QStringLiteral("R507.4 post height"));
    QCOMPARE(resultWord(posts.result), QStringLiteral("information"));
    QCOMPARE(posts.sentence, QStringLiteral("The deck is too low for posts: its beams rest on 6 deck blocks, so Table "
                                            "R507.4 has no post to check."));
    QCOMPARE(QStringList(posts.members.begin(), posts.members.end()),
             QStringLiteral("Deck block 1,Deck block 2,Deck block 3,Deck block 4,Deck block 5,Deck block 6").split(u','));
    const CodeCheck &footings = ruleOf(report, QStringLiteral("R507.3.1 footing size"));
    QCOMPARE(footings.sentence.left(footings.sentence.indexOf(u'(')),
             QStringLiteral("Round footings at least 15\" across and 6\" thick under the most loaded deck block "));
    QCOMPARE(footings.members.size(), size_t(6));
    QVERIFY(footings.members.front().startsWith(u"Deck block"));
}

void TestCodeCheck::workedExampleSentences()
{
    const QList<QStringList> rows = tableRows("codecheck-sentences.txt");
    const CodeReport report = checkCode(*frameDeck(workedExample()), {});
    // The framing's rules, then the guard and stair rows, and the advice on
    // the 2x6 rims the guard posts are bolted to.
    QCOMPARE(int(report.checks.size()), rows.size() + 8);
    QStringList guardRules;
    for (size_t i = rows.size(); i < report.checks.size(); ++i)
        guardRules << report.checks[i].rule + ": " + resultWord(report.checks[i].result);
    QCOMPARE(guardRules, QStringList({"R312.1.2 guard height: pass", "R312.1.3 guard openings: pass",
                                      "R311.7.5.1 riser height: pass", "R311.7.5.1 open risers: pass",
                                      "R311.7.5.2 tread depth: pass",
                                      "R311.7.2 stair width: pass", "R311.7.8 handrail height: pass",
                                      "Guard posts on the rim joists: information"}));
    QCOMPARE(report.checks.back().sentence, "The guard posts are bolted to rim joists 5 1/2\" deep; the AWC deck guide "
                                            "advises rims of 2x8 or deeper where guards attach.");
    for (int i = 0; i < rows.size(); ++i) {
        QCOMPARE(report.checks[i].rule, rows[i][0]);
        QCOMPARE(report.checks[i].sentence, rows[i][1]);
        QCOMPARE(report.checks[i].cell, rows[i][2]);
    }
    QCOMPARE(QStringList(ruleOf(report, QStringLiteral("R507.6 joist cantilever")).members.begin(),
                         ruleOf(report, QStringLiteral("R507.6 joist cantilever")).members.end()),
             QStringLiteral("Joist 1,Joist 2,Joist 3,Joist 4,Joist 5,Joist 6,Joist 7,Joist 8,Joist 9,Joist 10,Joist 11")
                 .split(u','));
    QCOMPARE(report.failed(), 1);
    QCOMPARE(report.outside(), 2);
    QCOMPARE(report.judged(), 14);
}

void TestCodeCheck::failureSentences()
{
    const QList<QStringList> rows = tableRows("codecheck-failures.txt");
    QCOMPARE(rows.size(), 21);
    for (const QStringList &r : rows) {
        const CodeReport report = checkCode(*frameDeck(changed(workedExample(), r[1])), settingsOf(r[2]));
        QCOMPARE(r[0] + ": " + ruleOf(report, r[3]).sentence, r[0] + ": " + r[4]);
    }
}

// Each failing rule's advice, applied as a person would read it, passes
// that rule (data/codecheck-advice.txt; the sentences in codecheck-failures.txt).
void TestCodeCheck::adviceTaken()
{
    const QList<QStringList> rows = tableRows("codecheck-advice.txt");
    QCOMPARE(rows.size(), 8);
    for (const QStringList &r : rows) {
        const CodeReport before = checkCode(*frameDeck(changed(workedExample(), r[1])), settingsOf(r[3]));
        QCOMPARE(r[0] + ": " + resultWord(ruleOf(before, r[4]).result), r[0] + ": fail");
        const jm::Result<Deck> taken = frameDeck(changed(workedExample(), r[2]));
        QVERIFY2(taken, qPrintable(r[0] + ": " + taken.error()));
        const CodeReport after = checkCode(*taken, settingsOf(r[3]));
        QCOMPARE(r[0] + ": " + resultWord(ruleOf(after, r[4]).result), r[0] + ": pass");
    }
}

// A cut shape (type 7) 12 x 20 ft, 3 ft high, 2x8 beams and joists, beam
// lines at most 10 ft apart: its cut (27" along each side) shortens the
// beam under it, so posts set in from the deck's extent stand a little too
// far in, and beam lines set in less than the cut leave the joists beside it
// on no beam. A framing passes every rule by hand: 2x8 joists at 16" span
// 8 ft (11-10 allowed) and cantilever 24" (2-0 at an 8 ft back span), 2-2x10
// beams set in 2 ft, posts 22" in from the beams' ends and 96.5" apart
// (cantilevers 23.5" and 22", a quarter of 96.5" is 24.1"). So the search
// finds one, and it passes.
void TestCodeCheck::cutShapeSuggestion()
{
    DeckParameters p = deckOf(7, 12, 20, 3, QStringLiteral("2 X 8"), QStringLiteral("2 X 8"), 4, QStringLiteral("5/4x6"));
    p.beamSpacing = 10;
    DeckParameters hand = p;
    hand.joistSpacing = 16, hand.beamHeight = 9.25, hand.overhangZ = 2, hand.postSpacing = 96.5 / 12 + 1e-6;
    hand.overhangX = 22.0 / 12;
    const jm::Result<Deck> byHandFramed = frameDeck(hand);
    QVERIFY2(byHandFramed, qPrintable(byHandFramed.error()));
    const CodeReport byHand = checkCode(*byHandFramed, {});
    QCOMPARE(std::make_tuple(byHand.failed(), byHand.outside()), std::make_tuple(0, 0));

    const Deck deck = *frameDeck(p);
    const Suggestion s = suggestFraming(deck, {});
    QVERIFY2(s.parameters, qPrintable(s.why));
    const Deck suggested = framed(*s.parameters);
    const CodeReport report = checkCode(suggested, {});
    QCOMPARE(std::make_tuple(report.failed(), report.outside()), std::make_tuple(0, 0));
    QCOMPARE(s.parameters->deckType, 7);

    // The slice (type 8) at 7.75 ft: its stair's handrail passes, so a
    // framing is found for it too.
    const Deck slice = *frameDeck(deckOf(8, 16, 12, 7.75, QStringLiteral("2 X 8"), QStringLiteral("2 X 6"), 4,
                                         QStringLiteral("5/4x6")));
    const Suggestion forSlice = suggestFraming(slice, {});
    QVERIFY2(forSlice.parameters, qPrintable(forSlice.why));
}

void TestCodeCheck::suggestion()
{
    // The worked example fails; the suggestion is a framing that passes every
    // rule the tables judge, with less lumber, and keeps the outline, the
    // height and the decking.
    const Deck designed = *frameDeck(workedExample());
    const Suggestion s = suggestFraming(designed, {});
    QVERIFY(s.parameters);
    const Deck suggested = framed(*s.parameters);
    const CodeReport report = checkCode(suggested, {});
    QCOMPARE(report.failed(), 0);
    QCOMPARE(report.outside(), 0);
    QCOMPARE(int(suggested.beamLines.size()), 2);
    QVERIFY(s.boardFeet < s.boardFeetAsDesigned);
    QCOMPARE(std::make_tuple(s.parameters->depthA, s.parameters->widthB, s.parameters->height,
                             s.parameters->deckingThickness, s.parameters->deckingWidth),
             std::make_tuple(16.0, 12.0, 3.0, 1.0, 5.5));
    QVERIFY(!s.changes.empty());

    // The worked example's board feet by hand, nominal inches times inches
    // over 144: 6 posts 4x4 of 22.25" (14.83), 6 plies 2x8 of 144" (96),
    // 11 joists 2x6 of 189" (173.25), rims 2x6 of 144" twice and 192" twice (56).
    QCOMPARE(std::round(s.boardFeetAsDesigned * 100) / 100, 340.08);

    // Two beam lines cannot carry a 99 ft deep deck within the tables.
    const Deck deep = *frameDeck(changed(workedExample(), QStringLiteral("depthA=99 widthB=99 height=6")));
    const Suggestion none = suggestFraming(deep, {});
    QVERIFY(!none.parameters);
    QCOMPARE(none.why, QStringLiteral("No framing within the deck tables fits: joists spanning the deck's 99' 0\" between "
                                      "two beam lines, the only layout in which no beam carries joists from both sides, "
                                      "pass Table R507.6 at no size and spacing. Have the deck designed by a professional."));
}

// Every shape 20 x 14 ft, 4 ft high, 2x8 joists at 12", 2-2x10 beams, 6x6
// posts, 2-inch decking: beam lines at Z 30, 90, 150, 210, so joists span
// 60" (2x8 allows 13-1) and cantilever 30" where 12 + 6 x 1/2 = 15" is
// allowed; the inner lines carry joists both ways and C/J = 1/2 is past the
// factor table; 48 - 1.5 - 7.25 - 9.25 = 30" posts. With two beam lines an
// L's short leg would hang its joists on a rim: no suggestion for types 3 to 6.
// The guards and the 7-riser stair (48 / 7 = 6 6/7" risers) pass their seven rows, riser boards closing the stair's 48" rise.
void TestCodeCheck::everyShape()
{
    for (int type = 1; type <= 9; ++type) {
        const Deck deck = *frameDeck(deckOf(type, 20, 14, 4, QStringLiteral("2 X 10"), QStringLiteral("2 X 8"), 6,
                                            QStringLiteral("2x6")));
        const CodeReport report = checkCode(deck, {});
        QStringList results;
        for (const CodeCheck &check : report.checks)
            results << resultWord(check.result);
        QCOMPARE(QString::number(type) + ": " + results.join(u' '),
                 QString::number(type) + ": pass fail outside outside pass pass information pass information "
                                                 "pass pass pass pass pass pass pass");
        const Suggestion suggestion = suggestFraming(deck, {});
        QCOMPARE(QString::number(type) + (suggestion.parameters ? " found" : " none"),
                 QString::number(type) + (type >= 3 && type <= 6 ? " none" : " found"));
        if (suggestion.parameters) {
            const CodeReport suggested = checkCode(*buildDeck(*suggestion.parameters), {});
            QCOMPARE(suggested.failed() + suggested.outside(), 0);
        }
    }
}

// A deck file framed to pass, worked by hand: the worked example with 2x8
// joists at 16" (span 11-10), two beam lines 26" in (a 140" back span; the
// cantilever allowed there is 30 - 3 x 1.67 / 2 = 27 1/2"; C/J = 0.19, factor
// 1.00), 2-2x8 beams under an 11' 8" effective span (81 - 7 x 0.83 = 75"),
// posts 60" apart and 12" in from the beam ends (a quarter span is 15").
void TestCodeCheck::passingDeckFile()
{
    const auto read = deckfile::readDeckFile(dataBytes(JM_TESTDATA "/Deck_Rectangle-passing.txt"),
                                             QStringLiteral("Deck_Rectangle.txt"));
    QVERIFY2(read, qPrintable(read.error()));
    const Deck deck = framed(*read);
    const CodeReport report = checkCode(deck, {});
    QStringList results;
    for (const CodeCheck &check : report.checks)
        results << resultWord(check.result);
    QCOMPARE(results.join(u' '), "pass pass pass pass pass pass information pass information pass pass pass pass pass pass pass");
    QCOMPARE(verdictLine(report), "Passes all 14 checks of the 2021 IRC deck tables");
    QVERIFY(!suggestFraming(deck, {}).parameters);
}

// What the search asks of each framing it tries, rule by rule: the passing
// deck file passes; with its end posts 2 ft in (the beams' 144" less 48" in
// two spans of 48", a quarter of which is 12") it fails the beam cantilever,
// a rule of the posts; the worked example fails its joists' 30" cantilever,
// and every shape 20 x 14 ft its joists' cantilever, which the posts have no
// part in.
void TestCodeCheck::outcome()
{
    const auto read = deckfile::readDeckFile(dataBytes(JM_TESTDATA "/Deck_Rectangle-passing.txt"),
                                             QStringLiteral("Deck_Rectangle.txt"));
    QVERIFY2(read, qPrintable(read.error()));
    DeckParameters postsIn = *read;
    postsIn.overhangX = 2;
    const struct {
        const char *name;
        DeckParameters parameters;
        const char *outcome;
    } rows[] = {
        {"passing deck file", *read, "passes"},
        {"end posts 2 ft in", postsIn, "fails"},
        {"worked example", workedExample(), "fails on joists"},
        {"L 20 x 14", deckOf(3, 20, 14, 4, QStringLiteral("2 X 10"), QStringLiteral("2 X 8"), 6, QStringLiteral("2x6")),
         "fails on joists"},
    };
    for (const auto &row : rows) {
        const Deck deck = framed(row.parameters);
        const CodeOutcome outcome = codeOutcome(deck, {});
        const char *word = outcome == CodeOutcome::Passes ? "passes"
                           : outcome == CodeOutcome::FailsOnJoists ? "fails on joists" : "fails";
        QCOMPARE(QStringLiteral("%1: %2").arg(QLatin1String(row.name), QLatin1String(word)),
                 QStringLiteral("%1: %2").arg(QLatin1String(row.name), QLatin1String(row.outcome)));
    }
}

JM_TEST_CLASS(TestCodeCheck)
JM_TEST_MAIN(QCoreApplication)
#include "tst_codecheck.moc"
