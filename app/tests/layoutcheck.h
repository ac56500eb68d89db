// Checks a page against its layout: every control's name, kind, container,
// caption, geometry (twips at 12 to the pixel), stacking, tab order, bold type,
// colour and first selection; that the window has a fixed size, that captions
// fit, that labels, frames and pictures never take the focus and that every
// control that does has an accessible name. The layouts are listed per page
// in data/layouts/<page>.txt.
#pragma once

#include <QRect>
#include <QString>

#include <vector>

class QWidget;

namespace layout {

enum class Kind { Frame, Image, Button, TextBox, ComboBox, Option, PictureBox, Label, Line };

enum Flag : unsigned {
    None = 0,
    Bold = 1,
    Blue = 2,            // pure blue text
    Selected = 4,        // an option that starts selected
    RuntimePicture = 8,  // a picture box that takes its bitmap's size plus border
    Centred = 16,        // text centred
    Black = 32,          // black text
};

struct Row {
    const char *name;
    Kind kind;
    const char *container; // nullptr: the page itself
    QString caption;       // caption, initial text of a text box, list of a combo box ("a|b")
    QRect twips;           // left, top, width, height; a line's two ends
    int tab;               // position in the page's tab order
    unsigned flags = None;
};

struct Page {
    const char *name;
    QString title;         // the whole window title
    int widthTwips;
    int heightTwips;
    bool icon;
    std::vector<Row> rows; // front to back, as the layout lists them
};

// The layout listed in data/layouts/<name>.txt. Its texts live as long as the program.
Page listing(const QString &name);

// Uses QTest's macros; check QTest::currentTestFailed() afterwards.
void check(QWidget *page, const Page &layout);

} // namespace layout
