#pragma once

// A sequential file too large to decode whole, decoded as its overview: the data is scanned a piece at a time, its
// overview made from the coefficients as it goes, with the decode's progress reports, stop and picture callbacks.
#include <QByteArray>
#include <QImage>

#include <memory>

#include "failure/result.h"
#include "picture/colour_profile.h"
#include "picture/jpeg_decoder.h"
#include "picture/jpeg_region.h"
#include "picture/jpeg_scanner.h"

namespace picture {

/// What the parts of a map shown as its overview are decoded from: the scan's index, the conversion of its colours
/// (null: none) and its orientation.
struct OverviewDetail
{
    scan::ScanIndex index;
    std::shared_ptr<const ColourConversion> colour;
    int orientation = 1;
};

/// The pixels of region of the map at 1/scale (1, 2, 4 or 8) as displayed (clipped to it), its colours converted and
/// turned as its orientation says.
failure::Result<QImage> decodeOverviewPart(const OverviewDetail& detail, const ReadFileBytes& read, QRect region,
                                           int scale);

namespace decoding {

/// The data an overview is scanned from: head, then the pieces rest gives (none when it is null); size bytes in all.
struct OverviewData
{
    const QByteArray& head;
    const DataPieces* rest;
    qint64 size;
};

/// The overview of data (a sequential Huffman-coded file whose header libjpeg accepted) within
/// options.overviewBytes. colour (may be null) converts its rows; orientation (1 to 8) turns it, once whole. Where the
/// scanner cannot read the file, the decode fails with refusal, the reason it was not decoded whole.
failure::Result<QImage> decodeOverview(const OverviewData& data, const JpegDecodeOptions& options,
                                       std::shared_ptr<const ColourConversion> colour, int orientation,
                                       const failure::Failure& refusal);

} // namespace decoding
} // namespace picture
