// The design on screen: one at a time, with where it is saved (none yet for
// a deck new from the wizard), what it was opened from, and every change to
// it on an undo stack. Saving marks the stack clean; the document is
// modified while it has changes made since it was opened or last saved (a
// new design from the wizard, unchanged, loses nothing if it is left).
#pragma once

#include "design.h"

#include <QObject>
#include <QUndoStack>

namespace deckviewer {

class DesignDocument : public QObject {
    Q_OBJECT
public:
    explicit DesignDocument(QObject *parent = nullptr);

    // A design to show from now on: `path` its file (empty: not saved yet),
    // `source` what it was opened from. The undo stack starts empty.
    void reset(const design::Design &design, const QString &path, const QString &source);
    // No design (a deck that could not be read, or only a host call's error).
    void clear();

    bool isOpen() const { return m_open; }
    const design::Design &design() const { return m_design; }
    QString path() const { return m_path; }
    QString source() const { return m_source; }
    // The saved file's name without its extension, or the shape's for a new design.
    QString name() const;
    bool isModified() const;

    // One undoable change, named for the Edit menu ("Change the Z overhang");
    // none when the design stays the same.
    void change(const QString &what, const design::Design &changed);
    // Writes the design to `path`, which it is then saved at.
    jm::Status saveTo(const QString &path);

    QUndoStack *undoStack() { return &m_undo; }

signals:
    // The design changed: `edited` by a change, an undo or a redo, else another design.
    void changed(bool edited);
    // Whether it has unsaved changes changed, or its name.
    void stateChanged();

private:
    friend class DesignChange;
    void set(const design::Design &design);

    bool m_open = false;
    design::Design m_design;
    QString m_path, m_source;
    QUndoStack m_undo;
};

} // namespace deckviewer
