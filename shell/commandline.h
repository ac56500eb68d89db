// The wizard's command line: which folder holds the parameter files, or a
// text to print instead of running. Plain logic, read before any window.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

struct CommandLine {
    enum class Action { Run, Help, Version, Refuse };
    Action action = Action::Run;
    QString programFolder; // absolute; for Run
    QString text;          // what to print for Help, Version and Refuse
    bool unknownWord = false; // refused for a word that may still be one of Qt's options
};

// arguments without the program name. --help or --version anywhere wins over
// a mistake elsewhere on the line. Without --program-folder the program folder
// is executableFolder.
[[nodiscard]] CommandLine readCommandLine(const QStringList &arguments, const QString &executableFolder);

// For anything but Run: prints the text (help and version to stdout, a refusal
// to stderr) and gives the exit code: 0, or 2 for a refused command line.
int printAnswer(const CommandLine &commandLine);

// --help, --version and a wrong program folder are answered before Qt starts,
// so that they need no display: the exit code when the line is answered. A
// word the wizard does not know waits until Qt has taken its own options
// (-platform, -style, ...) from the line.
std::optional<int> answerBeforeStart(int argc, char *argv[]);
