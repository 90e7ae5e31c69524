#pragma once

#include <QLine>
#include <QList>
#include <QRect>
#include <QString>

// Thin lines and short texts in SheetLength units from the paper's corner,
// drawn as they are: what a calibration sheet carries.
struct SheetDrawing
{
    // A text as tall as its box, centred in it and made narrower to fit.
    struct Text
    {
        QRect box;
        QString text;
    };

    QList<QLine> lines;
    QList<Text> texts;
};
