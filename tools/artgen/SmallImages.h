#pragma once

#include <QImage>
#include <QString>

class FloorSet;
class ObjectSet;

// The small pictures the program's windows use: the numbered door marker,
// the guide with its speech bubble, and the two transparency examples.
class SmallImages
{
public:
    static constexpr QRgb kDoorKey = 0xff0080c0; // outside the door's arch
    static constexpr QRgb kSampleKey = 0xff0000ff; // round the example object

    static QImage door();
    static QImage guide();
    static QImage sampleFloor(const FloorSet &floors);
    static QImage sampleObject(const ObjectSet &objects);

    static bool write(const QString &repoRoot, const FloorSet &floors, const ObjectSet &objects);
};
