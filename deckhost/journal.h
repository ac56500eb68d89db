// The substitute host's record of what it was asked: one JSON line per call,
// and the short form people and tests read ("get /Application ActiveProvider").
// The lines are host::journalLine and host::compactLine, which the other
// stand-in hosts write too. Plain Qt Core, so that test support can read
// journals without the host.
#pragma once

#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QString>

struct ReceivedCall {
    QString path;
    QString interface;
    QString member;
    QString kind; // "get", "put" or "call"
    QJsonArray args;
};

// {"path":..,"interface":..,"member":..,"kind":..,"args":[..]}, without a line end.
QByteArray journalLine(const ReceivedCall &call);

// "<kind> <path> <member>", then a blank and the arguments joined by ", ":
// strings in double quotes as they are, booleans True/False, numbers as printed.
QString compactCall(const QJsonObject &entry);
QString compactCall(const ReceivedCall &call);

// Appends each call as a line to a file (when one is named) and to stdout,
// flushed at once so that a reader sees it while the host runs.
class Journal {
public:
    // An empty path writes to stdout only. False when the file cannot be opened.
    bool open(const QString &path);
    QString errorString() const { return m_error; }
    void write(const ReceivedCall &call);

private:
    QFile m_file;
    QString m_error;
};
