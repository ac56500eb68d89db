// The Calls tab of the substitute host's window: the calls received, and the
// parameter files found in the wizard's folder after the last OpenSymbolFile.
#pragma once

#include "journal.h"

#include <QWidget>

class FilesPanel;
class QListWidget;

class CallsPanel : public QWidget {
    Q_OBJECT
public:
    explicit CallsPanel(const QString &wizardFolder, QWidget *parent = nullptr);

    void addCall(const ReceivedCall &call);
    void showParameterFiles(const QString &symbolFile);

    QListWidget *calls;
    FilesPanel *files;
};
