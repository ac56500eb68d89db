#include "planview.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <cmath>

namespace deckview {

PlanView::PlanView(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("planView"));
    setMinimumSize(200, 150);
    setFocusPolicy(Qt::StrongFocus);
}

void PlanView::setPlan(const PlanDrawing &plan)
{
    m_plan = plan;
    zoomTo({});
}

void PlanView::zoomTo(PlanZoom zoom)
{
    m_zoom = zoom;
    update();
}

void PlanView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    paintLines(painter, currentDrawing(), Qt::black, 1.5);
}

void PlanView::wheelEvent(QWheelEvent *event)
{
    PlanZoom zoom = m_zoom;
    zoom.zoomAt(std::pow(1.0015, event->angleDelta().y()), event->position());
    zoomTo(zoom);
}

void PlanView::mousePressEvent(QMouseEvent *event)
{
    m_dragFrom = event->position();
}

void PlanView::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dragFrom)
        return;
    PlanZoom zoom = m_zoom;
    zoom.offset += event->position() - *m_dragFrom;
    m_dragFrom = event->position();
    zoomTo(zoom);
}

void PlanView::mouseReleaseEvent(QMouseEvent *)
{
    m_dragFrom.reset();
}

void PlanView::mouseDoubleClickEvent(QMouseEvent *)
{
    zoomTo({});
}

void PlanView::keyPressEvent(QKeyEvent *event)
{
    PlanZoom zoom = m_zoom;
    switch (event->key()) {
    case Qt::Key_Plus: zoom.zoomAt(1.25, QRectF(rect()).center()); break;
    case Qt::Key_Minus: zoom.zoomAt(0.8, QRectF(rect()).center()); break;
    case Qt::Key_Home: zoom = {}; break;
    default: QWidget::keyPressEvent(event); return;
    }
    zoomTo(zoom);
}

} // namespace deckview

#include "moc_planview.cpp"
