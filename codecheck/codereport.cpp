// The code check's words: the settings' keys and names, the verdict line, the
// assumptions, and the report as JSON for a program or as text for a person.
// Everything here reads the records; nothing judges a member.
#include "codecheck.h"

#include "catalogue.h"
#include "lengthtext.h"
#include "numbertext.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cmath>
#include <utility>

namespace deckmodel {

namespace {
struct SpeciesName {
    Species species;
    const char16_t *key;
    const char16_t *words;
};
constexpr SpeciesName SpeciesNames[] = {
    {Species::SouthernPine, u"southern-pine", u"Southern pine"},
    {Species::DouglasFirLarch, u"dfl", u"Douglas fir-larch, hem-fir, spruce-pine-fir"},
    {Species::Redwood, u"redwood", u"Redwood, western cedars, ponderosa pine, red pine"},
};

constexpr std::pair<FootingShape, const char16_t *> FootingNames[] = {
    {FootingShape::Round, u"round"}, {FootingShape::Square, u"square"}};

constexpr const char *Code = "2021 IRC deck tables";
} // namespace

QString speciesKey(Species species)
{
    for (const SpeciesName &name : SpeciesNames)
        if (name.species == species)
            return QString::fromUtf16(name.key);
    return {};
}

QString speciesWords(Species species)
{
    for (const SpeciesName &name : SpeciesNames)
        if (name.species == species)
            return QString::fromUtf16(name.words);
    return {};
}

std::optional<Species> speciesNamed(const QString &key)
{
    for (const SpeciesName &name : SpeciesNames)
        if (key == QStringView(name.key))
            return name.species;
    return std::nullopt;
}

QString footingKey(FootingShape shape)
{
    for (const auto &[s, key] : FootingNames)
        if (s == shape)
            return QString::fromUtf16(key);
    return {};
}

std::optional<FootingShape> footingNamed(const QString &key)
{
    for (const auto &[shape, k] : FootingNames)
        if (key == QStringView(k))
            return shape;
    return std::nullopt;
}

bool isSnowLoad(int psf) { return psf == 0 || psf == 50 || psf == 60 || psf == 70; }
bool isSoilBearing(int psf) { return psf == 1500 || psf == 2000 || psf == 3000; }

QString designLoadWords(const CodeSettings &settings)
{
    return settings.snowLoadPsf == 0 ? QStringLiteral("40 psf live load")
                                     : QStringLiteral("%1 psf ground snow load").arg(settings.snowLoadPsf);
}

QString verdictKey(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Pass: return QStringLiteral("pass");
    case Verdict::Fail: return QStringLiteral("fail");
    case Verdict::Outside: return QStringLiteral("outside");
    case Verdict::Information: return QStringLiteral("information");
    }
    return {};
}

int CodeReport::judged() const
{
    return int(std::count_if(checks.begin(), checks.end(),
                             [](const CodeCheck &c) { return c.result != Verdict::Information; }));
}

int CodeReport::failed() const
{
    return int(std::count_if(checks.begin(), checks.end(), [](const CodeCheck &c) { return c.result == Verdict::Fail; }));
}

int CodeReport::outside() const
{
    return int(std::count_if(checks.begin(), checks.end(),
                             [](const CodeCheck &c) { return c.result == Verdict::Outside; }));
}

QString verdictLine(const CodeReport &report)
{
    const int judged = report.judged(), failed = report.failed(), outside = report.outside();
    const QString checks = judged == 1 ? QStringLiteral("check") : QStringLiteral("checks");
    if (judged == 0)
        return QStringLiteral("No check of the %1 applies").arg(QLatin1String(Code));
    if (failed == 0 && outside == 0)
        return judged == 1 ? QStringLiteral("Passes the 1 check of the %1").arg(QLatin1String(Code))
                           : QStringLiteral("Passes all %1 checks of the %2").arg(judged).arg(QLatin1String(Code));
    QString line = failed > 0
        ? QStringLiteral("Fails %1 of %2 %3 of the %4").arg(failed).arg(judged).arg(checks, QLatin1String(Code))
        : QStringLiteral("Passes %1 of %2 %3 of the %4")
              .arg(judged - outside)
              .arg(judged)
              .arg(checks, QLatin1String(Code));
    if (outside > 0)
        line += QStringLiteral("; %1 outside the tables").arg(outside);
    return line;
}

namespace {
// "1,500 psf": the soil values are whole thousands and hundreds.
QString psfWords(int psf)
{
    const QString digits = QString::number(psf);
    return (psf >= 1000 ? digits.left(digits.size() - 3) + u',' + digits.right(3) : digits) + QStringLiteral(" psf");
}

QString settingsWords(const CodeSettings &settings)
{
    return QStringLiteral("%1; %2; %3 soil bearing; %4 footings")
        .arg(speciesWords(settings.species), designLoadWords(settings), psfWords(settings.soilBearingPsf),
             footingKey(settings.footing));
}
} // namespace

QString codeAssumptions(const CodeSettings &settings)
{
    return QStringLiteral(
               "Checked against the 2021 International Residential Code, sections R507.3.1 (footings), R507.4 "
               "(posts), R507.5 (beams), R507.6 (joists), R507.7 (decking) and R312.1.1 (guards), for %1 "
               "framing, a %2, %3 soil bearing and %4 footings. Assumed: No. 2 grade lumber, wet service, a "
               "free-standing deck on its own posts, a single level, uncovered. Local amendments may change "
               "these rules and the building official has the last word; passing claims nothing beyond the "
               "tables applied.")
        .arg(speciesWords(settings.species), designLoadWords(settings), psfWords(settings.soilBearingPsf),
             footingKey(settings.footing));
}

