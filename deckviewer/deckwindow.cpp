#include "deckwindow.h"
#include "checksettings.h"

#include "numbertext.h"
#include "takeoffprices.h"

#include "planview.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDockWidget>
#include <QFrame>
#include <QScrollArea>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QSignalBlocker>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSettings>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTableWidget>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <QDoubleSpinBox>
#include <QFormLayout>

#include <algorithm>
#include <memory>

namespace deckview {

namespace {
// The window keeps the folder and the filter of the last export with the
// viewer's other settings (deckviewer.conf), read and written by its rules.
const QString ExportFolderKey = QStringLiteral("export/folder");
const QString ExportFilterKey = QStringLiteral("export/filter");

QString documentsFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}
} // namespace

QStringList exportFilters(bool withModel)
{
    QStringList filters{QObject::tr("PDF drawing (*.pdf)"), QObject::tr("PNG picture (*.png)"),
                        QObject::tr("SVG drawing (*.svg)")};
    if (withModel)
        filters << QObject::tr("STEP model (*.step *.stp)") << QObject::tr("glTF model (*.glb)")
                << QObject::tr("CSV takeoff (*.csv)") << QObject::tr("Code check text (*.txt)")
                << QObject::tr("Code check JSON (*.json)");
    return filters;
}

QString withExtension(const QString &path, const QString &filter)
{
    if (!QFileInfo(path).suffix().isEmpty())
        return path;
    const QRegularExpressionMatch first = QRegularExpression(QStringLiteral("\\(\\*(\\.\\w+)")).match(filter);
    return first.hasMatch() ? path + first.captured(1) : path;
}

PrintDefaults printDefaults(QLocale::Territory territory, const QString &deckFileName, const QString &folder)
{
    using T = QLocale::Territory;
    static const T letter[] = {T::UnitedStates, T::Canada,      T::Mexico,     T::Chile,
                               T::Colombia,     T::CostaRica,   T::ElSalvador, T::Guatemala,
                               T::Panama,       T::Philippines, T::PuertoRico, T::Venezuela,
                               T::DominicanRepublic};
    const bool usesLetter = std::find(std::begin(letter), std::end(letter), territory) != std::end(letter);
    const QString name = deckFileName.isEmpty() ? QStringLiteral("deck") : QFileInfo(deckFileName).completeBaseName();
    return {usesLetter ? QPageSize::Letter : QPageSize::A4, QDir(folder).filePath(name + QStringLiteral(".pdf"))};
}

QString shortened(const QString &text, int maxChars)
{
    if (text.size() <= maxChars)
        return text;
    return text.left(maxChars - 3) + QStringLiteral("...");
}

QString openTarget(const QString &chosen)
{
    const QFileInfo file(chosen);
    for (const QString &name : {QStringLiteral("DeckType.txt"), QStringLiteral("DeckSize.txt"), QStringLiteral("symbols.txt")})
        if (file.fileName().compare(name, Qt::CaseInsensitive) == 0)
            return file.absolutePath();
    return chosen;
}

