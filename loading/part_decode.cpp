#include "loading/part_decode.h"

#include "picture/jpeg_overview_decode.h"
#include "work/work_pool.h"

namespace loading {

void PartDecode::start(work::WorkPool& pool, std::shared_ptr<const picture::OverviewDetail> detail, MapSource source,
                       QRect region, int scale, Delivery delivery, Done done)
{
    const std::stop_token wish = delivery.wish();
    const bool held = !source.bytes.isEmpty();
    picture::ReadFileBytes read =
        held ? picture::readerOfBytes(std::move(source.bytes))
             : picture::ReadFileBytes([path = source.path, stamp = source.stamp](quint64 offset, qint64 length) {
                   return files::readDataFilePart(path, stamp, qint64(offset), length);
               });
    pool.run(held ? work::WorkPool::Lane::Compute : work::WorkPool::Lane::Disc, wish,
             [detail = std::move(detail), read = std::move(read), region, scale, delivery = std::move(delivery),
              done = std::move(done)](std::stop_token stop) {
                 if (stop.stop_requested())
                     return;
                 failure::Result<QImage> part = picture::decodeOverviewPart(*detail, read, region, scale);
                 delivery([done, part = std::move(part)] { done(part); });
             });
}

} // namespace loading
