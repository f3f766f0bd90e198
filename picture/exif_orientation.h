#pragma once

#include <QImage>
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

/// The stored picture as displayed under the orientation (1 to 8): mirrored, turned, or both.
QImage orientedPicture(const QImage& stored, int orientation);

} // namespace picture