WindowSeams dialogSeams()
{
    WindowSeams seams;
    seams.chooseExportName = [](QWidget *parent, const QString &suggested, const QStringList &filters, QString *filter) {
        return QFileDialog::getSaveFileName(parent, QObject::tr("Export"), suggested, filters.join(QStringLiteral(";;")),
                                            filter);
    };
    seams.chooseFolder = [](QWidget *parent) {
        return QFileDialog::getOpenFileName(
            parent, QObject::tr("Open a deck"), documentsFolder(),
            QObject::tr("Decks (*.jmdeck Deck_*.txt DeckType.txt DeckSize.txt symbols.txt);;Deck designs (*.jmdeck);;"
                        "Deck parameter files (Deck_*.txt);;Wizard folders (DeckType.txt DeckSize.txt symbols.txt)"));
    };
    seams.chooseDesignName = [](QWidget *parent, const QString &suggested) {
        return QFileDialog::getSaveFileName(parent, QObject::tr("Save the design"), suggested,
                                            QObject::tr("Deck design (*.jmdeck)"));
    };
    seams.askSave = [](QWidget *parent, const QString &name) {
        const QMessageBox::StandardButton answer = QMessageBox::question(
            parent, QObject::tr("Unsaved changes"), QObject::tr("Save the changes to %1?").arg(name),
            QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
        return answer == QMessageBox::Save ? SaveAnswer::Save
            : answer == QMessageBox::Discard ? SaveAnswer::Discard
                                             : SaveAnswer::Cancel;
    };
    seams.tellFailure = [](QWidget *parent, const QString &title, const QString &text) {
        QMessageBox::warning(parent, title, text);
    };
    return seams;
}

DeckWindow::DeckWindow(QWidget *parent)
    : QMainWindow(parent), view(new DeckView(this)), plan(new PlanView(this)), message(new QLabel(this)),
      facts(new QLabel(this)), takeoff(new QTableWidget(this)), takeoffNotes(new QLabel(this)),
      wasteBox(new QDoubleSpinBox(this)), m_pages(new QStackedWidget(this)),
      m_deckDock(new QDockWidget(tr("Deck"), this))
{
    setObjectName(QStringLiteral("DeckWindow"));
    message->setObjectName(QStringLiteral("message"));
    message->setWordWrap(true);
    message->setAlignment(Qt::AlignCenter);
    message->setMargin(24);
    message->setText(tr("Nothing to draw yet. Finish a deck in Joistmaster, or open a wizard folder with File > Open."));
    m_pages->addWidget(message);
    m_pages->addWidget(view);
    m_pages->addWidget(plan);
    setCentralWidget(m_pages);

    facts->setObjectName(QStringLiteral("facts"));
    facts->setTextInteractionFlags(Qt::TextSelectableByMouse);
    takeoff->setObjectName(QStringLiteral("takeoff"));
    takeoff->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    connect(takeoff, &QTableWidget::cellChanged, this, &DeckWindow::priceEdited);
    takeoffNotes->setObjectName(QStringLiteral("takeoffNotes"));
    takeoffNotes->setWordWrap(true);
    takeoffNotes->setTextInteractionFlags(Qt::TextSelectableByMouse);
    takeoff->verticalHeader()->hide();
    takeoff->horizontalHeader()->setStretchLastSection(true);
    takeoff->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    takeoff->hide();
    auto *side = new QWidget(m_deckDock);
    auto *layout = new QVBoxLayout(side);
    layout->addWidget(facts);
    layout->addWidget(takeoff, 1);
    layout->addWidget(takeoffNotes);
    auto *waste = new QFormLayout;
    wasteBox->setObjectName(QStringLiteral("wasteBox"));
    wasteBox->setRange(0, 100);
    wasteBox->setDecimals(0);
    wasteBox->setSuffix(QStringLiteral(" %"));
    wasteBox->setValue(deckviewer::wastePercent());
    connect(wasteBox, &QDoubleSpinBox::editingFinished, this, [this] {
        if (wasteBox->value() == deckviewer::wastePercent())
            return;
        deckviewer::saveWastePercent(wasteBox->value());
        emit wasteChanged();
    });
    waste->addRow(tr("Decking waste allowance:"), wasteBox);
    layout->addLayout(waste);
    m_deckDock->setObjectName(QStringLiteral("deckDock"));
    m_deckDock->setWidget(side);
    addDockWidget(Qt::RightDockWidgetArea, m_deckDock);

    QToolBar *tools = addToolBar(tr("View"));
    tools->setObjectName(QStringLiteral("viewToolBar"));
    m_viewOnly = view->viewActions() + view->modeActions() + QList<QAction *>{view->dashAction()};
    tools->addActions(view->viewActions());
    tools->addSeparator();
    tools->addActions(view->modeActions());
    tools->addAction(view->dashAction());
    tools->addSeparator();
    buildMenus(tools);
    connect(view, &DeckView::modeChanged, this, [this] { setDrawn(exportAction->isEnabled(), m_pages->currentWidget() == view); });
    setDrawn(false, false);
    statusBar();
    resize(1100, 720);
}

// The menus in one place: File (open, export, print, close) and View (the
// toolbar and every panel, also once closed).
void DeckWindow::buildMenus(QToolBar *tools)
{
    QMenu *file = menuBar()->addMenu(tr("&File"));
    newAction = file->addAction(tr("&New from the Wizard's Deck"), this, &DeckWindow::newRequested);
    newAction->setShortcut(QKeySequence::New);
    QAction *open = file->addAction(tr("&Open..."), this, &DeckWindow::askOpen);
    open->setShortcut(QKeySequence::Open);
    recentMenu = file->addMenu(tr("Open &Recent"));
    connect(recentMenu, &QMenu::aboutToShow, this, &DeckWindow::listRecent);
    file->addSeparator();
    saveAction = file->addAction(tr("&Save"), this, &DeckWindow::saveRequested);
    saveAction->setShortcut(QKeySequence::Save);
    saveAsAction = file->addAction(tr("Save &As..."), this, &DeckWindow::saveAsRequested);
    saveAsAction->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+S")));
    file->addSeparator();
    exportAction = file->addAction(tr("&Export..."), this, &DeckWindow::askExport);
    exportAction->setShortcut(QKeySequence(QStringLiteral("Ctrl+E")));
    printAction = file->addAction(tr("&Print..."), this, &DeckWindow::askPrint);
    printAction->setShortcut(QKeySequence::Print);
    drawingSetAction = file->addAction(tr("&Drawing Set..."), this, &DeckWindow::askDrawingSet);
    printSetAction = file->addAction(tr("Print Drawing &Set..."), this, &DeckWindow::askPrintSet);
    file->addSeparator();
    file->addAction(tr("&Close"), this, &QWidget::close)->setShortcut(QKeySequence::Close);
    tools->addAction(exportAction);
    tools->addAction(printAction);

    editMenu = menuBar()->addMenu(tr("&Edit"));
    m_viewMenu = menuBar()->addMenu(tr("&View"));
    m_viewMenu->addAction(tools->toggleViewAction());
    m_viewMenu->addAction(m_deckDock->toggleViewAction());
}

void DeckWindow::listRecent()
{
    recentMenu->clear();
    const QList<Recent> decks = recentDecks ? recentDecks() : QList<Recent>();
    for (const Recent &deck : decks)
        recentMenu->addAction(deck.label, this, [this, folder = deck.folder] { emit openRequested(folder); });
    if (decks.isEmpty())
        recentMenu->addAction(tr("No deck shown yet"))->setEnabled(false);
}

// Closing the window moves the focus off the waste box, which would report
// an edit to a window half destroyed.
DeckWindow::~DeckWindow()
{
    wasteBox->blockSignals(true);
}

void DeckWindow::addPanel(const QString &title, const QString &objectName, QWidget *panel)
{
    auto *dock = new QDockWidget(title, this);
    dock->setObjectName(objectName);
    // A long panel scrolls rather than making the window taller than the screen.
    auto *scroll = new QScrollArea(dock);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(panel);
    dock->setWidget(scroll);
    addDockWidget(Qt::RightDockWidgetArea, dock);
    tabifyDockWidget(m_deckDock, dock);
    m_deckDock->raise();
    m_viewMenu->addAction(dock->toggleViewAction());
}

void DeckWindow::setDrawn(bool drawn, bool viewShown)
{
    exportAction->setEnabled(drawn);
    printAction->setEnabled(drawn);
    drawingSetAction->setEnabled(drawn && writeDrawingSet);
    printSetAction->setEnabled(drawn && printDrawingSet);
    for (QAction *action : m_viewOnly)
        action->setEnabled(viewShown);
    // A shaded picture has no hidden lines to dash.
    view->dashAction()->setEnabled(viewShown && view->mode() != ViewMode::Shaded);
}

void DeckWindow::setFacts(const Facts &rows, const TitleBlock &block)
{
    m_block = block;
    QStringList lines;
    for (const auto &[name, value] : rows)
        lines << name + QStringLiteral(": ") + value;
    facts->setText(lines.join(u'\n'));
    fillPrices();
}

// The takeoff priced from the price list as it is now, notes and all; the
// unit price of a row bought is the one cell a person may edit.
void DeckWindow::fillPrices()
{
    const QSignalBlocker quiet(takeoff);
    takeoff->clear();
    takeoffNotes->clear();
    takeoff->setVisible(bool(m_block.takeoff)); // a plan has no takeoff
    takeoffNotes->setVisible(bool(m_block.takeoff));
    if (!m_block.takeoff)
        return;
    const deckviewer::Prices prices = deckviewer::pricesOrNone();
    std::vector<QStringList> rows = deckmodel::takeoffRows(*m_block.takeoff, prices.list);
    for (QString &name : rows.front())
        name[0] = name[0].toUpper();
    takeoff->setColumnCount(int(rows.front().size()));
    takeoff->setHorizontalHeaderLabels(rows.front());
    takeoff->setRowCount(int(rows.size()) - 1);
    const int bought = int(m_block.takeoff->rows.size());
    for (int r = 0; r + 1 < int(rows.size()); ++r)
        for (int c = 0; c < rows[size_t(r) + 1].size(); ++c) {
            auto *item = new QTableWidgetItem(rows[size_t(r) + 1][c]);
            const bool editable = c == 5 && r < bought && m_block.takeoff->rows[size_t(r)].bought;
            item->setFlags(editable ? item->flags() | Qt::ItemIsEditable : item->flags() & ~Qt::ItemIsEditable);
            item->setToolTip(item->text());
            takeoff->setItem(r, c, item);
        }
    const deckmodel::PricedTakeoff priced = deckmodel::priceTakeoff(*m_block.takeoff, prices.list);
    QStringList lines;
    for (const QStringList &total : deckmodel::totalRows(priced))
        if (total[0] != u"Total")
            lines << total[0] + u' ' + deckmodel::amountText(total[1].toDouble());
    lines << deckmodel::totalLine(priced);
    if (prices.example)
        lines << tr("These are example prices: double-click a unit price to put in your own (saved to %1).")
                     .arg(QDir::toNativeSeparators(deckviewer::priceListPath()));
    lines += prices.problems;
    if (!m_block.wizardNotes.isEmpty())
        lines << QString() << tr("The wizard's notes") << m_block.wizardNotes;
    takeoffNotes->setText(lines.join(u'\n'));
    fitTakeoff();
}

// A unit price typed into the table: saved to its line of the price list,
// then every total again; a price that is no number leaves the file alone.
void DeckWindow::priceEdited(int row, int column)
{
    if (column != 5 || !m_block.takeoff || row >= int(m_block.takeoff->rows.size()))
        return;
    const std::optional<double> price = deckmodel::priceNumber(takeoff->item(row, column)->text());
    const jm::Status saved = price ? deckviewer::savePrice(m_block.takeoff->rows[size_t(row)].priceKey(), *price)
                                   : jm::failure(tr("A price is a number of at least 0."));
    fillPrices();
    if (!saved)
        takeoffNotes->setText(saved.error() + u'\n' + takeoffNotes->text());
}

// The side panel as wide as the takeoff's columns, up to three fifths of the window.
void DeckWindow::fitTakeoff()
{
    if (takeoff->isHidden())
        return;
    takeoff->resizeColumnsToContents();
    // A long item or size is cut short in its cell; its tooltip shows it whole.
    constexpr int widest = 150;
    int width = 2 * takeoff->frameWidth() + takeoff->verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < takeoff->columnCount(); ++c) {
        if (c + 1 < takeoff->columnCount() && takeoff->columnWidth(c) > widest)
            takeoff->setColumnWidth(c, widest);
        width += takeoff->columnWidth(c);
    }
    // The notes, the last column, give way: each shows whole as its tooltip.
    const int room = this->width() * 3 / 5, last = takeoff->columnCount() - 1;
    if (width > room && last > 0) {
        // The last section stretches into what room the others leave.
        const int others = width - takeoff->columnWidth(last);
        const int narrower = std::max(takeoff->horizontalHeader()->minimumSectionSize(), room - others);
        takeoff->setColumnWidth(last, narrower);
        width = others + narrower;
    }
    width = std::min(width, room);
    takeoff->setMinimumWidth(width);
}

