#include "picture/jpeg_rows.h"

#include <algorithm>

#include "picture/colour_profile.h"
#include "picture/exif_orientation.h"
#include "picture/jpeg_cmyk.h"

namespace picture {

JDIMENSION readRowBatch(jpeg_decompress_struct* cinfo, JDIMENSION end, const RowDestination& to)
{
    const int width = static_cast<int>(cinfo->output_width);
    const bool turned = to.orientation != 1;
    const qsizetype stride = turned ? qsizetype(width) * 4 : to.bytesPerLine;
    const JDIMENSION first = cinfo->output_scanline;
    const JDIMENSION count = std::min<JDIMENSION>(RowsPerBatch, end - first);
    JSAMPROW rows[RowsPerBatch];
    for (JDIMENSION i = 0; i < count; ++i)
        rows[i] = turned ? to.band + i * stride : to.firstLine + static_cast<qsizetype>(first + i) * stride;
    // A turned band is turned whole, so it is filled first; upright rows are finished as they come.
    JDIMENSION read = 0;
    do {
        const JDIMENSION more = jpeg_read_scanlines(cinfo, rows + read, count - read);
        if (more == 0)
            return 0;
        read += more;
    } while (turned && read < count);
    if (to.colour)
        to.colour->convertRows(rows[0], stride, width, static_cast<int>(read));
    else if (to.cmyk)
        for (JDIMENSION i = 0; i < read; ++i)
            cmykLineToRgb32(rows[i], width, to.adobeInverted);
    if (turned)
        turnRows(to.band, stride, static_cast<int>(first), static_cast<int>(read), to.stored, to.orientation,
                 to.firstLine, to.bytesPerLine);
    return read;
}

} // namespace picture
