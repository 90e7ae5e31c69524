#pragma once

#include "pictures/PictureDecoder.h"

#include <QSize>

class PictureRows;

// Decodes a PNG through libpng row by row and hands the rows of its top-left
// part to a taker, stopping below that part, so that only the part is held
// however large the picture is. An interlaced picture spreads each row over
// the whole file: its kept rows are held at full width until the last pass.
class PngRowReader
{
public:
    // Where the bytes come from: a picture file of the user's, checked by its
    // own checksums and decoded to 32-bit pixels, or a document's entry,
    // checked by the archive, whose opaque eight-bit RGB rows are kept as
    // stored (Format_RGB888).
    enum class Source { File, DocumentEntry };

    // Reads the top-left kept pixels of the PNG that input yields into rows.
    // False when the picture is damaged, smaller than kept, or rows stopped it.
    static bool read(const PictureDecoder::ReadFunction &input, QSize kept, Source source, PictureRows &rows);
};