void DeckWindow::showDeck(const Scene &scene, ViewMode mode, const Facts &rows, const TitleBlock &block,
                          const QString &fileName, std::function<jm::Status(const QString &path)> writeModel,
                          bool sameDeck)
{
    m_fileName = fileName;
    m_writeModel = std::move(writeModel);
    setFacts(rows, block);
    view->setMode(mode);
    view->setScene(scene, sameDeck);
    const bool wasShown = m_pages->currentWidget() == view;
    m_pages->setCurrentWidget(view);
    setDrawn(true, true);
    if (!wasShown)
        view->setFocus();
}

void DeckWindow::showPlan(const PlanDrawing &drawing, const Facts &rows, const TitleBlock &block,
                          const QString &fileName)
{
    m_fileName = fileName;
    m_writeModel = nullptr;
    setFacts(rows, block);
    plan->setPlan(drawing);
    m_pages->setCurrentWidget(plan);
    setDrawn(true, false);
}

void DeckWindow::showError(const QString &text)
{
    m_fileName.clear();
    m_writeModel = nullptr;
    setFacts({}, TitleBlock{});
    // Room for a failed check's few sentences, not for a megabyte path.
    message->setText(shortened(text, 600));
    m_pages->setCurrentWidget(message);
    setDrawn(false, false);
}

