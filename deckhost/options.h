// deckhost's command line. Plain text logic, no bus and no widgets.
#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

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
    QString open;          // a deck folder or parameter file to show, without the bus
    bool headless = false;
    bool help = false;
    QString render;        // a deck to write to `out` and end, without bus or window
    QString out;
    QString view = QStringLiteral("iso"); // for a drawing: iso, plan, front or side
    QString mode;          // for a drawing: wireframe, hidden or shaded; empty: the file's
    Behaviour behaviour;
};

struct ParsedOptions {
    Options options;
    QString error; // empty when the command line was understood
};

// arguments without the program name; defaultWizardFolder is the folder of the executable.
ParsedOptions parseOptions(const QStringList &arguments, const QString &defaultWizardFolder);

QString helpText();
