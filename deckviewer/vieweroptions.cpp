#include "vieweroptions.h"

#include "catalogue.h"
#include "handoff.h"
#include "numbertext.h"
#include "outputfile.h"
#include "render.h"
#include "textfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <optional>

namespace deckviewer {

bool takesViewerValue(const QString &option)
{
    return option == u"--open" || option == u"--render" || option == u"--out" || option == u"--view"
        || option == u"--mode" || option == u"--species" || option == u"--snow-load" || option == u"--soil"
        || option == u"--footing" || option == u"--sheets" || option == u"--paper" || option == u"--prices"
        || option == u"--waste" || option == u"--framing" || option == u"--attach" || option == u"--attached-to"
        || option == u"--fastener" || option == u"--sheathing";
}

namespace {
// A value as a message shows it: as typed where it is short and plain, else
// quoted, cut at 80 characters, its control characters escaped.
QString shown(const QString &value)
{
    const bool plain = !value.isEmpty() && value.size() <= 80
        && std::none_of(value.begin(), value.end(), [](QChar c) { return c.unicode() < 0x20 || (c.unicode() >= 0x7f && c.unicode() < 0xa0); });
    return plain ? value : textfiles::quoted(value);
}

// A whole number as written, or -1.
int psfIn(const QString &value)
{
    bool isNumber = false;
    const int psf = value.toInt(&isNumber);
    return isNumber ? psf : -1;
}

// The code check's settings; false when the option is none of them.
std::optional<jm::Status> takeCode(deckmodel::CodeSettings &code, const QString &option, const QString &value)
{
    auto refused = [&](const char *allowed) -> jm::Status {
        return jm::failure(QStringLiteral("%1 %2: write %3.").arg(option, shown(value), QLatin1String(allowed)));
    };
    if (option == u"--species") {
        const std::optional<deckmodel::Species> species = deckmodel::speciesNamed(value);
        if (!species)
            return refused("southern-pine, dfl or redwood");
        code.species = *species;
    } else if (option == u"--snow-load") {
        if (!deckmodel::isSnowLoad(psfIn(value)))
            return refused("0, 50, 60 or 70");
        code.snowLoadPsf = psfIn(value);
    } else if (option == u"--soil") {
        if (!deckmodel::isSoilBearing(psfIn(value)))
            return refused("1500, 2000 or 3000");
        code.soilBearingPsf = psfIn(value);
    } else if (option == u"--footing") {
        const std::optional<deckmodel::FootingShape> shape = deckmodel::footingNamed(value);
        if (!shape)
            return refused("round or square");
        code.footing = *shape;
    } else {
        return std::nullopt;
    }
    return jm::success();
}

// Stores the value, or says why it cannot.
jm::Status take(Options &options, const QString &option, const QString &value)
{
    if (value.isEmpty())
        return jm::failure(QStringLiteral("%1 \"\": the value is empty (see --help).").arg(option));
    if (std::optional<jm::Status> taken = takeCode(options.code, option, value)) {
        options.codeGiven = true;
        return *taken;
    }
    if (option == u"--framing") {
        if (value != u"suggested" && value != u"designed")
            return jm::failure(QStringLiteral("--framing %1: write suggested or designed.").arg(shown(value)));
        options.suggestedFraming = value == u"suggested";
        return jm::success();
    }
    if (option == u"--attach") {
        if (value != u"front" && value != u"back" && value != u"left" && value != u"right")
            return jm::failure(QStringLiteral("--attach %1: write front, back, left or right.").arg(shown(value)));
        options.attach = value;
        return jm::success();
    }
    if (option == u"--attached-to") {
        const std::optional<deckmodel::HouseFraming> framing = deckmodel::houseFramingNamed(value);
        if (!framing || *framing == deckmodel::HouseFraming::ChimneyOrBay)
            return jm::failure(QStringLiteral("--attached-to %1: write band-joist, rim-board, brick-veneer, stone-veneer, "
                                              "cantilevered-floor or overhang.")
                                   .arg(shown(value)));
        options.attachment.to = *framing;
        return jm::success();
    }
    if (option == u"--fastener") {
        const std::optional<deckmodel::LedgerFastener> fastener = deckmodel::fastenerNamed(value);
        if (!fastener)
            return jm::failure(QStringLiteral("--fastener %1: write lag, bolt or bolt-washers.").arg(shown(value)));
        options.attachment.fastener = *fastener;
        return jm::success();
    }
    if (option == u"--sheathing") {
        const std::optional<double> inches = numbertext::strictNumber(value);
        if (!inches || *inches < 0 || *inches > 12)
            return jm::failure(QStringLiteral("--sheathing %1: write the inches between ledger and band joist, 0 to 12.")
                                   .arg(shown(value)));
        options.attachment.sheathingInches = *inches;
        return jm::success();
    }
    if (option == u"--waste") {
        const std::optional<double> percent = numbertext::strictNumber(value);
        if (!percent || *percent < 0 || *percent > 100)
            return jm::failure(QStringLiteral("--waste %1: write a percentage from 0 to 100.").arg(shown(value)));
        options.wastePercent = *percent;
        return jm::success();
    }
    if (option == u"--view" && !deckview::standardViewNamed(value))
        return jm::failure(QStringLiteral("--view %1: write iso, plan, front or side.").arg(shown(value)));
    if (option == u"--mode" && !deckview::viewModeNamed(value))
        return jm::failure(QStringLiteral("--mode %1: write wireframe, hidden or shaded.").arg(shown(value)));
    if (option == u"--paper"
        && !QStringList{QStringLiteral("letter"), QStringLiteral("a4"), QStringLiteral("tabloid"), QStringLiteral("a3")}
                .contains(value, Qt::CaseInsensitive))
        return jm::failure(QStringLiteral("--paper %1: write letter, a4, tabloid or a3.").arg(shown(value)));
    QString &field = option == u"--prices" ? options.prices
        : option == u"--sheets"          ? options.sheets
        : option == u"--paper"           ? options.paper
        : option == u"--open"            ? options.open
        : option == u"--render"          ? options.render
        : option == u"--out"             ? options.out
        : option == u"--view"            ? options.view
                                         : options.mode;
    field = value;
    return jm::success();
}
} // namespace

jm::Result<Options> parseOptions(const QStringList &arguments, bool needsDeck)
{
    Options options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &option = arguments[i];
        if (option == u"--help" || option == u"-h")
            options.help = true;
        else if (!takesViewerValue(option))
            return jm::failure(QStringLiteral("unknown option %1 (see --help).").arg(textfiles::quoted(option)));
        else if (i + 1 >= arguments.size())
            return jm::failure(QStringLiteral("%1 needs a value (see --help).").arg(option));
        else if (const jm::Status taken = take(options, option, arguments[++i]); !taken)
            return taken.failure();
    }
    if (options.render.isEmpty() != options.out.isEmpty())
        return jm::failure(QStringLiteral("--render and --out go together: --render FOLDER|FILE|DESIGN --out "
                                          "FILE.step|.glb|.csv|.json|.txt|.png|.svg|.pdf|.jmdeck."));
    const bool fastened = arguments.contains(QStringLiteral("--attached-to")) || arguments.contains(QStringLiteral("--fastener"))
                          || arguments.contains(QStringLiteral("--sheathing"));
    if (fastened && options.attach.isEmpty())
        return jm::failure(QStringLiteral("--attached-to, --fastener and --sheathing say how the deck hangs on the house: "
                                          "they go with --attach (see --help)."));
    if (!options.paper.isEmpty() && options.sheets.isEmpty())
        return jm::failure(QStringLiteral("--paper is the paper of a drawing set: it goes with --sheets (see --help)."));
    if (needsDeck && !options.help && options.open.isEmpty() && options.render.isEmpty())
        return jm::failure(QStringLiteral("nothing to do: --open FOLDER|FILE|DESIGN shows a deck, --render "
                                          "FOLDER|FILE|DESIGN --out FILE writes one (see --help)."));
    return options;
}

