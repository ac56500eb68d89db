// One of the built programs run to its end, headless, as a person runs it
// from a shell: its exit code and what it wrote to its two streams.
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

struct Run {
    int exitCode = -1;
    QByteArray out, err;
};

// program: "deckviewer", "deckhost" (the built ones, as ctest names them) or a path.
inline Run runProgram(const QString &program, const QStringList &arguments,
                      const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program == u"deckhost"     ? qEnvironmentVariable("DECKHOST")
                  : program == u"deckviewer" ? qEnvironmentVariable("DECKVIEWER")
                                             : program,
                  arguments);
    if (!process.waitForFinished(60000))
        return {};
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

// An environment variable set for as long as the object lives.
class ScopedEnv {
public:
    ScopedEnv(const char *name, const QString &value) : m_name(name), m_before(qgetenv(name)), m_was(qEnvironmentVariableIsSet(name))
    {
        qputenv(name, value.toUtf8());
    }
    ~ScopedEnv() { m_was ? qputenv(m_name, m_before) : qunsetenv(m_name); }
    ScopedEnv(const ScopedEnv &) = delete;
    ScopedEnv &operator=(const ScopedEnv &) = delete;

private:
    const char *m_name;
    QByteArray m_before;
    bool m_was;
};
