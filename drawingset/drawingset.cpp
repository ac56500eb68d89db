#include "drawingset.h"

#include "catalogue.h"
#include "framing.h"
#include "lengthtext.h"
#include "sheetclear.h"
#include "sheetdeck.h"

#include <QFileInfo>

#include <algorithm>
#include <optional>
#include <vector>

#ifndef JOISTMASTER_VERSION
#define JOISTMASTER_VERSION "1.0"
#endif

namespace deckview {

QStringList sheetKeys()
{
    return {QStringLiteral("plan"), QStringLiteral("site"), QStringLiteral("framing"), QStringLiteral("footing"),
            QStringLiteral("elevations"), QStringLiteral("section"), QStringLiteral("details"), QStringLiteral("ledger"),
            QStringLiteral("check"),
            QStringLiteral("schedule")};
}

namespace {

// Each sheet's paper, number and title block.
void finish(std::vector<Sheet> &sheets, const std::vector<std::pair<QString, std::optional<DrawingScale>>> &scales,
            const SetFacts &facts, Paper paper)
{
    for (size_t i = 0; i < sheets.size(); ++i) {
        sheets[i].paperMm = paperSizeMm(paper);
        addTitleBlock(sheets[i], facts, int(i) + 1, int(sheets.size()), scales[i].first, scales[i].second);
        settleTexts(sheets[i], drawingArea(sheets[i].paperMm));
    }
}

// The plans at the largest scale all three fit at; the footing schedule
// beside its plan where there is room, else on the schedule sheet.
std::vector<Sheet> plans(const DeckSheetsInput &in, const QRectF &area, DrawingScale *chosen, bool *footingsMoved)
{
    std::vector<Sheet> sheets;
    for (const DrawingScale &scale : planScales()) {
        *chosen = scale;
        sheets = {deckPlanSheet(in, scale), framingPlanSheet(in, scale), footingPlanSheet(in, scale, true)};
        *footingsMoved = false;
        if (!centreIn(sheets[2], area)) {
            sheets[2] = footingPlanSheet(in, scale, false);
            *footingsMoved = true;
        }
        bool fit = true;
        for (Sheet &sheet : sheets)
            fit = centreIn(sheet, area) && fit;
        if (fit)
            return sheets;
    }
    // Too large for the smallest: from the area's top left corner.
    for (Sheet &sheet : sheets)
        moveSheet(sheet, area.topLeft() - extentOf(sheet).topLeft());
    return sheets;
}

// The scale of a list its words name ("1/4\" = 1'-0\""), or none.
std::optional<DrawingScale> scaleNamed(const std::vector<DrawingScale> &scales, const QString &words)
{
    const auto named = std::find_if(scales.begin(), scales.end(), [&](const DrawingScale &s) { return s.words == words; });
    return named != scales.end() ? std::optional(*named) : std::nullopt;
}

QString feet(double value)
{
    return lengthtext::feetAndInchesFromInches(value * 12);
}

} // namespace

Paper paperFor(const deckmodel::Deck &deck, const deckmodel::CodeSettings &settings, const SetFacts &facts,
               Paper family)
{
    constexpr double EighthInchRatio = 96; // 1/8" = 1'-0"
    const DeckSheetsInput in = sheetsInput(deck, settings, facts);
    DrawingScale scale;
    bool moved = false;
    plans(in, drawingArea(paperSizeMm(family)), &scale, &moved);
    return scale.ratio <= EighthInchRatio ? family : largerPaper(family);
}

QString codeStatusLine(const deckmodel::CodeReport &report)
{
    const int judged = report.judged(), failed = report.failed(), outside = report.outside();
    if (failed > 0)
        return QStringLiteral("FAILS %1 of %2 rules: see the code check sheet").arg(failed).arg(judged);
    if (outside > 0)
        return QStringLiteral("OUTSIDE THE TABLES for %1 of %2 rules: see the code check sheet").arg(outside).arg(judged);
    return QStringLiteral("Checked against the 2021 IRC, R507, R311.7, R312: passes");
}

SetFacts setFactsOf(const deckmodel::Deck &deck)
{
    const deckmodel::DeckParameters &p = deck.parameters;
    const deckfile::Shape *shape = deckfile::shapeOf(p.deckType);
    const deckmodel::Box b = deckmodel::bounds(deckmodel::planPolygon(deck, deck.outline));
    SetFacts facts{QFileInfo(p.fileName).completeBaseName(),
                   shape ? QString::fromUtf8(shape->words) : QString(),
                   QStringLiteral("%1 x %2").arg(lengthtext::feetAndInchesFromInches(b.z1 - b.z0),
                                                 lengthtext::feetAndInchesFromInches(b.x1 - b.x0)),
                   feet(p.height) + QStringLiteral(" above grade"),
                   QDate::currentDate(),
                   QStringLiteral("Joistmaster " JOISTMASTER_VERSION)};
    // A deck hung on the house says so beside its shape.
    if (deck.ledger.present) {
        const deckmodel::Point out = deckmodel::planDirection(deck, deck.ledger.out);
        facts.shape += QStringLiteral(", attached to the house along the %1 edge")
                           .arg(out.x < -0.5  ? QStringLiteral("front")
                                : out.x > 0.5 ? QStringLiteral("back")
                                : out.z < 0   ? QStringLiteral("left")
                                              : QStringLiteral("right"));
    }
    // The shape's lettered sizes as the parameter file holds them (an L's B is its own, not the overall).
    facts.sizeLetters = QStringLiteral("A %1, B %2").arg(feet(p.depthA), feet(p.widthB));
    return facts;
}

std::vector<Sheet> deckSheets(const deckmodel::Deck &deck, const deckmodel::CodeSettings &settings,
                              const SetFacts &facts, Paper paper)
{
    SetFacts withStatus = facts;
    withStatus.codeStatus = codeStatusLine(deckmodel::checkCode(deck, settings));
    const DeckSheetsInput in = sheetsInput(deck, settings, withStatus);
    const QRectF area = drawingArea(paperSizeMm(paper));
    // A plan's name and scale are in its title block.
    DrawingScale scale;
    bool footingsMoved = false;
    std::vector<Sheet> sheets = plans(in, area, &scale, &footingsMoved);
    std::vector<std::pair<QString, std::optional<DrawingScale>>> scales(3, {scale.words, scale});
    sheets.insert(sheets.begin() + 1, sitePlanSheet(in, area));
    scales.insert(scales.begin() + 1, {QStringLiteral("as noted"), std::nullopt});

    QString words;
    sheets.push_back(elevationsSheet(in, area, scale, &words));
    scales.push_back({words, scaleNamed(planScales(), words)});
    sheets.push_back(sectionSheet(in, area, &words));
    scales.push_back({words, scaleNamed(detailScales(), words)});
    sheets.push_back(detailsSheet(in, area, &words));
    scales.push_back({QStringLiteral("as noted"), scaleNamed(detailScales(), words)});
    if (deck.ledger.present) {
        sheets.push_back(ledgerSheet(in, area, &words));
        scales.push_back({words, std::nullopt});
    }
    for (Sheet &sheet : codeCheckSheets(in, area)) {
        sheets.push_back(std::move(sheet));
        scales.push_back({QStringLiteral("none"), std::nullopt});
    }
    for (Sheet &sheet : scheduleSheets(in, area, paperSizeMm(paper), footingsMoved)) {
        sheets.push_back(std::move(sheet));
        scales.push_back({QStringLiteral("none"), std::nullopt});
    }
    finish(sheets, scales, withStatus, paper);
    return sheets;
}

std::vector<Sheet> styleSheets(const deckmodel::Polygon &outline, int style, double widthFeet, const SetFacts &facts,
                               Paper paper)
{
    const QRectF area = drawingArea(paperSizeMm(paper));
    std::vector<Sheet> sheets;
    DrawingScale chosen;
    for (const DrawingScale &scale : planScales()) {
        chosen = scale;
        sheets = {stylePlanSheet(outline, style, widthFeet, scale)};
        if (centreIn(sheets.front(), area))
            break;
    }
    finish(sheets, {{chosen.words, chosen}}, facts, paper);
    return sheets;
}

jm::Result<std::vector<Sheet>> selectSheets(const std::vector<Sheet> &sheets, const QString &which)
{
    if (which.compare(QLatin1String("all"), Qt::CaseInsensitive) == 0)
        return sheets;
    const QStringList asked = which.toLower().split(u',', Qt::SkipEmptyParts);
    for (const QString &key : asked)
        if (!sheetKeys().contains(key.trimmed()))
            return jm::failure(QStringLiteral("--sheets %1: write all, or one or more of %2 parted by commas.")
                                   .arg(which, sheetKeys().join(QStringLiteral(", "))));
    std::vector<Sheet> chosen;
    for (const Sheet &sheet : sheets)
        for (const QString &key : asked)
            if (sheet.key == key.trimmed()) {
                chosen.push_back(sheet);
                break;
            }
    if (chosen.empty())
        return jm::failure(QStringLiteral("--sheets %1: this deck has no such sheet; it has %2.")
                               .arg(which, [&] {
                                   QStringList keys;
                                   for (const Sheet &s : sheets)
                                       if (!keys.contains(s.key))
                                           keys << s.key;
                                   return keys.join(QStringLiteral(", "));
                               }()));
    return chosen;
}

QStringList sheetFileNames(const QString &path, const std::vector<Sheet> &sheets)
{
    const QFileInfo target(path);
    const QString stem = target.path() + u'/' + target.completeBaseName() + u'-';
    QStringList names;
    std::map<QString, int> seen;
    for (const Sheet &sheet : sheets) {
        const int n = ++seen[sheet.key];
        names << stem + sheet.key + (n > 1 ? QStringLiteral("-%1").arg(n) : QString()) + u'.' + target.suffix();
    }
    return names;
}

} // namespace deckview
