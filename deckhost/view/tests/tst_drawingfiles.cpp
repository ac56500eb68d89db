// Drawings out: SVG and PDF files are well formed, carry every word of the
// title block, keep line drawings as vectors, and are written whole or not at
// all.
#include "drawing.h"
#include "pdftext.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

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
const QStringList TitleTexts = {
    QStringLiteral("Deck_Rectangle"), QStringLiteral("Shape: Rectangle"), QStringLiteral("Sizes: A 16' 0\" x B 12' 0\""),
    QStringLiteral("Height: 3' 0\""), QStringLiteral("Date: 2026-12-06"), QStringLiteral("Member"),
    QStringLiteral("Size"), QStringLiteral("Pieces"), QStringLiteral("Posts"), QStringLiteral("4 x 4"),
    QStringLiteral("6"), QStringLiteral("Screws & bolts"), QStringLiteral("<box of 100>"), QStringLiteral("3")};

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

QByteArray written(const QString &path, const Drawing &drawing)
{
    QString error;
    if (!writeDrawing(path, drawing, worked(), &error))
        qWarning("%s", qPrintable(error));
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct SvgContent {
    QString error;
    QString root;
    QStringList texts;
    int dashedPaths = 0;
    int images = 0;
};

SvgContent readSvg(const QByteArray &svg)
{
    SvgContent content;
    QXmlStreamReader xml(svg);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (content.root.isEmpty())
            content.root = xml.namespaceUri().toString() + u'|' + xml.name().toString();
        if (xml.name() == u"path" && xml.attributes().hasAttribute(QStringLiteral("stroke-dasharray")))
            ++content.dashedPaths;
        if (xml.name() == u"image")
            ++content.images;
        if (xml.name() == u"text")
            content.texts << xml.readElementText();
    }
    if (xml.hasError())
        content.error = xml.errorString();
    return content;
}
} // namespace

class TestDrawingFiles : public QObject {
    Q_OBJECT
private slots:
    void svg_data();
    void svg();
    void pdf_data();
    void pdf();
    void refused_data();
    void refused();

private:
    QTemporaryDir m_dir;
};

void TestDrawingFiles::svg_data()
{
    QTest::addColumn<Drawing>("drawing");
    QTest::addColumn<int>("dashedPaths");
    QTest::addColumn<int>("images");
    QTest::newRow("hidden line, hidden edges dashed") << hiddenLine(true) << 1 << 0;
    QTest::newRow("hidden line, hidden edges left out") << hiddenLine(false) << 0 << 0;
    QTest::newRow("shaded") << shaded() << 0 << 1;
}

void TestDrawingFiles::svg()
{
    QFETCH(Drawing, drawing);
    QFETCH(int, dashedPaths);
    QFETCH(int, images);
    const QByteArray bytes = written(m_dir.filePath(QStringLiteral("deck.svg")), drawing);
    QVERIFY(bytes.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"));
    const SvgContent svg = readSvg(bytes);
    QCOMPARE(svg.error, QString());
    QCOMPARE(svg.root, QStringLiteral("http://www.w3.org/2000/svg|svg"));
    for (const QString &text : TitleTexts)
        QVERIFY2(svg.texts.contains(text), qPrintable(text + QStringLiteral(" is not among ") + svg.texts.join(u'|')));
    QCOMPARE(svg.dashedPaths, dashedPaths);
    QCOMPARE(svg.images, images);
}

void TestDrawingFiles::pdf_data()
{
    QTest::addColumn<Drawing>("drawing");
    QTest::addColumn<bool>("picture");
    QTest::newRow("hidden line: lines, no picture") << hiddenLine(true) << false;
    QTest::newRow("shaded: a picture") << shaded() << true;
}

void TestDrawingFiles::pdf()
{
    QFETCH(Drawing, drawing);
    QFETCH(bool, picture);
    const QByteArray bytes = written(m_dir.filePath(QStringLiteral("deck.PDF")), drawing);
    QVERIFY(bytes.startsWith("%PDF-1."));
    QVERIFY(bytes.trimmed().endsWith("%%EOF"));
    QVERIFY(bytes.contains("\ntrailer\n"));
    QVERIFY(bytes.contains("\nstartxref\n"));
    const QStringList texts = pdfTexts(bytes);
    for (const QString &text : TitleTexts)
        QVERIFY2(texts.contains(text), qPrintable(text + QStringLiteral(" is not among ") + texts.join(u'|')));
    QCOMPARE(bytes.contains("/Subtype /Image"), picture);
}

void TestDrawingFiles::refused_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("error");
    QTest::newRow("not a drawing's suffix")
        << QStringLiteral("deck.jpg") << QStringLiteral("a drawing is written as .png, .svg or .pdf");
    QTest::newRow("a folder that is not there") << QStringLiteral("no/such/deck.svg") << QString();
}

void TestDrawingFiles::refused()
{
    QFETCH(QString, name);
    QFETCH(QString, error);
    const QString path = m_dir.filePath(name);
    QString reason;
    QVERIFY(!writeDrawing(path, hiddenLine(true), worked(), &reason));
    QVERIFY2(reason.startsWith(QStringLiteral("cannot write ") + path + QStringLiteral(": ")), qPrintable(reason));
    if (!error.isEmpty())
        QCOMPARE(reason, QStringLiteral("cannot write %1: %2").arg(path, error));
    QVERIFY(!QFile::exists(path));
}

QTEST_MAIN(TestDrawingFiles)
#include "tst_drawingfiles.moc"
