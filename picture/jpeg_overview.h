#pragma once

// The picture at 1/8 scale or coarser, made from the coefficients of a scan's rows of MCUs as the scanner decodes
// them: the samples libjpeg's 1/8 scaled decode gives (a block's mean, the reduced inverse DCT where libjpeg uses
// one), in the drawn format, row after row while the file streams in.
#include <QImage>
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "picture/jpeg_scanner.h"

namespace picture {

class JpegOverview final : public scan::ScanSink
{
public:
    /// The overview is 1/8 of the picture each way, or 1/16, 1/32, ... (averages of 1/8 pixels), the finest whose
    /// Format_RGB32 pixels take at most budgetBytes.
    explicit JpegOverview(qint64 budgetBytes);

    /// Rows 0 to rowsReady() - 1 hold pixels; the rest are undefined. The rows are written through the picture's own
    /// memory, never through the QImage, so a copy of it (held by another thread) sees them come; a file whose height
    /// comes after its scan makes a new picture as it grows.
    const QImage& image() const { return m_image; }
    int rowsReady() const { return m_rowsReady; }
    /// Where row y's pixels are written.
    uchar* line(int y) const { return m_bits + y * m_bytesPerLine; }
    /// 8, 16, 32, ...: picture pixels per overview pixel each way.
    int reduction() const { return m_reduction; }
    /// Called as rows first to end - 1 are filled.
    std::function<void(int first, int end)> rowsFilled;

    failure::Result<std::array<bool, scan::MaxComponents>> frameRead(const scan::Frame& frame) override;
    void rowDecoded(const scan::McuRow& row) override;
    void heightKnown(int height) override;

private:
    void makeSamples(const scan::McuRow& row, std::size_t component);
    void convertLine(int y);
    void putLine(int eighthRow);
    void adopt(QImage image);

    scan::Frame m_frame;
    qint64 m_budget;
    int m_reduction = 8;
    QImage m_image;
    uchar* m_bits = nullptr;
    qsizetype m_bytesPerLine = 0;
    int m_rowsReady = 0;
    int m_eighthWidth = 0;
    std::array<int, scan::MaxComponents> m_dctSize{}; // samples a block gives each way in libjpeg's 1/8 decode
    std::array<std::vector<std::uint8_t>, scan::MaxComponents> m_samples; // one MCU row's, per component
    std::array<int, scan::MaxComponents> m_samplesWide{};
    std::vector<QRgb> m_line;          // one row at 1/8
    std::vector<QRgb> m_greyLine;      // the line every grey row gives, once one has been made
    std::vector<std::uint32_t> m_sums; // the 1/8 rows of a coarser row so far, per channel
    int m_summedRows = 0;
};

} // namespace picture
