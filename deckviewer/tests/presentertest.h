// What the window tests share: a presenter's deck opened and waited for, a
// change made and the deck drawn again, one line of the facts by its name,
// a box's items, a menu's action.
#pragma once

#include "deckwindow.h"
#include "presenter.h"
#include "runprogram.h"
#include "workedexample.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>

// Opens path and waits until the presenter has drawn it or said why not.
inline bool openAndWait(DeckPresenter &presenter, const QString &path)
{
    QSignalSpy drawn(&presenter, &DeckPresenter::drawn);
    presenter.open(path);
    return drawn.wait(20000);
}

// Makes the change and waits until the deck is drawn again.
inline bool redrawn(DeckPresenter &presenter, const std::function<void()> &change)
{
    QSignalSpy drawn(&presenter, &DeckPresenter::drawn);
    change();
    return drawn.wait(20000);
}

// The facts' line "name: value" by its name: the value, or "none".
inline QString factNamed(const DeckPresenter &presenter, const QString &name)
{
    for (const QString &line : presenter.window()->facts->text().split(u'\n'))
        if (line.startsWith(name + QStringLiteral(": ")))
            return line.mid(name.size() + 2);
    return QStringLiteral("none");
}

inline QStringList comboItems(const QComboBox *box)
{
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}

// The action of the menu whose text is or starts with text.
inline QAction *menuAction(QMainWindow *window, const QString &menu, const QString &text)
{
    for (QAction *top : window->menuBar()->actions())
        if (top->text() == menu)
            for (QAction *action : top->menu()->actions())
                if (action->text() == text || action->text().startsWith(text))
                    return action;
    return nullptr;
}

// The worked example's deck file in a folder of its own, and a window for it
// (the folder its program folder, unless told otherwise).
struct ExampleWindow {
    QTemporaryDir folder;
    QString deck = copyWorkedExample(folder.path());
    DeckPresenter presenter;
    deckview::DeckWindow *window = presenter.window();

    explicit ExampleWindow(const QString &name = QStringLiteral("Viewer"), bool inFolder = true)
        : presenter(name, inFolder ? folder.path() : QString())
    {
    }
    bool open() { return !deck.isEmpty() && openAndWait(presenter, deck); }
};

// The question before showing again a deck changed on disk: recorded (the
// paths asked about, in order) and answered with *answer, never shown.
inline void answerReloads(DeckPresenter &presenter, QStringList *asked, const bool *answer)
{
    presenter.askReload = [&presenter, asked, answer](QWidget *parent, const QString &path) {
        *asked << path;
        return parent == presenter.window() && *answer;
    };
}
