// The deck window's contents: a deck file the viewer opens, or what the wizard
// asked the substitute host for. LoadSymbol remembers the 2D style;
// OpenSymbolFile reads the wizard's files and builds the deck on a worker
// thread, and shows the result in the window when it is ready, bringing the
// window forward (a later request wins over an earlier one still running,
// which is not waited for: its result is dropped). The hidden-line kernel is
// built there too: before the deck is shown when its first picture is in
// hidden line, else after, while the person already sees it.
// When the chosen mode is first drawn, `drawn` says so.
// A "Code check" panel beside the deck shows the deck checked against the
// code's deck tables with the settings remembered from the last time; a
// change of setting checks the deck again, a row selected lights up its
// members, and the framing it suggests can be shown in place of the wizard's
// (a preview, everywhere at once: the view, the facts, the takeoff, the
// check list, exports and the drawing set) or taken into the design.
// Whatever is opened becomes the one design on screen (designdocument.h):
// the Framing panel and the Stair panel change it, each change undoable,
// and each change rebuilds, rechecks and redraws it; File > Save keeps it.
#pragma once

#include "codecheck.h"
#include "deckwatch.h"
#include "deckwindow.h"
#include "designdocument.h"
#include "latestjob.h"
#include "showdeck.h"
#include "stairpanel.h"

#include <QObject>
#include <QThreadPool>

#include <functional>

namespace deckviewer {
class CodeCheckPanel;
class FramingPanel;
}

class DeckPresenter : public QObject {
    Q_OBJECT
public:
    // windowName: what the window is ("Joistmaster Deck Viewer"); its title
    // adds the name of the deck's file once one is shown.
    DeckPresenter(const QString &windowName, const QString &wizardFolder, QObject *parent = nullptr);
    ~DeckPresenter() override;

    deckview::DeckWindow *window() const { return m_window.get(); }
    StairPanel *stairPanel() const { return m_stairPanel; }
    deckviewer::CodeCheckPanel *codeCheckPanel() const { return m_codeCheck; }
    deckviewer::FramingPanel *framingPanel() const { return m_framing; }
    deckviewer::DesignDocument *document() { return &m_document; }

    void symbolLoaded(const QString &path);
    void symbolFileOpened(const QString &path);
    // The viewer without a bus: a wizard folder, one deck parameter file or a
    // design, watched while shown: when its files change on disk, the person
    // is asked (askReload) whether to show it again; a design with unsaved
    // changes is asked about first.
    void open(const QString &path);
    // File > Save and Save As...: false when not saved (cancelled or failed,
    // the failure told).
    bool save();
    bool saveAs();

    // Whether to show the deck again now that `path` changed on disk; tests
    // put their own in. The default asks in a message box.
    std::function<bool(QWidget *parent, const QString &path)> askReload;

signals:
    // "drawn <title>" once the deck's first picture is finished; "cannot draw:
    // <why>" when there is nothing to draw.
    void drawn(const QString &line);

private:
    // Whether the design on screen may be left: saved, discarded or unchanged.
    bool settle();
    void openDesign(const jm::Result<design::Design> &made, const QString &path, const QString &source,
                    std::function<ShownDeck(const deckmodel::CodeSettings &)> otherwise);
    // After an edit the deck is shown first and its suggested framing searched for after.
    void rebuild(bool edited);
    void searchSuggestion(const ShownDeck &shown);
    void showTitle();
    void useSuggested();
    void wasteEdited();
    // sameDeck: the deck shown, again (a stair moved, a setting changed): the
    // view keeps its mode, camera and the keyboard focus.
    void load(std::function<ShownDeck(const deckmodel::CodeSettings &)> work, bool sameDeck = false);
    void show(const ShownDeck &shown, bool sameDeck);
    void showFraming(const ShownDeck &shown, bool sameDeck = false);
    void settingsChanged(const deckmodel::CodeSettings &settings);
    void framingChosen(bool suggested);
    void buildKernel();
    void frameReady();
    void placeStair(const deckmodel::StairLayout &layout);
    void labelEdges();
    void filesChanged();
    void ownWrite(const QString &path);

    QString m_windowName;
    QString m_wizardFolder;
    QString m_loadedSymbol;
    std::unique_ptr<deckview::DeckWindow> m_window;
    QThreadPool m_pool;
    // The latest deck is shown, and the kernel of the deck shown: a new deck
    // makes a kernel still being built for the old one stale.
    deckview::LatestJob m_decks{&m_pool, this};
    deckview::LatestJob m_kernels{&m_pool, this};
    deckview::LatestJob m_suggestions{&m_pool, this};
    QString m_waitingFor; // the title of a deck whose first picture is pending
    StairPanel *m_stairPanel;
    bool m_stairShown = false; // its tab in front, the window open
    QString m_openedPath; // what open() was given last, watched; none for the host's decks
    DeckWatch m_watch;
    bool m_asking = false;
    QString m_shownSource, m_shownDeckFile; // the 3D deck shown: what it was opened from, its file
    QString m_stairNotSaved; // why the stair just placed was not saved, kept past the reload
    deckviewer::CodeCheckPanel *m_codeCheck;
    deckmodel::CodeSettings m_settings;
    std::function<ShownDeck(const deckmodel::CodeSettings &)> m_lastWork; // checked again when a setting changes
    std::shared_ptr<const ShownDeck> m_shown; // the 3D deck shown, with its suggested framing
    deckviewer::DesignDocument m_document;
    deckviewer::FramingPanel *m_framing;
    QString m_stairFile; // a new design's wizard file, where its stair is also kept for the file alone
    bool m_previewing = false;
    // The members of the deck in the view, whose kernel is built only once
    // the view shows hidden lines (its module loaded then, the first time).
    std::vector<deckmodel::Member> m_kernelMembers;
    bool m_kernelWanted = false; // asked for and not yet started
};
