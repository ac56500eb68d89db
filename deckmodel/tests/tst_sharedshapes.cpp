// Members that are the same piece moved or turned share one piece
// (data/shared-pieces.txt); the area two plans share (data/overlaps.txt);
// members hidden whole by others (data/hidden-whole.txt).
#include "geometry.h"
#include "occlusion.h"
#include "sharedshapes.h"

#include "datatable.h"
#include "deckcases.h"

#include <QTest>

#include <map>

using namespace deckmodel;

Q_DECLARE_METATYPE(std::vector<deckmodel::Member>)
Q_DECLARE_METATYPE(deckmodel::Polygon)
Q_DECLARE_METATYPE(deckmodel::Direction)

namespace {

// A plan as written in the tables: "x0 z0 x1 z1", a box standing square, or
// the corners "x z, x z, ...".
Polygon planOf(const QString &text)
{
    const QStringList corners = text.split(u',');
    QList<double> n;
    for (const QString &c : corners)
        for (const QString &v : c.split(u' ', Qt::SkipEmptyParts))
            n << v.toDouble();
    if (corners.size() == 1)
        return {{n[0], n[1]}, {n[2], n[1]}, {n[2], n[3]}, {n[0], n[3]}};
    Polygon plan;
    for (qsizetype i = 0; i + 1 < n.size(); i += 2)
        plan.push_back({n[i], n[i + 1]});
    return plan;
}

QString flags(const std::vector<bool> &hidden)
{
    QString s;
    for (const bool h : hidden)
        s += h ? u'1' : u'0';
    return s;
}

QString number(double v)
{
    return QString::number(v, 'f', 6);
}

// Every piece ("name: thickness: corners") and every placement ("piece turns x y z").
QStringList described(const SharedShapes &shared)
{
    QStringList lines;
    for (const Member &piece : shared.pieces) {
        QStringList corners;
        for (const Point &p : piece.plan)
            corners << number(p.x) + u' ' + number(p.z);
        lines << QStringLiteral("%1: %2 on %3: %4").arg(piece.name, number(piece.thickness), number(piece.base), corners.join(u", "));
    }
    for (const Placement &p : shared.placements)
        lines << QStringLiteral("%1 %2 %3 %4 %5").arg(p.piece).arg(p.quarterTurns).arg(number(p.xIn), number(p.yIn), number(p.zIn));
    return lines;
}

} // namespace

class TestSharedShapes : public QObject {
    Q_OBJECT
private slots:
    void pieces_data()
    {
        QTest::addColumn<std::vector<Member>>("members");
        QTest::addColumn<QStringList>("expected");
        const std::map<QString, Kind> kinds{{"Baluster", Kind::Baluster}, {"GuardRail", Kind::GuardRail}, {"Joist", Kind::Joist},
                                            {"RimJoist", Kind::RimJoist}, {"DeckingBoard", Kind::DeckingBoard}};
        for (const DataSection &section : dataSections(JM_TESTDATA "/shared-pieces.txt")) {
            std::vector<Member> members;
            QStringList expected;
            for (const QString &line : section.lines) {
                const QStringList f = line.split(QStringLiteral(" | "));
                const QStringList height = f.value(3).split(u' ');
                if (line.startsWith(u"= "))
                    expected << line.mid(2);
                else
                    members.push_back(member(kinds.at(f[0]), f[1], planOf(f[2]), height[0].toDouble(), height[1].toDouble()));
            }
            QTest::newRow(qPrintable(section.name)) << members << expected;
        }
    }
    void pieces()
    {
        QFETCH(std::vector<Member>, members);
        QFETCH(QStringList, expected);
        QCOMPARE(described(sharedShapesOf(members)), expected);
    }

    void quarterTurns_data()
    {
        QTest::addColumn<int>("turns");
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("z");
        QTest::newRow("none") << 0 << 2.0 << 1.0;
        QTest::newRow("quarter") << 1 << -1.0 << 2.0;
        QTest::newRow("half") << 2 << -2.0 << -1.0;
        QTest::newRow("three quarters") << 3 << 1.0 << -2.0;
        QTest::newRow("back a quarter") << -1 << 1.0 << -2.0;
        QTest::newRow("five quarters") << 5 << -1.0 << 2.0;
    }
    void quarterTurns()
    {
        QFETCH(int, turns);
        QFETCH(double, x);
        QFETCH(double, z);
        const Point p = turned({2, 1}, turns);
        QCOMPARE(p.x, x);
        QCOMPARE(p.z, z);
    }

    void overlap_data()
    {
        QTest::addColumn<Polygon>("a");
        QTest::addColumn<Polygon>("b");
        QTest::addColumn<double>("area");
        const auto plan = [](const QString &text) { return text == u"-" ? Polygon{} : planOf(text); };
        for (const QStringList &row : dataTable(JM_TESTDATA "/overlaps.txt", QStringLiteral(" | ")))
            QTest::newRow(qPrintable(row[0])) << plan(row[1]) << plan(row[2]) << row[3].toDouble();
    }
    void overlap()
    {
        QFETCH(Polygon, a);
        QFETCH(Polygon, b);
        QFETCH(double, area);
        QVERIFY2(std::abs(overlapArea(a, b) - area) < 1e-9, qPrintable(QString::number(overlapArea(a, b))));
        QVERIFY2(std::abs(overlapArea(b, a) - area) < 1e-9, qPrintable(QString::number(overlapArea(b, a))));
    }

    void membersHiddenWhole_data()
    {
        QTest::addColumn<std::vector<Member>>("members");
        QTest::addColumn<Direction>("eye");
        QTest::addColumn<QString>("hidden");
        for (const QStringList &row : dataTable(JM_TESTDATA "/hidden-whole.txt")) {
            std::vector<Member> members;
            for (const QString &m : row[3].split(u';', Qt::SkipEmptyParts)) {
                const QStringList height = m.section(u':', 1).split(u' ', Qt::SkipEmptyParts);
                members.push_back(member(Kind::Joist, QString(), planOf(m.section(u':', 0, 0)), height[0].toDouble(),
                                         height[1].toDouble() - height[0].toDouble()));
            }
            const QStringList eye = row[1].split(u' ', Qt::SkipEmptyParts);
            QTest::newRow(qPrintable(row[0].trimmed())) << members << Direction{eye[0].toDouble(), eye[1].toDouble(), eye[2].toDouble()}
                                                        << row[2].trimmed();
        }
    }
    void membersHiddenWhole()
    {
        QFETCH(std::vector<Member>, members);
        QFETCH(Direction, eye);
        QFETCH(QString, hidden);
        QCOMPARE(flags(hiddenWhole(members, eye, {1, 0, 0})), hidden);
    }
};

QTEST_GUILESS_MAIN(TestSharedShapes)
#include "tst_sharedshapes.moc"
