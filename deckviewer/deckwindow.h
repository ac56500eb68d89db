// The deck window of the viewer and of the substitute host: the 3D view or the
// 2D plan in the middle, the deck's facts and the material takeoff beside it,
// more panels (the parameter files, the calls the host received) in tabs of
// their own, a toolbar for the views, the modes, drawings out and printing.
// Model errors are shown in words where the drawing would be.
#pragma once

#include "deckview.h"
#include "drawing.h"
#include "plandrawing.h"

#include <QMainWindow>

#include <utility>
#include <vector>

class QDockWidget;
class QLabel;
class QStackedWidget;
class QTableWidget;

namespace deckview {

class PlanView;

using Facts = std::vector<std::pair<QString, QString>>; // ("A", "16' 0\"") ...

class DeckWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit DeckWindow(QWidget *parent = nullptr);

    // A panel in a tab beside the deck's facts, which stay in front; the window owns it.
    void addPanel(const QString &title, const QString &objectName, QWidget *panel);

    // A 3D deck in a viewing mode; the title block's takeoff fills the table.
    void showDeck(const Scene &scene, ViewMode mode, const Facts &facts, const TitleBlock &block);
    // The 2D road's plan.
    void showPlan(const PlanDrawing &plan, const Facts &facts, const TitleBlock &block);
    // Why there is no drawing, in words, where the drawing would be.
    void showError(const QString &text);

    // The drawing shown now, with its title block, to a .png, .svg or .pdf.
    jm::Status exportDrawing(const QString &path) const;
    Drawing currentDrawing() const;

    DeckView *view;
    PlanView *plan;
    QLabel *message;
    QLabel *facts;
    QTableWidget *takeoff;

private:
    void askExport();
    void askPrint();
    void setFacts(const Facts &facts, const TitleBlock &block);

    QStackedWidget *m_pages;
    QDockWidget *m_deckDock;
    QList<QAction *> m_viewOnly;
    TitleBlock m_block;
};

} // namespace deckview