jm::Status outputIsNoInput(const Options &options, const QStringList &alsoRead)
{
    QStringList inputs = alsoRead;
    if (QFileInfo(options.render).isDir()) {
        const QStringList names = deckfile::wizardFiles() << QStringLiteral("symbols.txt");
        for (const QString &name : names)
            inputs << QDir(options.render).filePath(name);
    } else {
        inputs << options.render;
    }
    for (const QString &input : inputs)
        if (outputfile::sameFile(options.out, input))
            return jm::failure(QStringLiteral("--out %1 is %2, which this run reads: name another file.")
                                   .arg(textfiles::quoted(QDir::toNativeSeparators(options.out)),
                                        textfiles::quoted(QDir::toNativeSeparators(input))));
    return jm::success();
}

QString outputOptionsHelp()
{
    return QStringLiteral(
        "  --out FILE            The file to write: .step (a solid per member, inches),\n"
        "                        .glb (glTF binary), .csv (the material takeoff), a\n"
        "                        drawing with its title block and takeoff: .png, .svg\n"
        "                        or .pdf, or the deck checked against the 2021 IRC\n"
        "                        deck tables (R507, R312.1.1): .json for a program,\n"
        "                        .txt for a person; or .jmdeck, a deck design of the\n"
        "                        deck to open and change in the viewer.\n"
        "  --view VIEW           For a drawing: iso (the default), plan, front or side.\n"
        "  --mode MODE           For a drawing: wireframe, hidden (hidden line) or\n"
        "                        shaded; the parameter file's viewing mode by default.\n"
        "  --species KEY         For the code check: southern-pine (the default), dfl\n"
        "                        (Douglas fir-larch, hem-fir, spruce-pine-fir) or\n"
        "                        redwood (redwood, western cedars, ponderosa pine, red\n"
        "                        pine).\n"
        "  --snow-load PSF       For the code check: the ground snow load, 0 (the\n"
        "                        default: the 40 psf live load governs), 50, 60 or 70.\n"
        "  --soil PSF            For the code check: the soil bearing, 1500 (the\n"
        "                        default), 2000 or 3000.\n"
        "  --footing SHAPE       For the code check: round (the default) or square\n"
        "                        footings.\n"
        "  --sheets all|NAMES    A drawing set instead of one drawing, to a .pdf (a page\n"
        "                        a sheet) or .svg (a file a sheet, FILE-framing.svg,\n"
        "                        ...): all, or some of plan, site, framing, footing,\n"
        "                        elevations, section, details, ledger (a deck hung\n"
        "                        on the house), check, schedule parted by commas.\n"
        "  --paper letter|a4|tabloid|a3\n"
        "                        The drawing set's paper, landscape; by default the\n"
        "                        locale's (Letter or A4), or its larger one (Tabloid,\n"
        "                        11 x 17 in, or A3) where the plans would be drawn\n"
        "                        below 1/8\" = 1'-0\".\n"
        "  --prices FILE         The takeoff's price list (item, size, length ft, unit,\n"
        "                        price); $XDG_CONFIG_HOME/joistmaster/prices.csv by\n"
        "                        default, made with example prices when missing. A\n"
        "                        row that cannot be read is named on stderr and left\n"
        "                        out; the file is still written.\n"
        "  --waste PERCENT       The decking's waste allowance, 0 to 100; the viewer's\n"
        "                        setting (10 at first) by default.\n"
        "  --attach EDGE         Hang the deck on the house along its front, back, left\n"
        "                        or right edge (as the plan shows them): a ledger in\n"
        "                        place of the beam line there, the joists in hangers;\n"
        "                        a deck that cannot hang there is refused in one\n"
        "                        sentence.\n"
        "  --attached-to WHAT    What the ledger is fastened to: band-joist (the\n"
        "                        default), rim-board, brick-veneer, stone-veneer,\n"
        "                        cantilevered-floor or overhang.\n"
        "  --fastener KIND       lag (1/2 in lag screws, the default), bolt (1/2 in\n"
        "                        through-bolts) or bolt-washers (with stacked washers).\n"
        "  --sheathing INCHES    The sheathing between ledger and band joist, 1/2 by\n"
        "                        default.\n"
        "  --framing suggested   Write any output from the framing the code check\n"
        "                        suggests, in place of the deck's own (designed, the\n"
        "                        default); a deck that fails with none to suggest is\n"
        "                        not written.\n");
}

