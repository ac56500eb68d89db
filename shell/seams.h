// What a page needs from the world outside it, handed in rather than reached
// through globals: the program folder, the host connection, the message box,
// the end of the program, and the way to the other pages. Tests hand in
// recording versions; the program hands in the real ones (realseams.h).
#pragma once

#include <QString>

class QWidget;
class WizardPage;

namespace host {
class Connector;
}

// Every message box of the program carries this title.
inline const QString ProgramTitle = QStringLiteral("Plankora Joistmaster");

class MessageBoxes {
public:
    enum class Icon { None, Stop, Information };
    virtual ~MessageBoxes() = default;
    // A modal box with the program's title, the text and an OK button.
    virtual void show(QWidget *page, Icon icon, const QString &text) = 0;
};

class ProgramEnd {
public:
    virtual ~ProgramEnd() = default;
    // Ends the whole program at once. The caller returns straight after.
    virtual void endProgram() = 0;
};

enum class PageId { Wiz_1, Wiz_2D_1, Wiz_3D_1, Wiz_3D_Post, Wiz_3D_2, Shading };

class Navigator {
public:
    virtual ~Navigator() = default;
    // Shows the target page (created and loaded on first use), then hides `from`.
    virtual void move(QWidget *from, PageId to) = 0;
    // The page if it has been created, else nullptr.
    virtual WizardPage *existingPage(PageId id) const = 0;
};

struct WizardContext {
    QString programFolder;
    host::Connector *host = nullptr;
    MessageBoxes *messages = nullptr;
    ProgramEnd *end = nullptr;
    Navigator *navigator = nullptr;
};
