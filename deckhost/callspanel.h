// The Calls tab of the substitute host's window: the calls received, and the
// parameter files found in the wizard's folder after the last OpenSymbolFile.
// Calls are shown together a moment after they come, each row cut short, so
// that many calls or a megabyte argument never keep the host from answering;
// the list keeps the latest 1,000 calls (the journal has them all).
#pragma once

#include "journal.h"

#include <QTimer>
#include <QWidget>

class FilesPanel;
class QListWidget;

class CallsPanel : public QWidget {
    Q_OBJECT
public:
    explicit CallsPanel(const QString &wizardFolder, QWidget *parent = nullptr);

    static constexpr int ListedCalls = 1000;

    void addCall(const ReceivedCall &call);
    void showParameterFiles(const QString &symbolFile);

    QListWidget *calls;
    FilesPanel *files;

private:
    void showPending();

    QStringList m_pendingCalls;
    QString m_pendingSymbol; // the last OpenSymbolFile's, not yet shown
    bool m_symbolPending = false;
    QTimer m_update;
};
