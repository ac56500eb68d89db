#include "deckview.h"

#include <QAction>
#include <QActionGroup>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <cmath>
#include <utility>

namespace deckview {

DeckView::DeckView(QWidget *parent) : QWidget(parent), m_modeGroup(new QActionGroup(this))
{
    setObjectName(QStringLiteral("deckView"));
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(200, 150);
    m_pool.setMaxThreadCount(1);
    createActions();
}

DeckView::~DeckView()
{
    // The render jobs call back into this object: none may outlive it.
    m_pool.clear();
    m_pool.waitForDone();
}

void DeckView::createActions()
{
    auto add = [this](QList<QAction *> &list, const QString &name, const QString &text, const QKeySequence &key,
                      auto slot) {
        auto *action = new QAction(text, this);
        action->setObjectName(name);
        action->setShortcut(key);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        connect(action, &QAction::triggered, this, slot);
        addAction(action);
        list << action;
        return action;
    };
    add(m_viewActions, QStringLiteral("viewPlan"), tr("Plan"), Qt::Key_P, [this] { showView(StandardView::Plan); });
    add(m_viewActions, QStringLiteral("viewFront"), tr("Front"), Qt::Key_F, [this] { showView(StandardView::Front); });
    add(m_viewActions, QStringLiteral("viewSide"), tr("Side"), Qt::Key_S, [this] { showView(StandardView::Side); });
    add(m_viewActions, QStringLiteral("viewIsometric"), tr("Isometric"), Qt::Key_I,
        [this] { showView(StandardView::Isometric); });
    add(m_viewActions, QStringLiteral("viewFit"), tr("Fit"), Qt::Key_Home, [this] { fit(); });
    const std::pair<ViewMode, QString> modes[] = {{ViewMode::Wireframe, tr("Wireframe")},
                                                  {ViewMode::HiddenLine, tr("Hidden Line")},
                                                  {ViewMode::Shaded, tr("Shaded")}};
    for (const auto &[mode, text] : modes) {
        QAction *action = add(m_modeActions, QStringLiteral("mode%1").arg(int(mode)), text, Qt::Key_0 + int(mode),
                              [this, m = mode] { setMode(m); });
        action->setCheckable(true);
        action->setChecked(mode == m_options.mode);
        m_modeGroup->addAction(action);
    }
    m_dashAction = new QAction(tr("Dashed Hidden Lines"), this);
    m_dashAction->setObjectName(QStringLiteral("dashHidden"));
    m_dashAction->setCheckable(true);
    m_dashAction->setShortcut(Qt::Key_D);
    m_dashAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(m_dashAction, &QAction::toggled, this, &DeckView::setDashHidden);
    addAction(m_dashAction);
}

void DeckView::setScene(const Scene &scene, bool sameDeck)
{
    m_rendering.supersede(); // frames of the old scene are of no use now
    m_frameCurrent = false;
    m_framePending = m_redrawAfter = false;
    m_meshPending = true;
    m_meshing.start([scene] { return std::make_shared<const Mesh>(triangulate(scene)); },
                    [this, sameDeck](const std::shared_ptr<const Mesh> &mesh) { meshReady(mesh, sameDeck); });
}

void DeckView::meshReady(std::shared_ptr<const Mesh> mesh, bool sameDeck)
{
    m_mesh = std::move(mesh);
    m_meshPending = false;
    if (!m_fitted)
        m_camera = standardCamera(StandardView::Isometric, m_mesh->bounds, size());
    else if (!sameDeck || m_autoFit)
        m_camera = fitted(m_camera, m_mesh->bounds, size());
    m_fitted = true;
    cameraMoved();
}

void DeckView::setLabels(const std::vector<Label> &labels)
{
    m_labels = labels;
    update();
}

// Each label centred on its point, dark on a pale box, over whatever is drawn.
void DeckView::paintLabels(QPainter &painter)
{
    if (m_labels.empty() || !m_mesh)
        return;
    const Projection projection(m_camera, size());
    const QFontMetrics metrics = fontMetrics();
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const Label &label : m_labels) {
        const Vec3 p = projection.map(label.at);
        QRectF box = metrics.boundingRect(label.text).adjusted(-4, -2, 4, 2);
        box.moveCenter(QPointF(p.x, p.y));
        painter.setPen(QColor(60, 60, 60));
        painter.setBrush(QColor(255, 255, 225, 230));
        painter.drawRect(box);
        painter.drawText(box, Qt::AlignCenter, label.text);
    }
}

void DeckView::setMode(ViewMode mode)
{
    if (mode == m_options.mode)
        return;
    m_options.mode = mode;
    m_modeActions.at(int(mode))->setChecked(true);
    emit modeChanged(mode);
    cameraMoved();
}

void DeckView::setDashHidden(bool dashed)
{
    m_dashAction->setChecked(dashed);
    if (dashed == m_options.dashHidden)
        return;
    m_options.dashHidden = dashed;
    cameraMoved();
}

