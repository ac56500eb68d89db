#include "designfile.h"

#include "catalogue.h"
#include "numbertext.h"
#include "outputfile.h"
#include "textfiles.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <optional>

namespace design {

namespace {

const char *const ViewingModes[] = {"wireframe", "hidden", "shaded"};

// --- Writing -------------------------------------------------------------------

QJsonObject shapeJson(const deckfile::DeckParameters &p)
{
    return {{QStringLiteral("deckType"), p.deckType},
            {QStringLiteral("aFt"), p.depthA},
            {QStringLiteral("bFt"), p.widthB},
            {QStringLiteral("heightFt"), p.height}};
}

QJsonObject framingJson(const deckfile::DeckParameters &p)
{
    return {{QStringLiteral("overhangXFt"), p.overhangX},
            {QStringLiteral("overhangZFt"), p.overhangZ},
            {QStringLiteral("postSpacingFt"), p.postSpacing},
            {QStringLiteral("postSizeIn"), p.postSize},
            {QStringLiteral("beamSpacingFt"), p.beamSpacing},
            {QStringLiteral("beamDepthIn"), p.beamHeight},
            {QStringLiteral("beamPlyIn"), p.beamPly},
            {QStringLiteral("beamPlies"), p.beamPlies},
            {QStringLiteral("joistDepthIn"), p.joistHeight},
            {QStringLiteral("joistThicknessIn"), p.joistWidth},
            {QStringLiteral("joistSpacingIn"), p.joistSpacing}};
}

QJsonObject deckingJson(const deckfile::DeckParameters &p)
{
    return {{QStringLiteral("thicknessIn"), p.deckingThickness},
            {QStringLiteral("widthIn"), p.deckingWidth},
            {QStringLiteral("gapIn"), p.deckingGap}};
}

QJsonObject stairJson(const deckmodel::StairLayout &stair)
{
    return {{QStringLiteral("present"), stair.present},
            {QStringLiteral("edge"), stair.edge},
            {QStringLiteral("offsetIn"), stair.offsetInches},
            {QStringLiteral("widthIn"), stair.widthInches}};
}

QJsonObject attachmentJson(const deckmodel::Attachment &a)
{
    return {{QStringLiteral("edge"), a.edge},
            {QStringLiteral("to"), deckmodel::houseFramingKey(a.to)},
            {QStringLiteral("fastener"), deckmodel::fastenerKey(a.fastener)},
            {QStringLiteral("sheathingIn"), a.sheathingInches}};
}

QJsonObject codeJson(const deckmodel::CodeSettings &code)
{
    return {{QStringLiteral("species"), deckmodel::speciesKey(code.species)},
            {QStringLiteral("snowLoadPsf"), code.snowLoadPsf},
            {QStringLiteral("soilBearingPsf"), code.soilBearingPsf},
            {QStringLiteral("footing"), deckmodel::footingKey(code.footing)}};
}

// The site's optional values, each by its key, the largest a design may hold.
struct SiteValue {
    const char *key;
    std::optional<double> Project::*field;
    double most;
    const char *unit;
    bool above; // above 0, not 0 or more
};
constexpr SiteValue SiteValues[] = {
    {"lotWidthFt", &Project::lotWidthFt, 1000, "feet", true},
    {"lotDepthFt", &Project::lotDepthFt, 1000, "feet", true},
    {"deckFromLeftFt", &Project::deckFromLeftFt, 1000, "feet", false},
    {"deckFromBackFt", &Project::deckFromBackFt, 1000, "feet", false},
    {"northDegrees", &Project::northDegrees, 359.99, "degrees", false},
    {"frostDepthIn", &Project::frostDepthIn, 120, "inches", false},
};

QJsonObject projectJson(const Project &project)
{
    QJsonObject json{{QStringLiteral("owner"), project.owner},
                     {QStringLiteral("siteAddress"), project.siteAddress},
                     {QStringLiteral("preparer"), project.preparer},
                     {QStringLiteral("notes"), project.notes}};
    for (const SiteValue &value : SiteValues)
        if (const std::optional<double> &given = project.*value.field)
            json.insert(QString::fromLatin1(value.key), *given);
    return json;
}

QJsonObject originJson(const Origin &origin)
{
    return {{QStringLiteral("wizardFolder"), origin.wizardFolder},
            {QStringLiteral("deckFile"), origin.deckFile},
            {QStringLiteral("at"), origin.at.isValid() ? origin.at.toUTC().toString(Qt::ISODate) : QString()}};
}

// --- Reading -------------------------------------------------------------------

// Reads the fields of one object, keeping the first refusal: every later
// read returns a harmless value, and `error` says what was wrong first.
class Reader {
public:
    explicit Reader(QString fileName) : m_file(std::move(fileName)) {}

