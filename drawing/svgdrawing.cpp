// The page as SVG, written as text: the lines as paths, hidden ones dashed, a
// shaded view as an embedded PNG, every word of the title block as <text>.
// Written by hand rather than through a painter device so that the file holds
// real text elements and needs no further Qt module.
#include "drawing.h"
#include "svgtext.h"

#include <QBuffer>

namespace deckview {

namespace {
QString number(double v) { return svgNumber(v, 2); }

QString escaped(const QString &text)
{
    return text.toHtmlEscaped();
}

QString textElement(QPointF at, const QString &text, double size, const QString &extra = {})
{
    return QStringLiteral("<text x=\"%1\" y=\"%2\" font-size=\"%3\"%4>%5</text>\n")
        .arg(number(at.x()), number(at.y()), number(size), extra, escaped(text));
}

QString strokeAttributes(Stroke stroke, double width, const QColor &highlight)
{
    const QString colour = stroke == Stroke::Hidden ? QStringLiteral("#6e6e6e")
        : stroke == Stroke::Highlight              ? highlight.name()
                                                   : QStringLiteral("#000000");
    const double factor = stroke == Stroke::Visible ? 1 : stroke == Stroke::Hidden ? 0.6 : stroke == Stroke::Thin ? 0.5 : 2;
    QString attributes = QStringLiteral("fill=\"none\" stroke=\"%1\" stroke-width=\"%2\"").arg(colour, number(factor * width));
    if (stroke == Stroke::Hidden)
        attributes += QStringLiteral(" stroke-dasharray=\"%1 %2\"").arg(number(6 * 0.6 * width), number(4 * 0.6 * width));
    return attributes;
}
} // namespace

QByteArray svgDrawing(const Drawing &drawing, const TitleBlock &block, QSizeF page)
{
    const PageLayout layout = layoutPage(page, drawing.viewport, block);
    QString svg;
    svg += QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
    svg += QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"%1\" height=\"%2\" "
                          "viewBox=\"0 0 %1 %2\" font-family=\"sans-serif\">\n")
               .arg(number(page.width()), number(page.height()));
    svg += QStringLiteral("<title>%1</title>\n").arg(escaped(block.title));
    svg += QStringLiteral("<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n");

    // The view, in viewport pixels scaled onto the page.
    svg += QStringLiteral("<clipPath id=\"viewArea\"><rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\"/></clipPath>\n")
               .arg(number(layout.view.x()), number(layout.view.y()), number(layout.view.width()),
                    number(layout.view.height()));
    svg += QStringLiteral("<g id=\"view\" clip-path=\"url(#viewArea)\">\n<g transform=\"translate(%1 %2) scale(%3)\">\n")
               .arg(number(layout.viewOrigin.x()), number(layout.viewOrigin.y()),
                    QString::number(layout.viewScale, 'g', 8));
    if (!drawing.picture.isNull()) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        drawing.picture.save(&buffer, "PNG");
        svg += QStringLiteral("<image x=\"0\" y=\"0\" width=\"%1\" height=\"%2\" href=\"data:image/png;base64,%3\"/>\n")
                   .arg(drawing.viewport.width())
                   .arg(drawing.viewport.height())
                   .arg(QString::fromLatin1(png.toBase64()));
    }
    const double width = std::max(0.5, 0.07 * layout.rowHeight) / layout.viewScale;
    for (Stroke stroke : {Stroke::Thin, Stroke::Hidden, Stroke::Visible, Stroke::Highlight}) {
        if (stroke == Stroke::Hidden && !drawing.dashHidden)
            continue;
        QString d;
        for (const Segment2 &s : drawing.lines) {
            if (s.stroke != stroke)
                continue;
            d += u'M';
            appendSvgNumber(d, s.a.x(), 2);
            d += u' ';
            appendSvgNumber(d, s.a.y(), 2);
            d += u'L';
            appendSvgNumber(d, s.b.x(), 2);
            d += u' ';
            appendSvgNumber(d, s.b.y(), 2);
        }
        if (!d.isEmpty())
            svg += QStringLiteral("<path %1 d=\"%2\"/>\n").arg(strokeAttributes(stroke, width, drawing.highlight), d);
    }
    for (const Label &label : drawing.labels)
        svg += textElement(QPointF(), label.text, 12,
                           QStringLiteral(" text-anchor=\"middle\" dominant-baseline=\"central\" "
                                          "transform=\"translate(%1 %2) rotate(%3)\"")
                               .arg(number(label.at.x()), number(label.at.y()), number(label.angle)));
    svg += QStringLiteral("</g>\n</g>\n");

    // The title block.
    const double frame = std::max(0.5, 0.07 * layout.rowHeight);
    const double pad = 0.4 * layout.rowHeight;
    auto baseline = [&](int row) { return layout.titleBlock.top() + (row + 0.9) * layout.rowHeight; };
    const double headerBottom = layout.takeoff.top() + 1.25 * layout.rowHeight;
    svg += QStringLiteral("<g id=\"titleblock\">\n");
    svg += QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" fill=\"none\" stroke=\"#000000\" "
                          "stroke-width=\"%5\"/>\n")
               .arg(number(layout.titleBlock.x()), number(layout.titleBlock.y()), number(layout.titleBlock.width()),
                    number(layout.titleBlock.height()), number(frame));
    svg += QStringLiteral("<path fill=\"none\" stroke=\"#000000\" stroke-width=\"%1\" d=\"M%2 %3L%2 %4M%2 %5L%6 %5\"/>\n")
               .arg(number(frame), number(layout.takeoff.left()), number(layout.takeoff.top()),
                    number(layout.takeoff.bottom()), number(headerBottom), number(layout.takeoff.right()));
    const QStringList left = QStringList{block.title} + factLines(block);
    for (int i = 0; i < left.size(); ++i)
        svg += textElement({layout.facts.left() + pad, baseline(i)}, left[i], layout.fontSize);
    auto row = [&](const QStringList &cells, int index) {
        for (qsizetype c = 0; c < cells.size() && size_t(c) < layout.columns.size(); ++c)
            svg += textElement({layout.columns[size_t(c)], baseline(index)}, cells[c], layout.fontSize);
    };
    row(block.takeoffHeader, 0);
    for (int i = 0; i < block.takeoffRows.size(); ++i)
        row(block.takeoffRows[i], i + 1);
    svg += QStringLiteral("</g>\n</svg>\n");
    return svg.toUtf8();
}

} // namespace deckview
