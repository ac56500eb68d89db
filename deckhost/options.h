// deckhost's command line. Plain text logic, no bus and no widgets. --open and
// --render with their options are the deck viewer's, read by its own reader
// and handed over to it.
#pragma once

#include "vieweroptions.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

// How the host misbehaves on purpose, member by member (a member is a method
// or a property name, on whatever object it is asked).
struct Behaviour {
    QSet<QString> failing;         // answer with a D-Bus error
    QSet<QString> wrongType;       // answer with a string where the interface says otherwise
    QHash<QString, int> delaysMs;  // answer only after this long
};

struct Options {
    QString journal;       // empty: stdout only
    QString wizardFolder;  // where the wizard writes its parameter files
    bool headless = false;
    bool help = false;
    Behaviour behaviour;
    // With --open or --render: the viewer's work, done instead of the host's,
    // without the bus.
    std::optional<deckviewer::Options> viewer;
};

struct ParsedOptions {
    Options options;
    QString error; // empty when the command line was understood
};

// arguments without the program name; defaultWizardFolder is the folder of the executable.
ParsedOptions parseOptions(const QStringList &arguments, const QString &defaultWizardFolder);

QString helpText();
