#include "testseams.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTest>

void RecordingMessages::show(QWidget *page, Icon icon, const QString &text)
{
    shown.push_back({page ? page->objectName() : QString(), icon, ProgramTitle, text});
}

QStringList RecordingMessages::texts() const
{
    QStringList list;
    for (const auto &message : shown)
        list << message.text;
    return list;
}

QString describe(const RecordedMessage &message)
{
    return QStringLiteral("%1 %2 %3: %4")
        .arg(message.page,
             message.icon == MessageBoxes::Icon::Stop          ? QStringLiteral("stop")
             : message.icon == MessageBoxes::Icon::Information ? QStringLiteral("information")
                                                               : QStringLiteral("plain"),
             message.title, message.text);
}

QStringList RecordingMessages::lines() const
{
    QStringList list;
    for (const auto &message : shown)
        list << describe(message);
    return list;
}

TestWizard::TestWizard() : wizard(folder.path(), &host, &messages, &end) {}

TestWizard::~TestWizard()
{
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
}

void TestWizard::activate(QWidget *page)
{
    page->show();
    page->activateWindow();
    QApplication::setActiveWindow(page);
    if (!QTest::qWaitForWindowActive(page))
        qWarning("page %s did not become active", qPrintable(page->objectName()));
}

QString TestWizard::path(const QString &name) const { return QDir(folder.path()).filePath(name); }

QByteArray TestWizard::read(const QString &name) const
{
    QFile file(path(name));
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return file.readAll();
}

bool TestWizard::exists(const QString &name) const { return QFile::exists(path(name)); }

void TestWizard::write(const QString &name, const QByteArray &bytes) const
{
    QFile file(path(name));
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

QStringList TestWizard::visiblePages() const
{
    QStringList names;
    for (int id = 0; id <= int(PageId::Shading); ++id)
        if (auto *page = wizard.existingPage(PageId(id)); page && page->isVisible())
            names << page->objectName();
    return names;
}

QStringList TestWizard::journal() const
{
    QStringList lines;
    for (const auto &line : host.journal())
        lines << QString::fromStdString(line);
    return lines;
}