namespace {
// Nominal inches of an actual dimension, or the number itself.
QString nominalSize(double inches)
{
    const QString name = deckfile::nominalInches(inches);
    return name.isEmpty() ? numbertext::generalNumber(inches) : name;
}

QString joistWords(const DeckParameters &p) { return nominalSize(p.joistWidth) + u'x' + nominalSize(p.joistHeight); }
QString beamWords(const DeckParameters &p)
{
    return QStringLiteral("%1-%2x%3").arg(p.beamPlies).arg(nominalSize(p.beamPly), nominalSize(p.beamHeight));
}
QString postWords(const DeckParameters &p) { return nominalSize(p.postSize) + u'x' + nominalSize(p.postSize); }

QJsonValue inchesValue(const std::optional<double> &inches)
{
    return inches ? QJsonValue(*inches) : QJsonValue(QJsonValue::Null);
}

QJsonObject checkJson(const CodeCheck &check)
{
    QJsonArray members;
    for (const QString &member : check.members)
        members.append(member);
    return {{"rule", check.rule},         {"members", members},
            {"value_in", inchesValue(check.valueInches)}, {"limit_in", inchesValue(check.limitInches)},
            {"cell", check.cell},         {"result", verdictKey(check.result)},
            {"sentence", check.sentence}};
}

QJsonObject suggestionJson(const Suggestion &suggestion)
{
    if (!suggestion.parameters)
        return {{"found", false}, {"why", suggestion.why}};
    const DeckParameters &p = *suggestion.parameters;
    QJsonArray changes;
    for (const QString &change : suggestion.changes)
        changes.append(change);
    const QJsonObject framing{{"joist", joistWords(p)},
                              {"joist_spacing_in", p.joistSpacing},
                              {"beam", beamWords(p)},
                              {"beam_spacing_ft", p.beamSpacing},
                              {"overhang_z_ft", p.overhangZ},
                              {"post", postWords(p)},
                              {"post_spacing_ft", p.postSpacing},
                              {"overhang_x_ft", p.overhangX}};
    return {{"found", true},
            {"changes", changes},
            {"board_feet", suggestion.boardFeet},
            {"board_feet_as_designed", suggestion.boardFeetAsDesigned},
            {"footings", suggestion.footings},
            {"framing", framing}};
}
} // namespace

QByteArray codeCheckJson(const CodeReport &report, const Suggestion &suggestion)
{
    const CodeSettings &s = report.settings;
    const QJsonObject settings{{"species", speciesKey(s.species)},
                               {"snow_load_psf", s.snowLoadPsf},
                               {"soil_bearing_psf", s.soilBearingPsf},
                               {"footing", footingKey(s.footing)}};
    QJsonArray checks;
    for (const CodeCheck &check : report.checks)
        checks.append(checkJson(check));
    const QJsonObject root{{"code", "IRC 2021 R507"},
                           {"settings", settings},
                           {"verdict", verdictLine(report)},
                           {"assumptions", codeAssumptions(s)},
                           {"checks", checks},
                           {"suggestion", suggestionJson(suggestion)}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

namespace {
QString verdictMark(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Pass: return QStringLiteral("PASS");
    case Verdict::Fail: return QStringLiteral("FAIL");
    case Verdict::Outside: return QStringLiteral("OUTSIDE");
    case Verdict::Information: return QStringLiteral("INFO");
    }
    return {};
}

QString checkText(const CodeCheck &check)
{
    QString text = QStringLiteral("%1 %2\n").arg(verdictMark(check.result), -8).arg(check.rule);
    const QString indent(9, u' ');
    text += indent + check.sentence + u'\n';
    if (!check.members.empty())
        text += indent + QStringLiteral("Members: ")
            + QStringList(check.members.begin(), check.members.end()).join(QStringLiteral(", ")) + u'\n';
    if (check.valueInches || check.limitInches) {
        QStringList measures;
        if (check.valueInches)
            measures << QStringLiteral("value ") + lengthtext::feetAndInchesFromInches(*check.valueInches);
        if (check.limitInches)
            measures << QStringLiteral("limit ") + lengthtext::feetAndInchesFromInches(*check.limitInches);
        QString line = measures.join(QStringLiteral(", "));
        line[0] = line[0].toUpper();
        text += indent + line + u'\n';
    }
    if (!check.cell.isEmpty())
        text += indent + QStringLiteral("Table cell: ") + check.cell + u'\n';
    return text;
}

QString tenths(double value) { return numbertext::generalNumber(std::round(value * 10) / 10); }

QString suggestionText(const Suggestion &suggestion)
{
    if (!suggestion.parameters)
        return QStringLiteral("No suggested framing: ") + suggestion.why + u'\n';
    QString text = QStringLiteral("Suggested framing:\n");
    for (const QString &change : suggestion.changes)
        text += QStringLiteral("  - ") + change + u'\n';
    text += QStringLiteral("  Framing lumber: %1 board feet as designed, %2 suggested; %3 footings\n")
                .arg(tenths(suggestion.boardFeetAsDesigned), tenths(suggestion.boardFeet))
                .arg(suggestion.footings);
    return text;
}
} // namespace

QByteArray codeCheckText(const CodeReport &report, const Suggestion &suggestion)
{
    QString text = QStringLiteral("Code check: IRC 2021 R507\nSettings: ") + settingsWords(report.settings)
        + QStringLiteral("\n\n") + verdictLine(report) + QStringLiteral("\n\n");
    for (const CodeCheck &check : report.checks)
        text += checkText(check) + u'\n';
    text += suggestionText(suggestion) + u'\n';
    text += QStringLiteral("Assumptions: ") + codeAssumptions(report.settings) + u'\n';
    return text.toUtf8();
}

} // namespace deckmodel
