#pragma once

#include <QSize>
#include <QString>
#include <memory>

#include <cstdio> // jpeglib.h needs FILE
#include <jpeglib.h>

#include "picture/jpeg_rows.h"

namespace work {
class WorkPool;
}

namespace picture {

class ColourConversion;

/// Where and how the lower band of a picture is decoded: the rows from firstRow down, into lines that the caller
/// owns and keeps alive until the band is destroyed.
struct LowerBandTarget
{
    const unsigned char* data = nullptr;
    unsigned long size = 0;
    int firstRow = 0; ///< the band's first row as stored
    J_COLOR_SPACE outColorSpace = JCS_EXT_BGRA;
    /// The picture's lines, and for a turned picture the band of RowsPerBatch stored rows: kept alive by the caller,
    /// as is the colour conversion, until the band is destroyed.
    RowDestination rows;
};

/// Decodes the lower band of a sequential JPEG as a job of pool (not at all without one) while
/// the caller decodes the rows above: libjpeg skips the upper rows by entropy decoding alone, so the two share the
/// costly part of the work. The result is the same picture a single decode gives. The band writes into the caller's
/// lines and reads its data, so destroying it asks it to stop and waits for it to let them go: within a batch of rows
/// or a piece of the skipped rows once it has started, at once when it has not.
class JpegLowerBand
{
public:
    explicit JpegLowerBand(const LowerBandTarget& target, work::WorkPool* pool = nullptr);
    ~JpegLowerBand();
    JpegLowerBand(const JpegLowerBand&) = delete;
    JpegLowerBand& operator=(const JpegLowerBand&) = delete;

    /// False when no thread could be had for the band (without a pool): nothing runs, the caller decodes all rows.
    bool running() const { return m_running; }
    /// Waits at most milliseconds for the band; true once it has ended (decoded or failed).
    bool waitFor(int milliseconds);
    /// Rows of the band written so far.
    int rowsDone() const;
    /// After the band has ended: whether it failed, and libjpeg's message.
    bool failed() const;
    QString failure() const;

    struct State;

private:
    std::shared_ptr<State> m_state;
    bool m_running = true;
};

} // namespace picture
