#include "picture/jpeg_lower_band.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <csetjmp>
#include <memory>
#include <mutex>
#include <stop_token>

#include "work/work_pool.h"

namespace picture {

struct JpegLowerBand::State
{
    LowerBandTarget target;
    std::atomic<int> rowsDone{0};
    std::stop_source stop;
    std::mutex mutex;
    std::condition_variable ended;
    bool started = false; // the decode has begun: the caller's lines are in use until done
    bool done = false;
    bool failed = false;
    QString failure;
};

namespace {

struct BandErrors
{
    jpeg_error_mgr manager{};
    std::jmp_buf jump{};
    char message[JMSG_LENGTH_MAX]{};
};

[[noreturn]] void failBand(j_common_ptr cinfo)
{
    auto* errors = static_cast<BandErrors*>(cinfo->client_data);
    (*cinfo->err->format_message)(cinfo, errors->message);
    std::longjmp(errors->jump, 1);
}

void countBandWarning(j_common_ptr cinfo, int level)
{
    if (level < 0)
        ++cinfo->err->num_warnings;
}

void printNothing(j_common_ptr) {}

// Rows of blocks skipped between two looks at the stop: 512 rows of a 10000-pixel-wide 4:2:0 map, about 20 ms. With
// fancy upsampling libjpeg decodes the last row of blocks of each piece in full, a thirty-second more work.
constexpr int SkippedBlockRowsPerPiece = 32;

bool decodeBand(JpegLowerBand::State& state, jpeg_decompress_struct* cinfo, const std::stop_token& stop)
{
    const LowerBandTarget& target = state.target;
    auto* errors = static_cast<BandErrors*>(cinfo->client_data);
    if (setjmp(errors->jump))
        return false;
    jpeg_create_decompress(cinfo);
    jpeg_mem_src(cinfo, target.data, target.size);
    jpeg_read_header(cinfo, TRUE);
    // The same output settings as the upper band's decoder, so the rows match a single decode exactly.
    cinfo->out_color_space = target.outColorSpace;
    cinfo->scale_num = 1;
    cinfo->scale_denom = 1;
    jpeg_start_decompress(cinfo);
    // The rows above the band are skipped a piece at a time, looking at the stop in between: skipping them all at
    // once costs as much as decoding a third of the picture. Each piece ends on a row of blocks, as the band starts.
    const auto first = static_cast<JDIMENSION>(target.firstRow);
    const auto skipPiece = static_cast<JDIMENSION>(SkippedBlockRowsPerPiece * cinfo->max_v_samp_factor * DCTSIZE);
    while (cinfo->output_scanline < first) {
        if (stop.stop_requested())
            return false;
        const JDIMENSION count = std::min(skipPiece, first - cinfo->output_scanline);
        if (jpeg_skip_scanlines(cinfo, count) != count)
            return false;
    }
    // Converted (and turned) on this thread as they arrive, while they are in this core's cache.
    while (cinfo->output_scanline < cinfo->output_height) {
        if (stop.stop_requested())
            return false;
        const JDIMENSION read = readRowBatch(cinfo, cinfo->output_height, target.rows);
        if (read == 0)
            return false;
        state.rowsDone.fetch_add(static_cast<int>(read), std::memory_order_relaxed);
    }
    return true;
}

void runBand(const std::shared_ptr<JpegLowerBand::State>& state, std::stop_token stop)
{
    {
        std::lock_guard lock(state->mutex);
        if (state->done)
            return; // given up before it started: the caller's lines may be gone
        state->started = true;
    }
    // Lives on the heap so the frame that calls setjmp holds plain pointers only.
    auto cinfo = std::make_unique<jpeg_decompress_struct>();
    auto errors = std::make_unique<BandErrors>();
    cinfo->err = jpeg_std_error(&errors->manager);
    errors->manager.error_exit = failBand;
    errors->manager.emit_message = countBandWarning;
    errors->manager.output_message = printNothing;
    cinfo->client_data = errors.get();
    const bool ok = decodeBand(*state, cinfo.get(), stop);
    jpeg_destroy_decompress(cinfo.get());
    std::lock_guard lock(state->mutex);
    state->failed = !ok;
    state->failure = errors->message[0] ? QString::fromLocal8Bit(errors->message) : QStringLiteral("обрыв данных");
    state->done = true;
    state->ended.notify_all();
}

} // namespace

JpegLowerBand::JpegLowerBand(const LowerBandTarget& target, work::WorkPool* pool) : m_state(std::make_shared<State>())
{
    m_state->target = target;
    const std::stop_token stop = m_state->stop.get_token();
    if (!pool) {
        m_running = false;
        m_state->done = true; // never started: nothing to wait for
        return;
    }
    pool->run(
        work::WorkPool::Lane::Compute, stop, [state = m_state](std::stop_token stop) { runBand(state, stop); },
        work::WorkPool::Urgency::Urgent);
}

JpegLowerBand::~JpegLowerBand()
{
    m_state->stop.request_stop();
    std::unique_lock lock(m_state->mutex);
    if (!m_state->started)
        m_state->done = true; // it will not start now
    m_state->ended.wait(lock, [this] { return m_state->done; });
}

bool JpegLowerBand::waitFor(int milliseconds)
{
    std::unique_lock lock(m_state->mutex);
    return m_state->ended.wait_for(lock, std::chrono::milliseconds(milliseconds), [this] { return m_state->done; });
}

int JpegLowerBand::rowsDone() const
{
    return m_state->rowsDone.load(std::memory_order_relaxed);
}

bool JpegLowerBand::failed() const
{
    std::lock_guard lock(m_state->mutex);
    return m_state->failed;
}

QString JpegLowerBand::failure() const
{
    std::lock_guard lock(m_state->mutex);
    return m_state->failure;
}

} // namespace picture
