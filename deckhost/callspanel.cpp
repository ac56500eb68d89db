#include "hostwindow.h"

#include "parameterfiles.h"

#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QVBoxLayout>

HostWindow::HostWindow(const QString &wizardFolder, QWidget *parent)
    : QWidget(parent), calls(new QListWidget(this)), parameterFiles(new QPlainTextEdit(this)),
      folderLabel(new QLabel(this)), m_wizardFolder(wizardFolder)
{
    setObjectName(QStringLiteral("HostWindow"));
    setWindowTitle(QStringLiteral("deckhost - Plankora.Application"));
    calls->setObjectName(QStringLiteral("calls"));
    parameterFiles->setObjectName(QStringLiteral("parameterFiles"));
    parameterFiles->setReadOnly(true);
    parameterFiles->setFont(QFont(QStringLiteral("monospace")));
    parameterFiles->setPlaceholderText(QStringLiteral("Shown after OpenSymbolFile"));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Calls received:"), this));
    layout->addWidget(calls);
    folderLabel->setObjectName(QStringLiteral("folderLabel"));
    showFolder(wizardFolder);
    layout->addWidget(folderLabel);
    layout->addWidget(parameterFiles);
    resize(640, 480);
}

void HostWindow::showFolder(const QString &folder)
{
    folderLabel->setText(QStringLiteral("Parameter files in %1:").arg(QDir::toNativeSeparators(folder)));
}

void HostWindow::addCall(const ReceivedCall &call)
{
    calls->addItem(compactCall(call));
    calls->scrollToBottom();
}

void HostWindow::showParameterFiles(const QString &symbolFile)
{
    parameterFiles->setPlainText(QStringLiteral("After OpenSymbolFile \"%1\":\n\n").arg(symbolFile)
                                 + describeParameterFiles(m_wizardFolder, ::parameterFiles(m_wizardFolder)));
}

bool HostWindow::openDeck(const QString &path)
{
    const OpenedDeck deck = openDeckFiles(path);
    setWindowTitle(QStringLiteral("deckhost - %1").arg(QDir::toNativeSeparators(path)));
    if (!deck.found) {
        parameterFiles->setPlainText(
            QStringLiteral("Cannot open %1: there is no such file or folder.\n").arg(QDir::toNativeSeparators(path)));
        return false;
    }
    m_wizardFolder = deck.folder;
    showFolder(deck.folder);
    parameterFiles->setPlainText(describeParameterFiles(deck.folder, deck.files));
    return true;
}
