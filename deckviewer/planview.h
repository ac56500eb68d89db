// The 2D road's plan on screen, redrawn to fit whenever the widget resizes.
#pragma once

#include "plandrawing.h"

#include <QWidget>

namespace deckview {

class PlanView : public QWidget {
    Q_OBJECT
public:
    explicit PlanView(QWidget *parent = nullptr);

    void setPlan(const PlanDrawing &plan);
    Drawing currentDrawing() const { return planDrawing(m_plan, size()); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    PlanDrawing m_plan;
};

} // namespace deckview
