#include "presenter.h"

#include <QDir>

DeckPresenter::DeckPresenter(const QString &wizardFolder, QWidget *calls, QObject *parent)
    : QObject(parent), m_wizardFolder(wizardFolder), m_window(std::make_unique<deckview::DeckWindow>(calls))
{
    m_pool.setMaxThreadCount(1);
    connect(m_window->view, &deckview::DeckView::frameReady, this, &DeckPresenter::frameReady);
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
    const quint64 request = ++m_request;
    m_pool.start([this, request, work = std::move(work)] {
        if (request != m_request)
            return;
        ShownDeck shown = work();
        // The first picture in hidden line needs the kernel; the others do not wait for it.
        if (shown.mode == deckview::ViewMode::HiddenLine)
            addKernel(shown);
        QMetaObject::invokeMethod(this, [this, request, shown = std::move(shown)] { show(request, shown); },
                                  Qt::QueuedConnection);
    });
}

void DeckPresenter::show(quint64 request, const ShownDeck &shown)
{
    if (request != m_request)
        return;
    m_waitingFor.clear();
    deckview::DeckWindow &window = *m_window;
    if (!shown.error.isEmpty()) {
        window.showError(shown.error);
        window.setWindowTitle(QStringLiteral("deckhost - Plankora.Application"));
        emit drawn(QStringLiteral("cannot draw: ") + shown.error);
        return;
    }
    window.setWindowTitle(QStringLiteral("deckhost - ") + shown.block.title);
    if (shown.isPlan) {
        window.showPlan(shown.plan, shown.facts, shown.block);
        emit drawn(QStringLiteral("drawn ") + shown.block.title);
        return;
    }
    // The kernel first: a mode drawn for the old deck before the new scene is
    // meshed would be dropped anyway. Without one yet, hidden lines come from
    // the view's depth buffer until it is built.
    window.view->setHiddenLineSource(shown.hiddenLines ? hiddenLineSource(shown.hiddenLines)
                                                       : deckview::HiddenLineSource());
    window.showDeck(shown.scene, shown.mode, shown.facts, shown.block);
    m_waitingFor = shown.block.title;
    if (!shown.hiddenLines)
        buildKernel(request, shown.members);
}

void DeckPresenter::buildKernel(quint64 request, const std::vector<deckmodel::Member> &members)
{
    m_pool.start([this, request, members] {
        if (request != m_request)
            return;
        auto kernel = std::make_shared<const deckmodel::HiddenLines>(members);
        QMetaObject::invokeMethod(
            this,
            [this, request, kernel] {
                if (request == m_request)
                    m_window->view->setHiddenLineSource(hiddenLineSource(kernel));
            },
            Qt::QueuedConnection);
    });
}

void DeckPresenter::frameReady()
{
    if (m_waitingFor.isEmpty())
        return;
    emit drawn(QStringLiteral("drawn ") + m_waitingFor);
    m_waitingFor.clear();
}
