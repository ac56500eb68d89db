// deckhost's window: the calls received, and the parameter files found in the
// wizard's folder after the last OpenSymbolFile.
#pragma once

#include "journal.h"

#include <QWidget>

class QListWidget;
class QPlainTextEdit;

class HostWindow : public QWidget {
    Q_OBJECT
public:
    explicit HostWindow(const QString &wizardFolder, QWidget *parent = nullptr);

    void addCall(const ReceivedCall &call);
    void showParameterFiles(const QString &symbolFile);

    QListWidget *calls;
    QPlainTextEdit *parameterFiles;

private:
    QString m_wizardFolder;
};
