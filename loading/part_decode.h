#pragma once

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <functional>
#include <memory>

#include "failure/result.h"
#include "loading/delivery.h"

namespace picture {
struct OverviewDetail;
}
namespace work {
class WorkPool;
}

namespace loading {

/// A part of a map shown as its overview, decoded on the compute lane at a DCT scale (1, 2, 4 or 8) from the map's
/// bytes and its scan's index: done gets the pixels, or why there are none, through delivery. A part no longer
/// wanted when its turn comes is not decoded.
class PartDecode
{
public:
    using Done = std::function<void(const failure::Result<QImage>& part)>;

    static void start(work::WorkPool& pool, std::shared_ptr<const picture::OverviewDetail> detail, QByteArray bytes,
                      QRect region, int scale, Delivery delivery, Done done);
};

} // namespace loading
