// The "Stair" panel: which straight edge of the outline the stair leaves
// from (those long enough, named as the person sees them: "Front edge,
// 16' 0\" long"), where its centre lies as a distance from one of the edge's
// corners, or no stair at all. A change is handed on at once as the layout
// to build with; a centre typed where the stair would not fit is refused,
// saying why. While the panel is shown, the view labels the edges.
#pragma once

#include "extras.h"

#include <QWidget>

#include <vector>

class QComboBox;
class QDoubleSpinBox;
class QLabel;

// An edge a stair fits on: its index, its words and where the centre may lie.
struct StairEdge {
    int edge = 0;
    QString words;   // "Front edge, 16' 0\" long"
    QString name;    // "Front edge", as the view labels it
    QString fromEnd; // the corner its place is measured from: "left", "right", "front", "back"
    double lengthInches = 0;
    double fromInches = 0, toInches = 0;
    deckmodel::Point labelAt;      // in plan, just outside its middle
    double labelHeightInches = 0;  // the deck's top
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
    QDoubleSpinBox *offset; // inches along the edge, from the corner the label names
    QLabel *offsetLabel;   // "Centre from the left corner"
    QLabel *note;

    // The edges the panel offers now, for the view's labels.
    const std::vector<StairEdge> &edges() const { return m_edges; }

signals:
    void stairChanged(const deckmodel::StairLayout &layout);

private:
    void changed();
    const StairEdge *chosenEdge() const;
    void showPlace();

    std::vector<StairEdge> m_edges;
    deckmodel::StairLayout m_stair;
    bool m_filling = false;
    QString m_note; // what the note says while nothing is refused
};