void DeckWindow::comeForward()
{
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
    // The window manager may keep the focus where it is: then ask for attention.
    QTimer::singleShot(500, this, [this] {
        if (!isActiveWindow())
            QApplication::alert(this);
    });
}

Drawing DeckWindow::currentDrawing() const
{
    if (m_pages->currentWidget() == plan)
        return plan->currentDrawing();
    // A page holds about three screen pixels in each of the view's.
    if (m_pages->currentWidget() == view)
        return view->currentDrawing(3);
    return Drawing{m_pages->size(), {}, {}, {}, false};
}

jm::Status DeckWindow::exportDrawing(const QString &path) const
{
    if (m_pages->currentWidget() == message)
        return jm::failure(tr("There is no deck to export."));
    // Not a drawing: the model or the takeoff, as the command line writes them.
    if (drawingFormatOf(path) == DrawingFormat::Unknown && m_writeModel)
        return m_writeModel(path);
    return writeDrawing(path, currentDrawing(), m_block);
}

void DeckWindow::askExport()
{
    const std::unique_ptr<const QSettings> remembered = deckviewer::storedSettings();
    const QStringList filters = exportFilters(bool(m_writeModel));
    QString filter = remembered ? remembered->value(ExportFilterKey).toString() : QString();
    if (!filters.contains(filter))
        filter = filters.front();
    const QString folder = remembered ? remembered->value(ExportFolderKey, documentsFolder()).toString() : documentsFolder();
    const QString suggested = QDir(folder).filePath(QFileInfo(m_fileName).completeBaseName());
    QString path = seams.chooseExportName(this, suggested, filters, &filter);
    if (path.isEmpty())
        return;
    path = withExtension(path, filter);
    if (const jm::Status exported = exportDrawing(path)) {
        if (const std::unique_ptr<QSettings> remember = deckviewer::settingsToWrite()) {
            remember->setValue(ExportFolderKey, QFileInfo(path).absolutePath());
            remember->setValue(ExportFilterKey, filter);
        }
        statusBar()->showMessage(tr("Wrote %1").arg(path), 5000);
    } else {
        statusBar()->showMessage(exported.error());
        seams.tellFailure(this, tr("Export failed"), exported.error());
    }
}

