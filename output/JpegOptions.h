#pragma once

// The choices of one JPEG save.
struct JpegOptions
{
    int quality = 50; // 1..100
    bool progressive = false; // baseline when false
};
