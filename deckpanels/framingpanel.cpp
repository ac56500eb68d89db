#include "framingpanel.h"

#include "catalogue.h"
#include "ledger.h"
#include "plan.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>

#include <algorithm>
#include <cmath>

namespace deckviewer {

namespace {
// The catalogue's framing lumber by its actual depth ("2x8": 7.25).
QList<std::pair<QString, QVariant>> framingLumber()
{
    QList<std::pair<QString, QVariant>> items;
    for (const char *name : {"2x6", "2x8", "2x10", "2x12"})
        if (const deckfile::Lumber *lumber = deckfile::lumberNamed(QString::fromLatin1(name)))
            items.append({QString::fromLatin1(name), lumber->depthInches});
    return items;
}

// Picks the item holding `value`; a value no item holds (a hand-made file's)
// gets an item of its own, in inches.
void choose(QComboBox *box, double value)
{
    const QSignalBlocker quiet(box);
    for (int i = 0; i < box->count(); ++i)
        if (box->itemData(i).isValid() && std::abs(box->itemData(i).toDouble() - value) < 1e-9) {
            box->setCurrentIndex(i);
            return;
        }
    box->addItem(QStringLiteral("%1 in").arg(value), value);
    box->setCurrentIndex(box->count() - 1);
}

void showValue(QDoubleSpinBox *box, double value)
{
    const QSignalBlocker quiet(box);
    box->setValue(value);
}

// The catalogue's 2D deck styles by number ("Deck 7": 7).
QList<std::pair<QString, QVariant>> planStyles()
{
    QList<std::pair<QString, QVariant>> items;
    for (int style = deckfile::FirstStyle; style <= deckfile::LastStyle; ++style)
        items.append({QStringLiteral("Deck %1").arg(style), style});
    return items;
}

void showValue(QLineEdit *edit, const QString &text)
{
    const QSignalBlocker quiet(edit);
    edit->setText(text);
}
} // namespace

FramingPanel::FramingPanel(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("framingPanel"));
    m_a = feetBox(QStringLiteral("aBox"), 1, deckfile::specOf(deckfile::Line::DeckDepth).largest);
    m_b = feetBox(QStringLiteral("bBox"), 1, deckfile::specOf(deckfile::Line::DeckWidth).largest);
    m_height = feetBox(QStringLiteral("heightBox"), 0.5, HighestDeckFeet);
    m_overhangX = feetBox(QStringLiteral("overhangXBox"), 0, deckfile::specOf(deckfile::Line::XOverhang).largest);
    m_overhangZ = feetBox(QStringLiteral("overhangZBox"), 0, deckfile::specOf(deckfile::Line::ZOverhang).largest);
    m_postSpacing = feetBox(QStringLiteral("postSpacingBox"), 0.5, deckfile::specOf(deckfile::Line::PostSpacing).largest);
    m_beamSpacing = feetBox(QStringLiteral("beamSpacingBox"), 0.5, deckfile::specOf(deckfile::Line::BeamSpacing).largest);
    m_gap = feetBox(QStringLiteral("gapBox"), 0, 1);
    m_gap->setSuffix(QStringLiteral(" in"));
    m_gap->setDecimals(3);
    m_gap->setSingleStep(0.0625);
    m_postSize = comboBox(QStringLiteral("postSizeBox"), {{QStringLiteral("4x4"), 4.0}, {QStringLiteral("6x6"), 6.0}, {QStringLiteral("8x8"), 8.0}});
    m_beamSize = comboBox(QStringLiteral("beamSizeBox"), framingLumber());
    m_joistSize = comboBox(QStringLiteral("joistSizeBox"), framingLumber());
    m_joistSpacing = comboBox(QStringLiteral("joistSpacingBox"), {{QStringLiteral("12 in"), 12.0}, {QStringLiteral("16 in"), 16.0}, {QStringLiteral("24 in"), 24.0}});
    m_decking = comboBox(QStringLiteral("deckingBox"), {{QStringLiteral("5/4x6"), {}}, {QStringLiteral("2x4"), {}}, {QStringLiteral("2x6"), {}}});
    m_house = comboBox(QStringLiteral("houseBox"), {{tr("Free-standing"), QString()},
                                                    {tr("Hung on the house along the front edge"), QStringLiteral("front")},
                                                    {tr("Hung on the house along the back edge"), QStringLiteral("back")},
                                                    {tr("Hung on the house along the left edge"), QStringLiteral("left")},
                                                    {tr("Hung on the house along the right edge"), QStringLiteral("right")}});
    QList<std::pair<QString, QVariant>> framings;
    for (int i = 0; i <= int(deckmodel::HouseFraming::ChimneyOrBay); ++i)
        framings.append({deckmodel::houseFramingWords(deckmodel::HouseFraming(i)), i});
    m_attachedTo = comboBox(QStringLiteral("attachedToBox"), framings);
    QList<std::pair<QString, QVariant>> fasteners;
    for (int i = 0; i <= int(deckmodel::LedgerFastener::BoltWashers); ++i)
        fasteners.append({deckmodel::fastenerWords(deckmodel::LedgerFastener(i)), i});
    m_fastener = comboBox(QStringLiteral("fastenerBox"), fasteners);
    m_sheathing = feetBox(QStringLiteral("sheathingBox"), 0, 12);
    m_sheathing->setSuffix(QStringLiteral(" in"));
    m_sheathing->setDecimals(3);
    m_sheathing->setSingleStep(0.125);
    m_plies = new QSpinBox(this);
    m_plies->setObjectName(QStringLiteral("pliesBox"));
    m_plies->setRange(1, 3);
    m_plies->setKeyboardTracking(false);
    m_deckBoxes = {m_a, m_b, m_height, m_overhangX, m_overhangZ, m_postSize, m_postSpacing, m_beamSpacing,
                   m_beamSize, m_plies, m_joistSize, m_joistSpacing, m_decking, m_gap,
                   m_house, m_attachedTo, m_fastener, m_sheathing};
    m_style = comboBox(QStringLiteral("styleBox"), planStyles());
    m_width = feetBox(QStringLiteral("widthBox"), 1, deckfile::specOf(deckfile::Line::DeckWidth).largest);
    m_planBoxes = {m_style, m_width};
    for (QLineEdit **edit : {&m_owner, &m_site, &m_preparer, &m_notes}) {
        *edit = new QLineEdit(this);
        m_factBoxes << *edit;
    }
    m_owner->setObjectName(QStringLiteral("ownerEdit"));
    m_site->setObjectName(QStringLiteral("siteEdit"));
    m_preparer->setObjectName(QStringLiteral("preparerEdit"));
    m_notes->setObjectName(QStringLiteral("notesEdit"));
    for (QLineEdit *edit : {m_owner, m_site, m_preparer, m_notes})
        edit->setMaxLength(1000);

