#pragma once

#include <QString>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

#include <cstdio> // jpeglib.h needs FILE
#include <jpeglib.h>

namespace platform {

/// Where and how the lower band of a picture is decoded: the rows from firstRow down, into lines that the caller
/// owns and keeps alive until the band is destroyed.
struct LowerBandTarget
{
    const unsigned char* data = nullptr;
    unsigned long size = 0;
    unsigned char* firstLine = nullptr; ///< line 0 of the picture
    qsizetype bytesPerLine = 0;
    int firstRow = 0;
    J_COLOR_SPACE outColorSpace = JCS_EXT_BGRA;
    bool cmyk = false;
    bool adobeInverted = false;
};

/// Decodes the lower band of a sequential JPEG on a thread of its own while the caller decodes the rows above: libjpeg
/// skips the upper rows by entropy decoding alone, so the two threads share the costly part of the work. The result is
/// the same picture a single decode gives. Destroying the band cancels it and waits for its thread.
class JpegLowerBand
{
public:
    explicit JpegLowerBand(const LowerBandTarget& target);
    ~JpegLowerBand();
    JpegLowerBand(const JpegLowerBand&) = delete;
    JpegLowerBand& operator=(const JpegLowerBand&) = delete;

    /// Waits at most milliseconds for the band; true once it has ended (decoded or failed).
    bool waitFor(int milliseconds);
    /// Rows of the band written so far.
    int rowsDone() const { return m_rowsDone.load(std::memory_order_relaxed); }
    /// After the band has ended: whether it failed, and libjpeg's message.
    bool failed() const { return m_failed; }
    QString failure() const { return m_failure; }

private:
    void run();
    bool decode(jpeg_decompress_struct* cinfo);

    LowerBandTarget m_target;
    std::atomic<int> m_rowsDone{0};
    std::atomic<bool> m_cancelled{false};
    bool m_failed = false;
    QString m_failure;
    std::mutex m_mutex;
    std::condition_variable m_ended;
    bool m_done = false;
    std::thread m_thread;
};

} // namespace platform
