// The wizard's parameter files beside the deck: those of a folder or of one
// file the viewer opens, or those the substitute host finds in the wizard's
// folder after OpenSymbolFile, each with its lines.
#pragma once

#include <QWidget>

class QLabel;
class QPlainTextEdit;

class FilesPanel : public QWidget {
    Q_OBJECT
public:
    explicit FilesPanel(const QString &folder, QWidget *parent = nullptr);

    // The files the folder holds now, after OpenSymbolFile of `symbolFile`.
    void showAfterOpen(const QString &symbolFile);
    // The files of a folder, or one parameter file by itself. False, with the
    // reason in the panel, when there is nothing there.
    bool openDeck(const QString &path);

    QLabel *folderLabel;
    QPlainTextEdit *parameterFiles;

private:
    void showFolder(const QString &folder);

    QString m_folder;
};
