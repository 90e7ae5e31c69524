#pragma once

#include <QByteArray>
#include <QImage>
#include <QRect>

#include <vector>

// The PNG files of the records' pictures, packed once in a run and shared by
// every save, the work kept from a crash and every document of a batch that
// holds the same pixels: a tileset's cells seldom change, and packing them
// costs as much as packing the master. Pictures are known by their identity,
// then by a hash of their pixels seeded afresh in each run, so that no
// document can be made to match another's. Packed with PngWriter's Small packing.
class PngCache
{
public:
    // The PNG of picture's area; packed now unless this run packed the same
    // pixels already, or waits while another thread packs them. Empty when
    // packing fails.
    static QByteArray packed(const QImage &picture, QRect area);
    // Packs the areas this run has not packed yet on a thread of the cache's
    // own, one area after another, so that a save made later finds them ready.
    static void packAhead(const QImage &picture, const std::vector<QRect> &areas);
};
