#include "windowlayout.h"

#include "checksettings.h"

#include <QEvent>
#include <QMainWindow>
#include <QSettings>

#include <memory>

namespace deckviewer {

namespace {
QString geometryKey(const QString &name) { return QStringLiteral("layout/%1_geometry").arg(name); }
QString stateKey(const QString &name) { return QStringLiteral("layout/%1_panels").arg(name); }

// Saves the window's layout as it closes.
class SaveOnClose : public QObject {
public:
    SaveOnClose(QMainWindow *window, const QString &name) : QObject(window), m_window(window), m_name(name) {}

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_window && event->type() == QEvent::Close) {
            if (const std::unique_ptr<QSettings> stored = settingsToWrite()) {
                stored->setValue(geometryKey(m_name), m_window->saveGeometry());
                stored->setValue(stateKey(m_name), m_window->saveState());
            }
        }
        return false;
    }

private:
    QMainWindow *m_window;
    QString m_name;
};
} // namespace

void rememberLayout(QMainWindow *window, const QString &name)
{
    const std::unique_ptr<const QSettings> stored = storedSettings();
    // A value that is no layout (edited by hand) is ignored by Qt itself.
    const QByteArray geometry = stored ? stored->value(geometryKey(name)).toByteArray() : QByteArray();
    const QByteArray state = stored ? stored->value(stateKey(name)).toByteArray() : QByteArray();
    if (!geometry.isEmpty())
        window->restoreGeometry(geometry);
    if (!state.isEmpty())
        window->restoreState(state);
    window->installEventFilter(new SaveOnClose(window, name));
}

} // namespace deckviewer
