// Watches the deck the viewer shows from a folder or a file for changes made
// on disk by someone else (the wizard finishing another deck in the folder,
// an editor saving the file): once a burst of changes has settled, `changed`
// says so once, if the wizard's files there differ from when the watch began
// (a drawing exported into the folder does not count). The person is then
// asked; until then nothing shown changes.
#pragma once

#include <QByteArray>
#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

// The wizard's files at `path` as they are now, each by name, size and time
// of change: all of them in a folder, else the one file. Equal stamps: the
// same files.
QByteArray deckFilesStamp(const QString &path);

class DeckWatch : public QObject {
    Q_OBJECT
public:
    explicit DeckWatch(QObject *parent = nullptr);

    // Watches the folder or file from now on, its files as they are now the
    // ones to compare with; an empty path watches nothing.
    void watch(const QString &path);
    // The files as they are now the ones to compare with (a change declined).
    void rewatch() { watch(m_path); }
    QString path() const { return m_path; }

    static constexpr int settleMs = 300; // a burst of changes, told once

signals:
    void changed();

private:
    void settled();

    QFileSystemWatcher m_watcher;
    QTimer m_settle;
    QString m_path;
    QByteArray m_stamp;
};
