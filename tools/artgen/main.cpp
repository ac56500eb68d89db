// artgen: draws the program's artwork into the resource folder.
//
//   artgen RESOURCES                      redraw every picture, the cursor and the icon
//   artgen --contact-sheet RESOURCES OUT  one labelled PNG of all of them
//   artgen --theme-icons ICONS            the hammer icon as PNGs for the desktop's
//                                         icon theme, ICONS/<n>x<n>/apps/joistmaster.png
//
// It runs only when the artwork changes; the build carries the files it
// wrote. GIFs need ImageMagick's convert on the PATH.
#include "contactsheet.h"
#include "output.h"
#include "plan.h"
#include "scenes.h"
#include "winicons.h"

#include <QDir>
#include <QGuiApplication>
#include <QTextStream>

#include <functional>

namespace {

using Writer = std::function<QString(const QString &path)>;

struct Product {
    QString path; // inside the resource folder
    Writer write;
};

Writer bmp(std::function<QImage()> draw)
{
    return [draw](const QString &path) { return art::saveBmp24(draw(), path); };
}

Writer gif(std::function<QImage()> draw)
{
    return [draw](const QString &path) { return art::saveGif(draw(), path); };
}

Writer jpeg(std::function<QImage()> draw)
{
    return [draw](const QString &path) { return art::saveJpeg(draw(), path); };
}

Writer plan(const art::Outline &outline, const art::PlanStyle &style)
{
    return [outline, style](const QString &path) {
        QString problem;
        const QImage image = art::drawPlan(outline, style, &problem);
        return image.isNull() ? problem : art::saveBmp24(image, path);
    };
}

QList<Product> products()
{
    using art::Part;
    using art::Render;
    QList<Product> all;
    for (const art::Outline &o : art::deckShapes())
        all << Product{QStringLiteral("bitmaps/%1.bmp").arg(o.id), plan(o, art::shapeStyle())};
    for (const art::Outline &o : art::deckStyles())
        all << Product{QStringLiteral("bitmaps/%1.bmp").arg(o.id), plan(o, art::styleStyle())};
    all << Product{QStringLiteral("pictures/deck2d.gif"), gif(art::deckPlan)}
        << Product{QStringLiteral("pictures/deck3d.gif"), gif(art::deckOnPosts)}
        << Product{QStringLiteral("pictures/banner.bmp"), bmp(art::banner)}
        << Product{QStringLiteral("pictures/joists.gif"), gif([] { return art::frameWith(Part::Joists, QSize(140, 140)); })}
        << Product{QStringLiteral("pictures/beams.gif"), gif([] { return art::frameWith(Part::Beams, QSize(140, 140)); })}
        << Product{QStringLiteral("pictures/posts.jpg"), jpeg([] { return art::frameWith(Part::Posts, QSize(127, 137)); })}
        << Product{QStringLiteral("pictures/decking.jpg"), jpeg([] { return art::frameWith(Part::Decking, QSize(127, 137)); })}
        << Product{QStringLiteral("pictures/wireframe.bmp"), bmp([] { return art::viewingMode(Render::Wireframe); })}
        << Product{QStringLiteral("pictures/hiddenline.bmp"), bmp([] { return art::viewingMode(Render::HiddenLine); })}
        << Product{QStringLiteral("pictures/shaded.bmp"), bmp([] { return art::viewingMode(Render::Flat); })}
        << Product{QStringLiteral("cursor200.cur"), [](const QString &path) { return art::saveBytes(art::handCursor(), path); }}
        << Product{QStringLiteral("icon1.ico"), [](const QString &path) { return art::saveBytes(art::hammerIcon(), path); }};
    return all;
}

// The theme's icon sizes, each drawn from the same hammer as the program's icon.
QList<Product> themeIcons()
{
    QList<Product> all;
    for (int size : {16, 32, 48, 128, 256})
        all << Product{QStringLiteral("%1x%1/apps/joistmaster.png").arg(size), [size](const QString &path) {
                           return art::savePng(art::hammerImage(size), path);
                       }};
    return all;
}

int writeAll(const QDir &dir, const QList<Product> &products, QTextStream &err)
{
    int failures = 0;
    for (const Product &p : products) {
        const QString path = dir.filePath(p.path);
        QDir().mkpath(QFileInfo(path).path());
        const QString problem = p.write(path);
        if (!problem.isEmpty()) {
            err << p.path << ": " << problem << "\n";
            ++failures;
        }
    }
    return failures ? 1 : 0;
}

int usage(QTextStream &err)
{
    err << "usage: artgen RESOURCES\n       artgen --contact-sheet RESOURCES OUT.png\n"
           "       artgen --theme-icons ICONS\n";
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    // Text needs a platform for its fonts; no window is ever shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments().mid(1);

    if (args.size() == 3 && args[0] == QLatin1String("--contact-sheet")) {
        if (!art::contactSheet(args[1]).save(args[2], "PNG")) {
            err << "cannot write " << args[2] << "\n";
            return 1;
        }
        return 0;
    }
    if (args.size() == 2 && args[0] == QLatin1String("--theme-icons"))
        return writeAll(QDir(args[1]), themeIcons(), err);
    if (args.size() != 1 || args[0].startsWith(QLatin1Char('-')))
        return usage(err);
    return writeAll(QDir(args[0]), products(), err);
}
