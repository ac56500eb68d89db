#include "codecheckpanel.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace deckviewer {

using deckmodel::Verdict;

QString checkMark(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Pass: return QStringLiteral("\u2713 pass");
    case Verdict::Fail: return QStringLiteral("\u2717 fail");
    case Verdict::Outside: return QStringLiteral("\u26a0 outside");
    case Verdict::Information: return QStringLiteral("i info");
    }
    return {};
}

QStringList checkRowTexts(const deckmodel::CodeCheck &check)
{
    return {checkMark(check.result), check.rule, check.sentence, check.cell};
}

QString suggestionLines(const deckmodel::Suggestion &suggestion)
{
    if (!suggestion.parameters)
        return QStringLiteral("No suggested framing: ") + suggestion.why;
    QStringList lines;
    for (const QString &change : suggestion.changes)
        lines << QStringLiteral("\u2022 ") + change;
    lines << QStringLiteral("%1 board feet of framing lumber (%2 as designed), %3 footings")
                 .arg(QString::number(suggestion.boardFeet, 'f', 1), QString::number(suggestion.boardFeetAsDesigned, 'f', 1))
                 .arg(suggestion.footings);
    return lines.join(u'\n');
}

namespace {
QColor rowColour(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Pass: return QColor(225, 245, 225);
    case Verdict::Fail: return QColor(250, 215, 210);
    case Verdict::Outside: return QColor(252, 238, 200);
    case Verdict::Information: break;
    }
    return {};
}

QComboBox *comboBox(const QString &name, const std::vector<std::pair<QString, QVariant>> &items, QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(name);
    for (const auto &[text, data] : items)
        box->addItem(text, data);
    return box;
}

void choose(QComboBox *box, const QVariant &data)
{
    const QSignalBlocker blocker(box);
    box->setCurrentIndex(std::max(0, box->findData(data)));
}
} // namespace

CodeCheckPanel::CodeCheckPanel(QWidget *parent)
    : QWidget(parent), m_verdict(new QLabel(this)), m_checks(new QTreeWidget(this)),
      m_designed(new QRadioButton(tr("As designed"), this)), m_suggested(new QRadioButton(tr("Suggested framing"), this)),
      m_suggestion(new QLabel(this)), m_assumptions(new QLabel(this))
{
    setObjectName(QStringLiteral("codeCheckPanel"));
    m_verdict->setObjectName(QStringLiteral("verdictLabel"));
    m_verdict->setWordWrap(true);
    m_checks->setObjectName(QStringLiteral("checksTable"));
    m_checks->setHeaderLabels({tr("Result"), tr("Rule"), tr("Finding"), tr("Table cell")});
    m_checks->setRootIsDecorated(false);
    m_checks->setWordWrap(true);
    m_designed->setObjectName(QStringLiteral("designedButton"));
    m_suggested->setObjectName(QStringLiteral("suggestedButton"));
    m_designed->setChecked(true);
    m_suggested->setEnabled(false);
    m_suggestion->setObjectName(QStringLiteral("suggestionLabel"));
    m_suggestion->setWordWrap(true);
    m_assumptions->setObjectName(QStringLiteral("assumptionsLabel"));
    m_assumptions->setWordWrap(true);
    connect(m_checks, &QTreeWidget::itemSelectionChanged, this, &CodeCheckPanel::selectionChanged);
    connect(m_suggested, &QRadioButton::toggled, this, &CodeCheckPanel::framingChosen);

    auto *framing = new QHBoxLayout;
    framing->addWidget(m_designed);
    framing->addWidget(m_suggested);
    framing->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(createBoxes());
    layout->addWidget(m_verdict);
    layout->addWidget(m_checks, 1);
    layout->addLayout(framing);
    layout->addWidget(m_suggestion);
    layout->addWidget(m_assumptions);
}

QFormLayout *CodeCheckPanel::createBoxes()
{
    using namespace deckmodel;
    std::vector<std::pair<QString, QVariant>> species, loads;
    for (Species s : {Species::SouthernPine, Species::DouglasFirLarch, Species::Redwood})
        species.emplace_back(speciesWords(s), speciesKey(s));
    for (int psf : {0, 50, 60, 70})
        loads.emplace_back(designLoadWords({.snowLoadPsf = psf}), psf);
    m_species = comboBox(QStringLiteral("speciesBox"), species, this);
    m_load = comboBox(QStringLiteral("loadBox"), loads, this);
    m_soil = comboBox(QStringLiteral("soilBox"), {{tr("1,500 psf"), 1500}, {tr("2,000 psf"), 2000}, {tr("3,000 psf"), 3000}}, this);
    m_footing = comboBox(QStringLiteral("footingBox"), {{tr("Round"), footingKey(FootingShape::Round)},
                                                        {tr("Square"), footingKey(FootingShape::Square)}}, this);
    auto *form = new QFormLayout;
    form->addRow(tr("Species:"), m_species);
    form->addRow(tr("Design load:"), m_load);
    form->addRow(tr("Soil bearing:"), m_soil);
    form->addRow(tr("Footings:"), m_footing);
    for (QComboBox *box : {m_species, m_load, m_soil, m_footing})
        connect(box, &QComboBox::currentIndexChanged, this, [this] { emit settingsChanged(settings()); });
    return form;
}

deckmodel::CodeSettings CodeCheckPanel::settings() const
{
    deckmodel::CodeSettings settings;
    settings.species = deckmodel::speciesNamed(m_species->currentData().toString()).value_or(settings.species);
    settings.snowLoadPsf = m_load->currentData().toInt();
    settings.soilBearingPsf = m_soil->currentData().toInt();
    settings.footing = deckmodel::footingNamed(m_footing->currentData().toString()).value_or(settings.footing);
    return settings;
}

void CodeCheckPanel::setSettings(const deckmodel::CodeSettings &settings)
{
    choose(m_species, deckmodel::speciesKey(settings.species));
    choose(m_load, settings.snowLoadPsf);
    choose(m_soil, settings.soilBearingPsf);
    choose(m_footing, deckmodel::footingKey(settings.footing));
}

void CodeCheckPanel::setReport(const deckmodel::CodeReport &report, const deckmodel::Suggestion &suggestion)
{
    m_verdict->setText(deckmodel::verdictLine(report));
    m_checks->clear();
    for (const deckmodel::CodeCheck &check : report.checks) {
        auto *item = new QTreeWidgetItem(m_checks, checkRowTexts(check));
        item->setData(0, Qt::UserRole, QStringList(check.members.begin(), check.members.end()));
        if (const QColor colour = rowColour(check.result); colour.isValid())
            for (int column = 0; column < m_checks->columnCount(); ++column)
                item->setBackground(column, colour);
    }
    const bool found = suggestion.parameters.has_value();
    m_suggested->setEnabled(found);
    m_suggested->setToolTip(found ? QString() : suggestion.why);
    if (!found)
        m_designed->setChecked(true);
    m_suggestion->setText(suggestionLines(suggestion));
    m_assumptions->setText(deckmodel::codeAssumptions(report));
}

bool CodeCheckPanel::suggestedChosen() const
{
    return m_suggested->isEnabled() && m_suggested->isChecked();
}

void CodeCheckPanel::selectionChanged()
{
    const QList<QTreeWidgetItem *> selected = m_checks->selectedItems();
    emit membersSelected(selected.isEmpty() ? QStringList() : selected.first()->data(0, Qt::UserRole).toStringList());
}

} // namespace deckviewer
