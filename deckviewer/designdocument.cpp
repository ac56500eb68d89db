#include "designdocument.h"

#include "designfile.h"

#include <QFileInfo>
#include <QUndoCommand>

namespace deckviewer {

// One change to the design: the design before and after it.
class DesignChange : public QUndoCommand {
public:
    DesignChange(DesignDocument *document, const QString &what, design::Design before, design::Design after)
        : QUndoCommand(what), m_document(document), m_before(std::move(before)), m_after(std::move(after))
    {
    }
    void undo() override { m_document->set(m_before); }
    void redo() override { m_document->set(m_after); }

private:
    DesignDocument *m_document;
    design::Design m_before, m_after;
};

DesignDocument::DesignDocument(QObject *parent) : QObject(parent)
{
    connect(&m_undo, &QUndoStack::cleanChanged, this, &DesignDocument::stateChanged);
}

void DesignDocument::reset(const design::Design &design, const QString &path, const QString &source)
{
    m_undo.clear();
    m_open = true;
    m_design = design;
    m_path = path;
    m_source = source;
    m_undo.setClean();
    emit stateChanged();
    emit changed(false);
}

void DesignDocument::clear()
{
    m_undo.clear();
    m_open = false;
    m_design = {};
    m_path.clear();
    m_source.clear();
    emit stateChanged();
}

QString DesignDocument::name() const
{
    return m_path.isEmpty() ? design::nameOf(m_design) : QFileInfo(m_path).completeBaseName();
}

bool DesignDocument::isModified() const
{
    return m_open && !m_undo.isClean();
}

void DesignDocument::change(const QString &what, const design::Design &changed)
{
    if (!m_open || design::sameDesign(changed, m_design))
        return;
    m_undo.push(new DesignChange(this, what, m_design, changed));
}

jm::Status DesignDocument::saveTo(const QString &path)
{
    if (const jm::Status written = design::writeDesign(path, m_design); !written)
        return written;
    m_path = path;
    m_undo.setClean();
    emit stateChanged();
    return jm::success();
}

void DesignDocument::set(const design::Design &design)
{
    m_design = design;
    emit changed(true);
}

} // namespace deckviewer

#include "moc_designdocument.cpp"
