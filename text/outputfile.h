// Files a person asked for (a model, a takeoff, a drawing), written so that
// no one else's file is touched: the new file is made in a folder of its own
// beside the target, created for this write alone, and renamed over the
// target once whole; the folder goes on every path out. A target that is a
// folder, a FIFO or a device is refused; a link at the target is replaced,
// never written through; the target's permission bits are kept. A failure
// says the system's reason ("Permission denied", "No space left on device").
#pragma once

#include "result.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace outputfile {

// Why the target may not be written, or success.
jm::Status checkTarget(const QString &target);

// A private folder beside the target, for writers that write by name (and
// may add files of their own beside the one they are given).
class Scratch {
public:
    explicit Scratch(const QString &target);
    Scratch(const Scratch &) = delete;
    Scratch &operator=(const Scratch &) = delete;

    // Whether the folder could be made, and why not.
    const jm::Status &status() const { return m_status; }
    // The path of a file in the folder, named after the target.
    QString file() const;
    // Moves file() over the target, with the target's permission bits.
    jm::Status commit();

private:
    QString m_target;
    QTemporaryDir m_folder;
    jm::Status m_status = jm::success();
};

// Whether the two paths name one existing file, links resolved.
bool sameFile(const QString &a, const QString &b);

// The bytes as the target's whole new content, or nothing changed.
jm::Status writeWhole(const QString &target, const QByteArray &bytes);

} // namespace outputfile
