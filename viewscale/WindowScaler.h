#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class ScaledWindow;
class ViewScale;
class QWidget;

// Draws the program's fixed-size windows at the view scale: each from its
// first showing, and all of them again at once when the scale changes.
// Windows whose size follows the user (the preview) and Qt's own dialogs
// (files, colours, printers, messages) keep their own look.
class WindowScaler : public QObject
{
    Q_OBJECT

public:
    explicit WindowScaler(ViewScale &scale, QObject *parent = nullptr);

    // Scales window now, before it is first shown, so that it is placed at its scaled size.
    void follow(QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    static bool isScalable(const QWidget *window);
    void applyAll();

    ViewScale &m_scale;
    QList<QPointer<ScaledWindow>> m_windows;
};
