#include "codecheckpanel.h"

#include "panellayout.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

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

QString outsideMeaning(const deckmodel::CodeCheck &check)
{
    if (check.result != Verdict::Outside)
        return {};
    // The change that brings each rule's part of the framing inside its table.
    struct Change {
        const char *rule, *cell, *words; // the rule's and the cell's beginnings
    };
    static const Change changes[] = {
        {"R507.6 joist span", "", "shorten the joists' span between beam lines (add a beam line), or use deeper "
                                  "joists or joists closer together"},
        {"R507.6 joist cantilever", "", "move the outer beam out, so that the joists cantilever less past it"},
        {"R507.5 beam carrying", "", "frame with two beam lines, so that each beam carries the joists from one side only"},
        {"R507.5 beam span", "Table R507.5(5)", "move the beam out, so that the joists cantilever past it at most a "
                                                "quarter of their span"},
        {"R507.5 beam span", "", "put the posts closer together along the beam, or the beam lines closer together so "
                                 "that the joists they carry span less"},
        {"R507.5 beam cantilever", "", "move the end posts out towards the beam's ends"},
        {"R507.4", "", "add posts, so that each carries less deck, or use larger posts"},
        {"R507.3.1", "", "add posts, so that each footing carries less deck"},
        {"R507.7", "", "use 5/4 or 2-inch wood decking boards, on joists close enough for them"},
    };
    QString change = QStringLiteral("change this part of the deck to one the tables list");
    for (const Change &c : changes)
        // (A cell of none, as a table without the row gives, matches an empty beginning.)
        if (check.rule.startsWith(QLatin1String(c.rule)) && (!*c.cell || check.cell.startsWith(QLatin1String(c.cell)))) {
            change = QString::fromUtf8(c.words);
            break;
        }
    return QStringLiteral("Outside the tables: the code's prescriptive deck tables do not cover this, so the check "
                          "can neither pass nor fail it. Either have this part of the framing designed by an engineer "
                          "(a registered design professional), or change it so that the tables cover it: %1.")
        .arg(change);
}

