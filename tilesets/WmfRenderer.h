#pragma once

#include <QImage>
#include <QString>

// Renders a Windows metafile (WMF, placeable or not) into an image through libwmf.
//
// The image size: a placeable metafile's header box at 96 pixels per inch; a plain
// metafile has no physical size, so the extent its records draw is taken one
// device unit per pixel (a picture recorded in the default text mapping comes out
// pixel for pixel). What the records draw is fitted to that size on white.
//
// libwmf draws in a short-lived child process: a metafile that crashes it or
// keeps it busy for ever costs that process, never the editor.
class WmfRenderer
{
public:
    // Longest side of a rendered metafile; larger ones are refused, not scaled.
    static constexpr int MaxSide = 4096;
    // Metafiles are small; anything larger is refused before it is read.
    static constexpr qint64 MaxFileBytes = 32 * 1024 * 1024;
    // How long drawing may take before it is given up.
    static constexpr int TimeLimitMs = 10000;

    // A null image and error set to a reason when the file is not a metafile
    // that can be drawn.
    static QImage render(const QString &path, QString *error, int timeLimitMs = TimeLimitMs);
};
