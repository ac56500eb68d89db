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

// 12 twips to the pixel, rounded to the nearest.
int px(int twips) { return int(std::lround(twips / 12.0)); }
QRect px(QRect t) { return QRect(px(t.x()), px(t.y()), px(t.width()), px(t.height())); }

bool isKind(QWidget *w, Kind kind)
{
    switch (kind) {
    case Kind::Frame: return qobject_cast<QGroupBox *>(w);
    case Kind::Button: return qobject_cast<QPushButton *>(w);
    case Kind::TextBox: return qobject_cast<QLineEdit *>(w);
    case Kind::ComboBox: return qobject_cast<QComboBox *>(w) && static_cast<QComboBox *>(w)->isEditable();
    case Kind::Option: return qobject_cast<QRadioButton *>(w);
    case Kind::Image: return qobject_cast<QLabel *>(w) && static_cast<QLabel *>(w)->frameWidth() == 0;
    case Kind::PictureBox: return qobject_cast<QLabel *>(w) && static_cast<QLabel *>(w)->frameWidth() == 2;
    case Kind::Label: return qobject_cast<QLabel *>(w) && static_cast<QLabel *>(w)->frameWidth() == 0;
    case Kind::Line: return qobject_cast<QFrame *>(w) && static_cast<QFrame *>(w)->frameShape() == QFrame::HLine;
    }
    return false;
}

QString captionOf(QWidget *w)
{
    if (auto *b = qobject_cast<QAbstractButton *>(w))
        return b->text();
    if (auto *f = qobject_cast<QGroupBox *>(w))
        return f->title();
    if (auto *e = qobject_cast<QLineEdit *>(w))
        return e->text();
    if (auto *c = qobject_cast<QComboBox *>(w)) {
        QStringList items;
        for (int i = 0; i < c->count(); ++i)
            items << c->itemText(i);
        return items.join(u'|');
    }
    if (auto *l = qobject_cast<QLabel *>(w))
        return l->text();
    return {};
}

bool windowed(Kind kind) { return kind != Kind::Label && kind != Kind::Image && kind != Kind::Line; }

int stackIndex(QWidget *w)
{
    return int(w->parentWidget()->children().indexOf(w));
}

const std::map<QString, Kind> kinds{{"frame", Kind::Frame},     {"image", Kind::Image},
                                    {"button", Kind::Button},   {"textbox", Kind::TextBox},
                                    {"combobox", Kind::ComboBox}, {"option", Kind::Option},
                                    {"picturebox", Kind::PictureBox}, {"label", Kind::Label},
                                    {"line", Kind::Line}};
const std::map<QString, unsigned> flagNames{{"bold", Bold},       {"blue", Blue},       {"selected", Selected},
                                            {"runtime", RuntimePicture}, {"centred", Centred}, {"black", Black}};

} // namespace

