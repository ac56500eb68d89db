// The code check beside the deck: the four settings, the verdict, one row per
// rule with its mark, sentence and table cell, the selected row's finding
// whole (wrapped, under the list), the choice between the framing as
// designed and the suggested one, and what was assumed. Selecting a row
// names its members, for the view to highlight. The widths of the list's
// columns and the divider under it are remembered (panellayout.h). The
// panel only shows records handed to it and reports what a person chose;
// the words of its rows are plain functions below.
#pragma once

#include "codecheck.h"

#include <QStringList>
#include <QWidget>

class QComboBox;
class QFormLayout;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSplitter;
class QTreeWidget;

namespace deckviewer {

// A row's mark, telling the results apart without colour: "✓ pass",
// "✗ fail", "⚠ outside", "i info".
QString checkMark(deckmodel::Verdict verdict);
// A row's columns: the mark, the rule, the sentence, the table cell.
QStringList checkRowTexts(const deckmodel::CodeCheck &check);
// What "outside the tables" means for a row outside them: that the tables
// cannot judge it, and the change that would bring it inside; empty for a
// row that is not outside.
QString outsideMeaning(const deckmodel::CodeCheck &check);
// A row whole, as the text under the list shows it: its mark and rule, its
// sentence, its table cell, what being outside the tables means.
QString findingText(const deckmodel::CodeCheck &check);
// The suggestion's changes and lumber, one line each; or why there is none.
QString suggestionLines(const deckmodel::Suggestion &suggestion);

class CodeCheckPanel : public QWidget {
    Q_OBJECT
public:
    explicit CodeCheckPanel(QWidget *parent = nullptr);

    void setReport(const deckmodel::CodeReport &report, const deckmodel::Suggestion &suggestion);
    // Nothing to check (a 2D plan, no deck): the panel empty and disabled,
    // saying why in place of the verdict.
    void setNone(const QString &why);
    // Shows the settings without reporting them as changed.
    void setSettings(const deckmodel::CodeSettings &settings);
    deckmodel::CodeSettings settings() const;
    // Whether the suggested framing is the one chosen to be shown.
    bool suggestedChosen() const;
    // Back to the framing as designed, without reporting it.
    void chooseDesigned();

signals:
    void settingsChanged(deckmodel::CodeSettings settings);
    void membersSelected(QStringList names);
    void framingChosen(bool suggested);
    // "Use the suggested framing": the design is to take it.
    void useSuggested();

private:
    QFormLayout *createBoxes();
    void selectionChanged();
    void restoreSizes();

    QString m_noRowText; // under the list while no row is selected
    QComboBox *m_species, *m_load, *m_soil, *m_footing;
    QLabel *m_verdict;
    QTreeWidget *m_checks;
    QPlainTextEdit *m_finding;
    QSplitter *m_divider;
    QRadioButton *m_designed, *m_suggested;
    QPushButton *m_use;
    QLabel *m_suggestion;
    QLabel *m_assumptions;
};

} // namespace deckviewer