    auto feet = [this](QDoubleSpinBox *box, const QString &what, double deckfile::DeckParameters::*field) {
        m_feet.append({box, field});
        connect(box, &QDoubleSpinBox::valueChanged, this, [this, what, field](double value) {
            changed(what, [&](design::Design &d) { d.deck.*field = value; });
        });
    };
    feet(m_a, tr("Change A"), &deckfile::DeckParameters::depthA);
    feet(m_b, tr("Change B"), &deckfile::DeckParameters::widthB);
    feet(m_height, tr("Change the height"), &deckfile::DeckParameters::height);
    feet(m_overhangX, tr("Change the X overhang"), &deckfile::DeckParameters::overhangX);
    feet(m_overhangZ, tr("Change the Z overhang"), &deckfile::DeckParameters::overhangZ);
    feet(m_postSpacing, tr("Change the post spacing"), &deckfile::DeckParameters::postSpacing);
    feet(m_beamSpacing, tr("Change the beam-line spacing"), &deckfile::DeckParameters::beamSpacing);
    feet(m_gap, tr("Change the board gap"), &deckfile::DeckParameters::deckingGap);
    connect(m_postSize, &QComboBox::activated, this, [this] {
        changed(tr("Change the posts"), [this](design::Design &d) { d.deck.postSize = m_postSize->currentData().toDouble(); });
    });
    connect(m_beamSize, &QComboBox::activated, this, [this] {
        changed(tr("Change the beams"), [this](design::Design &d) {
            d.deck.beamHeight = m_beamSize->currentData().toDouble();
            d.deck.beamPly = 1.5;
        });
    });
    connect(m_plies, &QSpinBox::valueChanged, this, [this](int plies) {
        changed(tr("Change the beam plies"), [plies](design::Design &d) { d.deck.beamPlies = plies; });
    });
    connect(m_joistSize, &QComboBox::activated, this, [this] {
        changed(tr("Change the joists"), [this](design::Design &d) {
            d.deck.joistHeight = m_joistSize->currentData().toDouble();
            d.deck.joistWidth = 1.5;
        });
    });
    connect(m_joistSpacing, &QComboBox::activated, this, [this] {
        changed(tr("Change the joist spacing"), [this](design::Design &d) { d.deck.joistSpacing = m_joistSpacing->currentData().toDouble(); });
    });
    connect(m_decking, &QComboBox::activated, this, [this] {
        changed(tr("Change the decking"), [this](design::Design &d) {
            const QString name = m_decking->currentText();
            if (const deckfile::Lumber *lumber = deckfile::lumberNamed(name)) {
                d.deck.deckingThickness = lumber->thicknessInches;
                d.deck.deckingWidth = lumber->depthInches;
            }
        });
    });
    connect(m_style, &QComboBox::activated, this, [this] {
        changed(tr("Change the style"), [this](design::Design &d) { d.plan.style = m_style->currentData().toInt(); });
    });
    connect(m_width, &QDoubleSpinBox::valueChanged, this, [this](double value) {
        changed(tr("Change the width"), [value](design::Design &d) { d.plan.widthFeet = value; });
    });
    // The house: the edge named as the plan shows it, found on the deck's outline.
    connect(m_house, &QComboBox::activated, this, [this] {
        changed(tr("Hang the deck on the house"), [this](design::Design &d) {
            const QString side = m_house->currentData().toString();
            d.attachment.attached = !side.isEmpty();
            const jm::Result<deckmodel::Polygon> outline = deckmodel::shapePlan(d.deck.deckType, d.deck.depthA, d.deck.widthB);
            d.attachment.edge = d.attachment.attached && outline ? deckmodel::edgeFacing(*outline, side) : -1;
            if (!d.attachment.attached)
                d.attachment = {};
        });
    });
    connect(m_attachedTo, &QComboBox::activated, this, [this] {
        changed(tr("Change what the ledger is fastened to"), [this](design::Design &d) {
            d.attachment.to = deckmodel::HouseFraming(m_attachedTo->currentData().toInt());
        });
    });
    connect(m_fastener, &QComboBox::activated, this, [this] {
        changed(tr("Change the ledger's fasteners"), [this](design::Design &d) {
            d.attachment.fastener = deckmodel::LedgerFastener(m_fastener->currentData().toInt());
        });
    });
    connect(m_sheathing, &QDoubleSpinBox::valueChanged, this, [this](double inches) {
        changed(tr("Change the sheathing behind the ledger"), [inches](design::Design &d) { d.attachment.sheathingInches = inches; });
    });
    auto text = [this](QLineEdit *edit, const QString &what, QString design::Project::*field) {
        connect(edit, &QLineEdit::editingFinished, this, [this, edit, what, field] {
            changed(what, [&](design::Design &d) { d.project.*field = edit->text(); });
        });
    };
    text(m_owner, tr("Change the owner"), &design::Project::owner);
    text(m_site, tr("Change the site address"), &design::Project::siteAddress);
    text(m_preparer, tr("Change the preparer"), &design::Project::preparer);
    text(m_notes, tr("Change the notes"), &design::Project::notes);
    // The site's values, each "not given" at its box's least.
    m_lotWidth = siteBox(QStringLiteral("lotWidthBox"), 0, 1000, QStringLiteral(" ft"));
    m_lotDepth = siteBox(QStringLiteral("lotDepthBox"), 0, 1000, QStringLiteral(" ft"));
    m_fromLeft = siteBox(QStringLiteral("deckFromLeftBox"), -1, 1000, QStringLiteral(" ft"));
    m_fromBack = siteBox(QStringLiteral("deckFromBackBox"), -1, 1000, QStringLiteral(" ft"));
    m_north = siteBox(QStringLiteral("northBox"), -1, 359, QStringLiteral("\u00b0"));
    m_frost = siteBox(QStringLiteral("frostDepthBox"), 0, 120, QStringLiteral(" in"));
    auto site = [this](QDoubleSpinBox *box, const QString &what, std::optional<double> design::Project::*field) {
        connect(box, &QDoubleSpinBox::valueChanged, this, [this, box, what, field](double value) {
            changed(what, [&](design::Design &d) {
                d.project.*field = value > box->minimum() ? std::optional<double>(value) : std::nullopt;
            });
        });
    };
    site(m_lotWidth, tr("Change the lot's width"), &design::Project::lotWidthFt);
    site(m_lotDepth, tr("Change the lot's depth"), &design::Project::lotDepthFt);
    site(m_fromLeft, tr("Change the deck's distance from the left lot line"), &design::Project::deckFromLeftFt);
    site(m_fromBack, tr("Change the deck's distance from the back lot line"), &design::Project::deckFromBackFt);
    site(m_north, tr("Change north"), &design::Project::northDegrees);
    site(m_frost, tr("Change the frost depth"), &design::Project::frostDepthIn);
    m_deckBoxes << m_lotWidth << m_lotDepth << m_fromLeft << m_fromBack << m_north << m_frost;

