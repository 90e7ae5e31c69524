#pragma once

#include "raster/Geometry.h"
#include "readerclient/PictureReader.h"

#include <QObject>

#include <array>
#include <functional>

class PictureLoad;
class UserQuestions;

// The files read for the editor in the reading process: at most one load for
// each slot and one for the maptile, a new one giving up the one running for
// the same target. What is read is handed on; a file that cannot be read is
// reported, and a load the user cancelled is noted.
class ReaderLoads : public QObject
{
    Q_OBJECT

public:
    // The target of the maptile's load; the slots' are their numbers.
    static constexpr int MaptileTarget = Geometry::SlotCount;
    using Apply = std::function<void(const ReaderResult &)>;
    using Done = std::function<void(const ReaderResult &, const QString &)>;

    explicit ReaderLoads(UserQuestions &questions, QObject *parent = nullptr);

    // Reads path as kind for target, then hands what was read to apply.
    void start(int target, const QString &path, PictureReader::Kind kind, const Apply &apply);
    // Reads path as kind for no target; done gets what the load finished with.
    // The load is the caller's to cancel or delete until then.
    PictureLoad *read(const QString &path, PictureReader::Kind kind, const Done &done);
    // Whether a file is still read for a slot or the maptile.
    bool isLoading() const;
    // The load running for target; null when none.
    PictureLoad *load(int target) const { return m_loads.at(target); }

signals:
    // A load began: the window may show it when it turns out slow.
    void started(PictureLoad *load);

private:
    PictureLoad *begin(const QString &path, PictureReader::Kind kind);

    UserQuestions &m_questions;
    std::array<PictureLoad *, Geometry::SlotCount + 1> m_loads{};
};
