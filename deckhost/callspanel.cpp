#include "callspanel.h"

#include "deckwindow.h"
#include "filespanel.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

CallsPanel::CallsPanel(const QString &wizardFolder, QWidget *parent)
    : QWidget(parent), calls(new QListWidget(this)), files(new FilesPanel(wizardFolder, this))
{
    setObjectName(QStringLiteral("callsPanel"));
    calls->setObjectName(QStringLiteral("calls"));
    calls->setUniformItemSizes(true);
    m_update.setSingleShot(true);
    m_update.setInterval(50);
    connect(&m_update, &QTimer::timeout, this, &CallsPanel::showPending);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Calls received:"), this));
    layout->addWidget(calls);
    layout->addWidget(files);
    resize(640, 480);
}

void CallsPanel::addCall(const ReceivedCall &call)
{
    // Of a flood only the rows that will stay listed are made.
    if (m_pendingCalls.size() >= ListedCalls)
        m_pendingCalls.removeFirst();
    m_pendingCalls << deckview::shortened(compactCall(call));
    m_update.start();
}

void CallsPanel::showParameterFiles(const QString &symbolFile)
{
    m_pendingSymbol = symbolFile;
    m_symbolPending = true;
    m_update.start();
}

void CallsPanel::showPending()
{
    if (!m_pendingCalls.isEmpty()) {
        const int keep = ListedCalls - int(m_pendingCalls.size());
        while (calls->count() > keep)
            delete calls->takeItem(0);
        calls->addItems(m_pendingCalls);
        m_pendingCalls.clear();
        calls->scrollToBottom();
    }
    if (m_symbolPending)
        files->showAfterOpen(m_pendingSymbol);
    m_symbolPending = false;
}

#include "moc_callspanel.cpp"
