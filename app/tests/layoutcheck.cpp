#include "layoutcheck.h"

#include <QAccessible>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <deque>
#include <map>

namespace layout {
namespace {

const std::map<QString, Kind> kinds{{"frame", Kind::Frame},       {"image", Kind::Image},   {"button", Kind::Button},
                                    {"textbox", Kind::TextBox},   {"combobox", Kind::ComboBox},
                                    {"option", Kind::Option},     {"picturebox", Kind::PictureBox},
                                    {"label", Kind::Label},       {"line", Kind::Line}};
const std::map<QString, unsigned> flagNames{{"bold", Bold},       {"blue", Blue},       {"selected", Selected},
                                            {"runtime", RuntimePicture}, {"centred", Centred}, {"black", Black}};

// 12 twips to the pixel, rounded to the nearest.
int px(int twips) { return int(std::lround(twips / 12.0)); }

bool isPicture(Kind kind) { return kind == Kind::Image || kind == Kind::PictureBox; }
bool windowed(Kind kind) { return kind != Kind::Label && kind != Kind::Image && kind != Kind::Line; }

QString kindOf(QWidget *w)
{
    if (auto *c = qobject_cast<QComboBox *>(w))
        return c->isEditable() ? "combobox" : "list";
    if (auto *l = qobject_cast<QLabel *>(w))
        return l->frameWidth() == 2 ? "picturebox" : l->pixmap().isNull() ? "label" : "image";
    if (auto *f = qobject_cast<QFrame *>(w); f && f->frameShape() == QFrame::HLine)
        return "line";
    return qobject_cast<QGroupBox *>(w)      ? "frame"
           : qobject_cast<QPushButton *>(w)  ? "button"
           : qobject_cast<QLineEdit *>(w)    ? "textbox"
           : qobject_cast<QRadioButton *>(w) ? "option"
                                             : w->metaObject()->className();
}

QString captionOf(QWidget *w)
{
    if (auto *c = qobject_cast<QComboBox *>(w)) {
        QStringList items;
        for (int i = 0; i < c->count(); ++i)
            items << c->itemText(i);
        return items.join(u'|');
    }
    if (auto *l = qobject_cast<QLabel *>(w))
        return l->pixmap().isNull() ? l->text() : QString();
    return qobject_cast<QAbstractButton *>(w) ? static_cast<QAbstractButton *>(w)->text()
           : qobject_cast<QGroupBox *>(w)     ? static_cast<QGroupBox *>(w)->title()
           : qobject_cast<QLineEdit *>(w)     ? static_cast<QLineEdit *>(w)->text()
                                              : QString();
}

// A control as a line: name, kind, container, pixel geometry, caption, and what
// the layout fixes beyond that.
QString describe(QWidget *w, QWidget *page)
{
    QStringList facts{w->objectName(), kindOf(w), w->parentWidget() == page ? "page" : w->parentWidget()->objectName(),
                      QStringLiteral("%1,%2 %3x%4").arg(w->x()).arg(w->y()).arg(w->width()).arg(w->height()),
                      '"' + captionOf(w) + '"'};
    if (w->font().bold())
        facts << "bold";
    if (auto *o = qobject_cast<QRadioButton *>(w); o && o->isChecked())
        facts << "selected";
    const auto *e = qobject_cast<QLineEdit *>(w);
    const auto *l = qobject_cast<QLabel *>(w);
    if ((e && (e->alignment() & Qt::AlignHCenter)) || (l && l->pixmap().isNull() && (l->alignment() & Qt::AlignHCenter)))
        facts << "centred";
    if (l && !l->pixmap().isNull())
        facts << (l->pixmap().size() + 2 * QSize(l->frameWidth(), l->frameWidth()) == w->size() ? "fits" : "misfits");
    const QString kind = kindOf(w);
    const bool neverFocused = kind == u"frame" || kind == u"label" || kind == u"image" || kind == u"picturebox" || kind == u"line";
    if (neverFocused && (w->focusPolicy() & Qt::TabFocus))
        facts << "takes the focus";
    return facts.join(u' ');
}

QString describe(const Row &row, QWidget *w)
{
    const QString kind = std::find_if(kinds.begin(), kinds.end(), [&](auto &k) { return k.second == row.kind; })->first;
    QRect g(px(row.twips.x()), px(row.twips.y()), px(row.twips.width()), px(row.twips.height()));
    if (row.kind == Kind::Line) // two pixels wide, centred on the line's height
        g = QRect(g.x(), g.y() - 1, g.width() - g.x(), 2);
    if (row.flags & RuntimePicture) // the bitmap's size plus the border
        g.setSize(static_cast<QLabel *>(w)->pixmap().size() + QSize(4, 4));
    QStringList facts{row.name, kind, row.container ? row.container : "page",
                      QStringLiteral("%1,%2 %3x%4").arg(g.x()).arg(g.y()).arg(g.width()).arg(g.height()),
                      '"' + (isPicture(row.kind) ? QString() : row.caption) + '"'};
    if (row.kind == Kind::ComboBox && row.caption.isEmpty()) // a row that lists no entries
        facts.last() = '"' + captionOf(w) + '"';
    for (auto [flag, name] : {std::pair{Bold, "bold"}, {Selected, "selected"}, {Centred, "centred"}})
        if (row.flags & flag)
            facts << name;
    if (isPicture(row.kind))
        facts << "fits";
    return facts.join(u' ');
}

} // namespace

Page listing(const QString &name)
{
    // Row and Page hold plain pointers: their texts live as long as the program.
    static std::deque<QByteArray> texts;
    const auto keep = [](const QString &text) { return texts.emplace_back(text.toLatin1()).constData(); };
    Page page{keep(name), {}, 0, 0, false, {}};
    QFile file(QStringLiteral(JM_LAYOUTS "/") + name + QStringLiteral(".txt"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        qFatal("no layout listing for %s", qPrintable(name));
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const qsizetype quote = line.indexOf(u'"');
        const QString caption = line.mid(quote + 1, line.lastIndexOf(u'"') - quote - 1);
        const QStringList f = line.left(quote).split(u' ', Qt::SkipEmptyParts);
        if (f[0] == u"window") {
            page = {keep(f[1]), caption, f[2].toInt(), f[3].toInt(), f[4] == u"icon", {}};
            continue;
        }
        unsigned flags = None;
        for (const QString &flag : f[8].split(u','))
            flags |= flagNames.count(flag) ? flagNames.at(flag) : None;
        page.rows.push_back({keep(f[0]), kinds.at(f[1]), f[2] == u"page" ? nullptr : keep(f[2]), caption,
                             QRect(f[3].toInt(), f[4].toInt(), f[5].toInt(), f[6].toInt()),
                             f[7] == u"-" ? -1 : f[7].toInt(), flags});
    }
    return page;
}

void check(QWidget *page, const Page &layout)
{
    QCOMPARE(page->objectName(), QString::fromLatin1(layout.name));
    QCOMPARE(page->windowTitle(), layout.title);
    QCOMPARE(page->size(), QSize(px(layout.widthTwips), px(layout.heightTwips)));
    QCOMPARE(page->minimumSize(), page->maximumSize());
    QCOMPARE(!page->windowIcon().isNull(), layout.icon);

    std::map<QString, QWidget *> found;
    for (const Row &row : layout.rows) {
        const auto matches = page->findChildren<QWidget *>(QLatin1String(row.name));
        QVERIFY2(matches.size() == 1, row.name);
        QWidget *w = found[row.name] = matches.first();
        QCOMPARE(describe(w, page), describe(row, w));
        const QColor colour = w->palette().color(QPalette::WindowText);
        QVERIFY2(!(row.flags & Blue) || colour == QColor(0, 0, 255), row.name);
        QVERIFY2(!(row.flags & Black) || colour == QColor(0, 0, 0), row.name);
        // A run-time picture box is white behind its bitmap.
        QVERIFY2(!(row.flags & RuntimePicture)
                     || (w->autoFillBackground() && w->palette().color(w->backgroundRole()) == QColor(255, 255, 255)),
                 row.name);
        // Every caption fits its control; an option's circle takes 20 pixels, a button's border 4.
        const int room = w->width() - (row.kind == Kind::Option ? 20 : row.kind == Kind::Button ? 4 : 0);
        if (row.kind == Kind::Button || row.kind == Kind::Label || row.kind == Kind::Option)
            QVERIFY2(w->fontMetrics().horizontalAdvance(QString(captionOf(w)).remove(u'&')) <= room, row.name);
    }

    // Stacking: of two windowed controls in one container, the earlier row lies
    // in front; labels lie beneath every windowed control of their container.
    const auto stack = [](QWidget *w) { return w->parentWidget()->children().indexOf(w); };
    for (std::size_t i = 0; i < layout.rows.size(); ++i)
        for (std::size_t j = 0; j < layout.rows.size(); ++j) {
            const Row &a = layout.rows[i], &b = layout.rows[j];
            QWidget *wa = found[a.name], *wb = found[b.name];
            if (wa->parentWidget() != wb->parentWidget())
                continue;
            if ((i < j && windowed(a.kind) && windowed(b.kind)) || (b.kind == Kind::Label && windowed(a.kind)))
                QVERIFY2(stack(wa) > stack(wb), qPrintable(QStringLiteral("%1 in front of %2").arg(a.name, b.name)));
        }

    // Tab order: the controls that take the focus come in the order of their
    // tab positions, each with an accessible name.
    std::vector<const Row *> tabbed;
    for (const Row &row : layout.rows)
        if (found[row.name]->focusPolicy() & Qt::TabFocus)
            tabbed.push_back(&row);
    std::sort(tabbed.begin(), tabbed.end(), [](const Row *a, const Row *b) { return a->tab < b->tab; });
    QStringList expected, chain;
    for (const Row *row : tabbed) {
        expected << row->name;
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(found[row->name]);
        QVERIFY2(accessible && !accessible->text(QAccessible::Name).isEmpty(), row->name);
    }
    QWidget *w = found[expected.value(0)];
    do {
        if (expected.contains(w->objectName()) && !chain.contains(w->objectName()))
            chain << w->objectName();
        w = w->nextInFocusChain();
    } while (w && w != found[expected.value(0)]);
    QCOMPARE(chain, expected);
}

} // namespace layout
