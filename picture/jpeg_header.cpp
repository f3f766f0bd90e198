// The header's facts: orientation, output colours and scale, colour profile, the size check and the picture's memory.
#include <QImage>
#include <algorithm>
#include <cstdlib>
#include <limits>
#include <new>

#include "picture/exif_orientation.h"
#include "picture/jpeg_session.h"
#include "picture/picture_buffers.h"

namespace picture::decoding {

// Refuses a picture whose decoded size exceeds the budget or what QImage can hold, before any pixel buffer exists.
bool sizeAccepted(Session& session)
{
    const qint64 width = session.cinfo.output_width;
    const qint64 height = pictureRows(session);
    const qint64 pixels = width * height;
    // Turned, the rows as stored are the picture's columns.
    const bool fitsQImage = std::max(width, height) <= std::numeric_limits<int>::max() / 4 &&
                            pixels <= std::numeric_limits<qsizetype>::max() / 4;
    if (width <= 0 || height <= 0) {
        session.failed = failure::Failure{failure::What::NoPixels, {}, {}, {}};
        return false;
    }
    if (pixels > session.options->maxPixels || !fitsQImage) {
        session.failed =
            failure::Failure{failure::What::PictureTooLarge, {}, {}, {width, height, session.options->maxPixels}};
        return false;
    }
    return true;
}

bool allocateImage(Session& session)
{
    const int width = static_cast<int>(session.cinfo.output_width);
    const int height = pictureRows(session);
    // The picture is made as displayed; a turned one's rows pass through a band of stored rows on their way into it.
    const QSize shown = displayedSize(QSize(width, height), session.orientation);
    if (session.orientation != 1)
        session.band.reset(new (std::nothrow) uchar[std::size_t(RowsPerBatch) * 4 * std::size_t(width)]);
    // A head is a small side picture: the pool keeps its buffer for the full pictures.
    if (session.orientation == 1 || session.band)
        session.image = session.options->headRows > 0
                            ? QImage(shown, QImage::Format_RGB32)
                            : newPicture(shown.width(), shown.height(), session.options->pool);
    if (session.image.isNull()) {
        session.failed = failure::Failure{failure::What::NoMemoryForPicture, {}, {}, {width, height}};
        return false;
    }
    session.firstLine = session.image.bits();
    session.bytesPerLine = session.image.bytesPerLine();
    const QImage& head = session.options->knownHead;
    const bool headFits = !head.isNull() && head.format() == QImage::Format_RGB32 && head.width() == width &&
                          head.height() <= height && session.options->headRows == 0 && session.orientation == 1;
    if (headFits) {
        for (int row = 0; row < head.height(); ++row)
            std::copy_n(head.constScanLine(row), qsizetype(width) * 4, lineOf(session, static_cast<JDIMENSION>(row)));
    }
    if (session.options->pictureStarted)
        callBack(session, [&] { session.options->pictureStarted(session.image); });
    if (headFits)
        showRows(session, 0, head.height());
    return !session.failed;
}

void chooseOutput(Session& session)
{
    jpeg_decompress_struct& cinfo = session.cinfo;
    if (cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK) {
        // libjpeg will not turn these into RGB; they are decoded as CMYK into the picture's own lines and converted.
        cinfo.out_color_space = JCS_CMYK;
        session.cmyk = true;
        session.adobeInverted = cinfo.saw_Adobe_marker;
    } else {
        // The RGB32 pixel 0xFFRRGGBB in memory order; the fourth byte libjpeg writes is always 0xFF.
        cinfo.out_color_space = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRA : JCS_EXT_ARGB;
    }
    const QSize fileSize(static_cast<int>(cinfo.image_width), static_cast<int>(cinfo.image_height));
    cinfo.scale_num = 1;
    // The box is for the picture as displayed; the file stores a turned picture on its side.
    const QSize box = swapsSides(session.orientation) ? session.options->fitBox.transposed() : session.options->fitBox;
    cinfo.scale_denom = static_cast<unsigned int>(dctScaleDenominator(fileSize, box));
}

// The orientation of the first EXIF segment; a damaged one counts as none.
void readOrientation(Session& session)
{
    for (jpeg_saved_marker_ptr marker = session.cinfo.marker_list; marker; marker = marker->next) {
        if (marker->marker == JPEG_APP0 + 1 && marker->data_length > 6 && marker->data[0] == 'E') {
            session.orientation = exifOrientation(marker->data, marker->data_length);
            return;
        }
    }
}

// The embedded ICC profile, if any, as a conversion of the decoded rows. A profile that cannot be used leaves the
// colours as stored: the picture is still worth showing, so the fault is only noted on standard error.
void readColourProfile(Session& session)
{
    JOCTET* bytes = nullptr;
    unsigned int length = 0;
    if (!jpeg_read_icc_profile(&session.cinfo, &bytes, &length))
        return;
    const QByteArray profile(reinterpret_cast<const char*>(bytes), static_cast<qsizetype>(length));
    std::free(bytes);
    ProfileInput input = session.adobeInverted ? ProfileInput::InvertedCmyk : ProfileInput::Cmyk;
    if (!session.cmyk)
        input = session.cinfo.jpeg_color_space == JCS_GRAYSCALE ? ProfileInput::Gray : ProfileInput::Rgb32;
    QString warning;
    session.colour = ColourConversion::fromIcc(profile, input, &warning);
    if (!warning.isEmpty())
        std::fprintf(stderr, "mapcatalogue: %s; the picture is shown with its colours as stored\n",
                     warning.toLocal8Bit().constData());
}

} // namespace picture::decoding
