#include "mainwindow/GuideHints.h"

#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>

namespace {

QHash<int, QString> loadTable()
{
    QHash<int, QString> table;
    QFile file(QStringLiteral(":/hints.txt"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return table;
    const QString text = QString::fromUtf8(file.readAll());
    for (const QString &line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const qsizetype tab = line.indexOf(QLatin1Char('\t'));
        if (tab > 0)
            table.insert(line.left(tab).toInt(), line.mid(tab + 1).trimmed());
    }
    return table;
}

} // namespace

GuideHints::GuideHints(QLabel *label, QObject *parent)
    : QObject(parent)
    , m_label(label)
{
}

QString GuideHints::text(int number)
{
    static const QHash<int, QString> table = loadTable();
    return table.value(number);
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
    background->setMouseTracking(true);
    background->installEventFilter(this);
    m_backgrounds.insert(background, true);
}

void GuideHints::show(int number)
{
    if (m_label)
        m_label->setText(text(number));
}

void GuideHints::clear()
{
    if (m_label)
        m_label->setText(QString());
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
