// The shell every wizard page shares: a fixed-size window of its own, laid out
// in twips at 12 twips to the pixel, with the banner, the separator line and
// the button row; Escape and Enter; the message boxes; the focus checks of text
// boxes; and the move to another page.
#pragma once

#include "seams.h"

#include <QPixmap>
#include <QWidget>

#include <functional>
#include <initializer_list>
#include <vector>

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class WizardPage : public QWidget {
    Q_OBJECT
public:
    // 12 twips make one pixel at the layout's design resolution of 120 dpi.
    static constexpr int TwipsPerPixel = 12;
    static int pixels(int twips);
    static QRect twips(int left, int top, int width, int height);

    WizardPage(WizardContext &context, const QString &title, int clientWidthTwips, int clientHeightTwips,
               bool withIcon);

    // The page's load: runs once, when the page is first shown.
    virtual void load() {}

    // Gives the page its window icon, the hammer, where the page has one. The
    // wizard calls it once the page's controls are built, so that the icon's
    // decoding may run alongside their building.
    void setPageIcon();

    // A picture box that takes its picture's size plus its border.
    static void setPicture(QLabel *box, const QPixmap &picture);

protected:
    WizardContext &context() const { return m_context; }

    QPushButton *addButton(QWidget *in, const char *name, const QString &caption, QRect geometry);
    QGroupBox *addFrame(QWidget *in, const char *name, const QString &caption, QRect geometry);
    QLabel *addLabel(QWidget *in, const char *name, const QString &caption, QRect geometry);
    QLineEdit *addTextBox(QWidget *in, const char *name, const QString &text, QRect geometry);
    QComboBox *addComboBox(QWidget *in, const char *name, const QStringList &items, QRect geometry);
    QRadioButton *addOption(QWidget *in, const char *name, const QString &caption, QRect geometry);
    // A picture box: a 2-pixel sunken border around its picture.
    QLabel *addPictureBox(QWidget *in, const char *name, const QPixmap &picture, QRect geometry);
    // A picture box that receives a bitmap at run time: white behind it (the
    // colour of title-bar text) until then, and its bitmap's size plus border after.
    QLabel *addRuntimePictureBox(QWidget *in, const char *name, QRect geometry);
    // An image: a picture without border.
    QLabel *addImage(QWidget *in, const char *name, const QPixmap &picture, QRect geometry);
    // The banner picture box every page carries at the right edge.
    QLabel *addBanner(const char *name);
    // The separator line `Line1` above the button row.
    QFrame *addSeparator();

    static void setBold(QWidget *control);
    static void setTextColour(QWidget *control, const QColor &colour);
    // Each text box and combo box is announced by the label that heads it.
    static void setHeading(QWidget *box, const QLabel *heading);

    // Rows listed front to back; labels always lie beneath the other controls.
    static void setStacking(std::initializer_list<QWidget *> frontToBack);
    void setTabOrder(std::initializer_list<QWidget *> order);
    using QWidget::setTabOrder;

    // Cancel ends the program at once: a click on it does not take the focus,
    // so no check of the box being left gets in its way.
    void setCancelButton(QPushButton *button);
    void setDefaultButton(QPushButton *button) { m_default = button; }

    // Selects the whole text whenever the box gets the focus.
    void selectAllOnFocus(QLineEdit *box);

    // A check that runs when the focus leaves `box` for another control of this
    // page, and before the click of a control that takes the focus from it.
    // Never when the window merely loses activation. It returns whether it
    // showed a message.
    void addFocusCheck(QWidget *box, std::function<bool()> check);
    // Puts the focus back into a box from within its check, selecting its text.
    void refocus(QLineEdit *box);

    void moveTo(PageId page);
    void endProgram();
    void showMessage(const QString &text);
    void showStopMessage(const QString &text);
    // The error box of a failure that ends a finish: description and number,
    // then what the person should know about the deck now, if anything.
    void reportFailure(qint64 number, const QString &description, const QString &afterwards = {});

    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct FocusCheck {
        QWidget *box;
        std::function<bool()> check;
    };
    FocusCheck *checkOf(QObject *box);
    bool runCheck(FocusCheck &check);
    void checkBeforeShortcut(QWidget *target);

    // Watches the whole application for the press and the access key that take
    // the focus from a checked box.
    class PressWatcher : public QObject {
    public:
        explicit PressWatcher(WizardPage *page) : QObject(page), m_page(page) {}
        bool eventFilter(QObject *watched, QEvent *event) override;

    private:
        WizardPage *m_page;
    };

    WizardContext &m_context;
    const bool m_withIcon;
    PressWatcher *m_pressWatcher;
    QPushButton *m_cancel = nullptr;
    QPushButton *m_default = nullptr;
    std::vector<FocusCheck> m_checks;
    std::vector<QLineEdit *> m_selectAll;
    QWidget *m_skipFocusOut = nullptr;   // its check already ran for this focus change
    QWidget *m_pressToFinish = nullptr;  // a press whose release a message box took
    QWidget *m_refocused = nullptr;
    bool m_ending = false;
    // The page has just been shown: the focus that its activation brings into a
    // box selects the box's text, as a focus from another control does. A focus
    // coming back after a message box keeps the box as it was.
    bool m_justShown = false;
};

// The font of every page: "MS Sans Serif" where there is one, else a sans-serif
// of the same widths, else the toolkit's own, at the pixel size of 8 points at 120 dpi.
QFont pageFont();