QString parameterFileList()
{
    const QString first = QLatin1String(deckfile::shapeOf(deckfile::FirstDeckType)->family->file);
    QStringList files = deckfile::parameterFiles();
    std::sort(files.begin(), files.end(), [&first](const QString &a, const QString &b) {
        return a == first ? b != first : b != first && a < b;
    });
    const QString last = files.takeLast();
    return files.isEmpty() ? last : files.join(QStringLiteral(", ")) + QStringLiteral(" or ") + last;
}

QString wrapped(const QString &text, qsizetype columns)
{
    QString lines, line;
    for (const QString &word : text.split(u' ', Qt::SkipEmptyParts)) {
        if (!line.isEmpty() && line.size() + 1 + word.size() > columns) {
            lines += line + u'\n';
            line.clear();
        }
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    return line.isEmpty() ? lines : lines + line + u'\n';
}

QString helpText()
{
    return QStringLiteral(
        "Usage: deckviewer --open FOLDER|FILE|DESIGN\n"
        "       deckviewer --render FOLDER|FILE|DESIGN [--view VIEW] [--mode MODE] --out FILE\n"
        "\n")
        + wrapped(QStringLiteral("Shows a deck designed with Joistmaster, or writes it to a file. FOLDER is a "
                                 "wizard folder (its DeckType.txt names the deck parameter file), FILE one deck "
                                 "parameter file (%1), DESIGN a deck design saved by the viewer (.jmdeck), which "
                                 "brings its own code check settings and waste allowance unless the options "
                                 "below give others.")
                      .arg(parameterFileList()),
                  HelpColumns)
        + QStringLiteral(
        "\n"
        "Options:\n"
        "  --open FOLDER|FILE|DESIGN\n"
        "                        Show the deck in a window, in the file's viewing mode\n"
        "                        (switch with 0, 1, 2; views with P, F, S, I, Home; drag\n"
        "                        to orbit, wheel to zoom, middle button or Shift-drag\n"
        "                        to pan), with its facts, material takeoff and\n"
        "                        parameter files. Drawings go out as PNG, SVG or PDF\n"
        "                        and to the printer. When the drawing is finished a\n"
        "                        line \"drawn <deck>\" (or \"cannot draw: <why>\") goes\n"
        "                        to stdout.\n"
        "  --render FOLDER|FILE|DESIGN\n"
        "                        With --out: read the deck, frame and check it, write it\n"
        "                        and end, without a window.\n"
    ) + outputOptionsHelp() + QStringLiteral(
        "  --help                Show this text.\n"
        "\n"
        "deckviewer ends with exit code 2 when the command line is wrong. With --render\n"
        "it ends with 0 when the file is written, else with 1 and one line saying why;\n"
        "with --open when its window is closed.\n");
}

} // namespace deckviewer
