#include "drawing.h"

#include "outputfile.h"

#include <QBuffer>

#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include <algorithm>

namespace deckview {

QStringList factLines(const TitleBlock &block)
{
    return {QStringLiteral("Shape: ") + block.shape, QStringLiteral("Sizes: ") + block.sizes,
            QStringLiteral("Height: ") + block.height, QStringLiteral("Date: ") + block.date.toString(Qt::ISODate)};
}

PageLayout layoutPage(QSizeF page, QSize viewport, const TitleBlock &block)
{
    PageLayout layout;
    const double w = page.width(), h = page.height();
    const double margin = 0.03 * std::min(w, h);
    const int rows = std::max<int>(1 + int(factLines(block).size()), 1 + int(block.takeoffRows.size()));
    layout.rowHeight = std::min(h / 36, 0.45 * h / (rows + 1));
    layout.fontSize = 0.6 * layout.rowHeight;
    const double blockHeight = (rows + 0.5) * layout.rowHeight;
    layout.titleBlock = QRectF(margin, h - margin - blockHeight, w - 2 * margin, blockHeight);
    const double split = layout.titleBlock.left() + 0.32 * layout.titleBlock.width();
    layout.facts = QRectF(QPointF(layout.titleBlock.left(), layout.titleBlock.top()),
                          QPointF(split, layout.titleBlock.bottom()));
    layout.takeoff = QRectF(QPointF(split, layout.titleBlock.top()), layout.titleBlock.bottomRight());
    layout.view = QRectF(margin, margin, w - 2 * margin, std::max(1.0, layout.titleBlock.top() - 2 * margin));

    const double vw = std::max(1, viewport.width()), vh = std::max(1, viewport.height());
    layout.viewScale = std::min(layout.view.width() / vw, layout.view.height() / vh);
    layout.viewOrigin = layout.view.center() - QPointF(vw, vh) * layout.viewScale / 2;

    // Columns as wide as their longest text, in proportion.
    qsizetype columns = block.takeoffHeader.size();
    for (const QStringList &row : block.takeoffRows)
        columns = std::max(columns, row.size());
    std::vector<double> widths(size_t(columns), 3);
    auto measure = [&](const QStringList &row) {
        for (qsizetype i = 0; i < row.size(); ++i)
            widths[size_t(i)] = std::max(widths[size_t(i)], double(row[i].size()) + 2);
    };
    measure(block.takeoffHeader);
    for (const QStringList &row : block.takeoffRows)
        measure(row);
    double total = 0;
    for (double width : widths)
        total += width;
    const double pad = 0.4 * layout.rowHeight;
    double x = layout.takeoff.left() + pad;
    for (double width : widths) {
        layout.columns.push_back(x);
        x += width / total * (layout.takeoff.width() - 2 * pad);
    }
    return layout;
}

namespace {
double lineWidth(const PageLayout &layout)
{
    return std::max(0.5, 0.07 * layout.rowHeight);
}

void paintView(QPainter &painter, const PageLayout &layout, const Drawing &drawing)
{
    painter.save();
    painter.setClipRect(layout.view);
    painter.translate(layout.viewOrigin);
    painter.scale(layout.viewScale, layout.viewScale);
    paintLines(painter, drawing, Qt::black, lineWidth(layout) / layout.viewScale);
    painter.restore();
}

void paintTitleBlock(QPainter &painter, const PageLayout &layout, const TitleBlock &block)
{
    QPen frame(Qt::black);
    frame.setWidthF(lineWidth(layout));
    painter.setPen(frame);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(layout.titleBlock);
    painter.drawLine(layout.takeoff.topLeft(), layout.takeoff.bottomLeft());
    const double headerBottom = layout.takeoff.top() + 1.25 * layout.rowHeight;
    painter.drawLine(QPointF(layout.takeoff.left(), headerBottom), QPointF(layout.takeoff.right(), headerBottom));

    QFont font(QStringLiteral("sans-serif"));
    font.setPixelSize(std::max(1, int(layout.fontSize)));
    painter.setFont(font);
    const double pad = 0.4 * layout.rowHeight;
    auto baseline = [&](int row) { return layout.titleBlock.top() + (row + 0.9) * layout.rowHeight; };
    const QStringList left = QStringList{block.title} + factLines(block);
    for (int i = 0; i < left.size(); ++i)
        painter.drawText(QPointF(layout.facts.left() + pad, baseline(i)), left[i]);
    auto row = [&](const QStringList &cells, int index) {
        for (qsizetype c = 0; c < cells.size() && size_t(c) < layout.columns.size(); ++c)
            painter.drawText(QPointF(layout.columns[size_t(c)], baseline(index)), cells[c]);
    };
    row(block.takeoffHeader, 0);
    for (int i = 0; i < block.takeoffRows.size(); ++i)
        row(block.takeoffRows[i], i + 1);
}

} // namespace

void paintLines(QPainter &painter, const Drawing &drawing, const QColor &colour, double width, bool antialiased)
{
    if (!drawing.picture.isNull())
        painter.drawImage(QRectF(QPointF(), QSizeF(drawing.viewport)), drawing.picture);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, antialiased);
    for (Stroke stroke : {Stroke::Thin, Stroke::Hidden, Stroke::Visible, Stroke::Highlight}) {
        if (stroke == Stroke::Hidden && !drawing.dashHidden)
            continue;
        std::vector<QLineF> lines;
        for (const Segment2 &s : drawing.lines)
            if (s.stroke == stroke)
                lines.emplace_back(s.a, s.b);
        QPen pen(stroke == Stroke::Hidden ? QColor(110, 110, 110) : stroke == Stroke::Highlight ? drawing.highlight : colour);
        pen.setWidthF((stroke == Stroke::Visible ? 1 : stroke == Stroke::Hidden ? 0.6 : stroke == Stroke::Thin ? 0.5 : 2) * width);
        pen.setCapStyle(Qt::FlatCap);
        if (stroke == Stroke::Hidden)
            pen.setDashPattern({6, 4});
        painter.setPen(pen);
        painter.drawLines(lines.data(), int(lines.size()));
    }
    QFont font(QStringLiteral("sans-serif"));
    font.setPixelSize(12);
    painter.setFont(font);
    painter.setPen(colour);
    for (const Label &label : drawing.labels) {
        painter.save();
        painter.translate(label.at);
        painter.rotate(label.angle);
        painter.drawText(QRectF(-500, -10, 1000, 20), Qt::AlignCenter, label.text);
        painter.restore();
    }
    painter.restore();
}

