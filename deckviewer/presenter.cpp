#include "presenter.h"

#include "catalogue.h"
#include "checksettings.h"
#include "codecheckpanel.h"
#include "designfile.h"
#include "designsource.h"
#include "framingpanel.h"
#include "kernelmodule.h"
#include "recentdecks.h"
#include "recentdesigns.h"
#include "savedstairs.h"
#include "sheetsource.h"
#include "takeoffprices.h"
#include "windowlayout.h"

#include <QComboBox>
#include <QDir>
#include <QDockWidget>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QStatusBar>
#include <QUndoStack>

#include <utility>

#include "deckexport.h"

DeckPresenter::DeckPresenter(const QString &windowName, const QString &wizardFolder, QObject *parent)
    : QObject(parent), m_windowName(windowName), m_wizardFolder(wizardFolder),
      m_window(std::make_unique<deckview::DeckWindow>()), m_stairPanel(new StairPanel),
      m_codeCheck(new deckviewer::CodeCheckPanel), m_settings(deckviewer::loadCodeSettings()),
      m_framing(new deckviewer::FramingPanel)
{
    // The design: its values in the Framing panel, its changes undone and
    // redone from the Edit menu, kept with File > Save.
    connect(m_framing, &deckviewer::FramingPanel::edited, &m_document, &deckviewer::DesignDocument::change);
    connect(&m_document, &deckviewer::DesignDocument::changed, this, &DeckPresenter::rebuild);
    connect(&m_document, &deckviewer::DesignDocument::stateChanged, this, &DeckPresenter::showTitle);
    QAction *undo = m_document.undoStack()->createUndoAction(this, tr("&Undo"));
    undo->setShortcut(QKeySequence::Undo);
    QAction *redo = m_document.undoStack()->createRedoAction(this, tr("&Redo"));
    redo->setShortcuts({QKeySequence(QStringLiteral("Ctrl+Shift+Z")), QKeySequence(QStringLiteral("Ctrl+Y"))});
    m_window->editMenu->addAction(undo);
    m_window->editMenu->addAction(redo);
    connect(m_window.get(), &deckview::DeckWindow::newRequested, this, [this] {
        if (!m_wizardFolder.isEmpty())
            open(m_wizardFolder);
    });
    connect(m_window.get(), &deckview::DeckWindow::saveRequested, this, &DeckPresenter::save);
    connect(m_window.get(), &deckview::DeckWindow::saveAsRequested, this, &DeckPresenter::saveAs);
    m_window->mayClose = [this] { return settle(); };
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
    connect(m_window->view, &deckview::DeckView::modeChanged, this, &DeckPresenter::buildKernel);
    connect(m_window->view, &deckview::DeckView::frameReady, this, &DeckPresenter::buildKernel);
    connect(m_window.get(), &deckview::DeckWindow::openRequested, this, &DeckPresenter::open);
    connect(m_window.get(), &deckview::DeckWindow::wasteChanged, this, &DeckPresenter::wasteEdited);
    askReload = [](QWidget *parent, const QString &path) {
        return QMessageBox::question(parent, tr("The deck changed"),
                                     tr("%1 changed on disk since the deck was shown. Show the deck as it is now?")
                                         .arg(QDir::toNativeSeparators(path)))
            == QMessageBox::Yes;
    };
    connect(&m_watch, &DeckWatch::changed, this, &DeckPresenter::filesChanged);
    m_codeCheck->setSettings(m_settings);
    m_window->addPanel(tr("Code check"), QStringLiteral("codeCheckDock"), m_codeCheck);
    m_window->addPanel(tr("Framing"), QStringLiteral("framingDock"), m_framing);
    connect(m_codeCheck, &deckviewer::CodeCheckPanel::settingsChanged, this, &DeckPresenter::settingsChanged);
    connect(m_codeCheck, &deckviewer::CodeCheckPanel::membersSelected, m_window->view, &deckview::DeckView::setHighlighted);
    connect(m_codeCheck, &deckviewer::CodeCheckPanel::framingChosen, this, &DeckPresenter::framingChosen);
    connect(m_codeCheck, &deckviewer::CodeCheckPanel::useSuggested, this, &DeckPresenter::useSuggested);
    // The window as the person left it last time, by its name's letters.
    QString layoutName = m_windowName.toLower();
    layoutName.removeIf([](QChar c) { return c < u'a' || c > u'z'; });
    deckviewer::rememberLayout(m_window.get(), layoutName);
    // The designs saved or opened lately, then the copies the host kept of
    // the decks it was asked for in this folder.
    m_window->recentDecks = [folder = m_wizardFolder] {
        QList<deckview::DeckWindow::Recent> decks;
        for (const deckviewer::RecentDesign &recent : deckviewer::recentDesigns())
            decks.append({deckviewer::recentDesignLabel(recent), recent.path});
        // The host's copies by their deck's name, shape, size and time.
        for (const recentdecks::SavedDeck &saved : recentdecks::recentDecks(folder)) {
            const auto copy = deckviewer::designFrom(saved.folder, {}, 0);
            decks.append({QStringLiteral("%1, %2%3")
                              .arg(saved.deckName, copy ? deckviewer::shapeAndSize(*copy) + QStringLiteral(", ") : QString(),
                                   QLocale().toString(saved.at, QLocale::ShortFormat)),
                          saved.folder});
        }
        return decks;
    };
}

