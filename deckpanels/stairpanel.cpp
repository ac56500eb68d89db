#include "stairpanel.h"

#include "stairedges.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>

#include <algorithm>

namespace {
// The box takes any centre a person may type, so that one where the stair
// would not fit is answered in words rather than held back by the box.
constexpr double largestOffset = 99999;
} // namespace

StairPanel::StairPanel(QWidget *parent)
    : QWidget(parent), edge(new QComboBox(this)), offset(new QDoubleSpinBox(this)), offsetLabel(new QLabel(this)),
      note(new QLabel(this))
{
    edge->setObjectName(QStringLiteral("stairEdge"));
    offset->setObjectName(QStringLiteral("stairOffset"));
    offset->setSuffix(QStringLiteral(" in"));
    offset->setDecimals(1);
    offset->setRange(0, largestOffset);
    offset->setKeyboardTracking(false);
    offsetLabel->setObjectName(QStringLiteral("stairOffsetLabel"));
    offsetLabel->setText(tr("Centre from the corner"));
    offsetLabel->setBuddy(offset);
    note->setObjectName(QStringLiteral("stairNote"));
    note->setWordWrap(true);
    auto *edgeLabel = new QLabel(tr("&Edge"), this);
    edgeLabel->setBuddy(edge);
    auto *form = new QFormLayout(this);
    form->addRow(edgeLabel, edge);
    form->addRow(offsetLabel, offset);
    form->addRow(note);
    connect(edge, &QComboBox::currentIndexChanged, this, &StairPanel::changed);
    connect(offset, &QDoubleSpinBox::valueChanged, this, &StairPanel::changed);
    setEnabled(false);
}

const StairEdge *StairPanel::chosenEdge() const
{
    const int chosen = edge->currentData().toInt();
    const auto found = std::find_if(m_edges.begin(), m_edges.end(), [&](const StairEdge &e) { return e.edge == chosen; });
    return found == m_edges.end() ? nullptr : &*found;
}

// The centre's box and its label for the edge chosen, at the stair's place.
void StairPanel::showPlace()
{
    const StairEdge *chosen = m_stair.present ? chosenEdge() : nullptr;
    offset->setEnabled(chosen);
    offsetLabel->setText(chosen ? tr("&Centre from the %1 corner").arg(chosen->fromEnd) : tr("&Centre from the corner"));
    if (chosen)
        offset->setValue(m_stair.offsetInches);
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
    m_stair.present = current > 0;
    showPlace();
    m_note = edges.empty() ? tr("No edge of this deck is long enough for a stair.")
                           : tr("The stair is saved for this deck and shown in every view, the takeoff and the facts.");
    note->setText(m_note);
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
    showPlace();
    m_note = why;
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
    if (layout.present && (chosen != m_stair.edge || !m_stair.present)) {
        layout.edge = chosen;
        layout.offsetInches = -1; // the middle of the new edge
    } else if (layout.present) {
        const StairEdge *on = chosenEdge();
        const QString refused = on ? stairedges::refusal(*on, offset->value(), m_stair.widthInches) : QString();
        if (!refused.isEmpty()) {
            m_filling = true;
            offset->setValue(m_stair.offsetInches);
            m_filling = false;
            note->setText(refused);
            return;
        }
        layout.offsetInches = offset->value();
    }
    note->setText(m_note);
    if (layout == m_stair)
        return;
    m_stair = layout;
    emit stairChanged(layout);
}

#include "moc_stairpanel.cpp"