// A kernel's lines take long to project: the new scene's first frame, or
// the frame being rendered, is shown first with the lines it has (from the
// depth buffer), and a frame with these follows.
void DeckView::setHiddenLineSource(HiddenLineSource source)
{
    m_options.hiddenLines = std::move(source);
    if (m_meshPending)
        return; // its first frame takes them
    if (m_framePending) {
        m_redrawAfter = true;
        return;
    }
    cameraMoved();
}

void DeckView::setHighlighted(const QStringList &memberNames)
{
    if (memberNames == m_options.highlighted)
        return;
    m_options.highlighted = memberNames;
    cameraMoved();
}

void DeckView::showView(StandardView view)
{
    if (!m_mesh)
        return;
    m_camera = standardCamera(view, m_mesh->bounds, size());
    m_autoFit = true;
    cameraMoved();
}

void DeckView::fit()
{
    if (!m_mesh)
        return;
    m_camera = fitted(m_camera, m_mesh->bounds, size());
    m_autoFit = true;
    cameraMoved();
}

void DeckView::setCamera(const Camera &camera)
{
    m_camera = camera;
    m_autoFit = false;
    cameraMoved();
}

// The wireframe is drawn at once by paintEvent; the chosen mode follows when
// nothing moves.
void DeckView::cameraMoved()
{
    m_frameCurrent = false;
    m_rendering.supersede();
    m_framePending = m_redrawAfter = false;
    if (m_drag == Drag::None)
        requestFrame();
    update();
}

void DeckView::requestFrame()
{
    if (!m_mesh || m_meshPending) // the old scene's frame would be dropped
        return;
    if (m_options.mode == ViewMode::Wireframe) {
        m_frame = renderDrawing(*m_mesh, m_camera, size(), m_options);
        m_frameCurrent = true;
        emit frameReady();
        return;
    }
    m_framePending = true;
    m_rendering.start([mesh = m_mesh, camera = m_camera, viewport = size(), options = m_options] {
        return renderDrawing(*mesh, camera, viewport, options);
    }, [this](const Drawing &frame) { frameDone(frame); });
}

void DeckView::frameDone(const Drawing &frame)
{
    m_frame = frame;
    m_frameCurrent = true;
    m_framePending = false;
    update();
    emit frameReady();
    if (std::exchange(m_redrawAfter, false))
        cameraMoved();
}

Drawing DeckView::currentDrawing(int resolution) const
{
    if (!m_mesh)
        return Drawing{size(), {}, {}, {}, m_options.dashHidden};
    if (m_frameCurrent && resolution <= 1)
        return m_frame;
    return renderDrawing(*m_mesh, m_camera, size(), m_options, resolution);
}

void DeckView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_options.palette.background);
    if (!m_mesh)
        return;
    if (m_frameCurrent) {
        paintLines(painter, m_frame, m_options.palette.line, 1.0);
    } else {
        Drawing wireframe;
        wireframe.viewport = size();
        wireframe.lines = wireframeSegments(*m_mesh, Projection(m_camera, size()));
        paintLines(painter, wireframe, m_options.palette.line, 1.0, m_drag == Drag::None);
    }
    paintLabels(painter);
}

void DeckView::resizeEvent(QResizeEvent *)
{
    if (!m_mesh)
        return;
    if (m_autoFit)
        m_camera = fitted(m_camera, m_mesh->bounds, size());
    cameraMoved();
}

void DeckView::mousePressEvent(QMouseEvent *event)
{
    const bool pan = event->button() == Qt::MiddleButton
        || (event->button() == Qt::LeftButton && event->modifiers().testFlag(Qt::ShiftModifier));
    if (pan || event->button() == Qt::LeftButton) {
        m_drag = pan ? Drag::Pan : Drag::Orbit;
        m_lastPos = event->position();
    }
}

void DeckView::mouseMoveEvent(QMouseEvent *event)
{
    if (m_drag == Drag::None)
        return;
    const QPointF delta = event->position() - m_lastPos;
    m_lastPos = event->position();
    if (m_drag == Drag::Pan) {
        m_camera.pan += delta;
        m_autoFit = false;
    } else {
        m_camera.orbit(-0.4 * delta.x(), 0.4 * delta.y());
    }
    cameraMoved();
}

void DeckView::mouseReleaseEvent(QMouseEvent *)
{
    if (m_drag == Drag::None)
        return;
    m_drag = Drag::None;
    cameraMoved();
}

void DeckView::wheelEvent(QWheelEvent *event)
{
    if (!m_mesh)
        return;
    m_camera.zoomAt(std::pow(1.0015, event->angleDelta().y()), event->position(), size());
    m_autoFit = false;
    cameraMoved();
}

void DeckView::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Left: m_camera.orbit(-15, 0); break;
    case Qt::Key_Right: m_camera.orbit(15, 0); break;
    case Qt::Key_Up: m_camera.orbit(0, 15); break;
    case Qt::Key_Down: m_camera.orbit(0, -15); break;
    case Qt::Key_Plus: m_camera.zoomAt(1.25, rect().center(), size()); m_autoFit = false; break;
    case Qt::Key_Minus: m_camera.zoomAt(0.8, rect().center(), size()); m_autoFit = false; break;
    default: QWidget::keyPressEvent(event); return;
    }
    cameraMoved();
}

} // namespace deckview

#include "moc_deckview.cpp"
