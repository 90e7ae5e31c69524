#include "mainwindow/GuideHints.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>

namespace {

// The hint texts, looked up by their numbers when shown.
const struct
{
    int number;
    const char *text;
} Hints[] = {
    {101, QT_TRANSLATE_NOOP("GuideHints", "This button clears the maptile with blank spaces.")},
    {102, QT_TRANSLATE_NOOP("GuideHints", "Open a saved tile or load an image as a background for the maptile.")},
    {103, QT_TRANSLATE_NOOP("GuideHints", "Use this button to save the current maptile as a jpeg or bitmap.")},
    {104, QT_TRANSLATE_NOOP("GuideHints", "This button opens a window with a full-size view of the maptile.")},
    {105,
     QT_TRANSLATE_NOOP("GuideHints",
                       "This prints the maptile. No options yet - uses your default printer and options.")},
    {106,
     QT_TRANSLATE_NOOP("GuideHints", "Select a size for you maptile here. 3 to 5 spaces wide by 3 to 6 spaces tall.")},
    {107,
     QT_TRANSLATE_NOOP("GuideHints",
                       "This adds a custom maptile number to the maptile in the upper left hand corner.")},
    {108, QT_TRANSLATE_NOOP("GuideHints", "Add your name to the maptile. You are the one who designed it.")},
    {109, QT_TRANSLATE_NOOP("GuideHints", "Click her for program info, bug reporting, special thanks, and web links.")},
    {110, QT_TRANSLATE_NOOP("GuideHints", "This is the subtile assigned to the left mouse button.")},
    {111,
     QT_TRANSLATE_NOOP("GuideHints", "This is the subtile assigned to the middle mouse button (if you have one).")},
    {112, QT_TRANSLATE_NOOP("GuideHints", "This is the subtile assigned to the right mouse button.")},
    {113, QT_TRANSLATE_NOOP("GuideHints", "Click here to show this tileset and all of its subtiles.")},
    {118, QT_TRANSLATE_NOOP("GuideHints", "Click here to load in a new tileset to replace the current one.")},
    {126,
     QT_TRANSLATE_NOOP("GuideHints",
                       "Click on one of the subtiles of this tileset to assign it to the chosen mouse button.")},
    {127,
     QT_TRANSLATE_NOOP("GuideHints", "Click to place one of the subtiles you have assigned to the mouse buttons.")},
    {128, QT_TRANSLATE_NOOP("GuideHints", "Hi! I'm the dungeon dude and I'll be your guide! Just watch it - I bite!")},
    {129, QT_TRANSLATE_NOOP("GuideHints", "Click here to set some of the options for the program.")},
    {130, QT_TRANSLATE_NOOP("GuideHints", "Click here to set the transparency settings for this tileset.")},
    {131,
     QT_TRANSLATE_NOOP("GuideHints", "This fills every blank space of the maptile with the left button's subtile.")},
    {132,
     QT_TRANSLATE_NOOP("GuideHints", "Turn or mirror the outlined subtile; a double-click on the palette does too.")},
    {133, QT_TRANSLATE_NOOP("GuideHints", "Shift+arrows and Space, or a drag, mix subtiles. R turns at random.")},
};

} // namespace

GuideHints::GuideHints(QLabel *label, QObject *parent)
    : QObject(parent)
    , m_label(label)
{
    m_label->setAccessibleName(tr("Guide"));
    m_label->setAccessibleDescription(m_label->text());
}

QString GuideHints::text(int number)
{
    for (const auto &hint : Hints) {
        if (hint.number == number)
            return tr(hint.text);
    }
    return {};
}

void GuideHints::onHover(QWidget *control, int number)
{
    control->setMouseTracking(true);
    control->installEventFilter(this);
    m_hover.insert(control, number);
}

void GuideHints::onFocus(QWidget *control, int number)
{
    control->installEventFilter(this);
    m_focus.insert(control, number);
}

void GuideHints::clearOver(QWidget *background)
{
    if (m_backgrounds.contains(background))
        return;
    background->setMouseTracking(true);
    background->installEventFilter(this);
    m_backgrounds.insert(background, true);
    connect(background, &QObject::destroyed, this, [this, background] { m_backgrounds.remove(background); });
}

void GuideHints::show(int number)
{
    showText(text(number));
}

void GuideHints::clear()
{
    showText(QString());
}

void GuideHints::showText(const QString &text)
{
    if (!m_label)
        return;
    m_label->setText(text);
    // The label keeps its name when it is empty; a screen reader finds what it says beside it.
    m_label->setAccessibleDescription(text);
}

bool GuideHints::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseMove) {
        // Moves over a label inside a control reach the control too; such
        // labels keep the current hint, so only the control's own area counts.
        auto *widget = static_cast<QWidget *>(watched);
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const bool bare = !widget->childAt(mouse->position().toPoint());
        if (auto hover = m_hover.constFind(watched); hover != m_hover.constEnd()) {
            if (bare)
                show(*hover);
        } else if (m_backgrounds.contains(watched) && bare) {
            clear();
        }
    } else if (event->type() == QEvent::FocusIn) {
        if (auto focus = m_focus.constFind(watched); focus != m_focus.constEnd())
            show(*focus);
    }
    return QObject::eventFilter(watched, event);
}
