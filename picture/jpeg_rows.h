#pragma once

#include <QSize>

#include <cstdio> // jpeglib.h needs FILE
#include <jpeglib.h>

namespace picture {

class ColourConversion;

/// Rows read from libjpeg at a time. libjpeg hands back at most rec_outbuf_height rows (1 to 4) a call; a batch of 16
/// row pointers covers every case, and a turned picture's band holds this many stored rows.
inline constexpr int RowsPerBatch = 16;

/// Where decoded rows go and how they are finished on the way: straight into the picture's lines, or, for a picture
/// the EXIF orientation turns, into a band of RowsPerBatch stored rows that is then turned into its place.
struct RowDestination
{
    unsigned char* firstLine = nullptr; ///< line 0 of the picture as displayed
    qsizetype bytesPerLine = 0;
    int orientation = 1; ///< other than 1, rows go through band
    QSize stored;        ///< the picture's size as stored
    unsigned char* band = nullptr;
    bool cmyk = false; ///< CMYK rows, converted to RGB32
    bool adobeInverted = false;
    const ColourConversion* colour = nullptr; ///< the rows' conversion into sRGB, if any
};

/// Reads the next batch of rows, none at or past end, into destination: converted while they are still in the
/// processor's cache and, for a turned picture, turned into place. Returns the rows read; 0 when libjpeg gives none
/// (it cannot with a memory source: the guard against looping forever).
JDIMENSION readRowBatch(jpeg_decompress_struct* cinfo, JDIMENSION end, const RowDestination& destination);

} // namespace picture
