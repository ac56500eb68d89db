// The program's pictures, cursor and icon. The numbered ones are reached by
// their integer id: bitmaps 101 to 109 (3D deck shapes) and 300 to 318 (2D deck
// styles), cursor 200 (the pointing hand), icon 1 (the hammer).
#pragma once

#include <QCursor>
#include <QIcon>
#include <QHash>
#include <QList>
#include <QPixmap>

#include <condition_variable>
#include <mutex>
#include <thread>

namespace resources {

QPixmap bitmap(int id);
QCursor cursor(int id);
QIcon icon(int id);

// The path inside the program of a numbered resource, e.g. ":/bitmap/101".
QString bitmapPath(int id);
QString cursorPath(int id);
QString iconPath(int id);

// The pictures that belong to the pages themselves.
enum class Picture { Banner, Deck2D, Deck3D, Joists, Beams, Posts, Decking, Wireframe, HiddenLine, Shaded };
QPixmap picture(Picture which);
QString picturePath(Picture which);

// Decodes pictures, then icons, in the order given, on a thread of its own while
// the caller goes on building a page; picture() and icon() then take the
// decoded images at their first use, waiting for them if they are not done
// yet. One at a time, on the program's main thread; the thread is waited for
// on destruction too.
class DecodingAhead {
public:
    DecodingAhead(const QList<Picture> &pictures, const QList<int> &icons);
    ~DecodingAhead();
    DecodingAhead(const DecodingAhead &) = delete;
    DecodingAhead &operator=(const DecodingAhead &) = delete;

    // The images decoded of one resource, all sizes of an icon; none when it
    // was not among those decoded here or was taken already.
    QList<QImage> take(const QString &path);

private:
    QStringList m_pending; // paths not decoded yet
    QHash<QString, QList<QImage>> m_images;
    std::mutex m_mutex;
    std::condition_variable m_decoded;
    std::thread m_decoder;
};

} // namespace resources
