#include "callspanel.h"

#include "filespanel.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

CallsPanel::CallsPanel(const QString &wizardFolder, QWidget *parent)
    : QWidget(parent), calls(new QListWidget(this)), files(new FilesPanel(wizardFolder, this))
{
    setObjectName(QStringLiteral("callsPanel"));
    calls->setObjectName(QStringLiteral("calls"));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Calls received:"), this));
    layout->addWidget(calls);
    layout->addWidget(files);
    resize(640, 480);
}

void CallsPanel::addCall(const ReceivedCall &call)
{
    calls->addItem(compactCall(call));
    calls->scrollToBottom();
}

void CallsPanel::showParameterFiles(const QString &symbolFile)
{
    files->showAfterOpen(symbolFile);
}
