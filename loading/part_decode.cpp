#include "loading/part_decode.h"

#include "picture/jpeg_overview_decode.h"
#include "work/work_pool.h"

namespace loading {

void PartDecode::start(work::WorkPool& pool, std::shared_ptr<const picture::OverviewDetail> detail, MapSource source,
                       QRect region, int scale, Delivery delivery, Done done)
{
    const std::stop_token wish = delivery.wish();
    const bool held = !source.bytes.isEmpty();
    pool.run(held ? work::WorkPool::Lane::Compute : work::WorkPool::Lane::Disc, wish,
             [detail = std::move(detail), source = std::move(source), held, region, scale,
              delivery = std::move(delivery), done = std::move(done)](std::stop_token stop) {
                 if (stop.stop_requested())
                     return;
                 const auto decode = [&](const picture::ReadFileBytes& read) {
                     return picture::decodeOverviewPart(*detail, read, region, scale);
                 };
                 failure::Result<QImage> part = failure::Failure{failure::What::ReadStopped, {}, {}, {}};
                 if (held) {
                     part = decode(picture::readerOfBytes(source.bytes));
                 } else if (auto file = files::DataFileParts::open(source.path, source.stamp); !file) {
                     part = file.error();
                 } else {
                     // The file is opened once for the part's reads and let go when it is decoded.
                     part = decode(
                         [&file](quint64 offset, qint64 length) { return (*file)->read(qint64(offset), length); });
                 }
                 delivery([done, part = std::move(part)] { done(part); });
             });
}

} // namespace loading
