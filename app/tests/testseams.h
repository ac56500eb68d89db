// Recording seams for page tests, and a whole wizard built on them over a
// fresh temporary program folder and the in-process fake host. Messages and
// host calls read back as plain lines, so that a test compares them with
// lines written out by hand.
#pragma once

#include "fakehost.h"
#include "seams.h"
#include "wizard.h"
#include "wizardpage.h"

#include <QTemporaryDir>

#include <vector>

struct RecordedMessage {
    QString page;  // objectName of the page that showed it
    MessageBoxes::Icon icon;
    QString title;
    QString text;
};

// One message as a line: "<page> <plain|stop> <title>: <text>".
QString describe(const RecordedMessage &message);

class RecordingMessages : public MessageBoxes {
public:
    void show(QWidget *page, Icon icon, const QString &text) override;
    std::vector<RecordedMessage> shown;
    // The texts alone, in order.
    QStringList texts() const;
    // Every message as describe() gives it, in order.
    QStringList lines() const;
};

class RecordingEnd : public ProgramEnd {
public:
    void endProgram() override { ++count; }
    int count = 0;
};

class TestWizard {
public:
    TestWizard();
    ~TestWizard();

    // Runs start-up, as the program does.
    bool start() { return wizard.start(); }

    // The page, created (and loaded) on first use.
    template<typename Page>
    Page *page(PageId id) { return qobject_cast<Page *>(wizard.page(id)); }

    // Opens the page as the road would: shown and activated, the others hidden.
    template<typename Page>
    Page *open(PageId id)
    {
        wizard.move(nullptr, id);
        for (int other = 0; other <= int(PageId::Shading); ++other)
            if (PageId(other) != id && wizard.existingPage(PageId(other)))
                wizard.existingPage(PageId(other))->hide();
        auto *shown = page<Page>(id);
        activate(shown);
        return shown;
    }

    // Makes the page the active window, so that focus changes are real.
    static void activate(QWidget *page);

    QString path(const QString &name) const;
    QByteArray read(const QString &name) const;
    bool exists(const QString &name) const;
    void write(const QString &name, const QByteArray &bytes) const;
    // The visible pages' names.
    QStringList visiblePages() const;
    // The host calls heard so far, one line each.
    QStringList journal() const;

    QTemporaryDir folder;
    host::testing::FakeConnector host;
    RecordingMessages messages;
    RecordingEnd end;
    Wizard wizard;
};

// A control of a page by its objectName; fails the test when it is missing.
template<typename Control = QWidget>
Control *control(QWidget *page, const char *name)
{
    return page->findChild<Control *>(QLatin1String(name));
}
