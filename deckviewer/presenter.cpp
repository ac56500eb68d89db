#include "presenter.h"

#include "checksettings.h"
#include "codecheckpanel.h"
#include "recentdecks.h"
#include "savedstairs.h"
#include "sheetsource.h"
#include "windowlayout.h"

#include <QComboBox>
#include <QDir>
#include <QDockWidget>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>

#include "deckexport.h"

DeckPresenter::DeckPresenter(const QString &windowName, const QString &wizardFolder, QObject *parent)
    : QObject(parent), m_windowName(windowName), m_wizardFolder(wizardFolder),
      m_window(std::make_unique<deckview::DeckWindow>()), m_stairPanel(new StairPanel),
      m_codeCheck(new deckviewer::CodeCheckPanel), m_settings(deckviewer::loadCodeSettings())
{
    // The stair's place, saved per deck in the user's state folder.
    m_window->addPanel(tr("Stair"), QStringLiteral("stairDock"), m_stairPanel);
    connect(m_stairPanel, &StairPanel::stairChanged, this, &DeckPresenter::placeStair);
    // The edges labelled in the view while the panel is shown.
    auto *stairDock = m_window->findChild<QDockWidget *>(QStringLiteral("stairDock"));
    connect(stairDock, &QDockWidget::visibilityChanged, this, [this](bool shown) {
        m_stairShown = shown;
        labelEdges();
    });
    // A deck that takes long to build does not hold up the next: that one
    // starts at once, and the old one's result is dropped when it comes.
    m_pool.setMaxThreadCount(4);
    m_window->setWindowTitle(m_windowName);
    connect(m_window->view, &deckview::DeckView::frameReady, this, &DeckPresenter::frameReady);
    connect(m_window.get(), &deckview::DeckWindow::openRequested, this, &DeckPresenter::open);
    connect(m_window.get(), &deckview::DeckWindow::wasteChanged, this, [this] {
        if (m_lastWork)
            load(m_lastWork, true);
    });
    askReload = [](QWidget *parent, const QString &path) {
        return QMessageBox::question(parent, tr("The deck changed"),
                                     tr("%1 changed on disk since the deck was shown. Show the deck as it is now?")
                                         .arg(QDir::toNativeSeparators(path)))
            == QMessageBox::Yes;
    };
    connect(&m_watch, &DeckWatch::changed, this, &DeckPresenter::filesChanged);
    m_codeCheck->setSettings(m_settings);
    m_window->addPanel(tr("Code check"), QStringLiteral("codeCheckDock"), m_codeCheck);
    connect(m_codeCheck, &deckviewer::CodeCheckPanel::settingsChanged, this, &DeckPresenter::settingsChanged);
    connect(m_codeCheck, &deckviewer::CodeCheckPanel::membersSelected, m_window->view, &deckview::DeckView::setHighlighted);
    connect(m_codeCheck, &deckviewer::CodeCheckPanel::framingChosen, this, &DeckPresenter::framingChosen);
    // The window as the person left it last time, by its name's letters.
    QString layoutName = m_windowName.toLower();
    layoutName.removeIf([](QChar c) { return c < u'a' || c > u'z'; });
    deckviewer::rememberLayout(m_window.get(), layoutName);
    // The copies the host kept of the decks it was asked for in this folder.
    m_window->recentDecks = [folder = m_wizardFolder] {
        QList<deckview::DeckWindow::Recent> decks;
        for (const recentdecks::SavedDeck &saved : recentdecks::recentDecks(folder))
            decks.append({QStringLiteral("%1, %2").arg(saved.deckName, QLocale().toString(saved.at, QLocale::ShortFormat)),
                          saved.folder});
        return decks;
    };
}

DeckPresenter::~DeckPresenter()
{
    // A job still building a deck calls back into this object.
    m_pool.clear();
    m_pool.waitForDone();
}

void DeckPresenter::symbolLoaded(const QString &path)
{
    m_openedPath.clear();
    m_watch.watch({});
    m_loadedSymbol = path;
}

void DeckPresenter::symbolFileOpened(const QString &path)
{
    // The host is asked again when the wizard's files change: no question.
    m_openedPath.clear();
    m_watch.watch({});
    load([symbol = path, loaded = m_loadedSymbol, folder = m_wizardFolder](const deckmodel::CodeSettings &settings) {
        return symbolFrom(symbol, loaded, folder, settings);
    });
}

void DeckPresenter::open(const QString &path)
{
    m_openedPath = path;
    load([path](const deckmodel::CodeSettings &settings) { return deckFrom(path, settings); });
}

void DeckPresenter::load(std::function<ShownDeck(const deckmodel::CodeSettings &)> work, bool sameDeck)
{
    m_lastWork = work;
    m_kernels.supersede();
    m_decks.start(
        [work = std::move(work), settings = m_settings] {
            ShownDeck shown = work(settings);
            // The first picture in hidden line needs the kernel; the others do not wait for it.
            if (shown.mode == deckview::ViewMode::HiddenLine)
                addKernel(shown);
            return shown;
        },
        [this, sameDeck](const ShownDeck &shown) { show(shown, sameDeck); });
}

