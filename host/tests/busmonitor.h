// Watches the test's private session bus with dbus-monitor (pcap output) and
// reads back the header of every method call seen, flags included, so a test
// can say what was sent and how: e.g. that no call asked the bus to start a service.
#pragma once

#include <QList>
#include <QProcess>
#include <QString>

struct SeenCall {
    QString sender;
    QString destination;
    QString path;
    QString interface;
    QString member;
    bool autoStart = true; // the NO_AUTO_START flag is clear
};

class BusMonitor {
public:
    ~BusMonitor();
    // Starts dbus-monitor and waits until it sees traffic. False when it cannot.
    bool start();
    // Waits until everything sent so far has been seen, stops the monitor and
    // returns the method calls it saw, the monitor's own markers left out.
    QList<SeenCall> stop();

private:
    bool seen(const QString &marker);
    int m_markers = 0;
    QProcess m_process;
    QByteArray m_output;
};

// The method calls in a pcap capture of D-Bus messages.
QList<SeenCall> methodCallsIn(const QByteArray &pcap);
