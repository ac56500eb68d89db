// The deck window of the viewer and of the substitute host: the 3D view or the
// 2D plan in the middle, the deck's facts and the material takeoff beside it,
// more panels (the parameter files, the calls the host received) in tabs of
// their own, a toolbar for the views, the modes, drawings out and printing,
// and a menu bar that opens a deck and brings closed panels back.
// Model errors are shown in words where the drawing would be, with nothing of
// the deck shown before.
#pragma once

#include "deckview.h"
#include "drawing.h"
#include "plandrawing.h"

#include <QLocale>
#include <QMainWindow>
#include <QPageSize>

#include <functional>
#include <utility>
#include <vector>

class QDockWidget;
class QDoubleSpinBox;
class QLabel;
class QMenu;
class QPrinter;
class QStackedWidget;
class QTableWidget;

namespace deckview {

class PlanView;

using Facts = std::vector<std::pair<QString, QString>>; // ("A", "16' 0\"") ...

// The file formats the window exports to, as the save dialog lists them:
// the drawings first, then the model, the takeoff and the code check.
QStringList exportFilters(bool withModel);
// The name to write: as chosen, or with the chosen filter's first extension
// when it has none ("deck" and "PDF drawing (*.pdf)": "deck.pdf").
QString withExtension(const QString &path, const QString &filter);

// What printing starts from: the locale's paper (Letter in the Americas that
// use it, A4 elsewhere) and a PDF named after the deck in `folder`.
struct PrintDefaults {
    QPageSize::PageSizeId paper;
    QString fileName;
};
PrintDefaults printDefaults(QLocale::Territory territory, const QString &deckFileName, const QString &folder);

// A text cut to at most maxChars characters, ending in "..." when cut, for a
// label or a list row (a path can be megabytes long).
QString shortened(const QString &text, int maxChars = 300);

// What File > Open opens for the file a person chose: a wizard folder is
// chosen by one of its files (DeckType.txt, DeckSize.txt, a saved copy's
// symbols.txt) and opens as the folder; any other file as itself.
QString openTarget(const QString &chosen);

// The answer to "Save the changes?" before a design with unsaved changes is
// closed or replaced.
enum class SaveAnswer { Save, Discard, Cancel };

// Where the window asks the person something or tells of a failure; tests
// put their own in.
struct WindowSeams {
    // A file name to export to, starting at `suggested`; `filter` in: the
    // filter to select, out: the one chosen. Empty when cancelled.
    std::function<QString(QWidget *parent, const QString &suggested, const QStringList &filters, QString *filter)>
        chooseExportName;
    // A deck to open (a design, a deck parameter file, or a file of a wizard
    // folder: openTarget()); empty when cancelled.
    std::function<QString(QWidget *parent)> chooseFolder;
    // A design file to save to, starting at `suggested`; empty when cancelled.
    std::function<QString(QWidget *parent, const QString &suggested)> chooseDesignName;
    // Whether to save the design named `name` first.
    std::function<SaveAnswer(QWidget *parent, const QString &name)> askSave;
    std::function<void(QWidget *parent, const QString &title, const QString &text)> tellFailure;
};
WindowSeams dialogSeams();

class DeckWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit DeckWindow(QWidget *parent = nullptr);
    ~DeckWindow() override;

    // A panel in a tab after the deck's facts, which stay in front; the window owns it.
    void addPanel(const QString &title, const QString &objectName, QWidget *panel);

    // A 3D deck in a viewing mode, read from fileName; the title block's
    // takeoff fills the table. writeModel writes its model or takeoff
    // (.step, .glb, .csv, .json, .txt). The same deck again keeps the
    // camera; the keyboard focus moves to the view only when it was not
    // shown before.
    void showDeck(const Scene &scene, ViewMode mode, const Facts &facts, const TitleBlock &block,
                  const QString &fileName, std::function<jm::Status(const QString &path)> writeModel,
                  bool sameDeck = false);
    // The 2D road's plan.
    void showPlan(const PlanDrawing &plan, const Facts &facts, const TitleBlock &block, const QString &fileName);
    // Why there is no drawing, in words, where the drawing would be; nothing
    // of a deck shown before stays.
    void showError(const QString &text);
    // Raised and activated, also from minimised; where the window manager
    // keeps the focus elsewhere, the window asks for attention.
    void comeForward();

    // The drawing shown now, with its title block, to a .png, .svg or .pdf,
    // or the 3D deck's model or takeoff to a .step, .glb or .csv.
    jm::Status exportDrawing(const QString &path) const;
    Drawing currentDrawing() const;
    // Export as the toolbar's button does, remembering the folder and filter.
    void askExport();

    DeckView *view;
    PlanView *plan;
    QLabel *message;
    QLabel *facts;
    QTableWidget *takeoff; // its unit prices editable: an edit is saved to the price list
    QLabel *takeoffNotes;  // the totals, the price list's problems, the wizard's notes
    QDoubleSpinBox *wasteBox; // the decking's waste allowance in percent, remembered
    QAction *newAction;
    QAction *saveAction;
    QAction *saveAsAction;
    QAction *exportAction;
    QAction *printAction;
    QMenu *recentMenu;
    QMenu *editMenu; // Undo and Redo, from whoever keeps the design
    // Asked before the window closes: false keeps it open (unsaved changes kept).
    std::function<bool()> mayClose;
    WindowSeams seams = dialogSeams();

    // A deck shown earlier: its words in File > Open Recent, and the folder
    // that opens it.
    struct Recent {
        QString label;
        QString folder;
    };
    // Where File > Open Recent finds its decks, asked each time it opens.
    std::function<QList<Recent>()> recentDecks;

    // The shown deck's drawing set, written to a PDF or painted onto a
    // printer (File > Drawing Set..., Print Drawing Set...); none: no set.
    // `paper` is "letter", "a4", "tabloid", "a3", or empty for the one chosen for the deck.
    std::function<jm::Status(const QString &path, const QString &paper)> writeDrawingSet;
    std::function<void(QPrinter &printer)> printDrawingSet;
    QAction *drawingSetAction;
    QAction *printSetAction;
    // Asks for a PDF's name and writes the set there, as File > Drawing Set... does.
    void askDrawingSet();

signals:
    // File > Open: a folder, deck file or design to show.
    void openRequested(const QString &path);
    // File > New from the Wizard's Deck, Save, Save As...
    void newRequested();
    void saveRequested();
    void saveAsRequested();
    // The decking's waste allowance was changed (and remembered): the takeoff
    // is to be counted again.
    void wasteChanged();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenus(QToolBar *tools);
    bool choosePrinter(QPrinter &printer);
    void askPrint();
    void askPrintSet();
    void askOpen();
    void listRecent();
    void setFacts(const Facts &facts, const TitleBlock &block);
    void setDrawn(bool drawn, bool viewShown);
    void fitTakeoff();
    void fillPrices();
    void priceEdited(int row, int column);

    QStackedWidget *m_pages;
    QDockWidget *m_deckDock;
    QMenu *m_viewMenu = nullptr;
    QList<QAction *> m_viewOnly;
    TitleBlock m_block;
    QString m_fileName;
    std::function<jm::Status(const QString &path)> m_writeModel;
};

} // namespace deckview