// The printer set to the locale's paper, landscape, a PDF named after the
// deck as its file; false when the person cancels.
bool DeckWindow::choosePrinter(QPrinter &printer)
{
    const PrintDefaults defaults = printDefaults(QLocale().territory(), m_fileName, documentsFolder());
    printer.setPageSize(QPageSize(defaults.paper));
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(QFileInfo(defaults.fileName).completeBaseName());
    printer.setOutputFileName(defaults.fileName);
    QPrintDialog dialog(&printer, this);
    return dialog.exec() == QDialog::Accepted;
}

// The drawing set where the deck has one, else the drawing in view.
void DeckWindow::askPrint()
{
    if (printDrawingSet) {
        askPrintSet();
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    if (choosePrinter(printer))
        printDrawing(printer, currentDrawing(), m_block);
}

// The drawing set as a PDF, named after the deck, in the last export's folder.
void DeckWindow::askDrawingSet()
{
    if (!writeDrawingSet)
        return;
    const std::unique_ptr<const QSettings> remembered = deckviewer::storedSettings();
    const QString folder = remembered ? remembered->value(ExportFolderKey, documentsFolder()).toString() : documentsFolder();
    const QString name = QFileInfo(m_fileName).completeBaseName() + QStringLiteral("-set.pdf");
    // The paper as the filter chosen: the first lets the deck choose.
    const QStringList papers{QString(), QStringLiteral("letter"), QStringLiteral("a4"), QStringLiteral("tabloid"),
                             QStringLiteral("a3")};
    const QStringList filters{tr("PDF drawing set, paper chosen for the deck (*.pdf)"),
                              tr("PDF drawing set on Letter (*.pdf)"), tr("PDF drawing set on A4 (*.pdf)"),
                              tr("PDF drawing set on Tabloid, 11 x 17 in (*.pdf)"), tr("PDF drawing set on A3 (*.pdf)")};
    QString filter = filters.front();
    QString path = seams.chooseExportName(this, QDir(folder).filePath(name), filters, &filter);
    if (path.isEmpty())
        return;
    path = withExtension(path, filter);
    const QString paper = papers.value(std::max<qsizetype>(0, filters.indexOf(filter)));
    if (const jm::Status written = writeDrawingSet(path, paper)) {
        if (const std::unique_ptr<QSettings> remember = deckviewer::settingsToWrite())
            remember->setValue(ExportFolderKey, QFileInfo(path).absolutePath());
        statusBar()->showMessage(tr("Wrote %1").arg(path), 5000);
    } else {
        statusBar()->showMessage(written.error());
        seams.tellFailure(this, tr("Drawing set failed"), written.error());
    }
}

void DeckWindow::askPrintSet()
{
    if (!printDrawingSet)
        return;
    QPrinter printer(QPrinter::HighResolution);
    if (choosePrinter(printer))
        printDrawingSet(printer);
}

void DeckWindow::askOpen()
{
    const QString chosen = seams.chooseFolder(this);
    if (!chosen.isEmpty())
        emit openRequested(openTarget(chosen));
}

void DeckWindow::closeEvent(QCloseEvent *event)
{
    if (mayClose && !mayClose()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

} // namespace deckview

#include "moc_deckwindow.cpp"
