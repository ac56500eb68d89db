// The automation interface as written in plankora.xml, read into a small model.
// The substitute host builds its objects from it (which members exist, their
// signatures, which properties may be set) and serves its introspection from
// it; tests check the wizard's side against it. Plain Qt Core.
#pragma once

#include <QList>
#include <QString>

namespace contract {

struct Argument {
    QString name; // may be empty
    QString type; // a D-Bus signature, e.g. "s"
    bool out = false;
};

struct Member {
    enum Kind { Method, Property };
    QString name;
    Kind kind = Method;
    // Properties: the value's type and access.
    QString type;
    bool readable = false;
    bool writable = false;
    // Methods.
    QList<Argument> arguments;

    QString inSignature() const;
    QString outSignature() const;
};

struct Interface {
    QString name;
    QList<Member> members;

    const Member *find(const QString &member, Member::Kind kind) const;
    // This interface as an <interface> element, as it goes into an Introspect answer.
    QString introspection() const;
};

// The interfaces of an introspection document; empty, with *error set, when it
// cannot be read.
QList<Interface> parse(const QByteArray &xml, QString *error = nullptr);

// plankora.xml as built into the program.
QByteArray plankoraXml();
const QList<Interface> &plankora();
const Interface *findInterface(const QString &name);

} // namespace contract
