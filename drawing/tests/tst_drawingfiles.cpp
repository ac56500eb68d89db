// Drawings out: SVG and PDF files are well formed, carry every word of the
// title block, keep line drawings as vectors, and are written whole or not at
// all; a hidden-line SVG byte for byte (data/hidden-dashed.svg).
#include "datatable.h"
#include "drawing.h"
#include "pdftext.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <utility>

using namespace deckview;

namespace {
TitleBlock worked()
{
    return {QStringLiteral("Deck_Rectangle"),
            QStringLiteral("Rectangle"),
            QStringLiteral("A 16' 0\" x B 12' 0\""),
            QStringLiteral("3' 0\""),
            QDate(2026, 12, 6),
            {QStringLiteral("Member"), QStringLiteral("Size"), QStringLiteral("Pieces")},
            {{QStringLiteral("Posts"), QStringLiteral("4 x 4"), QStringLiteral("6")},
             {QStringLiteral("Screws & bolts"), QStringLiteral("<box of 100>"), QStringLiteral("3")}}};
}

// Every word of the title block, as a person reads it on the page.
const QStringList TitleTexts = QStringLiteral("Deck_Rectangle|Shape: Rectangle|Sizes: A 16' 0\" x B 12' 0\"|Height: 3' 0\"|"
                                              "Date: 2026-12-06|Member|Size|Pieces|Posts|4 x 4|6|Screws & bolts|<box of 100>|3")
                                   .split(u'|');

Drawing hiddenLine(bool dashed)
{
    Drawing drawing;
    drawing.viewport = QSize(400, 300);
    drawing.lines = {{{10, 10}, {390, 10}, Stroke::Visible}, {{10, 20}, {390, 290}, Stroke::Hidden}};
    drawing.dashHidden = dashed;
    return drawing;
}

Drawing shaded()
{
    Drawing drawing;
    drawing.viewport = QSize(40, 30);
    drawing.picture = QImage(40, 30, QImage::Format_RGB32);
    drawing.picture.fill(QColor(222, 184, 135));
    return drawing;
}

// The texts of an SVG document, or why not: it is not well formed or its
// root is not the SVG element.
jm::Result<QStringList> svgTexts(const QByteArray &svg)
{
    QStringList texts;
    QString error;
    QXmlStreamReader xml(svg);
    bool root = true;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (std::exchange(root, false) && (xml.namespaceUri() != u"http://www.w3.org/2000/svg" || xml.name() != u"svg"))
            error = QStringLiteral("root ") + xml.name().toString();
        if (xml.name() == u"text")
            texts << xml.readElementText();
    }
    if (xml.hasError())
        error = xml.errorString();
    return error.isEmpty() ? jm::Result<QStringList>(texts) : jm::failure(error);
}
} // namespace

class TestDrawingFiles : public QObject {
    Q_OBJECT
private slots:
    void written_data();
    void written();
    void pathNumbers_data();
    void pathNumbers();

private:
    QTemporaryDir m_dir;
};

void TestDrawingFiles::written_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<Drawing>("drawing");
    QTest::addColumn<int>("dashedPaths"); // in an SVG file
    QTest::addColumn<int>("images");
    QTest::addColumn<QString>("refusal"); // after the path; a start when it ends in a blank
    QTest::newRow("SVG, hidden edges dashed") << "deck.svg" << hiddenLine(true) << 1 << 0 << "";
    QTest::newRow("SVG, hidden edges left out") << "deck.svg" << hiddenLine(false) << 0 << 0 << "";
    QTest::newRow("SVG, shaded") << "deck.svg" << shaded() << 0 << 1 << "";
    QTest::newRow("PDF, hidden line: lines, no picture") << "deck.PDF" << hiddenLine(true) << 0 << 0 << "";
    QTest::newRow("PDF, shaded: a picture") << "deck.PDF" << shaded() << 0 << 1 << "";
    QTest::newRow("not a drawing's suffix") << "deck.jpg" << hiddenLine(true) << 0 << 0
                                            << ": a drawing is written as .png, .svg or .pdf";
    QTest::newRow("a folder that is not there") << "no/such/deck.svg" << hiddenLine(true) << 0 << 0 << ": ";
}