DeckPresenter::~DeckPresenter()
{
    // A job still building a deck calls back into this object.
    m_pool.clear();
    m_pool.waitForDone();
    // The window, destroyed after this object's body, hides its panels as it
    // goes: nothing of it reaches back into a presenter being destroyed.
    const QList<QObject *> parts = m_window->findChildren<QObject *>();
    for (QObject *part : parts)
        QObject::disconnect(part, nullptr, this, nullptr);
    QObject::disconnect(m_window.get(), nullptr, this, nullptr);
}

void DeckPresenter::symbolLoaded(const QString &path)
{
    m_openedPath.clear();
    m_watch.watch({});
    m_loadedSymbol = path;
}

void DeckPresenter::symbolFileOpened(const QString &path)
{
    if (!settle())
        return;
    // The host is asked again when the wizard's files change: no question.
    m_openedPath.clear();
    m_watch.watch({});
    auto otherwise = [symbol = path, loaded = m_loadedSymbol, folder = m_wizardFolder](const deckmodel::CodeSettings &settings) {
        return symbolFrom(symbol, loaded, folder, settings);
    };
    // The host's deck becomes a new design: the 2D style loaded last, or the 3D family's file.
    // A plain search of the path, which may be a megabyte long: this runs on the window's thread.
    if (deckfile::isCommon2DSymbol(path)) {
        const auto plan = deckfile::read2DFrom(m_loadedSymbol, m_wizardFolder);
        jm::Result<design::Design> made = plan ? jm::Result<design::Design>(design::from2D(*plan, m_wizardFolder, QDateTime::currentDateTimeUtc()))
                                               : jm::Result<design::Design>(plan.failure());
        if (made) {
            made->code = m_settings;
            made->wastePercent = deckviewer::wastePercent();
        }
        openDesign(made, QString(), m_wizardFolder, otherwise);
        return;
    }
    const deckfile::Family *family = deckfile::familyOfSymbol(path);
    const QString file = family ? QDir(m_wizardFolder).filePath(QLatin1String(family->file)) : QString();
    openDesign(family ? deckviewer::designFrom(file, m_settings, deckviewer::wastePercent()) : jm::failure(QString()),
               QString(), file, otherwise);
}

void DeckPresenter::open(const QString &path)
{
    if (!settle())
        return;
    m_openedPath = path;
    const bool isDesign = design::isDesignPath(path) && !QFileInfo(path).isDir();
    openDesign(deckviewer::designFrom(path, m_settings, deckviewer::wastePercent()),
               isDesign ? QFileInfo(path).absoluteFilePath() : QString(), path,
               [path](const deckmodel::CodeSettings &settings) { return deckFrom(path, settings); });
    if (isDesign && m_document.isOpen())
        deckviewer::rememberDesign(m_document.path());
}

// A design to show, or (none could be made) what the deck shows without one:
// its error in words.
void DeckPresenter::openDesign(const jm::Result<design::Design> &made, const QString &path, const QString &source,
                               std::function<ShownDeck(const deckmodel::CodeSettings &)> otherwise)
{
    m_codeCheck->chooseDesigned();
    m_previewing = false;
    if (!made) {
        m_document.clear();
        m_stairFile.clear();
        m_framing->setDesign(nullptr);
        load(std::move(otherwise));
        return;
    }
    m_stairFile = path.isEmpty() ? deckviewer::wizardDeckFile(source) : QString();
    m_document.reset(*made, path, source);
}

