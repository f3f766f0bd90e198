#include "picture/exif_orientation.h"

#include <QTransform>
#include <algorithm>
#include <memory>

#include <libexif/exif-data.h>

namespace picture {
namespace {

struct ExifDataFree
{
    void operator()(ExifData* data) const { exif_data_unref(data); }
};

QImage turned(const QImage& picture, int degrees)
{
    return picture.transformed(QTransform().rotate(degrees));
}

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

QImage orientedPicture(const QImage& stored, int orientation)
{
    switch (orientation) {
    case 2:
        return stored.mirrored(true, false);
    case 3:
        return stored.mirrored(true, true);
    case 4:
        return stored.mirrored(false, true);
    case 5: // transposed: the top row becomes the left column
        return turned(stored.mirrored(true, false), 270);
    case 6:
        return turned(stored, 90);
    case 7: // transversed: the top row becomes the right column, read upwards
        return turned(stored.mirrored(true, false), 90);
    case 8:
        return turned(stored, 270);
    default:
        return stored;
    }
}

} // namespace picture
