#pragma once

#include "output/JpegOptions.h"

#include <QSize>

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

class QIODevice;

// Encodes a JPEG from rows of 8-bit RGB into a device, without Qt Gui, with the
// settings Qt's JPEG writer uses, so that a picture comes out byte for byte
// as the editor saves it: 4:2:0, standard tables scaled to the quality,
// Huffman tables not optimised, the density in dots per inch.
class JpegStream
{
public:
    JpegStream(QIODevice &device, QSize size, const JpegOptions &options, int dotsPerInch);
    ~JpegStream();
    JpegStream(const JpegStream &) = delete;
    JpegStream &operator=(const JpegStream &) = delete;

    // False once the encoder or the device has failed.
    bool writeRow(const unsigned char *rgb);
    // Ends the picture after the last row; false as writeRow().
    bool finish();

private:
    struct Failure
    {
        jpeg_error_mgr manager;
        std::jmp_buf jump;
    };
    struct Destination
    {
        jpeg_destination_mgr manager;
        QIODevice *device;
        unsigned char buffer[65536];
    };
    jpeg_compress_struct m_jpeg{};
    Failure m_failure{};
    Destination m_destination{};
    bool m_failed = false;
};
