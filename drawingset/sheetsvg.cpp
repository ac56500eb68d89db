// A sheet as SVG text, in paper millimetres: outlines and lines as paths, a
// path per weight and dash, every word as a <text> element. Written as text
// (as svgdrawing.cpp does) so that it needs no further Qt module and no fonts.
#include "drawingset.h"
#include "svgtext.h"

namespace deckview {

namespace {

QString svgNumber(double v) { return deckview::svgNumber(v, 3); }

QString strokeOf(Weight weight, bool dashed)
{
    QString attributes = QStringLiteral("stroke=\"#000\" stroke-width=\"%1\"").arg(svgNumber(weightMm(weight)));
    if (dashed)
        attributes += QStringLiteral(" stroke-dasharray=\"2 1.2\"");
    return attributes;
}

QString fillOf(Fill fill)
{
    return fill == Fill::None ? QStringLiteral("none") : fill == Fill::Black ? QStringLiteral("#000") : QStringLiteral("#fff");
}

QString point(QPointF p)
{
    return svgNumber(p.x()) + u' ' + svgNumber(p.y());
}

} // namespace

QByteArray sheetSvg(const Sheet &sheet)
{
    const QString w = svgNumber(sheet.paperMm.width()), h = svgNumber(sheet.paperMm.height());
    QString svg;
    svg += QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
    svg += QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"%1mm\" height=\"%2mm\" "
                          "viewBox=\"0 0 %1 %2\" font-family=\"Liberation Sans, Arial, Helvetica, sans-serif\">\n")
               .arg(w, h);
    svg += QStringLiteral("<title>%1</title>\n").arg(sheet.title.toHtmlEscaped());
    svg += QStringLiteral("<rect width=\"%1\" height=\"%2\" fill=\"#fff\"/>\n").arg(w, h);
    // Outlines in their order: a near member's white covers a far one's lines.
    for (const SheetShape &shape : sheet.shapes) {
        QString d;
        for (qsizetype i = 0; i < shape.corners.size(); ++i)
            d += (i ? u'L' : u'M') + point(shape.corners[i]);
        svg += QStringLiteral("<path fill=\"%1\" %2 d=\"%3Z\"/>\n").arg(fillOf(shape.fill), strokeOf(shape.weight, shape.dashed), d);
    }
    for (const SheetCircle &c : sheet.circles)
        svg += QStringLiteral("<circle cx=\"%1\" cy=\"%2\" r=\"%3\" fill=\"none\" %4/>\n")
                   .arg(svgNumber(c.centre.x()), svgNumber(c.centre.y()), svgNumber(c.radiusMm), strokeOf(c.weight, c.dashed));
    for (Weight weight : {Weight::Light, Weight::Medium, Weight::Heavy})
        for (bool dashed : {false, true}) {
            QString d;
            for (const SheetLine &l : sheet.lines)
                if (l.weight == weight && l.dashed == dashed)
                    d += u'M' + point(l.a) + u'L' + point(l.b);
            if (!d.isEmpty())
                svg += QStringLiteral("<path fill=\"none\" %1 d=\"%2\"/>\n").arg(strokeOf(weight, dashed), d);
        }
    for (const SheetText &t : sheet.texts) {
        const QString anchor = t.anchor == Anchor::Start ? QStringLiteral("start")
                             : t.anchor == Anchor::Middle ? QStringLiteral("middle") : QStringLiteral("end");
        QString extra;
        if (t.angle != 0)
            extra += QStringLiteral(" transform=\"rotate(%1 %2)\"").arg(svgNumber(-t.angle), point(t.at));
        if (t.bold)
            extra += QStringLiteral(" font-weight=\"bold\"");
        svg += QStringLiteral("<text x=\"%1\" y=\"%2\" font-size=\"%3\" text-anchor=\"%4\"%5>%6</text>\n")
                   .arg(svgNumber(t.at.x()), svgNumber(t.at.y()), svgNumber(t.heightMm / CapHeightPerEm), anchor, extra,
                        t.text.toHtmlEscaped());
    }
    svg += QStringLiteral("</svg>\n");
    return svg.toUtf8();
}

} // namespace deckview
