// Checks a page against its layout table: every control's name, kind,
// container, caption, geometry (twips at 12 to the pixel), stacking, tab order,
// bold type and colour.
#pragma once

#include <QRect>
#include <QString>

#include <vector>

class QWidget;

namespace layout {

enum class Kind { Frame, Image, Button, TextBox, ComboBox, Option, PictureBox, Label };

enum Flag : unsigned {
    None = 0,
    Bold = 1,
    Blue = 2,            // pure blue text
    Selected = 4,        // an option that starts selected
    RuntimePicture = 8,  // a picture box that takes its bitmap's size plus border
    Centred = 16,        // text centred
};

struct Row {
    const char *name;
    Kind kind;
    const char *container; // nullptr: the page itself
    QString caption;       // caption, or the initial text of a text box
    QRect twips;           // left, top, width, height
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

// Uses QTest's macros; check QTest::currentTestFailed() afterwards.
void check(QWidget *page, const Page &layout);

} // namespace layout