void DeckPresenter::show(const ShownDeck &shown, bool sameDeck)
{
    if (m_watch.path() != m_openedPath || !sameDeck)
        m_watch.watch(m_openedPath);
    m_waitingFor.clear();
    deckview::DeckWindow &window = *m_window;
    deckviewer::offerDrawingSet(window, shown, m_settings);
    window.comeForward();
    if (!shown.deck) { // nothing to place a stair on, nor to check
        m_shownDeckFile.clear();
        m_shownSource.clear();
        m_shown.reset();
        m_stairPanel->setNone(shown.isPlan ? tr("A 2D deck is a plan on the ground, with no stair to place.")
                                           : tr("No deck is shown."));
        m_codeCheck->setNone(shown.isPlan ? tr("A 2D deck is a plan on the ground, with no framing to check.")
                                          : tr("No deck is shown."));
        labelEdges();
    }
    if (!shown.error.isEmpty()) {
        window.showError(shown.error);
        window.setWindowTitle(m_windowName);
        emit drawn(QStringLiteral("cannot draw: ") + shown.error);
        return;
    }
    window.setWindowTitle(m_windowName + QStringLiteral(" - ") + shown.fileName);
    if (shown.isPlan) {
        window.showPlan(shown.plan, shown.facts, shown.block, shown.fileName);
        emit drawn(QStringLiteral("drawn ") + shown.block.title);
        return;
    }
    // The panel may switch back to the framing as designed: nothing is shown
    // twice meanwhile.
    m_shown.reset();
    m_codeCheck->setReport(shown.report, shown.suggestion);
    m_shown = std::make_shared<const ShownDeck>(shown);
    sameDeck = sameDeck && shown.source == m_shownSource;
    ShownDeck framing = m_codeCheck->suggestedChosen() && shown.suggested ? *shown.suggested : shown;
    if (sameDeck)
        framing.mode = m_window->view->mode(); // the person's mode, not the file's
    showFraming(framing, sameDeck);
    m_shownSource = shown.source;
    m_shownDeckFile = shown.deckFile;
    deckmodel::StairLayout stair = shown.deck ? shown.deck->stair.layout : deckmodel::StairLayout{false};
    stair.present = shown.deck && shown.deck->stair.present;
    m_stairPanel->setDeck(shown.stairEdges, stair);
    labelEdges();
    if (!shown.stairNote.isEmpty())
        m_stairPanel->note->setText(shown.stairNote);
    m_waitingFor = shown.block.title;
}

// The deck as designed or its suggested framing, in the view, the facts and
// the takeoff; the kernel for hidden lines follows.
void DeckPresenter::showFraming(const ShownDeck &shown, bool sameDeck)
{
    deckview::DeckWindow &window = *m_window;
    window.view->setHighlighted({});
    // The kernel first: a mode drawn for the old deck before the new scene is
    // meshed would be dropped anyway. Without one yet, hidden lines come from
    // the view's depth buffer until it is built.
    window.view->setHiddenLineSource(shown.hiddenLines ? hiddenLineSource(shown.hiddenLines)
                                                       : deckview::HiddenLineSource());
    window.showDeck(shown.scene, shown.mode, shown.facts, shown.block, shown.fileName,
                    [deck = shown.deck, source = shown.source, settings = m_settings](const QString &path) {
                        const std::optional<deckmodel::Format> format = deckmodel::formatOf(path);
                        return format && deck ? deckmodel::writeDeck(*deck, path, *format, settings)
                                              : deckmodel::renderDeck(source, path, settings);
                    },
                    sameDeck);
    if (!shown.hiddenLines)
        buildKernel(shown.members);
}

void DeckPresenter::settingsChanged(const deckmodel::CodeSettings &settings)
{
    m_settings = settings;
    deckviewer::saveCodeSettings(settings);
    if (m_lastWork)
        load(m_lastWork, true);
}

void DeckPresenter::framingChosen(bool suggested)
{
    if (!m_shown)
        return;
    const ShownDeck &shown = suggested && m_shown->suggested ? *m_shown->suggested : *m_shown;
    ShownDeck framing = shown;
    framing.mode = m_window->view->mode(); // the person's mode, not the file's
    showFraming(framing, true);
}

void DeckPresenter::buildKernel(const std::vector<deckmodel::Member> &members)
{
    m_kernels.start([members] { return std::make_shared<const deckmodel::HiddenLines>(members); },
                    [this](const std::shared_ptr<const deckmodel::HiddenLines> &kernel) {
                        m_window->view->setHiddenLineSource(hiddenLineSource(kernel));
                    });
}

void DeckPresenter::placeStair(const deckmodel::StairLayout &layout)
{
    if (m_shownDeckFile.isEmpty())
        return;
    if (const jm::Status saved = savedstairs::saveStair(m_shownDeckFile, layout); !saved)
        m_stairPanel->note->setText(saved.error());
    load([source = m_shownSource](const deckmodel::CodeSettings &settings) { return deckFrom(source, settings); }, true);
}

// The deck's files changed on disk: shown again if the person wants it;
// else nothing changes, and only a later change asks again.
void DeckPresenter::filesChanged()
{
    const QString path = m_watch.path();
    if (path.isEmpty() || m_asking) // one question at a time
        return;
    m_asking = true;
    const bool again = askReload(m_window.get(), path);
    m_asking = false;
    if (again && m_watch.path() == path)
        open(path);
    else
        m_watch.rewatch();
}

void DeckPresenter::labelEdges()
{
    std::vector<deckview::DeckView::Label> labels;
    if (m_stairShown && m_stairPanel->isEnabled())
        for (const StairEdge &edge : m_stairPanel->edges())
            labels.push_back({{edge.labelAt.x, edge.labelHeightInches, edge.labelAt.z}, edge.name});
    m_window->view->setLabels(labels);
}

void DeckPresenter::frameReady()
{
    if (m_waitingFor.isEmpty())
        return;
    emit drawn(QStringLiteral("drawn ") + m_waitingFor);
    m_waitingFor.clear();
}
