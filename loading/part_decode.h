#pragma once

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <functional>
#include <memory>

#include "failure/result.h"
#include "files/data_files.h"
#include "loading/delivery.h"

namespace picture {
struct OverviewDetail;
}
namespace work {
class WorkPool;
}

namespace loading {

/// What a map's parts are read from: its bytes held whole, or for a map that came from the disc in pieces (no bytes),
/// its file, which must still have stamp.
struct MapSource
{
    QByteArray bytes;
    QString path;
    files::FileStamp stamp;
};

/// A part of a map shown as its overview, decoded at a DCT scale (1, 2, 4 or 8) from the map's source and its scan's
/// index: done gets the pixels, or why there are none, through delivery. A part no longer wanted when its turn comes
/// is not decoded. From bytes held it is decoded on the compute lane; from the file on the disc lane, whose reads
/// the program's end does not wait for when the disc hangs.
class PartDecode
{
public:
    using Done = std::function<void(const failure::Result<QImage>& part)>;

    static void start(work::WorkPool& pool, std::shared_ptr<const picture::OverviewDetail> detail, MapSource source,
                      QRect region, int scale, Delivery delivery, Done done);
};

} // namespace loading
