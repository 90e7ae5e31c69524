#pragma once

#include <QObject>

#include <array>

// How large the program's windows are drawn: one of a few steps from the
// layout's own size up, kept between runs with the user's other choices.
class ViewScale : public QObject
{
    Q_OBJECT

public:
    static constexpr std::array<int, 4> Percents{100, 150, 200, 300};

    // Starts at the step the last run kept, or at 100 %.
    explicit ViewScale(QObject *parent = nullptr);

    int percent() const { return Percents[m_step]; }
    qreal factor() const { return percent() / 100.0; }
    // A size that is not one of the steps changes nothing.
    void setPercent(int percent);
    // The next step up or down; at the largest or smallest one nothing changes.
    void stepUp();
    void stepDown();

signals:
    void changed(qreal factor);

private:
    void setStep(int step);

    int m_step = 0;
};
