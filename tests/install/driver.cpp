// A test driver that the installed programs load as a Qt generic plugin
// (QT_QPA_GENERIC_PLUGINS=jmdriver:DIR), so that the package test can run them
// exactly as installed, headless, and still act as a person would:
// - in joistmaster it clicks the 2D picture, steps to style 3, types the width
//   24.5 and presses Finish;
// - in deckhost it closes the window once the file DIR/close-deckhost appears,
//   and leaves the parameter files it showed in DIR/deckhost-shown.txt.
// Each program writes its process id to DIR/<program>.pid at start, and the
// steps it took to stderr.
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QGenericPlugin>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cstdio>

namespace {

QWidget *visibleWindow(const char *name)
{
    for (QWidget *window : QApplication::topLevelWidgets())
        if (window->objectName() == QLatin1String(name) && window->isVisible())
            return window;
    return nullptr;
}

void say(const char *step)
{
    std::fprintf(stderr, "jmdriver: %s\n", step);
}

class Driver : public QObject {
public:
    explicit Driver(const QString &folder) : m_folder(folder)
    {
        m_program = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
        QFile pid(m_folder + u'/' + m_program + QStringLiteral(".pid"));
        if (pid.open(QIODevice::WriteOnly))
            pid.write(QByteArray::number(QCoreApplication::applicationPid()));
        connect(&m_timer, &QTimer::timeout, this, &Driver::step);
        m_timer.start(50);
    }

private:
    void step()
    {
        if (m_program == u"joistmaster")
            driveWizard();
        else if (m_program == u"deckhost")
            driveHost();
    }

    void driveWizard()
    {
        QWidget *start = visibleWindow("Wiz_1"), *page = visibleWindow("Wiz_2D_1");
        if (m_stage == 0 && start) {
            say("Wiz_1: click Image1");
            QTest::mouseClick(start->findChild<QWidget *>(QStringLiteral("Image1")), Qt::LeftButton);
            m_stage = 1;
        } else if (m_stage == 1 && page) {
            say("Wiz_2D_1: Next Style twice, width 24.5, Finish");
            QPushButton *nextStyle = page->findChild<QPushButton *>(QStringLiteral("Command5"));
            QTest::mouseClick(nextStyle, Qt::LeftButton);
            QTest::mouseClick(nextStyle, Qt::LeftButton);
            page->findChild<QLineEdit *>(QStringLiteral("Text1"))->setText(QStringLiteral("24.5"));
            m_stage = 2;
            m_timer.stop();
            QTest::mouseClick(page->findChild<QPushButton *>(QStringLiteral("Command3")), Qt::LeftButton);
        }
    }

    // deckhost's window holds the parameter files in its Calls tab.
    void driveHost()
    {
        QWidget *window = visibleWindow("DeckWindow");
        if (!window || !QFile::exists(m_folder + QStringLiteral("/close-deckhost")))
            return;
        say("DeckWindow: close");
        m_timer.stop();
        QFile shown(m_folder + QStringLiteral("/deckhost-shown.txt"));
        if (shown.open(QIODevice::WriteOnly))
            shown.write(window->findChild<QPlainTextEdit *>(QStringLiteral("parameterFiles"))->toPlainText().toUtf8());
        window->close();
    }

    QString m_folder;
    QString m_program;
    QTimer m_timer;
    int m_stage = 0;
};

} // namespace

class DriverPlugin : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "driver.json")
public:
    QObject *create(const QString &key, const QString &folder) override
    {
        return key == u"jmdriver" ? new Driver(folder) : nullptr;
    }
};

#include "driver.moc"
