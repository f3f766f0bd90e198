#include "platform/jpeg_lower_band.h"

#include <algorithm>
#include <chrono>
#include <csetjmp>
#include <memory>

#include "platform/jpeg_cmyk.h"

namespace platform {
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

constexpr int RowsPerBatch = 16;

} // namespace

JpegLowerBand::JpegLowerBand(const LowerBandTarget& target) : m_target(target)
{
    m_thread = std::thread([this] { run(); });
}

JpegLowerBand::~JpegLowerBand()
{
    m_cancelled = true;
    m_thread.join();
}

bool JpegLowerBand::waitFor(int milliseconds)
{
    std::unique_lock lock(m_mutex);
    return m_ended.wait_for(lock, std::chrono::milliseconds(milliseconds), [this] { return m_done; });
}

void JpegLowerBand::run()
{
    // Lives on this thread's heap so the frame that calls setjmp holds plain pointers only.
    auto cinfo = std::make_unique<jpeg_decompress_struct>();
    auto errors = std::make_unique<BandErrors>();
    cinfo->err = jpeg_std_error(&errors->manager);
    errors->manager.error_exit = failBand;
    errors->manager.emit_message = countBandWarning;
    errors->manager.output_message = printNothing;
    cinfo->client_data = errors.get();
    const bool ok = decode(cinfo.get());
    jpeg_destroy_decompress(cinfo.get());
    std::lock_guard lock(m_mutex);
    m_failed = !ok;
    m_failure = errors->message[0] ? QString::fromLocal8Bit(errors->message) : QStringLiteral("обрыв данных");
    m_done = true;
    m_ended.notify_all();
}

bool JpegLowerBand::decode(jpeg_decompress_struct* cinfo)
{
    auto* errors = static_cast<BandErrors*>(cinfo->client_data);
    if (setjmp(errors->jump))
        return false;
    jpeg_create_decompress(cinfo);
    jpeg_mem_src(cinfo, m_target.data, m_target.size);
    jpeg_read_header(cinfo, TRUE);
    // The same output settings as the upper band's decoder, so the rows match a single decode exactly.
    cinfo->out_color_space = m_target.outColorSpace;
    cinfo->scale_num = 1;
    cinfo->scale_denom = 1;
    jpeg_start_decompress(cinfo);
    const auto first = static_cast<JDIMENSION>(m_target.firstRow);
    if (jpeg_skip_scanlines(cinfo, first) != first)
        return false;
    const JDIMENSION height = cinfo->output_height;
    const int width = static_cast<int>(cinfo->output_width);
    while (cinfo->output_scanline < height) {
        if (m_cancelled)
            return false;
        JSAMPROW rows[RowsPerBatch];
        const JDIMENSION row = cinfo->output_scanline;
        const JDIMENSION count = std::min<JDIMENSION>(RowsPerBatch, height - row);
        for (JDIMENSION i = 0; i < count; ++i)
            rows[i] = m_target.firstLine + static_cast<qsizetype>(row + i) * m_target.bytesPerLine;
        const JDIMENSION read = jpeg_read_scanlines(cinfo, rows, count);
        if (m_target.cmyk) {
            for (JDIMENSION i = 0; i < read; ++i)
                cmykLineToRgb32(rows[i], width, m_target.adobeInverted);
        }
        if (read == 0)
            return false;
        m_rowsDone.fetch_add(static_cast<int>(read), std::memory_order_relaxed);
    }
    return true;
}

} // namespace platform
