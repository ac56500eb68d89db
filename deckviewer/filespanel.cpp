#include "filespanel.h"

#include "deckwindow.h"
#include "parameterfiles.h"

#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

FilesPanel::FilesPanel(const QString &folder, QWidget *parent)
    : QWidget(parent), folderLabel(new QLabel(this)), parameterFiles(new QPlainTextEdit(this)), m_folder(folder)
{
    setObjectName(QStringLiteral("filesPanel"));
    folderLabel->setObjectName(QStringLiteral("folderLabel"));
    parameterFiles->setObjectName(QStringLiteral("parameterFiles"));
    parameterFiles->setReadOnly(true);
    parameterFiles->setFont(QFont(QStringLiteral("monospace")));
    parameterFiles->setPlaceholderText(QStringLiteral("Shown after OpenSymbolFile"));
    showFolder(folder);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(folderLabel);
    layout->addWidget(parameterFiles);
}

void FilesPanel::showFolder(const QString &folder)
{
    folderLabel->setText(
        QStringLiteral("Parameter files in %1:").arg(deckview::shortened(QDir::toNativeSeparators(folder))));
}

void FilesPanel::showAfterOpen(const QString &symbolFile)
{
    parameterFiles->setPlainText(QStringLiteral("After OpenSymbolFile \"%1\":\n\n").arg(deckview::shortened(symbolFile))
                                 + describeParameterFiles(m_folder, ::parameterFiles(m_folder)));
}

bool FilesPanel::openDeck(const QString &path)
{
    const OpenedDeck deck = openDeckFiles(path);
    if (!deck.found) {
        parameterFiles->setPlainText(
            QStringLiteral("Cannot open %1: there is no such file or folder.\n")
                .arg(deckview::shortened(QDir::toNativeSeparators(path))));
        return false;
    }
    m_folder = deck.folder;
    showFolder(deck.folder);
    parameterFiles->setPlainText(describeParameterFiles(deck.folder, deck.files));
    return true;
}

#include "moc_filespanel.cpp"
