#include "deckwatch.h"

#include "handoff.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

QByteArray deckFilesStamp(const QString &path)
{
    QStringList files;
    if (QFileInfo(path).isDir()) {
        for (const QString &name : deckfile::wizardFiles())
            files << QDir(path).filePath(name);
    } else {
        files << path;
    }
    QByteArray stamp;
    for (const QString &file : files) {
        const QFileInfo info(file);
        stamp += QFileInfo(file).fileName().toUtf8() + ' ';
        stamp += info.exists() ? QByteArray::number(info.size()) + ' '
                                     + QByteArray::number(info.lastModified().toMSecsSinceEpoch())
                               : QByteArray("none");
        stamp += '\n';
    }
    return stamp;
}

DeckWatch::DeckWatch(QObject *parent) : QObject(parent)
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(settleMs);
    connect(&m_settle, &QTimer::timeout, this, &DeckWatch::settled);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, &m_settle, qOverload<>(&QTimer::start));
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, &m_settle, qOverload<>(&QTimer::start));
}

void DeckWatch::watch(const QString &path)
{
    m_settle.stop();
    if (!m_watcher.files().isEmpty())
        m_watcher.removePaths(m_watcher.files());
    if (!m_watcher.directories().isEmpty())
        m_watcher.removePaths(m_watcher.directories());
    m_path = path;
    if (path.isEmpty())
        return;
    m_stamp = deckFilesStamp(path);
    // The folder for files made, replaced or removed; the files themselves
    // for changes written in place.
    const QFileInfo info(path);
    QStringList paths{info.isDir() ? path : info.absolutePath()};
    if (info.isDir()) {
        for (const QString &name : deckfile::wizardFiles())
            if (QFileInfo(QDir(path).filePath(name)).isFile())
                paths << QDir(path).filePath(name);
    } else if (info.isFile()) {
        paths << path;
    }
    m_watcher.addPaths(paths);
}

void DeckWatch::settled()
{
    if (m_path.isEmpty() || deckFilesStamp(m_path) == m_stamp)
        return;
    // Told once for this state of the files.
    m_stamp = deckFilesStamp(m_path);
    emit changed();
}

#include "moc_deckwatch.cpp"
