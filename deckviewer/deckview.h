// The 3D view of a deck: orbit by dragging, zoom by the wheel, pan with the
// middle button or Shift-drag, fixed views and the three modes by keys (and by
// its actions, which a window puts on a toolbar).
//
// The mesh is built once per scene and shared with a render thread. While the
// camera moves the view draws the wireframe itself, which is cheap; when it
// stops, the chosen mode is rendered off the GUI thread for that camera and
// shown when it is done, unless the camera has moved on meanwhile.
#pragma once

#include "latestjob.h"
#include "render.h"

#include <QThreadPool>
#include <QWidget>

#include <memory>

class QAction;
class QActionGroup;
class QPainter;

namespace deckview {

class DeckView : public QWidget {
    Q_OBJECT
public:
    explicit DeckView(QWidget *parent = nullptr);
    ~DeckView() override;

    // Meshes the scene off the GUI thread; the first scene is fitted in the
    // isometric view, later ones keep the orientation and are fitted again.
    // The same deck again (a stair moved, a setting changed) keeps the
    // camera as the person left it, zoom and pan too.
    void setScene(const Scene &scene, bool sameDeck = false);
    void setMode(ViewMode mode);
    ViewMode mode() const { return m_options.mode; }
    void setDashHidden(bool dashed);
    void setHiddenLineSource(HiddenLineSource source);
    // Members drawn in the highlight colour in every mode; none for an empty list.
    void setHighlighted(const QStringList &memberNames);
    QStringList highlighted() const { return m_options.highlighted; }
    // Words drawn over the picture at scene points, on the screen only (a
    // drawing out has none): the edges' names while the Stair panel is open.
    struct Label {
        Vec3 at;
        QString text;
    };
    void setLabels(const std::vector<Label> &labels);
    const std::vector<Label> &labels() const { return m_labels; }
    void showView(StandardView view);
    void fit();
    const Camera &camera() const { return m_camera; }
    void setCamera(const Camera &camera);

    // What the view shows now, in its mode, at its size: for drawings out,
    // rendered afresh at a resolution above 1. Empty (no lines, no picture)
    // before a scene is meshed.
    Drawing currentDrawing(int resolution = 1) const;
    bool hasMesh() const { return m_mesh != nullptr; }
    // True while the chosen mode's picture for the current camera is pending.
    bool isRendering() const { return !m_frameCurrent && m_mesh; }

    // The fixed views, fit and the modes, with their keys (P, F, S, I, Home;
    // 0 wireframe, 1 hidden line, 2 shaded, as in the parameter file).
    QList<QAction *> viewActions() const { return m_viewActions; }
    QList<QAction *> modeActions() const { return m_modeActions; }
    // Hidden lines dashed (checked) or left out, key D.
    QAction *dashAction() const { return m_dashAction; }

signals:
    void modeChanged(ViewMode mode);
    // The chosen mode is drawn for the current camera.
    void frameReady();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    enum class Drag { None, Orbit, Pan };
    void createActions();
    void cameraMoved();
    void requestFrame();
    void meshReady(std::shared_ptr<const Mesh> mesh, bool sameDeck);
    void paintLabels(QPainter &painter);
    void frameDone(const Drawing &frame);

    QThreadPool m_pool; // one thread, jobs in order
    // The latest scene is meshed, the latest camera's frame rendered.
    LatestJob m_meshing{&m_pool, this};
    LatestJob m_rendering{&m_pool, this};
    std::shared_ptr<const Mesh> m_mesh;
    Camera m_camera;
    RenderOptions m_options;
    bool m_fitted = false;
    bool m_autoFit = true; // refit on resize until the person zooms or pans
    std::vector<Label> m_labels;
    Drawing m_frame;
    bool m_frameCurrent = false;
    bool m_meshPending = false;  // a new scene being meshed: its first frame follows
    bool m_framePending = false; // a frame being rendered off the GUI thread
    bool m_redrawAfter = false;  // new hidden lines came meanwhile: another frame after it
    Drag m_drag = Drag::None;
    QPointF m_lastPos;
    QList<QAction *> m_viewActions, m_modeActions;
    QActionGroup *m_modeGroup;
    QAction *m_dashAction;
};

} // namespace deckview