    QString error;

    bool failed() const { return !error.isEmpty(); }
    void fail(const QString &path, const QString &why)
    {
        if (error.isEmpty())
            error = QStringLiteral("%1: %2 %3").arg(textfiles::quoted(m_file), path, why);
    }

    QJsonValue field(const QJsonObject &object, const QString &parent, const QString &key)
    {
        const QJsonValue value = object.value(key);
        if (value.isUndefined())
            fail(name(parent, key), QStringLiteral("is missing."));
        return value;
    }

    QJsonObject object(const QJsonObject &object, const QString &key)
    {
        const QJsonValue value = field(object, {}, key);
        if (!value.isUndefined() && !value.isObject())
            fail(key, QStringLiteral("is not an object."));
        return value.toObject();
    }

    // A number from `least` (taken as "above" when `above`) to `most`, in `unit`.
    double number(const QJsonObject &object, const QString &parent, const QString &key, double most,
                  const char *unit, bool above = true)
    {
        const QJsonValue value = field(object, parent, key);
        if (value.isUndefined())
            return 1;
        const QString at = name(parent, key);
        if (!value.isDouble()) {
            fail(at, QStringLiteral("is not a number."));
            return 1;
        }
        const double v = value.toDouble();
        const QString units = QString::fromLatin1(unit);
        if (above && !(v > 0))
            fail(at, QStringLiteral("is %1; it must be above 0.").arg(numbertext::generalNumber(v)));
        else if (!(v >= 0))
            fail(at, QStringLiteral("is %1; it must be 0 or more.").arg(numbertext::generalNumber(v)));
        else if (v > most)
            fail(at, QStringLiteral("is %1 %2, above the %3 %2 a design may hold.")
                         .arg(numbertext::generalNumber(v), units, numbertext::generalNumber(most)));
        return failed() ? 1 : v;
    }

    // A whole number from `least` to `most`.
    int whole(const QJsonObject &object, const QString &parent, const QString &key, int least, int most)
    {
        const QJsonValue value = field(object, parent, key);
        if (value.isUndefined())
            return least;
        const double v = value.toDouble(std::nan(""));
        if (!value.isDouble() || v != std::floor(v) || v < least || v > most) {
            fail(name(parent, key), QStringLiteral("is not a whole number from %1 to %2.").arg(least).arg(most));
            return least;
        }
        return int(v);
    }

    bool boolean(const QJsonObject &object, const QString &parent, const QString &key)
    {
        const QJsonValue value = field(object, parent, key);
        if (!value.isUndefined() && !value.isBool())
            fail(name(parent, key), QStringLiteral("is not true or false."));
        return value.toBool();
    }

    QString text(const QJsonObject &object, const QString &parent, const QString &key, qsizetype longest)
    {
        const QJsonValue value = field(object, parent, key);
        if (value.isUndefined())
            return {};
        if (!value.isString()) {
            fail(name(parent, key), QStringLiteral("is not a text."));
            return {};
        }
        const QString text = value.toString();
        if (text.size() > longest)
            fail(name(parent, key), QStringLiteral("holds %1 characters, more than the %2 a design may hold there.")
                                        .arg(text.size()).arg(longest));
        return text;
    }

