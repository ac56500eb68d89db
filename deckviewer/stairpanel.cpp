#include "stairpanel.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>

StairPanel::StairPanel(QWidget *parent)
    : QWidget(parent), edge(new QComboBox(this)), offset(new QDoubleSpinBox(this)), note(new QLabel(this))
{
    edge->setObjectName(QStringLiteral("stairEdge"));
    offset->setObjectName(QStringLiteral("stairOffset"));
    offset->setSuffix(QStringLiteral(" in"));
    offset->setDecimals(1);
    offset->setKeyboardTracking(false);
    note->setObjectName(QStringLiteral("stairNote"));
    note->setWordWrap(true);
    auto *form = new QFormLayout(this);
    form->addRow(tr("Edge"), edge);
    form->addRow(tr("Centre along it"), offset);
    form->addRow(note);
    connect(edge, &QComboBox::currentIndexChanged, this, &StairPanel::changed);
    connect(offset, &QDoubleSpinBox::valueChanged, this, &StairPanel::changed);
    setEnabled(false);
}

void StairPanel::setDeck(const std::vector<StairEdge> &edges, const deckmodel::StairLayout &stair)
{
    m_filling = true;
    m_edges = edges;
    m_stair = stair;
    edge->clear();
    edge->addItem(tr("No stair"), -1);
    int current = 0;
    for (const StairEdge &e : edges) {
        edge->addItem(e.words, e.edge);
        if (stair.present && e.edge == stair.edge)
            current = edge->count() - 1;
    }
    edge->setCurrentIndex(current);
    const auto chosen = std::find_if(edges.begin(), edges.end(), [&](const StairEdge &e) { return e.edge == stair.edge; });
    offset->setEnabled(current > 0 && chosen != edges.end());
    if (current > 0 && chosen != edges.end()) {
        offset->setRange(chosen->fromInches, chosen->toInches);
        offset->setValue(stair.offsetInches);
    }
    note->setText(edges.empty() ? tr("No edge of this deck is long enough for a stair.")
                                : tr("The stair is saved for this deck and shown in every view, the takeoff and the facts."));
    setEnabled(true);
    m_filling = false;
}

void StairPanel::setNone(const QString &why)
{
    m_filling = true;
    m_edges.clear();
    m_stair = deckmodel::StairLayout{false};
    edge->clear();
    edge->addItem(tr("No stair"), -1);
    offset->setEnabled(false);
    note->setText(why);
    setEnabled(false);
    m_filling = false;
}

void StairPanel::changed()
{
    if (m_filling)
        return;
    deckmodel::StairLayout layout = m_stair;
    const int chosen = edge->currentData().toInt();
    layout.present = chosen >= 0;
    if (layout.present && chosen != m_stair.edge) {
        layout.edge = chosen;
        layout.offsetInches = -1; // the middle of the new edge
    } else if (layout.present) {
        layout.offsetInches = offset->value();
    }
    if (layout == m_stair)
        return;
    m_stair = layout;
    emit stairChanged(layout);
}
