#include "viewscale/ViewScale.h"

#include <QSettings>

#include <algorithm>

namespace {

const QString Key = QStringLiteral("View/scale");

QSettings settings()
{
    return QSettings(QStringLiteral("cryptwright"), QStringLiteral("cryptwright"));
}

// -1 for a size that is not a step.
int stepOf(int percent)
{
    const auto *found = std::find(ViewScale::Percents.begin(), ViewScale::Percents.end(), percent);
    return found == ViewScale::Percents.end() ? -1 : int(found - ViewScale::Percents.begin());
}

} // namespace

ViewScale::ViewScale(QObject *parent)
    : QObject(parent)
{
    // Whatever else the stored value says (edited by hand, from another version) starts at 100 %.
    bool number = false;
    const int stored = settings().value(Key).toInt(&number);
    m_step = number ? std::max(stepOf(stored), 0) : 0;
}

void ViewScale::setPercent(int percent)
{
    if (const int step = stepOf(percent); step >= 0)
        setStep(step);
}

void ViewScale::stepUp()
{
    setStep(std::min(m_step + 1, int(Percents.size()) - 1));
}

void ViewScale::stepDown()
{
    setStep(std::max(m_step - 1, 0));
}

void ViewScale::setStep(int step)
{
    if (step == m_step)
        return;
    m_step = step;
    settings().setValue(Key, percent());
    emit changed(factor());
}