void paintDrawing(QPainter &painter, QSizeF page, const Drawing &drawing, const TitleBlock &block)
{
    const PageLayout layout = layoutPage(page, drawing.viewport, block);
    painter.fillRect(QRectF(QPointF(), page), Qt::white);
    paintView(painter, layout, drawing);
    paintTitleBlock(painter, layout, block);
}

DrawingFormat drawingFormatOf(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"png")
        return DrawingFormat::Png;
    if (suffix == u"svg")
        return DrawingFormat::Svg;
    if (suffix == u"pdf")
        return DrawingFormat::Pdf;
    return DrawingFormat::Unknown;
}

jm::Status writeDrawing(const QString &path, const Drawing &drawing, const TitleBlock &block)
{
    const DrawingFormat format = drawingFormatOf(path);
    if (format == DrawingFormat::Unknown)
        return jm::failure(QStringLiteral("cannot write %1: a drawing is written as .png, .svg or .pdf").arg(path));
    if (format == DrawingFormat::Svg)
        return outputfile::writeWhole(path, svgDrawing(drawing, block));
    // A page is small: it is made in memory and written whole.
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    if (format == DrawingFormat::Png) {
        // A4 landscape at 150 dots per inch.
        QImage page(1754, 1240, QImage::Format_RGB32);
        QPainter painter(&page);
        paintDrawing(painter, page.size(), drawing, block);
        painter.end();
        if (!page.save(&bytes, "PNG"))
            return jm::failure(QStringLiteral("cannot write %1: the picture could not be encoded").arg(path));
    } else {
        QPdfWriter pdf(&bytes);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageOrientation(QPageLayout::Landscape);
        pdf.setPageMargins(QMarginsF());
        pdf.setResolution(300);
        pdf.setTitle(block.title);
        pdf.setCreator(QStringLiteral("deckhost"));
        QPainter painter(&pdf);
        paintDrawing(painter, QSizeF(pdf.width(), pdf.height()), drawing, block);
        painter.end();
    }
    return outputfile::writeWhole(path, bytes.data());
}

void printDrawing(QPrinter &printer, const Drawing &drawing, const TitleBlock &block)
{
    QPainter painter(&printer);
    const QRectF page = printer.pageRect(QPrinter::DevicePixel);
    paintDrawing(painter, page.size(), drawing, block);
}

} // namespace deckview
