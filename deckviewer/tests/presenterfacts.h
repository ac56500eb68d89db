// One line of the facts a presenter's window shows ("Joists: 11"), by its
// name: what follows "name: ", or "none" where no line has that name.
#pragma once

#include "deckwindow.h"
#include "presenter.h"

#include <QLabel>
#include <QString>

inline QString factNamed(const DeckPresenter &presenter, const QString &name)
{
    for (const QString &line : presenter.window()->facts->text().split(u'\n'))
        if (line.startsWith(name + QStringLiteral(": ")))
            return line.mid(name.size() + 2);
    return QStringLiteral("none");
}
