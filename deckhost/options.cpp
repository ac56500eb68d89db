#include "options.h"

#include "contract.h"

namespace {
bool isMember(const QString &name)
{
    for (const contract::Interface &interface : contract::plankora())
        for (const contract::Member &member : interface.members)
            if (member.name == name)
                return true;
    return false;
}

QString unknownMember(const QString &option, const QString &name)
{
    return QStringLiteral("%1 %2: there is no member \"%2\" (see --help for the members).").arg(option, name);
}

// The --open the viewer's reader takes: it reads its options in order and
// stops at the first --view or --mode it does not know, so an --open read
// before that asks for a window even when the command line is wrong.
QString openRead(const QStringList &viewerArguments)
{
    QString open;
    for (qsizetype i = 0; i + 1 < viewerArguments.size(); i += 2) {
        const QString &option = viewerArguments[i];
        if (option == u"--open")
            open = viewerArguments[i + 1];
        else if ((option == u"--view" || option == u"--mode") && !deckviewer::parseOptions(viewerArguments.mid(i, 2), false))
            break;
    }
    return open;
}
} // namespace

ParsedOptions parseOptions(const QStringList &arguments, const QString &defaultWizardFolder)
{
    ParsedOptions parsed;
    Options &options = parsed.options;
    options.wizardFolder = defaultWizardFolder;
    QStringList viewerArguments;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &option = arguments[i];
        if (option == u"--help" || option == u"-h") {
            options.help = true;
            continue;
        }
        if (option == u"--headless") {
            options.headless = true;
            continue;
        }
        const bool takesValue = option == u"--journal" || option == u"--wizard-folder" || option == u"--fail"
            || option == u"--delay" || option == u"--wrong-type" || deckviewer::takesViewerValue(option);
        if (!takesValue) {
            parsed.error = QStringLiteral("unknown option \"%1\" (see --help).").arg(option);
            return parsed;
        }
        if (i + 1 >= arguments.size()) {
            parsed.error = QStringLiteral("%1 needs a value (see --help).").arg(option);
            return parsed;
        }
        const QString value = arguments[++i];
        if (deckviewer::takesViewerValue(option)) {
            viewerArguments << option << value;
        } else if (option == u"--journal") {
            options.journal = value;
        } else if (option == u"--wizard-folder") {
            options.wizardFolder = value;
        } else if (option == u"--fail" || option == u"--wrong-type") {
            if (!isMember(value)) {
                parsed.error = unknownMember(option, value);
                return parsed;
            }
            (option == u"--fail" ? options.behaviour.failing : options.behaviour.wrongType).insert(value);
        } else {
            const qsizetype equals = value.indexOf(u'=');
            bool isNumber = false;
            const int ms = equals > 0 ? value.mid(equals + 1).toInt(&isNumber) : 0;
            if (!isNumber || ms < 0) {
                parsed.error = QStringLiteral("--delay %1: write MEMBER=MS, e.g. --delay Prepare=5000.").arg(value);
                return parsed;
            }
            const QString member = value.left(equals);
            if (!isMember(member)) {
                parsed.error = unknownMember(QStringLiteral("--delay"), member);
                return parsed;
            }
            options.behaviour.delaysMs.insert(member, ms);
        }
    }
    const jm::Result<deckviewer::Options> viewer = deckviewer::parseOptions(viewerArguments, false);
    if (options.headless && !openRead(viewerArguments).isEmpty())
        parsed.error = QStringLiteral("--open shows a window; it cannot be --headless.");
    else if (!viewer)
        parsed.error = viewer.error();
    else if (!viewer->open.isEmpty() || !viewer->render.isEmpty())
        options.viewer = *viewer;
    return parsed;
}

QString helpText()
{
    return QStringLiteral(
        "Usage: deckhost [options]\n"
        "\n"
        "A substitute for the host application: it owns \"Plankora.Application\" on the\n"
        "session bus and answers every member of the Plankora automation interface\n"
        "(docs/host-dbus.md), so that Joistmaster can be run and tested without the\n"
        "real host. Objects:\n"
        "  /Application                       Plankora.HostApplication\n"
        "  /Application/Provider              Plankora.TargetProvider\n"
        "  /Application/ActiveTarget          Plankora.SymbolTarget (ActiveTarget)\n"
        "  /Application/Provider/Target       Plankora.SymbolTarget (Target)\n"
        "  <target>/Loader                    Plankora.SymbolLoader (SymbolLoader)\n"
        "Members: ActiveTarget, ActiveProvider, Prepare, Target, Mode2D,\n"
        "OpenSymbolFile, SymbolLoader, LoadSymbol.\n"
        "\n"
        "Options:\n"
        "  --journal FILE        Append one JSON line per call received to FILE:\n"
        "                        {\"path\":..,\"interface\":..,\"member\":..,\n"
        "                         \"kind\":\"get\"|\"put\"|\"call\",\"args\":[..]}\n"
        "                        Every line also goes to stdout, with or without FILE.\n"
        "  --wizard-folder DIR   The wizard's program folder, where it writes its\n"
        "                        parameter files (default: the folder of deckhost).\n"
        "  --headless            Run without a window.\n"
        "  --fail MEMBER         Answer MEMBER with the D-Bus error Plankora.Error.Failed\n"
        "                        (repeatable). A property fails for get and put.\n"
        "  --delay MEMBER=MS     Answer MEMBER only after MS milliseconds (repeatable);\n"
        "                        other calls are answered meanwhile.\n"
        "  --wrong-type MEMBER   Answer MEMBER with a string where the interface says\n"
        "                        otherwise (repeatable).\n"
        "  --open FOLDER|FILE    Only show the deck of a wizard folder (its DeckType.txt\n"
        "                        names the parameter file) or of one deck parameter\n"
        "                        file, without the bus.\n"
        "  --render FOLDER|FILE  With --out: read the deck of a wizard folder (its\n"
        "                        DeckType.txt names the parameter file) or of one deck\n"
        "                        parameter file, frame and check it, write it and end.\n"
    ) + deckviewer::outputOptionsHelp() + QStringLiteral(
        "  --help                Show this text.\n"
        "\n"
        "Without --headless a window draws what the wizard asked for. After\n"
        "OpenSymbolFile of a 3D deck it shows the deck built from that family's\n"
        "parameter file in the wizard folder, in the file's viewing mode (switch with\n"
        "0, 1, 2; views with P, F, S, I, Home; drag to orbit, wheel to zoom, middle\n"
        "button or Shift-drag to pan), with the deck's facts and material takeoff.\n"
        "After LoadSymbol and OpenSymbolFile of the 2D decks it shows the plan of the\n"
        "loaded style at the width of DeckSize.txt. A deck that cannot be built is\n"
        "shown as a sentence saying why. Drawings go out as PNG, SVG or PDF and to\n"
        "the printer. The Calls tab lists the calls received and the parameter files\n"
        "found after the last OpenSymbolFile. When a drawing is finished a line\n"
        "\"drawn <deck>\" (or \"cannot draw: <why>\") goes to stdout. deckhost ends\n"
        "when its window is closed.\n"
        "\n"
        "deckhost ends with exit code 1 and a message when another process already owns\n"
        "\"Plankora.Application\", or when there is no session bus; with 2 when the\n"
        "command line is wrong. With --render it ends with 0 when the file is written,\n"
        "else with 1 and one line saying why.\n");
}
