// The design's values a person may change, each with its unit. A 3D deck:
// the sizes and height, every framing value (overhangs, posts, beam lines,
// beams, joists), the decking and its gap, whether it hangs on the house
// (along its front, back, left or right edge, fastened to what and with what, through how
// much sheathing), and its site (the lot, the deck's place on it, north, the
// frost depth). A 2D deck: its style and width. Either: the project's facts
// for the title block. Lumber comes from the catalogue's sizes a deck is
// framed with: joists 2x6 to 2x12 at 12, 16 or 24 inches, beams 2x6 to 2x12
// of 1 to 3 plies, posts 4x4, 6x6 or 8x8; the styles are the catalogue's.
// The panel only shows the design handed to it
// and reports each change as the whole design changed, named for the Edit
// menu; it never applies one itself.
#pragma once

#include "design.h"

#include <QWidget>

#include <functional>
#include <optional>
#include <utility>

class QComboBox;
class QDoubleSpinBox;
class QFormLayout;
class QLineEdit;
class QSpinBox;

namespace deckviewer {

// The highest deck the panel offers, in feet: the tables' tallest post
// (14 ft, Table R507.4) with the beam, joists and decking on it.
inline constexpr double HighestDeckFeet = 16;

class FramingPanel : public QWidget {
    Q_OBJECT
public:
    explicit FramingPanel(QWidget *parent = nullptr);

    // Shows a design's values without reporting them as changed: a 3D deck's
    // rows or a 2D deck's, the other kind's hidden; with none every box is
    // disabled.
    void setDesign(const design::Design *design);

signals:
    // `what` names the change ("Change the Z overhang").
    void edited(const QString &what, const design::Design &changed);

private:
    QDoubleSpinBox *feetBox(const QString &name, double least, double most);
    QDoubleSpinBox *siteBox(const QString &name, double notGiven, double most, const QString &suffix);
    QComboBox *comboBox(const QString &name, const QList<std::pair<QString, QVariant>> &items);
    void changed(const QString &what, const std::function<void(design::Design &)> &edit);

    std::optional<design::Design> m_design;
    QDoubleSpinBox *m_a, *m_b, *m_height, *m_overhangX, *m_overhangZ, *m_postSpacing, *m_beamSpacing, *m_gap;
    QComboBox *m_postSize, *m_beamSize, *m_joistSize, *m_joistSpacing, *m_decking;
    QComboBox *m_house, *m_attachedTo, *m_fastener;
    QDoubleSpinBox *m_sheathing;
    QSpinBox *m_plies;
    QComboBox *m_style;
    QDoubleSpinBox *m_width;
    QLineEdit *m_owner, *m_site, *m_preparer, *m_notes;
    QDoubleSpinBox *m_lotWidth, *m_lotDepth, *m_fromLeft, *m_fromBack, *m_north, *m_frost;
    QFormLayout *m_form;
    QList<std::pair<QDoubleSpinBox *, double deckfile::DeckParameters::*>> m_feet; // each box and the value it shows
    QList<QWidget *> m_deckBoxes, m_planBoxes, m_factBoxes; // a 3D deck's rows (its site too), a 2D deck's, both's
};

} // namespace deckviewer
