#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QImage>
#include <QSize>
#include <QString>

// Draws a Windows metafile (WMF, placeable or not) into an image through libwmf.
//
// The image size: a placeable metafile's header box at 96 pixels per inch; a plain
// metafile has no physical size, so the extent its records draw is taken one
// device unit per pixel (a picture recorded in the default text mapping comes out
// pixel for pixel). What the records draw is fitted to that size on white.
//
// libwmf crashes or loops for ever on some damaged metafiles that pass the
// checks here: pictures from the user are drawn in the reading process, which
// can be killed, never in the editor.
class MetafileDecoder
{
    Q_DECLARE_TR_FUNCTIONS(MetafileDecoder)

public:
    // Longest side of a drawn metafile; larger ones are refused, not scaled.
    static constexpr int MaxSide = 4096;
    // Metafiles are small; anything larger is refused before it is looked at.
    static constexpr qint64 MaxFileBytes = 32 * 1024 * 1024;

    // The metafile drawn, or a null image with reason set to why not.
    static QImage decode(const QByteArray &bytes, QString *reason);
    // What is checked before libwmf sees the file: its headers, and every
    // record and bitmap lying inside it. Empty when libwmf may draw it; data
    // is then mended where libwmf would trust it too far, and size holds a
    // placeable metafile's size (empty for a plain one, which takes the size
    // of what it draws).
    static QString check(QByteArray &data, QSize *size);
};