// The design as it is now: checked with its own settings, its waste
// allowance counted, built and shown.
void DeckPresenter::rebuild(bool edited)
{
    if (!m_document.isOpen())
        return;
    const design::Design &shown = m_document.design();
    m_settings = shown.code;
    m_codeCheck->setSettings(shown.code);
    deckviewer::useWastePercent(shown.wastePercent);
    {
        const QSignalBlocker quiet(m_window->wasteBox);
        m_window->wasteBox->setValue(shown.wastePercent);
    }
    m_framing->setDesign(&shown);
    load([design = shown, source = m_document.source(), edited](const deckmodel::CodeSettings &settings) {
        return deckFromDesign(design, source, settings, !edited);
    }, edited);
}

// The search for a passing framing of the deck shown, after it is shown; a
// later deck makes it stale.
void DeckPresenter::searchSuggestion(const ShownDeck &shown)
{
    m_suggestions.start(
        [shown, extras = design::extrasOf(m_document.design()), settings = m_settings] {
            ShownDeck searched = shown;
            addSuggestion(searched, extras, settings);
            return std::make_shared<const ShownDeck>(std::move(searched));
        },
        [this](const std::shared_ptr<const ShownDeck> &found) {
            m_shown = found;
            m_codeCheck->setReport(found->report, found->suggestion);
        });
}

void DeckPresenter::showTitle()
{
    if (!m_document.isOpen())
        return;
    // The mark is written into the title: a placeholder would reach the title's readers ("[*]").
    m_window->setWindowTitle(m_windowName + QStringLiteral(" - ") + m_document.name()
                             + (m_document.isModified() ? QStringLiteral("*") : QString())
                             + (m_previewing ? tr(" (preview of the suggested framing)") : QString()));
}

bool DeckPresenter::settle()
{
    if (!m_document.isModified())
        return true;
    switch (m_window->seams.askSave(m_window.get(), m_document.name())) {
    case deckview::SaveAnswer::Save: return save();
    case deckview::SaveAnswer::Discard: return true;
    case deckview::SaveAnswer::Cancel: break;
    }
    return false;
}

bool DeckPresenter::save()
{
    if (!m_document.isOpen())
        return false;
    if (m_document.path().isEmpty())
        return saveAs();
    if (const jm::Status saved = m_document.saveTo(m_document.path()); !saved) {
        m_window->seams.tellFailure(m_window.get(), tr("Save failed"), saved.error());
        return false;
    }
    m_window->statusBar()->showMessage(tr("Saved %1").arg(QDir::toNativeSeparators(m_document.path())), 5000);
    ownWrite(m_document.path());
    return true;
}

// A file the window itself has just written is not a change on disk to ask about.
void DeckPresenter::ownWrite(const QString &path)
{
    if (QFileInfo(m_watch.path()) == QFileInfo(path))
        m_watch.rewatch();
}

bool DeckPresenter::saveAs()
{
    if (!m_document.isOpen())
        return false;
    const QString suggested = m_document.path().isEmpty()
        ? QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
              .filePath(m_document.name() + u'.' + design::Extension)
        : m_document.path();
    QString path = m_window->seams.chooseDesignName(m_window.get(), suggested);
    if (path.isEmpty())
        return false;
    if (!design::isDesignPath(path))
        path += u'.' + design::Extension;
    if (const jm::Status saved = m_document.saveTo(path); !saved) {
        m_window->seams.tellFailure(m_window.get(), tr("Save failed"), saved.error());
        return false;
    }
    m_stairFile.clear();
    deckviewer::rememberDesign(path);
    m_window->statusBar()->showMessage(tr("Saved %1").arg(QDir::toNativeSeparators(path)), 5000);
    ownWrite(path);
    return true;
}

void DeckPresenter::useSuggested()
{
    if (!m_document.isOpen() || !m_shown || !m_shown->suggestion.parameters)
        return;
    m_codeCheck->chooseDesigned();
    m_previewing = false;
    m_document.change(tr("Use the suggested framing"), design::withFraming(m_document.design(), *m_shown->suggestion.parameters));
}

void DeckPresenter::wasteEdited()
{
    if (!m_document.isOpen()) {
        if (m_lastWork)
            load(m_lastWork, true);
        return;
    }
    design::Design changed = m_document.design();
    changed.wastePercent = m_window->wasteBox->value();
    m_document.change(tr("Change the waste allowance"), changed);
}

