// deckhost's drawing of what the wizard asked for. LoadSymbol remembers the
// 2D style; OpenSymbolFile reads the wizard's files and builds the deck on a
// worker thread, and shows the result in the window when it is ready (a later
// request wins over an earlier one still running). The hidden-line kernel is
// built there too: before the deck is shown when its first picture is in
// hidden line, else after, while the person already sees it.
// When the chosen mode is first drawn, `drawn` says so.
#pragma once

#include "deckwindow.h"
#include "showdeck.h"

#include <QObject>
#include <QThreadPool>

#include <atomic>
#include <functional>

class DeckPresenter : public QObject {
    Q_OBJECT
public:
    // calls: the host's list of calls, shown in a tab of the window; may be null.
    DeckPresenter(const QString &wizardFolder, QWidget *calls, QObject *parent = nullptr);
    ~DeckPresenter() override;

    deckview::DeckWindow *window() const { return m_window.get(); }

    void symbolLoaded(const QString &path);
    void symbolFileOpened(const QString &path);
    // The viewer without a bus: a wizard folder or one deck parameter file.
    void open(const QString &path);

signals:
    // "drawn <title>" once the deck's first picture is finished; "cannot draw:
    // <why>" when there is nothing to draw.
    void drawn(const QString &line);

private:
    void load(std::function<ShownDeck()> work);
    void show(quint64 request, const ShownDeck &shown);
    void buildKernel(quint64 request, const std::vector<deckmodel::Member> &members);
    void frameReady();

    QString m_wizardFolder;
    QString m_loadedSymbol;
    std::unique_ptr<deckview::DeckWindow> m_window;
    QThreadPool m_pool;
    std::atomic<quint64> m_request = 0;
    QString m_waitingFor; // the title of a deck whose first picture is pending
};
