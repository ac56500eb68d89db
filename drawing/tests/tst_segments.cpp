// The clean-up of hidden-line output against the hand-drawn cases of
// data/segments.txt.
#include "datatable.h"
#include "segments.h"

#include <QTest>

#include <algorithm>
#include <cmath>

using namespace deckview;

namespace {
using Segments = std::vector<Segment2>;

// "V 0 0 10 0; H 2 0 8 0", or "-" for none.
Segments parse(const QString &text)
{
    Segments segments;
    for (const QString &item : text.split(u';', Qt::SkipEmptyParts)) {
        const QStringList f = item.split(u' ', Qt::SkipEmptyParts);
        if (f.size() != 5)
            continue;
        const Stroke stroke = f[0] == u"V" ? Stroke::Visible : f[0] == u"H" ? Stroke::Hidden : Stroke::Thin;
        segments.push_back({{f[1].toDouble(), f[2].toDouble()}, {f[3].toDouble(), f[4].toDouble()}, stroke});
    }
    return segments;
}

// Rounded to a thousandth, ends in order, sorted: a comparable text.
QStringList normal(const Segments &segments)
{
    QStringList lines;
    auto r = [](double v) { return QString::number(std::round(v * 1000) / 1000 + 0.0, 'f', 3); };
    for (Segment2 s : segments) {
        if (std::tie(s.b.rx(), s.b.ry()) < std::tie(s.a.rx(), s.a.ry()))
            std::swap(s.a, s.b);
        const char *kind = s.stroke == Stroke::Visible ? "V" : s.stroke == Stroke::Hidden ? "H" : "T";
        lines << QStringLiteral("%1 (%2, %3)-(%4, %5)").arg(QLatin1String(kind), r(s.a.x()), r(s.a.y()), r(s.b.x()), r(s.b.y()));
    }
    lines.sort();
    return lines;
}
} // namespace

class TestSegments : public QObject {
    Q_OBJECT
private slots:
    void clean_data()
    {
        QTest::addColumn<Segments>("input");
        QTest::addColumn<QStringList>("expected");
        const QStringList lines = dataLines(JM_TESTDATA "/segments.txt");
        QCOMPARE(lines.size() % 3, 0);
        for (qsizetype i = 0; i < lines.size(); i += 3)
            QTest::newRow(qPrintable(lines[i])) << parse(lines[i + 1]) << normal(parse(lines[i + 2]));
        QCOMPARE(lines.size(), 66);
    }
    void clean()
    {
        QFETCH(Segments, input);
        QFETCH(QStringList, expected);
        QCOMPARE(normal(cleanSegments(input)), expected);
    }
};

QTEST_GUILESS_MAIN(TestSegments)
#include "tst_segments.moc"