    m_form = new QFormLayout(this);
    m_form->addRow(tr("A (along Z):"), m_a);
    m_form->addRow(tr("B (along X):"), m_b);
    m_form->addRow(tr("Height:"), m_height);
    m_form->addRow(tr("X overhang:"), m_overhangX);
    m_form->addRow(tr("Z overhang:"), m_overhangZ);
    m_form->addRow(tr("Posts:"), m_postSize);
    m_form->addRow(tr("Post spacing, at most:"), m_postSpacing);
    m_form->addRow(tr("Beam-line spacing, at most:"), m_beamSpacing);
    m_form->addRow(tr("Beams:"), m_beamSize);
    m_form->addRow(tr("Beam plies:"), m_plies);
    m_form->addRow(tr("Joists:"), m_joistSize);
    m_form->addRow(tr("Joist spacing:"), m_joistSpacing);
    m_form->addRow(tr("Decking:"), m_decking);
    m_form->addRow(tr("Board gap:"), m_gap);
    m_form->addRow(tr("House:"), m_house);
    m_form->addRow(tr("Ledger fastened to:"), m_attachedTo);
    m_form->addRow(tr("Ledger fasteners:"), m_fastener);
    m_form->addRow(tr("Sheathing behind it:"), m_sheathing);
    m_form->addRow(tr("Style:"), m_style);
    m_form->addRow(tr("Width (A):"), m_width);
    m_form->addRow(tr("Owner:"), m_owner);
    m_form->addRow(tr("Site address:"), m_site);
    m_form->addRow(tr("Prepared by:"), m_preparer);
    m_form->addRow(tr("Notes:"), m_notes);
    m_form->addRow(tr("Lot width (along A):"), m_lotWidth);
    m_form->addRow(tr("Lot depth (along B):"), m_lotDepth);
    m_form->addRow(tr("Deck from the left lot line:"), m_fromLeft);
    m_form->addRow(tr("Deck from the back lot line:"), m_fromBack);
    m_form->addRow(tr("North, clockwise from up:"), m_north);
    m_form->addRow(tr("Frost depth:"), m_frost);
    setDesign(nullptr);
}

