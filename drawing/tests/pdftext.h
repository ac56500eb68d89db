// Just enough of a PDF reader for tests: the texts of a file written by Qt's
// PDF engine, one string per text object. Qt writes each glyph as
// "<code> Tj" in Flate-compressed streams and maps the codes back to
// characters in a ToUnicode table of "<first> <last> [<char> ...]" ranges.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QRegularExpression>
#include <QStringList>
#include <QtEndian>

inline QStringList pdfStreams(const QByteArray &pdf)
{
    QStringList streams;
    for (qsizetype at = pdf.indexOf(">>\nstream\n"); at >= 0; at = pdf.indexOf(">>\nstream\n", at + 1)) {
        const qsizetype data = at + 10, end = pdf.indexOf("endstream", data);
        // qUncompress wants the size first; it grows its buffer when this is short.
        QByteArray zlib(4, '\0');
        qToBigEndian<quint32>(quint32(16 * (end - data) + 1024), zlib.data());
        const QByteArray plain = qUncompress(zlib + pdf.mid(data, end - data));
        streams << QString::fromLatin1(plain.isEmpty() ? pdf.mid(data, end - data) : plain);
    }
    return streams;
}

inline QStringList pdfTexts(const QByteArray &pdf)
{
    const QStringList streams = pdfStreams(pdf);
    static const QRegularExpression range(QStringLiteral("<([0-9A-Fa-f]+)> <[0-9A-Fa-f]+> \\[([^\\]]*)\\]"));
    static const QRegularExpression hex(QStringLiteral("<([0-9A-Fa-f]+)>"));
    static const QRegularExpression glyph(QStringLiteral("<([0-9A-Fa-f]{4})> Tj"));
    QHash<uint, QChar> characters;
    for (const QString &stream : streams) {
        if (!stream.contains(u"beginbfrange"))
            continue;
        for (auto m = range.globalMatch(stream); m.hasNext();) {
            const auto match = m.next();
            uint code = match.captured(1).toUInt(nullptr, 16);
            for (auto h = hex.globalMatch(match.captured(2)); h.hasNext();)
                characters.insert(code++, QChar(h.next().captured(1).toUShort(nullptr, 16)));
        }
    }
    QStringList texts;
    for (const QString &content : streams) {
        for (qsizetype begin = content.indexOf(u"BT\n"); begin >= 0; begin = content.indexOf(u"BT\n", begin + 1)) {
            QString line;
            for (auto g = glyph.globalMatch(content.mid(begin, content.indexOf(u"ET", begin) - begin)); g.hasNext();) {
                // The space glyph is also the tab's; either way it is a blank.
                const QChar c = characters.value(g.next().captured(1).toUInt(nullptr, 16), u'?');
                line += c == u'\t' ? u' ' : c;
            }
            texts << line;
        }
    }
    return texts;
}
