#include "loading/part_decode.h"

#include "picture/jpeg_overview_decode.h"
#include "work/work_pool.h"

namespace loading {

void PartDecode::start(work::WorkPool& pool, std::shared_ptr<const picture::OverviewDetail> detail, QByteArray bytes,
                       QRect region, int scale, Delivery delivery, Done done)
{
    const std::stop_token wish = delivery.wish();
    pool.run(work::WorkPool::Lane::Compute, wish,
             [detail = std::move(detail), bytes = std::move(bytes), region, scale, delivery = std::move(delivery),
              done = std::move(done)](std::stop_token stop) {
                 if (stop.stop_requested())
                     return;
                 failure::Result<QImage> part =
                     picture::decodeOverviewPart(*detail, picture::readerOfBytes(bytes), region, scale);
                 delivery([done, part = std::move(part)] { done(part); });
             });
}

} // namespace loading
