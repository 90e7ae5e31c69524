#pragma once

#include <QSize>
#include <QString>

// What a picture's header tells before any pixel is decoded: the size it
// declares, whether only a part of it is to be decoded, and the memory the
// decoder will take for that.
struct HeaderFacts
{
    // The picture's size as declared; both 0 when the header gives none.
    qint64 width = 0, height = 0;
    // A side larger than the format's decoder reads at all, whatever memory it would take.
    bool beyondDecoder = false;
    // Whether only the top-left part of at most kept pixels is decoded.
    bool part = false;
    QSize kept;
    // The memory the decoder holds for the picture, or for the part when one is decoded.
    qint64 heldBytes = 0;
    // Why the header alone refuses the file; empty when it does not.
    QString refusal;

    // A picture of width x height pixels, unknown when a side is 0 or less, of
    // which only the top-left part of at most keep is wanted when keep is valid.
    static HeaderFacts sized(qint64 width, qint64 height, QSize keep);
    // Headers claim up to 2^32 pixels each way: the product of both sides and
    // the pixel size, or the largest qint64 when it would not fit.
    static qint64 pixelBytes(qint64 width, qint64 height, qint64 bytesPerPixel);

    bool known() const { return width > 0 && height > 0; }
    // Whether the picture is to be refused for its size before its decoder runs.
    bool tooLarge() const;
    // The declared size, each side at most what an int holds; empty when unknown.
    QSize size() const;
    // The size of the picture the decoder is to give: the kept part, or the whole.
    QSize decodedSize() const { return part ? kept : size(); }
};
