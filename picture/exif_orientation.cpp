#include "picture/exif_orientation.h"

#include <algorithm>
#include <memory>

#include <libexif/exif-data.h>

namespace picture {
namespace {

struct ExifDataFree
{
    void operator()(ExifData* data) const { exif_data_unref(data); }
};

} // namespace

int exifOrientation(const unsigned char* segment, std::size_t length)
{
    static constexpr unsigned char Header[] = {'E', 'x', 'i', 'f', 0, 0};
    if (!segment || length <= sizeof Header || std::equal(Header, Header + sizeof Header, segment) == false)
        return 1;
    const std::unique_ptr<ExifData, ExifDataFree> data(exif_data_new());
    if (!data)
        return 1;
    // Only the orientation is wanted: no maker notes, no repair of what is damaged.
    exif_data_unset_option(data.get(), EXIF_DATA_OPTION_FOLLOW_SPECIFICATION);
    exif_data_set_option(data.get(), EXIF_DATA_OPTION_IGNORE_UNKNOWN_TAGS);
    exif_data_load_data(data.get(), segment, static_cast<unsigned int>(length));
    ExifEntry* entry = exif_content_get_entry(data->ifd[EXIF_IFD_0], EXIF_TAG_ORIENTATION);
    if (!entry || entry->format != EXIF_FORMAT_SHORT || entry->components != 1 || !entry->data || entry->size < 2)
        return 1;
    const int orientation = exif_get_short(entry->data, exif_data_get_byte_order(data.get()));
    return orientation >= 1 && orientation <= 8 ? orientation : 1;
}

QRect displayedPart(QRect part, QSize stored, int orientation)
{
    const int w = stored.width(), h = stored.height();
    // The edges a part lies from, mirrored: its right gap becomes its left one.
    const int fromRight = w - part.x() - part.width(), fromBottom = h - part.y() - part.height();
    switch (orientation) {
    case 2:
        return QRect(fromRight, part.y(), part.width(), part.height());
    case 3:
        return QRect(fromRight, fromBottom, part.width(), part.height());
    case 4:
        return QRect(part.x(), fromBottom, part.width(), part.height());
    case 5: // transposed: the top row becomes the left column
        return QRect(part.y(), part.x(), part.height(), part.width());
    case 6: // turned clockwise: the top row becomes the right column
        return QRect(fromBottom, part.x(), part.height(), part.width());
    case 7: // transversed: the top row becomes the right column, read upwards
        return QRect(fromBottom, fromRight, part.height(), part.width());
    case 8: // turned anticlockwise: the top row becomes the left column, read upwards
        return QRect(part.y(), fromRight, part.height(), part.width());
    default:
        return part;
    }
}

QRect storedPart(QRect displayed, QSize stored, int orientation)
{
    // Each orientation undoes itself but the quarter turns, which undo each other.
    const int inverse = orientation == 6 ? 8 : orientation == 8 ? 6 : orientation;
    return displayedPart(displayed, displayedSize(stored, orientation), inverse);
}

void turnRows(const uchar* band, qsizetype bandStride, int firstRow, int count, QSize stored, int orientation,
              uchar* picture, qsizetype bytesPerLine)
{
    const int w = stored.width(), h = stored.height();
    const auto bandLine = [&](int i) { return reinterpret_cast<const quint32*>(band + i * bandStride); };
    if (!swapsSides(orientation)) {
        const bool upsideDown = orientation == 3 || orientation == 4;
        const bool mirrored = orientation == 2 || orientation == 3;
        for (int i = 0; i < count; ++i) {
            const int row = upsideDown ? h - 1 - (firstRow + i) : firstRow + i;
            auto* line = reinterpret_cast<quint32*>(picture + row * bytesPerLine);
            if (mirrored)
                std::reverse_copy(bandLine(i), bandLine(i) + w, line);
            else
                std::copy_n(bandLine(i), w, line);
        }
        return;
    }
    // Stored column x becomes displayed row x (5, 6) or w - 1 - x (7, 8); stored row y displayed column y (5, 8) or
    // h - 1 - y (6, 7). A column of the band is count neighbouring pixels of one displayed line, a cache line for a
    // band of 16 rows.
    const bool rowsFromEnd = orientation == 7 || orientation == 8;
    const bool columnsFromEnd = orientation == 6 || orientation == 7;
    const int firstColumn = columnsFromEnd ? h - 1 - firstRow : firstRow;
    const int step = columnsFromEnd ? -1 : 1;
    for (int x = 0; x < w; ++x) {
        const int row = rowsFromEnd ? w - 1 - x : x;
        quint32* out = reinterpret_cast<quint32*>(picture + row * bytesPerLine) + firstColumn;
        for (int i = 0; i < count; ++i, out += step)
            *out = bandLine(i)[x];
    }
}

} // namespace picture
