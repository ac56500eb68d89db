#include "deckwindow.h"

#include "planview.h"

#include <QDockWidget>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollBar>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTableWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

namespace deckview {

DeckWindow::DeckWindow(QWidget *parent)
    : QMainWindow(parent), view(new DeckView(this)), plan(new PlanView(this)), message(new QLabel(this)),
      facts(new QLabel(this)), takeoff(new QTableWidget(this)), m_pages(new QStackedWidget(this)),
      m_deckDock(new QDockWidget(tr("Deck"), this))
{
    setObjectName(QStringLiteral("DeckWindow"));
    message->setObjectName(QStringLiteral("message"));
    message->setWordWrap(true);
    message->setAlignment(Qt::AlignCenter);
    message->setMargin(24);
    message->setText(tr("Nothing to draw yet: the wizard has not opened a symbol."));
    m_pages->addWidget(message);
    m_pages->addWidget(view);
    m_pages->addWidget(plan);
    setCentralWidget(m_pages);

    facts->setObjectName(QStringLiteral("facts"));
    facts->setTextInteractionFlags(Qt::TextSelectableByMouse);
    takeoff->setObjectName(QStringLiteral("takeoff"));
    takeoff->setEditTriggers(QAbstractItemView::NoEditTriggers);
    takeoff->verticalHeader()->hide();
    takeoff->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    auto *side = new QWidget(m_deckDock);
    auto *layout = new QVBoxLayout(side);
    layout->addWidget(facts);
    layout->addWidget(takeoff, 1);
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
    QAction *save = tools->addAction(tr("Export..."), this, &DeckWindow::askExport);
    save->setShortcut(QKeySequence::Save);
    QAction *print = tools->addAction(tr("Print..."), this, &DeckWindow::askPrint);
    print->setShortcut(QKeySequence::Print);
    for (QAction *action : m_viewOnly)
        action->setEnabled(false);
    statusBar();
    resize(1100, 720);
}

void DeckWindow::addPanel(const QString &title, const QString &objectName, QWidget *panel)
{
    auto *dock = new QDockWidget(title, this);
    dock->setObjectName(objectName);
    dock->setWidget(panel);
    addDockWidget(Qt::RightDockWidgetArea, dock);
    tabifyDockWidget(m_deckDock, dock);
    m_deckDock->raise();
}

void DeckWindow::setFacts(const Facts &rows, const TitleBlock &block)
{
    m_block = block;
    QStringList lines;
    for (const auto &[name, value] : rows)
        lines << name + QStringLiteral(": ") + value;
    facts->setText(lines.join(u'\n'));
    takeoff->clear();
    takeoff->setColumnCount(int(block.takeoffHeader.size()));
    takeoff->setHorizontalHeaderLabels(block.takeoffHeader);
    takeoff->setRowCount(int(block.takeoffRows.size()));
    for (int r = 0; r < block.takeoffRows.size(); ++r)
        for (int c = 0; c < block.takeoffRows[r].size(); ++c)
            takeoff->setItem(r, c, new QTableWidgetItem(block.takeoffRows[r][c]));
    takeoff->resizeColumnsToContents();
    // Wide enough for every column, up to about two fifths of the window.
    int width = 2 * takeoff->frameWidth() + takeoff->verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < takeoff->columnCount(); ++c)
        width += takeoff->columnWidth(c);
    takeoff->setMinimumWidth(std::min(width, 440));
    takeoff->setVisible(!block.takeoffRows.isEmpty()); // a plan has no takeoff
}

void DeckWindow::showDeck(const Scene &scene, ViewMode mode, const Facts &rows, const TitleBlock &block)
{
    setFacts(rows, block);
    view->setMode(mode);
    view->setScene(scene);
    for (QAction *action : m_viewOnly)
        action->setEnabled(true);
    m_pages->setCurrentWidget(view);
    view->setFocus();
}

void DeckWindow::showPlan(const PlanDrawing &drawing, const Facts &rows, const TitleBlock &block)
{
    setFacts(rows, block);
    plan->setPlan(drawing);
    for (QAction *action : m_viewOnly)
        action->setEnabled(false);
    m_pages->setCurrentWidget(plan);
}

void DeckWindow::showError(const QString &text)
{
    message->setText(text);
    for (QAction *action : m_viewOnly)
        action->setEnabled(false);
    m_pages->setCurrentWidget(message);
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
    return writeDrawing(path, currentDrawing(), m_block);
}

void DeckWindow::askExport()
{
    const QString path = QFileDialog::getSaveFileName(this, tr("Export the drawing"), QString(),
                                                      tr("PNG picture (*.png);;SVG drawing (*.svg);;PDF drawing (*.pdf)"));
    if (path.isEmpty())
        return;
    if (const jm::Status exported = exportDrawing(path))
        statusBar()->showMessage(tr("Wrote %1").arg(path), 5000);
    else
        statusBar()->showMessage(exported.error());
}

void DeckWindow::askPrint()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted)
        printDrawing(printer, currentDrawing(), m_block);
}

} // namespace deckview
