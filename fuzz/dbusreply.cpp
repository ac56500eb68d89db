// The reply conversion on any arguments a reply can carry (the bytes pick the
// types, values and nesting; the signature is theirs, as the bus would send
// it): an object path, nothing or the member's signature, else a type error.
#include "dbuslink.h"
#include "fuzzing.h"

#include <QDBusObjectPath>
#include <QDBusSignature>
#include <QDBusVariant>
#include <fuzzer/FuzzedDataProvider.h>

using namespace host;

static QVariant anyValue(FuzzedDataProvider &in, int depth)
{
    const auto text = [&in](size_t most) { return QString::fromStdString(in.ConsumeRandomLengthString(most)); };
    switch (in.ConsumeIntegralInRange(0, depth < 64 ? 13 : 12)) {
    case 0: return in.ConsumeBool();
    case 1: return in.ConsumeIntegral<uchar>();
    case 2: return in.ConsumeIntegral<short>();
    case 3: return in.ConsumeIntegral<uint>();
    case 4: return in.ConsumeIntegral<qlonglong>();
    case 5: return in.ConsumeIntegral<qulonglong>();
    case 6: return in.ConsumeFloatingPoint<double>();
    case 7: return text(64);
    case 8: return QVariant::fromValue(QDBusObjectPath(text(64)));
    case 9: return QVariant::fromValue(QDBusSignature(text(8)));
    case 10: return QByteArray::fromStdString(in.ConsumeRandomLengthString(64));
    case 11: return QStringList{text(16)};
    default: return QVariant::fromValue(QDBusVariant(anyValue(in, depth + 1)));
    }
}

FUZZ_TARGET
{
    // Qt warns of paths and signatures a bus would never carry, and makes them empty.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    FuzzedDataProvider in(data, size);
    QVariantList arguments;
    QString signature;
    for (int n = in.ConsumeIntegralInRange(0, 3); n > 0; --n) {
        arguments << anyValue(in, 0);
        signature += dbus::busType(arguments.back());
    }
    const QString what = QStringLiteral("the reply");
    const bool oneVariant = signature == u"v";
    const QVariant inner = oneVariant ? arguments[0].value<QDBusVariant>().variant() : QVariant();
    auto path = dbus::objectPathOf(what, QStringLiteral("o"), signature, arguments);
    require(path.ok() == (oneVariant && inner.metaType() == QMetaType::fromType<QDBusObjectPath>()), "an object path in a variant, only");
    require(path.ok() || path.error().number == errors::WrongType, "else a type error");
    require(!path.ok() || path.value() == inner.value<QDBusObjectPath>().path(), "the path as sent");
    require(dbus::nothingOf(what, signature).ok() == arguments.isEmpty(), "nothing, only");
    for (const char *expects : {"", "b", "v"})
        require(dbus::argumentsOf(what, expects, signature, arguments).ok() == (signature == QLatin1String(expects)), "the member's signature, only");
    const auto byName = dbus::argumentsOf(what, nullptr, signature, arguments);
    require(byName.ok() == (arguments.size() <= 1), "at most one value by name");
    for (const QVariant &argument : arguments)
        dbus::toValue(argument);
    return 0;
}