void TestDrawingFiles::written()
{
    QFETCH(QString, name);
    QFETCH(Drawing, drawing);
    QFETCH(int, dashedPaths);
    QFETCH(int, images);
    QFETCH(QString, refusal);
    const QString path = m_dir.filePath(name);
    const jm::Status written = writeDrawing(path, drawing, worked());
    const QString reason = written.error();
    QCOMPARE(written.ok(), refusal.isEmpty());
    if (!refusal.isEmpty()) { // refused with a reason, and no file left behind
        const QString expected = QStringLiteral("cannot write ") + path + refusal; // all of it, or its start
        QVERIFY2(refusal.endsWith(u' ') ? reason.startsWith(expected) : reason == expected, qPrintable(reason));
        QVERIFY(!QFile::exists(path));
        return;
    }
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QStringList texts;
    if (name.endsWith(u".svg")) {
        QVERIFY(bytes.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"));
        const jm::Result<QStringList> read = svgTexts(bytes);
        QCOMPARE(read.error(), QString());
        texts = *read;
        QCOMPARE(int(bytes.count("stroke-dasharray=")), dashedPaths);
        QCOMPARE(int(bytes.count("<image ")), images);
        if (dashedPaths == 1) // the file whole, read by eye once
            QCOMPARE(bytes, dataBytes(JM_TESTDATA "/hidden-dashed.svg"));
    } else {
        QVERIFY(bytes.startsWith("%PDF-1."));
        QVERIFY(bytes.trimmed().endsWith("%%EOF"));
        QVERIFY(bytes.contains("\ntrailer\n") && bytes.contains("\nstartxref\n"));
        QCOMPARE(int(bytes.count("/Subtype /Image")), images);
        texts = pdfTexts(bytes);
    }
    for (const QString &text : TitleTexts)
        QVERIFY2(texts.contains(text), qPrintable(text + QStringLiteral(" is not among ") + texts.join(u'|')));
}

// A line's coordinates as the path prints them: two places at most, no
// trailing zeros, never "-0", rounded from the number's exact binary value
// (2.675 is a little below, so it goes down), even where the value times 100
// lands on a half.
void TestDrawingFiles::pathNumbers_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<QString>("printed");
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("whole") << 12.0 << "12";
    QTest::newRow("one place") << 1.5 << "1.5";
    QTest::newRow("two places") << 0.25 << "0.25";
    QTest::newRow("rounded up") << 3.14159 << "3.14";
    QTest::newRow("rounded up to whole") << 99.999 << "100";
    QTest::newRow("sum not quite 0.3") << 0.1 + 0.2 << "0.3";
    QTest::newRow("2.675 lies below") << 2.675 << "2.67";
    QTest::newRow("1.005 lies below") << 1.005 << "1";
    QTest::newRow("1.015 lies below") << 1.015 << "1.01";
    QTest::newRow("0.015 lies below, times 100 is 1.5") << 0.015 << "0.01";
    QTest::newRow("0.025 lies above, times 100 is 2.5") << 0.025 << "0.03";
    QTest::newRow("negative") << -1.25 << "-1.25";
    QTest::newRow("negative, rounded") << -7.006 << "-7.01";
    QTest::newRow("small negative is 0") << -0.004 << "0";
    QTest::newRow("negative zero") << -0.0 << "0";
    QTest::newRow("-0.005 lies beyond") << -0.005 << "-0.01";
    QTest::newRow("large") << 1234567.891 << "1234567.89";
    QTest::newRow("larger than counted directly") << 3e9 + 0.5 << "3000000000.5";
}

void TestDrawingFiles::pathNumbers()
{
    QFETCH(double, x);
    QFETCH(QString, printed);
    Drawing drawing;
    drawing.viewport = QSize(400, 300);
    drawing.lines = {{{x, 1}, {2, x}, Stroke::Visible}};
    const QByteArray svg = svgDrawing(drawing, worked());
    const QByteArray path = " d=\"M" + printed.toLatin1() + " 1L2 " + printed.toLatin1() + "\"/>";
    QVERIFY2(svg.contains(path), svg.mid(svg.indexOf(" d=\"M"), 60).constData());
}

QTEST_MAIN(TestDrawingFiles)
#include "tst_drawingfiles.moc"
