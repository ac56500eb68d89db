// The substitute host's objects: the application, its provider, the active
// target and the provider's target (two distinct objects), each target with a
// loader of its own, at fixed paths that tests rely on.
#pragma once

#include "hostobject.h"
#include "options.h"

#include <QDBusConnection>
#include <QObject>

#include <memory>
#include <vector>

namespace paths {
inline const QString Application = QStringLiteral("/Application");
inline const QString Provider = QStringLiteral("/Application/Provider");
inline const QString ActiveTarget = QStringLiteral("/Application/ActiveTarget");
inline const QString ProviderTarget = QStringLiteral("/Application/Provider/Target");
inline QString loaderOf(const QString &target) { return target + QStringLiteral("/Loader"); }
// deckhost's own object beside the contract's: which folder it reads.
inline const QString Host = QStringLiteral("/Joistmaster/Host");
} // namespace paths

// The object at paths::Host, on the same connection as the host's name.
class HostFolder : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.plankora.Joistmaster.Host")
    Q_PROPERTY(QString WizardFolder READ wizardFolder CONSTANT)
public:
    explicit HostFolder(const QString &folder, QObject *parent = nullptr) : QObject(parent), m_folder(folder) {}
    QString wizardFolder() const { return m_folder; }

private:
    QString m_folder;
};

class DeckHost : public QObject {
    Q_OBJECT
public:
    explicit DeckHost(const Behaviour &behaviour, QObject *parent = nullptr);

    // Registers every object, then claims the name; objects first, so that a
    // caller who sees the name owned finds them all. False with *error set
    // when the bus or the name is not to be had.
    bool publish(QDBusConnection bus, QString *error);
    // The wizard folder it says it reads at paths::Host; set before publish.
    void setWizardFolder(const QString &folder) { m_folder = std::make_unique<HostFolder>(folder); }

    const std::vector<HostObject *> &objects() const { return m_objects; }

signals:
    void received(const ReceivedCall &call);
    void symbolFileOpened(const QString &path);
    void symbolLoaded(const QString &path); // LoadSymbol's first argument

private:
    HostObject *add(const QString &path, const QString &interface);
    void addTarget(const QString &path);

    Behaviour m_behaviour;
    std::vector<HostObject *> m_objects;
    std::unique_ptr<HostFolder> m_folder;
};
