#include "commandline.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>

#ifndef JOISTMASTER_VERSION
#define JOISTMASTER_VERSION "unknown"
#endif

namespace {
const QLatin1String FolderOption("--program-folder");

QString helpText()
{
    return QStringLiteral(
        "Usage: joistmaster [--program-folder DIR]\n"
        "\n"
        "Joistmaster leads you through designing a garden deck and hands it to the\n"
        "running host CAD application (\"Plankora.Application\" on the session bus).\n"
        "It keeps the parameter files the host's symbols read (DeckSize.txt,\n"
        "DeckType.txt, Sizes.txt and the Deck_*.txt files) in its program folder.\n"
        "\n"
        "Options:\n"
        "  --program-folder DIR  Use DIR, which must exist, as the program folder\n"
        "                        (default: the folder of the joistmaster executable).\n"
        "  --help                Show this text.\n"
        "  --version             Show the version.\n");
}

CommandLine refused(const QString &why, bool unknownWord = false)
{
    return {CommandLine::Action::Refuse, {}, QStringLiteral("joistmaster: %1 (see --help).\n").arg(why), unknownWord};
}

// The folder as an absolute path, or a refusal when it is not an existing folder.
CommandLine runIn(const QString &folder)
{
    if (folder.isEmpty())
        return refused(QStringLiteral("%1 needs a folder").arg(FolderOption));
    const QFileInfo info(folder);
    if (!info.exists())
        return refused(QStringLiteral("the program folder \"%1\" does not exist").arg(folder));
    if (!info.isDir())
        return refused(QStringLiteral("the program folder \"%1\" is not a folder").arg(folder));
    return {CommandLine::Action::Run, QDir::cleanPath(info.absoluteFilePath()), {}};
}
} // namespace

CommandLine readCommandLine(const QStringList &arguments, const QString &executableFolder)
{
    if (arguments.contains(u"--help") || arguments.contains(u"-h"))
        return {CommandLine::Action::Help, {}, helpText()};
    if (arguments.contains(u"--version"))
        return {CommandLine::Action::Version, {}, QStringLiteral("joistmaster " JOISTMASTER_VERSION "\n")};

    std::optional<QString> folder;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (argument == FolderOption) {
            if (i + 1 >= arguments.size())
                return refused(QStringLiteral("%1 needs a folder").arg(FolderOption));
            folder = arguments[++i];
        } else if (argument.startsWith(FolderOption + u'=')) {
            folder = argument.mid(FolderOption.size() + 1);
        } else if (argument.startsWith(u'-')) {
            return refused(QStringLiteral("unknown option \"%1\"").arg(argument), true);
        } else {
            return refused(QStringLiteral("unexpected argument \"%1\"").arg(argument), true);
        }
    }
    // The executable's own folder is there by definition: only a chosen one is checked.
    if (!folder)
        return {CommandLine::Action::Run, executableFolder, {}};
    return runIn(*folder);
}

int printAnswer(const CommandLine &commandLine)
{
    const bool refusal = commandLine.action == CommandLine::Action::Refuse;
    std::fputs(qPrintable(commandLine.text), refusal ? stderr : stdout);
    return refusal ? 2 : 0;
}

std::optional<int> answerBeforeStart(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine commandLine = readCommandLine(arguments, {});
    if (commandLine.action != CommandLine::Action::Run && !commandLine.unknownWord)
        return printAnswer(commandLine);
    return std::nullopt;
}