    static QString name(const QString &parent, const QString &key)
    {
        return parent.isEmpty() ? key : parent + u'.' + key;
    }

private:
    QString m_file;
};

using deckfile::Line;
double largest(Line line) { return deckfile::specOf(line).largest; }

void readShape(Reader &r, const QJsonObject &top, deckfile::DeckParameters &p)
{
    const QString s = QStringLiteral("shape");
    const QJsonObject shape = r.object(top, s);
    p.deckType = r.whole(shape, s, QStringLiteral("deckType"), deckfile::FirstDeckType, deckfile::LastDeckType);
    p.depthA = r.number(shape, s, QStringLiteral("aFt"), largest(Line::DeckDepth), "feet");
    p.widthB = r.number(shape, s, QStringLiteral("bFt"), largest(Line::DeckWidth), "feet");
    p.height = r.number(shape, s, QStringLiteral("heightFt"), largest(Line::DeckHeight), "feet");
    p.fileName = deckfile::parameterFile(p.deckType);
}

void readFraming(Reader &r, const QJsonObject &top, deckfile::DeckParameters &p)
{
    const QString f = QStringLiteral("framing");
    const QJsonObject framing = r.object(top, f);
    p.overhangX = r.number(framing, f, QStringLiteral("overhangXFt"), largest(Line::XOverhang), "feet", false);
    p.overhangZ = r.number(framing, f, QStringLiteral("overhangZFt"), largest(Line::ZOverhang), "feet", false);
    p.postSpacing = r.number(framing, f, QStringLiteral("postSpacingFt"), largest(Line::PostSpacing), "feet");
    p.postSize = r.number(framing, f, QStringLiteral("postSizeIn"), largest(Line::PostSize), "inches");
    p.beamSpacing = r.number(framing, f, QStringLiteral("beamSpacingFt"), largest(Line::BeamSpacing), "feet");
    p.beamHeight = r.number(framing, f, QStringLiteral("beamDepthIn"), largest(Line::BeamHeight), "inches");
    p.beamPly = r.number(framing, f, QStringLiteral("beamPlyIn"), largest(Line::BeamDepth), "inches");
    p.beamPlies = r.whole(framing, f, QStringLiteral("beamPlies"), 1, 3);
    p.joistHeight = r.number(framing, f, QStringLiteral("joistDepthIn"), largest(Line::JoistHeight), "inches");
    p.joistWidth = r.number(framing, f, QStringLiteral("joistThicknessIn"), largest(Line::JoistWidth), "inches");
    p.joistSpacing = r.number(framing, f, QStringLiteral("joistSpacingIn"), largest(Line::JoistSpacing), "inches");

    const QString d = QStringLiteral("decking");
    const QJsonObject decking = r.object(top, d);
    p.deckingThickness = r.number(decking, d, QStringLiteral("thicknessIn"), largest(Line::DeckingHeight), "inches");
    p.deckingWidth = r.number(decking, d, QStringLiteral("widthIn"), largest(Line::DeckingDepth), "inches");
    p.deckingGap = r.number(decking, d, QStringLiteral("gapIn"), largest(Line::DeckingSpacing), "inches", false);
}

void readMaterials(Reader &r, const QJsonObject &top, deckfile::DeckParameters &p)
{
    const QJsonValue value = r.field(top, {}, QStringLiteral("materials"));
    if (r.failed())
        return;
    const QJsonArray lines = value.toArray();
    if (!value.isArray() || lines.size() != 4) {
        r.fail(QStringLiteral("materials"), QStringLiteral("is not a list of four lines."));
        return;
    }
    p.materials.clear();
    for (const QJsonValue &line : lines) {
        const QString text = line.toString();
        if (!line.isString() || text.size() > LongestText || text.contains(u'\r') || text.contains(u'\n')) {
            r.fail(QStringLiteral("materials"), QStringLiteral("holds a line that is no text of one line of at most %1 characters.")
                                                    .arg(LongestText));
            return;
        }
        p.materials << text;
    }
    const QString mode = r.text(top, {}, QStringLiteral("viewingMode"), 20);
    for (int i = 0; i < 3; ++i)
        if (mode == QLatin1String(ViewingModes[i]))
            p.viewingMode = deckfile::ViewingMode(i);
    if (!r.failed() && mode != QLatin1String(ViewingModes[int(p.viewingMode)]))
        r.fail(QStringLiteral("viewingMode"), QStringLiteral("is %1, not wireframe, hidden or shaded.").arg(textfiles::quoted(mode)));
}

void readStair(Reader &r, const QJsonObject &top, Design &design)
{
    const QString s = QStringLiteral("stair");
    const QJsonObject stair = r.object(top, s);
    design.stair.present = r.boolean(stair, s, QStringLiteral("present"));
    design.stair.edge = r.whole(stair, s, QStringLiteral("edge"), -1, 999);
    const QJsonValue offset = stair.value(QStringLiteral("offsetIn"));
    // -1: the edge's middle.
    design.stair.offsetInches = offset.isDouble() && offset.toDouble() == -1
        ? -1
        : r.number(stair, s, QStringLiteral("offsetIn"), largest(Line::DeckDepth) * 12, "inches", false);
    design.stair.widthInches = r.number(stair, s, QStringLiteral("widthIn"), 480, "inches");
    const QString g = QStringLiteral("guards");
    design.guardsBelow30 = r.boolean(r.object(top, g), g, QStringLiteral("below30"));
}

// Version 2 only: where the deck hangs on the house.
void readAttachment(Reader &r, const QJsonObject &top, Design &design)
{
    const QString a = QStringLiteral("attachment");
    const QJsonObject attachment = r.object(top, a);
    deckmodel::Attachment &to = design.attachment;
    to.attached = true;
    to.edge = r.whole(attachment, a, QStringLiteral("edge"), 0, 999);
    const QString framing = r.text(attachment, a, QStringLiteral("to"), 40);
    if (const auto named = deckmodel::houseFramingNamed(framing))
        to.to = *named;
    else if (!r.failed())
        r.fail(a + QStringLiteral(".to"), QStringLiteral("is %1, not band-joist, rim-board, brick-veneer, stone-veneer, "
                                                         "cantilevered-floor, overhang or chimney-or-bay.")
                                              .arg(textfiles::quoted(framing)));
    const QString fastener = r.text(attachment, a, QStringLiteral("fastener"), 40);
    if (const auto named = deckmodel::fastenerNamed(fastener))
        to.fastener = *named;
    else if (!r.failed())
        r.fail(a + QStringLiteral(".fastener"), QStringLiteral("is %1, not lag, bolt or bolt-washers.").arg(textfiles::quoted(fastener)));
    to.sheathingInches = r.number(attachment, a, QStringLiteral("sheathingIn"), 12, "inches", false);
}

void readCode(Reader &r, const QJsonObject &top, Design &design)
{
    const QString c = QStringLiteral("code");
    const QJsonObject code = r.object(top, c);
    const QString species = r.text(code, c, QStringLiteral("species"), 40);
    if (const auto named = deckmodel::speciesNamed(species))
        design.code.species = *named;
    else
        r.fail(c + QStringLiteral(".species"), QStringLiteral("is %1, not southern-pine, dfl or redwood.").arg(textfiles::quoted(species)));
    const QString footing = r.text(code, c, QStringLiteral("footing"), 40);
    if (const auto named = deckmodel::footingNamed(footing))
        design.code.footing = *named;
    else
        r.fail(c + QStringLiteral(".footing"), QStringLiteral("is %1, not round or square.").arg(textfiles::quoted(footing)));
    design.code.snowLoadPsf = r.whole(code, c, QStringLiteral("snowLoadPsf"), 0, 70);
    if (!r.failed() && !deckmodel::isSnowLoad(design.code.snowLoadPsf))
        r.fail(c + QStringLiteral(".snowLoadPsf"), QStringLiteral("is %1, not 0, 50, 60 or 70.").arg(design.code.snowLoadPsf));
    design.code.soilBearingPsf = r.whole(code, c, QStringLiteral("soilBearingPsf"), 1500, 3000);
    if (!r.failed() && !deckmodel::isSoilBearing(design.code.soilBearingPsf))
        r.fail(c + QStringLiteral(".soilBearingPsf"), QStringLiteral("is %1, not 1500, 2000 or 3000.").arg(design.code.soilBearingPsf));
    design.wastePercent = r.number(top, {}, QStringLiteral("wastePercent"), 100, "percent", false);
}

void readProject(Reader &r, const QJsonObject &top, Design &design)
{
    const QString p = QStringLiteral("project");
    const QJsonObject project = r.object(top, p);
    design.project.owner = r.text(project, p, QStringLiteral("owner"), LongestText);
    design.project.siteAddress = r.text(project, p, QStringLiteral("siteAddress"), LongestText);
    design.project.preparer = r.text(project, p, QStringLiteral("preparer"), LongestText);
    design.project.notes = r.text(project, p, QStringLiteral("notes"), LongestNotes);
    // The site's values are each optional: a design without them has none.
    for (const SiteValue &value : SiteValues) {
        const QString key = QString::fromLatin1(value.key);
        if (project.contains(key))
            design.project.*value.field = r.number(project, p, key, value.most, value.unit, value.above);
    }

    const QString o = QStringLiteral("origin");
    const QJsonObject origin = r.object(top, o);
    design.origin.wizardFolder = r.text(origin, o, QStringLiteral("wizardFolder"), 4096);
    design.origin.deckFile = r.text(origin, o, QStringLiteral("deckFile"), 255);
    const QString at = r.text(origin, o, QStringLiteral("at"), 40);
    design.origin.at = at.isEmpty() ? QDateTime() : QDateTime::fromString(at, Qt::ISODate);
    if (!at.isEmpty() && !design.origin.at.isValid() && !r.failed())
        r.fail(o + QStringLiteral(".at"), QStringLiteral("is %1, not a time such as 2026-05-01T14:30:00Z.").arg(textfiles::quoted(at)));
    design.origin.at = design.origin.at.toUTC();
}

} // namespace

QByteArray designBytes(const Design &design)
{
    const bool attached = !design.is2D && design.attachment.attached;
    QJsonObject top{{QStringLiteral("format"), FormatName},
                    {QStringLiteral("version"), attached ? FormatVersion : FreeStandingVersion},
                    {QStringLiteral("kind"), design.is2D ? QStringLiteral("2d") : QStringLiteral("3d")},
                    {QStringLiteral("code"), codeJson(design.code)},
                    {QStringLiteral("wastePercent"), design.wastePercent},
                    {QStringLiteral("project"), projectJson(design.project)},
                    {QStringLiteral("origin"), originJson(design.origin)}};
    if (design.is2D) {
        top.insert(QStringLiteral("plan"), QJsonObject{{QStringLiteral("style"), design.plan.style},
                                                       {QStringLiteral("widthFt"), design.plan.widthFeet}});
    } else {
        const deckfile::DeckParameters &p = design.deck;
        top.insert(QStringLiteral("shape"), shapeJson(p));
        top.insert(QStringLiteral("framing"), framingJson(p));
        top.insert(QStringLiteral("decking"), deckingJson(p));
        top.insert(QStringLiteral("materials"), QJsonArray::fromStringList(p.materials));
        top.insert(QStringLiteral("viewingMode"), QLatin1String(ViewingModes[std::clamp(int(p.viewingMode), 0, 2)]));
        top.insert(QStringLiteral("stair"), stairJson(design.stair));
        top.insert(QStringLiteral("guards"), QJsonObject{{QStringLiteral("below30"), design.guardsBelow30}});
        if (attached)
            top.insert(QStringLiteral("attachment"), attachmentJson(design.attachment));
    }
    return QJsonDocument(top).toJson(QJsonDocument::Indented);
}

jm::Result<Design> readDesignBytes(const QByteArray &bytes, const QString &fileName)
{
    QJsonParseError parsed;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parsed);
    const QString file = textfiles::quoted(fileName);
    if (parsed.error != QJsonParseError::NoError)
        return jm::failure(QStringLiteral("%1 is not a deck design: it is no JSON (%2 at byte %3).")
                               .arg(file, parsed.errorString()).arg(parsed.offset));
    const QJsonObject top = document.object();
    if (!document.isObject() || top.value(QStringLiteral("format")).toString() != FormatName)
        return jm::failure(QStringLiteral("%1 is not a deck design: it has no \"format\": \"%2\".").arg(file, FormatName));
    const QJsonValue version = top.value(QStringLiteral("version"));
    if (!version.isDouble() || (version.toDouble() != FormatVersion && version.toDouble() != FreeStandingVersion)) {
        const double v = version.toDouble(-1);
        if (version.isDouble() && v > FormatVersion && v == std::floor(v) && v < 1e9)
            return jm::failure(QStringLiteral("%1 is a deck design of version %2, made by a newer Joistmaster; this one reads version %3.")
                                   .arg(file).arg(qint64(v)).arg(FormatVersion));
        return jm::failure(QStringLiteral("%1 is a deck design of no version this Joistmaster knows (it reads versions %2 and %3).")
                               .arg(file).arg(FreeStandingVersion).arg(FormatVersion));
    }
    Reader r(fileName);
    Design design;
    const QString kind = r.text(top, {}, QStringLiteral("kind"), 2);
    if (!r.failed() && kind != u"2d" && kind != u"3d")
        r.fail(QStringLiteral("kind"), QStringLiteral("is %1, not 2d or 3d.").arg(textfiles::quoted(kind)));
    design.is2D = kind == u"2d";
    if (design.is2D) {
        const QString p = QStringLiteral("plan");
        const QJsonObject plan = r.object(top, p);
        design.plan.style = r.whole(plan, p, QStringLiteral("style"), deckfile::FirstStyle, deckfile::LastStyle);
        design.plan.widthFeet = r.number(plan, p, QStringLiteral("widthFt"), largest(Line::DeckWidth), "feet");
    } else {
        readShape(r, top, design.deck);
        readFraming(r, top, design.deck);
        readMaterials(r, top, design.deck);
        readStair(r, top, design);
        if (version.toDouble() >= 2)
            readAttachment(r, top, design);
    }
    readCode(r, top, design);
    readProject(r, top, design);
    if (r.failed())
        return jm::failure(r.error);
    return design;
}

jm::Result<Design> readDesign(const QString &path)
{
    const jm::Result<QByteArray> bytes = textfiles::readWhole(path);
    if (!bytes)
        return bytes.failure();
    return readDesignBytes(*bytes, QFileInfo(path).fileName());
}

jm::Status writeDesign(const QString &path, const Design &design)
{
    return outputfile::writeWhole(path, designBytes(design));
}

} // namespace design