QDoubleSpinBox *FramingPanel::feetBox(const QString &name, double least, double most)
{
    auto *box = new QDoubleSpinBox(this);
    box->setObjectName(name);
    box->setRange(least, most);
    box->setDecimals(2);
    box->setSingleStep(0.25);
    box->setSuffix(QStringLiteral(" ft"));
    // A typed value counts when it is finished (Enter, or the focus moving on).
    box->setKeyboardTracking(false);
    return box;
}

QDoubleSpinBox *FramingPanel::siteBox(const QString &name, double notGiven, double most, const QString &suffix)
{
    QDoubleSpinBox *box = feetBox(name, notGiven, most);
    box->setSingleStep(1);
    box->setSuffix(suffix);
    box->setSpecialValueText(tr("not given"));
    return box;
}

QComboBox *FramingPanel::comboBox(const QString &name, const QList<std::pair<QString, QVariant>> &items)
{
    auto *box = new QComboBox(this);
    box->setObjectName(name);
    for (const auto &[text, data] : items)
        box->addItem(text, data);
    return box;
}

void FramingPanel::setDesign(const design::Design *shown)
{
    const bool plan = shown && shown->is2D;
    for (QWidget *box : m_deckBoxes) {
        box->setEnabled(shown && !plan);
        m_form->setRowVisible(box, !plan);
    }
    for (QWidget *box : m_planBoxes) {
        box->setEnabled(plan);
        m_form->setRowVisible(box, plan);
    }
    for (QWidget *box : m_factBoxes)
        box->setEnabled(shown != nullptr);
    if (!shown) {
        m_design.reset();
        return;
    }
    m_design = *shown;
    showValue(m_owner, shown->project.owner);
    showValue(m_site, shown->project.siteAddress);
    showValue(m_preparer, shown->project.preparer);
    showValue(m_notes, shown->project.notes);
    if (plan) {
        choose(m_style, shown->plan.style);
        showValue(m_width, shown->plan.widthFeet);
        return;
    }
    const deckfile::DeckParameters &p = shown->deck;
    for (const auto &[box, field] : m_feet)
        showValue(box, p.*field);
    choose(m_postSize, p.postSize);
    choose(m_beamSize, p.beamHeight);
    choose(m_joistSize, p.joistHeight);
    choose(m_joistSpacing, p.joistSpacing);
    {
        const QSignalBlocker quiet(m_plies);
        m_plies->setValue(p.beamPlies);
    }
    {
        const QSignalBlocker quiet(m_decking);
        const QString name = p.deckingThickness == 1 ? QStringLiteral("5/4x6")
            : p.deckingWidth == 3.5                   ? QStringLiteral("2x4")
                                                      : QStringLiteral("2x6");
        m_decking->setCurrentIndex(m_decking->findText(name));
    }
    // The house's choices, the ledger's only where the deck hangs on it.
    const deckmodel::Attachment &a = shown->attachment;
    QString side;
    if (a.attached)
        if (const auto outline = deckmodel::shapePlan(p.deckType, p.depthA, p.widthB))
            for (const char *name : {"front", "back", "left", "right"})
                if (deckmodel::edgeFacing(*outline, QLatin1String(name)) == a.edge)
                    side = QLatin1String(name);
    {
        const QSignalBlocker quiet(m_house);
        m_house->setCurrentIndex(std::max(0, m_house->findData(side)));
    }
    {
        const QSignalBlocker quiet(m_attachedTo);
        m_attachedTo->setCurrentIndex(int(a.to));
    }
    {
        const QSignalBlocker quiet(m_fastener);
        m_fastener->setCurrentIndex(int(a.fastener));
    }
    showValue(m_sheathing, a.sheathingInches);
    for (QWidget *box : {static_cast<QWidget *>(m_attachedTo), static_cast<QWidget *>(m_fastener), static_cast<QWidget *>(m_sheathing)})
        box->setEnabled(a.attached);
    const design::Project &project = shown->project;
    showValue(m_lotWidth, project.lotWidthFt.value_or(m_lotWidth->minimum()));
    showValue(m_lotDepth, project.lotDepthFt.value_or(m_lotDepth->minimum()));
    showValue(m_fromLeft, project.deckFromLeftFt.value_or(m_fromLeft->minimum()));
    showValue(m_fromBack, project.deckFromBackFt.value_or(m_fromBack->minimum()));
    showValue(m_north, project.northDegrees.value_or(m_north->minimum()));
    showValue(m_frost, project.frostDepthIn.value_or(m_frost->minimum()));
}

void FramingPanel::changed(const QString &what, const std::function<void(design::Design &)> &edit)
{
    if (!m_design)
        return;
    design::Design changed = *m_design;
    edit(changed);
    emit edited(what, changed);
}

} // namespace deckviewer

#include "moc_framingpanel.cpp"
