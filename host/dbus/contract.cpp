#include "contract.h"

#include <QFile>
#include <QXmlStreamReader>

namespace contract {

namespace {
QString attribute(const QXmlStreamReader &xml, const char *name)
{
    return xml.attributes().value(QLatin1String(name)).toString();
}

QString escaped(const QString &text)
{
    return text.toHtmlEscaped();
}
} // namespace

QString Member::inSignature() const
{
    QString signature;
    for (const Argument &argument : arguments)
        if (!argument.out)
            signature += argument.type;
    return signature;
}

QString Member::outSignature() const
{
    QString signature;
    for (const Argument &argument : arguments)
        if (argument.out)
            signature += argument.type;
    return signature;
}

const Member *Interface::find(const QString &member, Member::Kind kind) const
{
    for (const Member &candidate : members)
        if (candidate.name == member && candidate.kind == kind)
            return &candidate;
    return nullptr;
}

QString Interface::introspection() const
{
    QString xml = QStringLiteral("  <interface name=\"%1\">\n").arg(escaped(name));
    for (const Member &member : members) {
        if (member.kind == Member::Property) {
            const char *access = member.readable && member.writable ? "readwrite" : member.writable ? "write" : "read";
            xml += QStringLiteral("    <property name=\"%1\" type=\"%2\" access=\"%3\"/>\n")
                       .arg(escaped(member.name), escaped(member.type), QLatin1String(access));
            continue;
        }
        xml += QStringLiteral("    <method name=\"%1\">\n").arg(escaped(member.name));
        for (const Argument &argument : member.arguments) {
            const QString name = argument.name.isEmpty() ? QString() : QStringLiteral("name=\"%1\" ").arg(escaped(argument.name));
            xml += QStringLiteral("      <arg %1type=\"%2\" direction=\"%3\"/>\n")
                       .arg(name, escaped(argument.type), argument.out ? QStringLiteral("out") : QStringLiteral("in"));
        }
        xml += QStringLiteral("    </method>\n");
    }
    return xml + QStringLiteral("  </interface>\n");
}

QList<Interface> parse(const QByteArray &text, QString *error)
{
    QList<Interface> interfaces;
    QXmlStreamReader xml(text);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto tag = xml.name();
        if (tag == u"interface") {
            interfaces.append({attribute(xml, "name"), {}});
        } else if (tag == u"method" && !interfaces.isEmpty()) {
            interfaces.last().members.append({attribute(xml, "name"), Member::Method});
        } else if (tag == u"arg" && !interfaces.isEmpty() && !interfaces.last().members.isEmpty()) {
            // Method arguments are "in" unless said otherwise.
            interfaces.last().members.last().arguments.append(
                {attribute(xml, "name"), attribute(xml, "type"), attribute(xml, "direction") == u"out"});
        } else if (tag == u"property" && !interfaces.isEmpty()) {
            const QString access = attribute(xml, "access");
            Member property{attribute(xml, "name"), Member::Property, attribute(xml, "type")};
            property.readable = access.contains(u"read");
            property.writable = access.contains(u"write");
            interfaces.last().members.append(property);
        }
    }
    if (xml.hasError()) {
        if (error)
            *error = QStringLiteral("line %1: %2").arg(xml.lineNumber()).arg(xml.errorString());
        return {};
    }
    return interfaces;
}

QByteArray plankoraXml()
{
    QFile file(QStringLiteral(":/plankora/plankora.xml"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QList<Interface> &plankora()
{
    static const QList<Interface> interfaces = parse(plankoraXml());
    return interfaces;
}

const Interface *findInterface(const QString &name)
{
    for (const Interface &interface : plankora())
        if (interface.name == name)
            return &interface;
    return nullptr;
}

} // namespace contract
