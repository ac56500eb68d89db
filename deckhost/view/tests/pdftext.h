// Just enough of a PDF reader for tests: the texts of a file written by Qt's
// PDF engine, one string per text object. Qt writes each glyph as
// "<code> Tj" in Flate-compressed content streams and maps codes back to
// characters in a ToUnicode table of "bfrange" lines; this reads both.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QRegularExpression>
#include <QStringList>
#include <QtEndian>

inline QList<QByteArray> pdfStreams(const QByteArray &pdf)
{
    QList<QByteArray> streams;
    qsizetype at = 0;
    while (true) {
        const qsizetype begin = pdf.indexOf("stream", at);
        if (begin < 0)
            break;
        qsizetype data = begin + 6;
        if (pdf.mid(data, 2) == "\r\n")
            data += 2;
        else if (pdf.mid(data, 1) == "\n")
            data += 1;
        else {
            at = data; // "endstream"
            continue;
        }
        const qsizetype end = pdf.indexOf("endstream", data);
        if (end < 0)
            break;
        // qUncompress wants the size first; it grows its buffer when this is short.
        QByteArray zlib(4, '\0');
        qToBigEndian<quint32>(quint32(16 * (end - data) + 1024), zlib.data());
        zlib += pdf.mid(data, end - data);
        const QByteArray plain = qUncompress(zlib);
        streams << (plain.isEmpty() ? pdf.mid(data, end - data) : plain);
        at = end + 9;
    }
    return streams;
}

inline QStringList pdfTexts(const QByteArray &pdf)
{
    const QList<QByteArray> streams = pdfStreams(pdf);
    QHash<uint, QChar> characters;
    static const QRegularExpression array(QStringLiteral("<([0-9A-Fa-f]+)> <([0-9A-Fa-f]+)> \\[([^\\]]*)\\]"));
    static const QRegularExpression single(QStringLiteral("^<([0-9A-Fa-f]+)> <([0-9A-Fa-f]+)> <([0-9A-Fa-f]+)>$"),
                                           QRegularExpression::MultilineOption);
    static const QRegularExpression hex(QStringLiteral("<([0-9A-Fa-f]+)>"));
    for (const QByteArray &stream : streams) {
        const QString text = QString::fromLatin1(stream);
        if (!text.contains(u"beginbfrange"))
            continue;
        for (auto m = array.globalMatch(text); m.hasNext();) {
            const auto match = m.next();
            uint code = match.captured(1).toUInt(nullptr, 16);
            for (auto h = hex.globalMatch(match.captured(3)); h.hasNext();)
                characters.insert(code++, QChar(h.next().captured(1).toUShort(nullptr, 16)));
        }
        for (auto m = single.globalMatch(text); m.hasNext();) {
            const auto match = m.next();
            const uint first = match.captured(1).toUInt(nullptr, 16), last = match.captured(2).toUInt(nullptr, 16);
            const uint target = match.captured(3).toUInt(nullptr, 16);
            for (uint code = first; code <= last; ++code)
                characters.insert(code, QChar(char16_t(target + code - first)));
        }
    }
    QStringList texts;
    static const QRegularExpression glyph(QStringLiteral("<([0-9A-Fa-f]{4})> Tj"));
    for (const QByteArray &stream : streams) {
        const QString content = QString::fromLatin1(stream);
        for (qsizetype begin = content.indexOf(u"BT\n"); begin >= 0; begin = content.indexOf(u"BT\n", begin + 1)) {
            const qsizetype end = content.indexOf(u"ET", begin);
            QString line;
            for (auto g = glyph.globalMatch(content.mid(begin, end - begin)); g.hasNext();) {
                // The space glyph is also the tab's; either way it is a blank.
                const QChar c = characters.value(g.next().captured(1).toUInt(nullptr, 16), u'?');
                line += c == u'\t' ? u' ' : c;
            }
            texts << line;
        }
    }
    return texts;
}
