#include "planview.h"

#include <QPainter>

namespace deckview {

PlanView::PlanView(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("planView"));
    setMinimumSize(200, 150);
}

void PlanView::setPlan(const PlanDrawing &plan)
{
    m_plan = plan;
    update();
}

void PlanView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    paintLines(painter, currentDrawing(), Qt::black, 1.5);
}

} // namespace deckview