Page listing(const QString &name)
{
    // Names live as long as the program: Row and Page hold plain pointers.
    static std::deque<QByteArray> names;
    const auto keep = [](const QString &text) -> const char * { return names.emplace_back(text.toLatin1()).constData(); };
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
    QCOMPARE(!page->windowIcon().isNull() && page->windowIcon().cacheKey() != QIcon().cacheKey(), layout.icon);

    std::map<QString, QWidget *> found;
    for (const Row &row : layout.rows) {
        const QString name = QString::fromLatin1(row.name);
        const auto matches = page->findChildren<QWidget *>(name);
        QVERIFY2(matches.size() == 1, qPrintable(name + QStringLiteral(": expected one control of this name")));
        QWidget *w = matches.first();
        found[name] = w;
        QVERIFY2(isKind(w, row.kind), qPrintable(name + QStringLiteral(": wrong kind")));
        QWidget *expectedParent = row.container ? page->findChild<QWidget *>(QLatin1String(row.container)) : page;
        QVERIFY2(expectedParent && w->parentWidget() == expectedParent, qPrintable(name + QStringLiteral(": wrong container")));
        if (row.kind == Kind::Line) {
            // Two pixels wide, centred on the line's height.
            const QRect ends = px(row.twips);
            QCOMPARE(w->geometry(), QRect(ends.x(), ends.y() - 1, ends.width() - ends.x(), 2));
            continue;
        }
        if (row.kind != Kind::PictureBox && row.kind != Kind::Image)
            QCOMPARE(captionOf(w), row.caption);
        const QRect expected = px(row.twips);
        QCOMPARE(w->pos(), expected.topLeft());
        if (row.flags & RuntimePicture) {
            auto *box = static_cast<QLabel *>(w);
            QVERIFY2(!box->pixmap().isNull(), qPrintable(name + QStringLiteral(": no bitmap")));
            QCOMPARE(w->size(), box->pixmap().size() + QSize(4, 4));
        } else {
            QCOMPARE(w->size(), expected.size());
        }
        if (row.kind == Kind::PictureBox && !(row.flags & RuntimePicture)) {
            auto *box = static_cast<QLabel *>(w);
            QCOMPARE(box->pixmap().size() + QSize(4, 4), w->size());
        }
        if (row.kind == Kind::Image)
            QCOMPARE(static_cast<QLabel *>(w)->pixmap().size(), w->size());
        QCOMPARE(w->font().bold(), bool(row.flags & Bold));
        if (row.flags & Blue)
            QCOMPARE(w->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        if (row.flags & Black)
            QCOMPARE(w->palette().color(QPalette::WindowText), QColor(0, 0, 0));
        if (row.kind == Kind::Option)
            QCOMPARE(static_cast<QRadioButton *>(w)->isChecked(), bool(row.flags & Selected));
        if (row.flags & Centred) {
            if (auto *e = qobject_cast<QLineEdit *>(w))
                QVERIFY(e->alignment() & Qt::AlignHCenter);
            if (auto *l = qobject_cast<QLabel *>(w))
                QVERIFY(l->alignment() & Qt::AlignHCenter);
        }
        if (w->focusPolicy() & Qt::TabFocus) {
            QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(w);
            QVERIFY2(accessible && !accessible->text(QAccessible::Name).isEmpty(),
                     qPrintable(name + QStringLiteral(": no accessible name")));
        }
        if (row.kind == Kind::Frame || row.kind == Kind::Label || row.kind == Kind::Image || row.kind == Kind::PictureBox)
            QVERIFY2(!(w->focusPolicy() & Qt::TabFocus), qPrintable(name + QStringLiteral(": takes the focus")));
        // Every caption fits its control.
        if (row.kind == Kind::Button || row.kind == Kind::Label || row.kind == Kind::Option) {
            const QString shown = QString(captionOf(w)).remove(QLatin1Char('&'));
            const int room = row.kind == Kind::Option ? w->width() - 20 : w->width() - (row.kind == Kind::Button ? 4 : 0);
            QVERIFY2(w->fontMetrics().horizontalAdvance(shown) <= room, qPrintable(name + QStringLiteral(": caption does not fit")));
        }
    }

    // Stacking: of two windowed controls in one container, the earlier row lies in front;
    // labels lie beneath every windowed control of their container.
    for (std::size_t i = 0; i < layout.rows.size(); ++i) {
        for (std::size_t j = i + 1; j < layout.rows.size(); ++j) {
            QWidget *a = found[QString::fromLatin1(layout.rows[i].name)];
            QWidget *b = found[QString::fromLatin1(layout.rows[j].name)];
            if (a->parentWidget() != b->parentWidget())
                continue;
            const bool wa = windowed(layout.rows[i].kind), wb = windowed(layout.rows[j].kind);
            if (wa && wb)
                QVERIFY2(stackIndex(a) > stackIndex(b), qPrintable(QStringLiteral("%1 should lie in front of %2").arg(a->objectName(), b->objectName())));
            else if (layout.rows[i].kind == Kind::Label && wb)
                QVERIFY2(stackIndex(a) < stackIndex(b), qPrintable(a->objectName() + QStringLiteral(" should lie beneath")));
            else if (layout.rows[j].kind == Kind::Label && wa)
                QVERIFY2(stackIndex(b) < stackIndex(a), qPrintable(b->objectName() + QStringLiteral(" should lie beneath")));
        }
    }

    // Tab order: the controls that Tab reaches come in the order of their tab positions.
    std::vector<const Row *> tabbed;
    for (const Row &row : layout.rows)
        if (found[QString::fromLatin1(row.name)]->focusPolicy() & Qt::TabFocus)
            tabbed.push_back(&row);
    std::sort(tabbed.begin(), tabbed.end(), [](const Row *a, const Row *b) { return a->tab < b->tab; });
    QStringList expected, chain;
    for (const Row *row : tabbed)
        expected << QString::fromLatin1(row->name);
    QWidget *first = found[expected.value(0)];
    QWidget *w = first;
    do {
        if (expected.contains(w->objectName()) && !chain.contains(w->objectName()))
            chain << w->objectName();
        w = w->nextInFocusChain();
    } while (w && w != first);
    QCOMPARE(chain, expected);
}

} // namespace layout
