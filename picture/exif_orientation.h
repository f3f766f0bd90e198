#pragma once

#include <QRect>
#include <QSize>
#include <QtGlobal>
#include <cstddef>

namespace picture {

/// The EXIF orientation (1 to 8) of an APP1 segment's contents ("Exif\0\0" and the TIFF block); 1 when the segment
/// has none, or a damaged or unknown one.
int exifOrientation(const unsigned char* segment, std::size_t length);

/// Whether an orientation puts the stored rows in columns (5 to 8): the picture as displayed is the stored one turned
/// a quarter.
inline bool swapsSides(int orientation)
{
    return orientation >= 5 && orientation <= 8;
}

/// The size of a stored picture as displayed under the orientation.
inline QSize displayedSize(QSize stored, int orientation)
{
    return swapsSides(orientation) ? stored.transposed() : stored;
}

/// Where a part of a stored picture of size stored lies in the picture as displayed under the orientation (1 to 8).
QRect displayedPart(QRect part, QSize stored, int orientation);

/// Where a part of the picture as displayed under the orientation lies in the stored picture of size stored: the
/// inverse of displayedPart.
QRect storedPart(QRect displayed, QSize stored, int orientation);

/// Writes count rows of a stored RGB32 picture of size stored, rows firstRow on, from a band (line i of the band is
/// row firstRow + i) into their place in the picture as displayed under the orientation (2 to 8), whose line 0 is
/// picture. The band is turned a line or a column at a time; the rest of the picture is left as it is.
void turnRows(const uchar* band, qsizetype bandStride, int firstRow, int count, QSize stored, int orientation,
              uchar* picture, qsizetype bytesPerLine);

} // namespace picture
