#include "wizardpage.h"

#include "resources.h"

#include <QAbstractButton>
#include <QAccessibleWidget>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>

#include <cmath>
#include <utility>

int WizardPage::pixels(int twips)
{
    return int(std::lround(double(twips) / TwipsPerPixel));
}

QRect WizardPage::twips(int left, int top, int width, int height)
{
    return QRect(pixels(left), pixels(top), pixels(width), pixels(height));
}

QFont pageFont()
{
    // The layout was drawn for "MS Sans Serif" at 8 points; where it is missing,
    // a sans-serif of the same widths keeps every caption inside its control,
    // and the toolkit's own sans-serif is the last resort.
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Arial"),
                      QStringLiteral("Liberation Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(13); // 7.8 points at 120 dpi
    font.setWeight(QFont::Normal);
    return font;
}

// Each page is a window of its own and announces itself as a dialog named by
// its caption: a plain top-level widget would be a nameless "filler" to a
// screen reader.
static QAccessibleInterface *pageAccessible(const QString &, QObject *object)
{
    if (auto *page = qobject_cast<WizardPage *>(object))
        return new QAccessibleWidget(page, QAccessible::Dialog);
    return nullptr;
}

WizardPage::WizardPage(WizardContext &context, const QString &title, int clientWidthTwips,
                       int clientHeightTwips, bool withIcon)
    : QWidget(nullptr,
              Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                  | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , m_context(context)
    , m_withIcon(withIcon)
    , m_pressWatcher(new PressWatcher(this))
{
    static const bool announced = (QAccessible::installFactory(pageAccessible), true);
    Q_UNUSED(announced);
    setWindowTitle(QStringLiteral("Joistmaster . . . ") + title);
    setFont(pageFont());
    setFixedSize(pixels(clientWidthTwips), pixels(clientHeightTwips));
    // Centred on the screen when first shown.
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void WizardPage::setPageIcon()
{
    if (m_withIcon)
        setWindowIcon(resources::icon(1));
}

void WizardPage::setPicture(QLabel *box, const QPixmap &picture)
{
    box->setPixmap(picture);
    const int border = box->frameWidth();
    box->resize(picture.size() + QSize(2 * border, 2 * border));
}

QPushButton *WizardPage::addButton(QWidget *in, const char *name, const QString &caption, QRect geometry)
{
    auto *button = new QPushButton(caption, in);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    button->setAutoDefault(true); // a focused button takes Enter as well as Space
    return button;
}

QGroupBox *WizardPage::addFrame(QWidget *in, const char *name, const QString &caption, QRect geometry)
{
    auto *frame = new QGroupBox(caption, in);
    frame->setObjectName(QLatin1String(name));
    frame->setGeometry(geometry);
    return frame;
}

QLabel *WizardPage::addLabel(QWidget *in, const char *name, const QString &caption, QRect geometry)
{
    auto *label = new QLabel(caption, in);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QLineEdit *WizardPage::addTextBox(QWidget *in, const char *name, const QString &text, QRect geometry)
{
    auto *box = new QLineEdit(text, in);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(geometry);
    return box;
}

QComboBox *WizardPage::addComboBox(QWidget *in, const char *name, const QStringList &items, QRect geometry)
{
    auto *box = new QComboBox(in);
    box->setObjectName(QLatin1String(name));
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setCompleter(nullptr); // what is typed stays exactly as typed
    box->addItems(items);
    box->setCurrentIndex(-1);
    box->setEditText(QString());
    box->setGeometry(geometry);
    return box;
}

QRadioButton *WizardPage::addOption(QWidget *in, const char *name, const QString &caption, QRect geometry)
{
    auto *option = new QRadioButton(caption, in);
    option->setObjectName(QLatin1String(name));
    option->setGeometry(geometry);
    return option;
}

QLabel *WizardPage::addPictureBox(QWidget *in, const char *name, const QPixmap &picture, QRect geometry)
{
    auto *box = new QLabel(in);
    box->setObjectName(QLatin1String(name));
    box->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    box->setLineWidth(2);
    box->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    box->setGeometry(geometry);
    if (!picture.isNull())
        box->setPixmap(picture);
    return box;
}

QLabel *WizardPage::addRuntimePictureBox(QWidget *in, const char *name, QRect geometry)
{
    QLabel *box = addPictureBox(in, name, QPixmap(), geometry);
    QPalette white = box->palette();
    white.setColor(QPalette::Window, Qt::white);
    box->setPalette(white);
    box->setAutoFillBackground(true);
    return box;
}

QLabel *WizardPage::addImage(QWidget *in, const char *name, const QPixmap &picture, QRect geometry)
{
    auto *image = new QLabel(in);
    image->setObjectName(QLatin1String(name));
    image->setGeometry(geometry);
    image->setPixmap(picture);
    return image;
}

QLabel *WizardPage::addBanner(const char *name)
{
    return addPictureBox(this, name, resources::picture(resources::Picture::Banner), twips(5760, 240, 744, 2472));
}

QFrame *WizardPage::addSeparator()
{
    auto *line = new QFrame(this);
    line->setObjectName(QStringLiteral("Line1"));
    line->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    line->setLineWidth(1);
    // From (0, 3480) to (6870, 3480), two pixels wide.
    line->setGeometry(0, pixels(3480) - 1, pixels(6870), 2);
    return line;
}

void WizardPage::setBold(QWidget *control)
{
    QFont font = control->font();
    font.setWeight(QFont::Bold);
    control->setFont(font);
}

void WizardPage::setTextColour(QWidget *control, const QColor &colour)
{
    QPalette palette = control->palette();
    palette.setColor(QPalette::WindowText, colour);
    control->setPalette(palette);
}

void WizardPage::setHeading(QWidget *box, const QLabel *heading)
{
    box->setAccessibleName(heading->text());
}

void WizardPage::setStacking(std::initializer_list<QWidget *> frontToBack)
{
    for (auto it = std::rbegin(frontToBack); it != std::rend(frontToBack); ++it)
        (*it)->raise();
    for (QWidget *control : frontToBack)
        if (qobject_cast<QLabel *>(control) && !qobject_cast<QLabel *>(control)->frameWidth())
            control->lower();
}

void WizardPage::setTabOrder(std::initializer_list<QWidget *> order)
{
    QWidget *previous = nullptr;
    for (QWidget *control : order) {
        if (previous)
            QWidget::setTabOrder(previous, control);
        previous = control;
    }
}

void WizardPage::setCancelButton(QPushButton *button)
{
    m_cancel = button;
    button->setFocusPolicy(Qt::TabFocus);
}

void WizardPage::selectAllOnFocus(QLineEdit *box)
{
    m_selectAll.push_back(box);
    box->removeEventFilter(this); // one filter, however many roles the box has
    box->installEventFilter(this);
}

void WizardPage::addFocusCheck(QWidget *box, std::function<bool()> check)
{
    if (m_checks.empty())
        qApp->installEventFilter(m_pressWatcher);
    m_checks.push_back({box, std::move(check)});
    box->removeEventFilter(this);
    box->installEventFilter(this);
}

void WizardPage::refocus(QLineEdit *box)
{
    m_refocused = box;
    box->setFocus(Qt::OtherFocusReason);
    box->selectAll();
}

void WizardPage::moveTo(PageId page)
{
    m_context.navigator->move(this, page);
}

void WizardPage::endProgram()
{
    m_ending = true;
    m_context.end->endProgram();
}

void WizardPage::showMessage(const QString &text)
{
    m_context.messages->show(this, MessageBoxes::Icon::None, text);
}

void WizardPage::showStopMessage(const QString &text)
{
    m_context.messages->show(this, MessageBoxes::Icon::Stop, text);
}

void WizardPage::reportFailure(qint64 number, const QString &description, const QString &afterwards)
{
    // HRESULT-like numbers read best in hex, small ones in decimal.
    const QString code = number >= 0x80000000LL || number < 0
        ? QStringLiteral("0x") + QString::number(quint32(number), 16).toUpper().rightJustified(8, QLatin1Char('0'))
        : QString::number(number);
    QString text = description + QStringLiteral("\n\nError number: ") + code;
    if (!afterwards.isEmpty())
        text += QStringLiteral("\n\n") + afterwards;
    showStopMessage(text);
}

void WizardPage::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && m_cancel) {
        m_cancel->click();
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && m_default) {
        m_default->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void WizardPage::closeEvent(QCloseEvent *event)
{
    // The title bar's close button is this page's Cancel.
    event->ignore();
    if (!m_ending)
        endProgram();
}

void WizardPage::showEvent(QShowEvent *event)
{
    m_justShown = true;
    QWidget::showEvent(event);
}

void WizardPage::changeEvent(QEvent *event)
{
    // A message box takes the activation: the focus that comes back after it
    // is no longer the page's arrival.
    if (event->type() == QEvent::ActivationChange && !isActiveWindow())
        m_justShown = false;
    QWidget::changeEvent(event);
}

WizardPage::FocusCheck *WizardPage::checkOf(QObject *box)
{
    for (FocusCheck &check : m_checks)
        if (check.box == box)
            return &check;
    return nullptr;
}

bool WizardPage::runCheck(FocusCheck &check)
{
    m_refocused = nullptr;
    return check.check();
}

void WizardPage::checkBeforeShortcut(QWidget *target)
{
    // An access key clicks its button without moving the focus; the box's check
    // runs first all the same, and the focus goes to the button as it would.
    QWidget *focused = QApplication::focusWidget();
    FocusCheck *check = checkOf(focused);
    if (!check || target == focused || target->window() != this || !target->isEnabled())
        return;
    runCheck(*check);
    if (m_refocused != focused && (target->focusPolicy() & Qt::TabFocus)) {
        m_skipFocusOut = focused;
        target->setFocus(Qt::ShortcutFocusReason);
        m_skipFocusOut = nullptr;
    }
}

static bool isActivationChange(Qt::FocusReason reason)
{
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}

bool WizardPage::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::FocusIn: {
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        auto *box = qobject_cast<QLineEdit *>(watched);
        const bool arrival = std::exchange(m_justShown, false);
        if (box && std::find(m_selectAll.begin(), m_selectAll.end(), box) != m_selectAll.end()
            && (!isActivationChange(reason) || arrival)) {
            box->selectAll();
            if (reason == Qt::MouseFocusReason)
                QTimer::singleShot(0, box, &QLineEdit::selectAll); // after the press has placed the cursor
        }
        break;
    }
    case QEvent::FocusOut: {
        FocusCheck *check = checkOf(watched);
        if (!check)
            break;
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        if (isActivationChange(reason))
            break;
        if (m_skipFocusOut == watched)
            break;
        // The widget that takes the focus; for a mouse press, the one pressed.
        QWidget *next = QApplication::focusWidget();
        if (!next || next->window() != this)
            break;
        const bool shown = runCheck(*check);
        // The press that moved the focus comes next, but its release went to the
        // message box: the press is turned into the click here (PressWatcher).
        if (shown && reason == Qt::MouseFocusReason)
            m_pressToFinish = next;
        // A check that took the focus back has made this focus-out stale: the box
        // must not lose its selection and its cursor after the fact.
        if (m_refocused == watched && static_cast<QWidget *>(watched)->hasFocus())
            return true;
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

bool WizardPage::PressWatcher::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress && m_page->m_pressToFinish) {
        QWidget *pressed = std::exchange(m_page->m_pressToFinish, nullptr);
        if (watched == pressed) {
            if (auto *button = qobject_cast<QAbstractButton *>(pressed))
                button->click();
            return true;
        }
    }
    if (event->type() == QEvent::Shortcut && watched->isWidgetType())
        m_page->checkBeforeShortcut(static_cast<QWidget *>(watched));
    return false;
}

#include "moc_wizardpage.cpp"