void DeckPresenter::load(std::function<ShownDeck(const deckmodel::CodeSettings &)> work, bool sameDeck)
{
    m_lastWork = work;
    m_kernels.supersede();
    m_suggestions.supersede();
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
    if (m_document.isOpen())
        showTitle();
    else
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
    m_previewing = m_codeCheck->suggestedChosen() && shown.suggested;
    ShownDeck framing = m_previewing ? *shown.suggested : shown;
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
    if (!m_stairNotSaved.isEmpty())
        m_stairPanel->note->setText(std::exchange(m_stairNotSaved, QString()));
    m_waitingFor = shown.block.title;
    if (shown.suggestionPending)
        searchSuggestion(shown);
}

// The deck as designed or its suggested framing, in the view, the facts and
// the takeoff; the kernel for hidden lines follows.
void DeckPresenter::showFraming(const ShownDeck &shown, bool sameDeck)
{
    deckview::DeckWindow &window = *m_window;
    window.view->setHighlighted({});
    // One deck on screen: the check list, the exports and the drawing set are all of it.
    deckviewer::offerDrawingSet(window, shown, m_settings);
    if (m_shown)
        m_codeCheck->setReport(shown.report, m_shown->suggestion);
    // The scene first, then its kernel (none yet: hidden lines come from the
    // view's depth buffer until it is built): the view draws nothing of the
    // old deck meanwhile.
    m_kernels.supersede();
    m_kernelMembers = shown.members;
    m_kernelWanted = !shown.hiddenLines;
    window.showDeck(shown.scene, shown.mode, shown.facts, shown.block, shown.fileName,
                    [deck = shown.deck, source = shown.source, settings = m_settings](const QString &path) {
                        const std::optional<deckmodel::Format> format = deckmodel::formatOf(path);
                        return format && deck ? writeDeckModel(*deck, path, settings)
                                              : deckmodel::renderDeck(source, path, settings);
                    },
                    sameDeck);
    window.view->setHiddenLineSource(shown.hiddenLines ? hiddenLineSource(shown.hiddenLines)
                                                       : deckview::HiddenLineSource());
    // The kernel is built once the view has drawn the deck (frameReady):
    // the first picture after an edit does not share the machine with it.
}

void DeckPresenter::settingsChanged(const deckmodel::CodeSettings &settings)
{
    deckviewer::saveCodeSettings(settings);
    if (m_document.isOpen() && !m_document.design().is2D) {
        design::Design changed = m_document.design();
        changed.code = settings;
        m_document.change(tr("Change the code check settings"), changed);
        return;
    }
    m_settings = settings;
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
    m_previewing = suggested && m_shown->suggested;
    showFraming(framing, true);
    showTitle();
}

// The kernel of the deck in the view, while the view shows hidden lines:
// each edit in another mode would build one for nothing. Until it comes, and
// without the kernel's module, hidden lines come from the depth buffer.
void DeckPresenter::buildKernel()
{
    if (!m_kernelWanted || m_window->view->mode() != deckview::ViewMode::HiddenLine
        || !deckmodel::kernelModule(deckmodel::KernelPart::HiddenLines))
        return;
    m_kernelWanted = false;
    m_kernels.start([members = m_kernelMembers] { return std::make_shared<const deckmodel::HiddenLines>(members); },
                    [this](const std::shared_ptr<const deckmodel::HiddenLines> &kernel) {
                        m_window->view->setHiddenLineSource(hiddenLineSource(kernel));
                    });
}

void DeckPresenter::placeStair(const deckmodel::StairLayout &layout)
{
    if (m_document.isOpen() && !m_document.design().is2D) {
        // A new design's stair is also kept for its wizard file, as for the file opened alone.
        if (!m_stairFile.isEmpty())
            if (const jm::Status saved = savedstairs::saveStair(m_stairFile, layout); !saved) {
                m_stairNotSaved = saved.error();
                m_stairPanel->note->setText(saved.error());
            }
        design::Design changed = m_document.design();
        changed.stair = layout;
        m_document.change(tr("Move the stair"), changed);
        return;
    }
    if (m_shownDeckFile.isEmpty())
        return;
    if (const jm::Status saved = savedstairs::saveStair(m_shownDeckFile, layout); !saved) {
        m_stairNotSaved = saved.error();
        m_stairPanel->note->setText(saved.error());
    }
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

#include "moc_presenter.cpp"
