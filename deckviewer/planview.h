// The 2D road's plan on screen, redrawn to fit whenever the widget resizes.
// Like the 3D view: the wheel zooms about the cursor, a drag moves the plan,
// + and - zoom about the centre, Home or a double-click fits it again.
#pragma once

#include "plandrawing.h"

#include <QWidget>

#include <optional>

namespace deckview {

class PlanView : public QWidget {
    Q_OBJECT
public:
    explicit PlanView(QWidget *parent = nullptr);

    void setPlan(const PlanDrawing &plan);
    Drawing currentDrawing() const { return zoomed(planDrawing(m_plan, size()), m_zoom); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void zoomTo(PlanZoom zoom);

    PlanDrawing m_plan;
    PlanZoom m_zoom;
    std::optional<QPointF> m_dragFrom;
};

} // namespace deckview
