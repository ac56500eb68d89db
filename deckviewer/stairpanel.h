// The "Stair" panel: which straight edge of the outline the stair leaves
// from (those long enough, by number, length and the way the stair faces),
// where along it its centre lies, or no stair at all. A change is handed on
// at once as the layout to build with.
#pragma once

#include "extras.h"

#include <QWidget>

class QComboBox;
class QDoubleSpinBox;
class QLabel;

// An edge a stair fits on: its index, its words and where the centre may lie.
struct StairEdge {
    int edge = 0;
    QString words; // "Edge 3: 16' 0\" long, facing -X"
    double fromInches = 0, toInches = 0;
};

class StairPanel : public QWidget {
    Q_OBJECT
public:
    explicit StairPanel(QWidget *parent = nullptr);

    // The deck's edges and its stair as built; none: a deck without one to place.
    void setDeck(const std::vector<StairEdge> &edges, const deckmodel::StairLayout &stair);
    // No deck to place a stair on (a 2D plan, a deck that could not be
    // built): the panel empty and disabled, saying why.
    void setNone(const QString &why);

    QComboBox *edge;       // "No stair", then the edges
    QDoubleSpinBox *offset; // inches along the edge
    QLabel *note;

signals:
    void stairChanged(const deckmodel::StairLayout &layout);

private:
    void changed();

    std::vector<StairEdge> m_edges;
    deckmodel::StairLayout m_stair;
    bool m_filling = false;
};
