// The sheets painted: onto a PDF page or a printer through QPainter, in paper
// millimetres. A text whose face runs wider than the width the sheet's
// layout reserved for it is narrowed to that width, so the layout's promise
// that no two texts overlap holds on paper too.
#include "drawingset.h"

#include "outputfile.h"

#include <QBuffer>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QPrinter>

namespace deckview {

namespace {

QPen penOf(Weight weight, bool dashed)
{
    QPen pen(Qt::black);
    const double width = weightMm(weight);
    pen.setWidthF(width);
    pen.setCapStyle(dashed ? Qt::FlatCap : Qt::SquareCap);
    pen.setJoinStyle(Qt::MiterJoin);
    if (dashed)
        pen.setDashPattern({2.0 / width, 1.2 / width}); // in pen widths
    return pen;
}

QFont fontOf(bool bold)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(100);
    font.setBold(bold);
    return font;
}

void paintText(QPainter &painter, const SheetText &text)
{
    const QFont font = fontOf(text.bold);
    const QFontMetricsF metrics(font, painter.device());
    const double em = text.heightMm / CapHeightPerEm, k = em / 100;
    const double real = metrics.horizontalAdvance(text.text) * k;
    const double room = textWidthMm(text.text, text.heightMm, text.bold);
    const double squeeze = real > room ? room / real : 1;
    const double width = real * squeeze;
    const double start = text.anchor == Anchor::Start ? 0 : text.anchor == Anchor::Middle ? -width / 2 : -width;
    painter.save();
    painter.translate(text.at);
    painter.rotate(-text.angle);
    painter.translate(start, 0);
    painter.scale(k * squeeze, k);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QPointF(0, 0), text.text);
    painter.restore();
}

} // namespace

void paintSheet(QPainter &painter, const Sheet &sheet)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(QRectF(QPointF(), sheet.paperMm), Qt::white);
    for (const SheetShape &shape : sheet.shapes) {
        painter.setPen(penOf(shape.weight, shape.dashed));
        painter.setBrush(shape.fill == Fill::None ? QBrush(Qt::NoBrush)
                                                  : QBrush(shape.fill == Fill::Black ? Qt::black : Qt::white));
        painter.drawPolygon(shape.corners);
    }
    painter.setBrush(Qt::NoBrush);
    for (const SheetCircle &circle : sheet.circles) {
        painter.setPen(penOf(circle.weight, circle.dashed));
        painter.drawEllipse(circle.centre, circle.radiusMm, circle.radiusMm);
    }
    for (const SheetLine &line : sheet.lines) {
        painter.setPen(penOf(line.weight, line.dashed));
        painter.drawLine(line.a, line.b);
    }
    for (const SheetText &text : sheet.texts)
        paintText(painter, text);
    painter.restore();
}

void printSheets(QPrinter &printer, const std::vector<Sheet> &sheets)
{
    printer.setFullPage(true);
    QPainter painter(&printer);
    for (size_t i = 0; i < sheets.size(); ++i) {
        if (i > 0)
            printer.newPage();
        const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
        const double scale = std::min(paper.width() / sheets[i].paperMm.width(), paper.height() / sheets[i].paperMm.height());
        painter.save();
        painter.scale(scale, scale);
        paintSheet(painter, sheets[i]);
        painter.restore();
    }
}

namespace {

QByteArray pdfOf(const std::vector<Sheet> &sheets)
{
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&bytes);
    const QSizeF paper = sheets.front().paperMm;
    pdf.setPageLayout(QPageLayout(QPageSize(QSizeF(paper.height(), paper.width()), QPageSize::Millimeter),
                                  QPageLayout::Landscape, QMarginsF()));
    pdf.setResolution(600);
    pdf.setTitle(sheets.front().title);
    pdf.setCreator(QStringLiteral("Joistmaster"));
    QPainter painter(&pdf);
    for (size_t i = 0; i < sheets.size(); ++i) {
        if (i > 0)
            pdf.newPage();
        const double scale = pdf.width() / sheets[i].paperMm.width();
        painter.save();
        painter.scale(scale, scale);
        paintSheet(painter, sheets[i]);
        painter.restore();
    }
    painter.end();
    return bytes.data();
}

} // namespace

jm::Status writeSheets(const QString &path, const std::vector<Sheet> &sheets)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (sheets.empty())
        return jm::failure(QStringLiteral("cannot write %1: there is no sheet to write").arg(path));
    if (suffix == u"pdf")
        return outputfile::writeWhole(path, pdfOf(sheets));
    if (suffix != u"svg")
        return jm::failure(QStringLiteral("cannot write %1: a drawing set is written as .pdf or .svg").arg(path));
    const QStringList names = sheetFileNames(path, sheets);
    for (size_t i = 0; i < sheets.size(); ++i)
        if (const jm::Status written = outputfile::writeWhole(names[qsizetype(i)], sheetSvg(sheets[i])); !written)
            return written;
    return jm::success();
}

} // namespace deckview