QString findingText(const deckmodel::CodeCheck &check)
{
    QStringList parts{checkMark(check.result) + QStringLiteral(": ") + check.rule, check.sentence};
    if (!check.cell.isEmpty())
        parts << QStringLiteral("Table cell: ") + check.cell;
    if (const QString meaning = outsideMeaning(check); !meaning.isEmpty())
        parts << meaning;
    return parts.join(QStringLiteral("\n\n"));
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
const QString ColumnsName = QStringLiteral("check_columns");
const QString DividerName = QStringLiteral("check_divider");

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
      m_finding(new QPlainTextEdit(this)), m_divider(new QSplitter(Qt::Vertical, this)),
      m_designed(new QRadioButton(tr("As designed"), this)), m_suggested(new QRadioButton(tr("Suggested framing"), this)),
      m_use(new QPushButton(tr("Use the suggested framing"), this)),
      m_suggestion(new QLabel(this)), m_assumptions(new QLabel(this))
{
    setObjectName(QStringLiteral("codeCheckPanel"));
    m_verdict->setObjectName(QStringLiteral("verdictLabel"));
    m_verdict->setWordWrap(true);
    m_checks->setObjectName(QStringLiteral("checksTable"));
    m_checks->setHeaderLabels({tr("Result"), tr("Rule"), tr("Finding"), tr("Table cell")});
    m_checks->setRootIsDecorated(false);
    m_checks->setWordWrap(true);
    m_checks->setAllColumnsShowFocus(true);
    m_finding->setObjectName(QStringLiteral("findingText"));
    m_finding->setReadOnly(true);
    m_finding->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_finding->setTabChangesFocus(true);
    m_finding->setPlaceholderText(tr("Select a row to read its finding whole."));
    m_divider->setObjectName(QStringLiteral("checkDivider"));
    m_divider->setChildrenCollapsible(false);
    m_divider->addWidget(m_checks);
    m_divider->addWidget(m_finding);
    m_divider->setStretchFactor(0, 1);
    m_divider->setStretchFactor(1, 1);
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
    m_use->setObjectName(QStringLiteral("useSuggestedButton"));
    m_use->setEnabled(false);
    connect(m_use, &QPushButton::clicked, this, &CodeCheckPanel::useSuggested);

    auto *framing = new QHBoxLayout;
    framing->addWidget(m_designed);
    framing->addWidget(m_suggested);
    framing->addStretch();
    framing->addWidget(m_use);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(createBoxes());
    layout->addWidget(m_verdict);
    layout->addWidget(m_divider, 1);
    layout->addLayout(framing);
    layout->addWidget(m_suggestion);
    layout->addWidget(m_assumptions);
    restoreSizes();
}

// The columns as wide as a person left them (the last one takes what is
// left), and the divider where it was; each change is remembered at once.
void CodeCheckPanel::restoreSizes()
{
    QList<int> widths = savedSizes(ColumnsName);
    if (widths.size() != m_checks->columnCount() - 1) { // the finding wider than the rest at first
        const QFontMetrics metrics = fontMetrics();
        widths = {metrics.horizontalAdvance(checkMark(Verdict::Outside)) + 24,
                  metrics.horizontalAdvance(QStringLiteral("R507.5 beam cantilever")) + 16, metrics.averageCharWidth() * 48};
    }
    if (widths.size() == m_checks->columnCount() - 1)
        for (int column = 0; column < widths.size(); ++column)
            m_checks->setColumnWidth(column, widths[column]);
    if (const QList<int> sizes = savedSizes(DividerName); sizes.size() == 2)
        m_divider->setSizes(sizes);
    connect(m_checks->header(), &QHeaderView::sectionResized, this, [this](int column) {
        if (column + 1 >= m_checks->columnCount())
            return;
        QList<int> widths;
        for (int c = 0; c + 1 < m_checks->columnCount(); ++c)
            widths << m_checks->columnWidth(c);
        saveSizes(ColumnsName, widths);
    });
    connect(m_divider, &QSplitter::splitterMoved, this, [this] { saveSizes(DividerName, m_divider->sizes()); });
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
    form->addRow(tr("&Species:"), m_species);
    form->addRow(tr("Design &load:"), m_load);
    form->addRow(tr("Soil &bearing:"), m_soil);
    form->addRow(tr("F&ootings:"), m_footing);
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
    setEnabled(true);
    m_verdict->setText(deckmodel::verdictLine(report));
    m_checks->clear();
    m_finding->clear();
    const bool outside = std::any_of(report.checks.begin(), report.checks.end(),
                                     [](const deckmodel::CodeCheck &check) { return check.result == Verdict::Outside; });
    m_noRowText = outside ? tr("Outside the tables: the code's prescriptive deck tables do not cover some part of this "
                               "deck, so the check can neither pass nor fail it. That part needs framing designed by an "
                               "engineer, or a change that brings it inside the tables: select a row marked "
                               "\u26a0 outside to read which.")
                          : QString();
    m_finding->setPlainText(m_noRowText);
    m_verdict->setToolTip(m_noRowText);
    for (const deckmodel::CodeCheck &check : report.checks) {
        const QStringList texts = checkRowTexts(check);
        auto *item = new QTreeWidgetItem(m_checks, texts);
        item->setData(0, Qt::UserRole, QStringList(check.members.begin(), check.members.end()));
        item->setData(0, Qt::UserRole + 1, findingText(check));
        for (int column = 1; column < texts.size(); ++column)
            item->setToolTip(column, texts[column]);
        if (const QColor colour = rowColour(check.result); colour.isValid())
            for (int column = 0; column < m_checks->columnCount(); ++column)
                item->setBackground(column, colour);
    }
    const bool found = suggestion.parameters.has_value();
    m_suggested->setEnabled(found);
    m_use->setEnabled(found);
    m_suggested->setToolTip(found ? QString() : suggestion.why);
    if (!found)
        m_designed->setChecked(true);
    m_suggestion->setText(suggestionLines(suggestion));
    m_assumptions->setText(deckmodel::codeAssumptions(report));
}

void CodeCheckPanel::setNone(const QString &why)
{
    m_checks->clear();
    m_noRowText.clear();
    m_finding->clear();
    m_verdict->setText(why);
    m_verdict->setToolTip({});
    m_suggestion->clear();
    m_assumptions->clear();
    m_suggested->setEnabled(false);
    m_designed->setChecked(true);
    setEnabled(false);
}

void CodeCheckPanel::chooseDesigned()
{
    const QSignalBlocker quiet(m_suggested);
    m_designed->setChecked(true);
}

bool CodeCheckPanel::suggestedChosen() const
{
    return m_suggested->isEnabled() && m_suggested->isChecked();
}

void CodeCheckPanel::selectionChanged()
{
    const QList<QTreeWidgetItem *> selected = m_checks->selectedItems();
    m_finding->setPlainText(selected.isEmpty() ? m_noRowText : selected.first()->data(0, Qt::UserRole + 1).toString());
    emit membersSelected(selected.isEmpty() ? QStringList() : selected.first()->data(0, Qt::UserRole).toStringList());
}

} // namespace deckviewer

#include "moc_codecheckpanel.cpp"
