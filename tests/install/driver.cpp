// A test driver that the installed programs load as a Qt generic plugin
// (QT_QPA_GENERIC_PLUGINS=jmdriver:DIR), so that the package test can run them
// exactly as installed, headless, and still act as a person would:
// - in joistmaster it clicks the 2D picture, steps to style 3, types the width
//   24.5 and presses Finish;
// - in deckhost and deckviewer it closes the deck window once the file
//   DIR/close-<program> appears, and leaves the parameter files it showed in
//   DIR/<program>-shown.txt and the window's title in DIR/<program>-title.txt.
// Each program writes its process id to DIR/<program>.pid at start, and the
// steps it took to stderr. For the fault tests: every message box is answered
// with OK and appended to DIR/messages.txt as "title|icon|text" (line breaks
// as \n); the time the start page first shows goes to DIR/joistmaster.shown
// (milliseconds since the epoch); with JMDRIVER_STAY=1 the wizard is not driven.
#include <QApplication>
#include <QDateTime>
#include <QMessageBox>
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

template<typename Widget>
Widget *child(QWidget *window, const char *name)
{
    return window->findChild<Widget *>(QLatin1String(name));
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
        for (QWidget *window : QApplication::topLevelWidgets())
            if (auto *box = qobject_cast<QMessageBox *>(window); box && box->isVisible())
                answer(box);
        if (m_program == u"joistmaster" && !m_shown && visibleWindow("Wiz_1")) {
            m_shown = true;
            write("joistmaster.shown", QByteArray::number(QDateTime::currentMSecsSinceEpoch()));
        }
        if (m_program == u"joistmaster" && qEnvironmentVariableIntValue("JMDRIVER_STAY"))
            return;
        if (m_program == u"joistmaster")
            driveWizard();
        else if (m_program == u"deckhost" || m_program == u"deckviewer")
            driveDeckWindow();
    }

    void driveWizard()
    {
        if (m_stage == 0) {
            if (QWidget *start = visibleWindow("Wiz_1")) {
                say("Wiz_1: click Image1");
                QTest::mouseClick(child<QWidget>(start, "Image1"), Qt::LeftButton);
                m_stage = 1;
            }
        } else if (m_stage == 1) {
            if (QWidget *page = visibleWindow("Wiz_2D_1")) {
                say("Wiz_2D_1: Next Style twice, width 24.5, Finish");
                QTest::mouseClick(child<QPushButton>(page, "Command5"), Qt::LeftButton);
                QTest::mouseClick(child<QPushButton>(page, "Command5"), Qt::LeftButton);
                child<QLineEdit>(page, "Text1")->setText(QStringLiteral("24.5"));
                m_stage = 2;
                // Outside this timer's call, so that it can answer the boxes the finish shows.
                QTimer::singleShot(0, page, [page] { QTest::mouseClick(child<QPushButton>(page, "Command3"), Qt::LeftButton); });
            }
        }
    }

    void answer(QMessageBox *box)
    {
        static const char *const icons[] = {"none", "information", "warning", "critical", "question"};
        write("messages.txt", (box->windowTitle() + u'|' + QLatin1String(icons[box->icon()]) + u'|'
                               + box->text().replace(u'\n', QStringLiteral("\\n")) + u'\n').toUtf8(), QIODevice::Append);
        box->button(QMessageBox::Ok)->click();
    }

    void write(const QString &name, const QByteArray &bytes, QIODevice::OpenMode mode = QIODevice::WriteOnly)
    {
        QFile file(m_folder + u'/' + name);
        if (file.open(mode | QIODevice::WriteOnly))
            file.write(bytes);
    }

    void driveDeckWindow()
    {
        QWidget *window = visibleWindow("DeckWindow");
        if (!window || !QFile::exists(m_folder + QStringLiteral("/close-") + m_program))
            return;
        say("DeckWindow: close");
        m_timer.stop();
        write(m_program + QStringLiteral("-shown.txt"), child<QPlainTextEdit>(window, "parameterFiles")->toPlainText().toUtf8());
        write(m_program + QStringLiteral("-title.txt"), window->windowTitle().toUtf8());
        window->close();
    }

    QString m_folder;
    QString m_program;
    QTimer m_timer;
    int m_stage = 0;
    bool m_shown = false;
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
