// The Calls tab of deckhost's window: the calls received, and the parameter
// files found in the wizard's folder after the last OpenSymbolFile.
#pragma once

#include "journal.h"

#include <QWidget>

class QLabel;
class QListWidget;
class QPlainTextEdit;

class HostWindow : public QWidget {
    Q_OBJECT
public:
    explicit HostWindow(const QString &wizardFolder, QWidget *parent = nullptr);

    void addCall(const ReceivedCall &call);
    void showParameterFiles(const QString &symbolFile);
    // The viewer without a bus: shows the deck in a folder or one parameter
    // file. False, with the reason in the window, when there is nothing there.
    bool openDeck(const QString &path);

    QListWidget *calls;
    QPlainTextEdit *parameterFiles;
    QLabel *folderLabel;

private:
    void showFolder(const QString &folder);

    QString m_wizardFolder;
};
