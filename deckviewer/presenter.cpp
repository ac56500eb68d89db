#include "presenter.h"

#include "recentdecks.h"
#include "savedstairs.h"

#include <QLocale>

#include "deckexport.h"

DeckPresenter::DeckPresenter(const QString &windowName, const QString &wizardFolder, QObject *parent)
    : QObject(parent), m_windowName(windowName), m_wizardFolder(wizardFolder),
      m_window(std::make_unique<deckview::DeckWindow>()), m_stairPanel(new StairPanel)
{
    // The stair's place, saved per deck in the user's state folder.
    m_window->addPanel(tr("Stair"), QStringLiteral("stairDock"), m_stairPanel);
    connect(m_stairPanel, &StairPanel::stairChanged, this, &DeckPresenter::placeStair);
    // A deck that takes long to build does not hold up the next: that one
    // starts at once, and the old one's result is dropped when it comes.
    m_pool.setMaxThreadCount(4);
    m_window->setWindowTitle(m_windowName);
    connect(m_window->view, &deckview::DeckView::frameReady, this, &DeckPresenter::frameReady);
    connect(m_window.get(), &deckview::DeckWindow::openRequested, this, &DeckPresenter::open);
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
    m_loadedSymbol = path;
}

void DeckPresenter::symbolFileOpened(const QString &path)
{
    load([symbol = path, loaded = m_loadedSymbol, folder = m_wizardFolder] {
        return symbolFrom(symbol, loaded, folder);
    });
}

void DeckPresenter::open(const QString &path)
{
    load([path] { return deckFrom(path); });
}

void DeckPresenter::load(std::function<ShownDeck()> work)
{
    m_kernels.supersede();
    m_decks.start(
        [work = std::move(work)] {
            ShownDeck shown = work();
            // The first picture in hidden line needs the kernel; the others do not wait for it.
            if (shown.mode == deckview::ViewMode::HiddenLine)
                addKernel(shown);
            return shown;
        },
        [this](const ShownDeck &shown) { show(shown); });
}

void DeckPresenter::show(const ShownDeck &shown)
{
    m_waitingFor.clear();
    deckview::DeckWindow &window = *m_window;
    window.comeForward();
    if (!shown.deck) { // nothing to place a stair on
        m_shownDeckFile.clear();
        m_stairPanel->setEnabled(false);
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
    // The kernel first: a mode drawn for the old deck before the new scene is
    // meshed would be dropped anyway. Without one yet, hidden lines come from
    // the view's depth buffer until it is built.
    window.view->setHiddenLineSource(shown.hiddenLines ? hiddenLineSource(shown.hiddenLines)
                                                       : deckview::HiddenLineSource());
    window.showDeck(shown.scene, shown.mode, shown.facts, shown.block, shown.fileName,
                    [deck = shown.deck, source = shown.source](const QString &path) {
                        const std::optional<deckmodel::Format> format = deckmodel::formatOf(path);
                        return format && deck ? deckmodel::writeDeck(*deck, path, *format) : deckmodel::renderDeck(source, path);
                    });
    m_shownSource = shown.source;
    m_shownDeckFile = shown.deckFile;
    m_stairPanel->setDeck(shown.stairEdges, shown.deck ? shown.deck->stair.layout : deckmodel::StairLayout{false});
    if (shown.deck && !shown.deck->stair.present)
        m_stairPanel->edge->setCurrentIndex(0);
    if (!shown.stairNote.isEmpty())
        m_stairPanel->note->setText(shown.stairNote);
    m_waitingFor = shown.block.title;
    if (!shown.hiddenLines)
        buildKernel(shown.members);
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
    load([source = m_shownSource] { return deckFrom(source); });
}

void DeckPresenter::frameReady()
{
    if (m_waitingFor.isEmpty())
        return;
    emit drawn(QStringLiteral("drawn ") + m_waitingFor);
    m_waitingFor.clear();
}
