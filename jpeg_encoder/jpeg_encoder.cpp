#include "jpeg_encoder/jpeg_encoder.h"

#include <csetjmp>
#include <cstring>

#include <jpeglib.h>

namespace jpegencoder {

namespace {

struct ErrorManager
{
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void errorExit(j_common_ptr info)
{
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, manager->message);
    std::longjmp(manager->jump, 1);
}

// Appends the compressed bytes to a QByteArray owned outside the function libjpeg may leave by longjmp.
struct ByteArrayDestination
{
    jpeg_destination_mgr base;
    QByteArray* bytes;
    JOCTET buffer[16384];
};

void startOutput(j_compress_ptr info)
{
    auto* destination = reinterpret_cast<ByteArrayDestination*>(info->dest);
    destination->base.next_output_byte = destination->buffer;
    destination->base.free_in_buffer = sizeof destination->buffer;
}

boolean flushOutput(j_compress_ptr info)
{
    auto* destination = reinterpret_cast<ByteArrayDestination*>(info->dest);
    destination->bytes->append(reinterpret_cast<const char*>(destination->buffer), sizeof destination->buffer);
    startOutput(info);
    return TRUE;
}

void endOutput(j_compress_ptr info)
{
    auto* destination = reinterpret_cast<ByteArrayDestination*>(info->dest);
    destination->bytes->append(reinterpret_cast<const char*>(destination->buffer),
                               qsizetype(sizeof destination->buffer - destination->base.free_in_buffer));
}

J_COLOR_SPACE inputSpaceOf(Samples samples)
{
    switch (samples) {
    case Samples::Rgb:
        return JCS_RGB;
    case Samples::Bgrx:
        return JCS_EXT_BGRX;
    case Samples::Gray:
        return JCS_GRAYSCALE;
    case Samples::Cmyk:
        return JCS_CMYK;
    }
    return JCS_RGB;
}

// Holds only trivially destructible locals, since libjpeg leaves it by longjmp.
bool compress(const Encoding& encoding, const std::function<const unsigned char*(int y)>& rowAt,
              ByteArrayDestination& destination, char* message)
{
    jpeg_compress_struct info;
    ErrorManager errors;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = errorExit;
    errors.message[0] = '\0';
    if (setjmp(errors.jump)) {
        jpeg_destroy_compress(&info);
        std::memcpy(message, errors.message, JMSG_LENGTH_MAX);
        return false;
    }
    jpeg_create_compress(&info);
    info.dest = &destination.base;
    info.image_width = JDIMENSION(encoding.size.width());
    info.image_height = JDIMENSION(encoding.size.height());
    info.input_components = bytesPerPixel(encoding.samples);
    info.in_color_space = inputSpaceOf(encoding.samples);
    jpeg_set_defaults(&info);
    if (encoding.samples == Samples::Cmyk) {
        if (encoding.ycck)
            jpeg_set_colorspace(&info, JCS_YCCK);
        info.write_Adobe_marker = encoding.adobeMarker;
    }
    jpeg_set_quality(&info, encoding.quality, TRUE);
    if (encoding.chroma == Chroma::Full) {
        info.comp_info[0].h_samp_factor = 1;
        info.comp_info[0].v_samp_factor = 1;
    }
    if (!encoding.sampling.isEmpty()) {
        info.comp_info[0].h_samp_factor = encoding.sampling.width();
        info.comp_info[0].v_samp_factor = encoding.sampling.height();
    }
    if (!encoding.secondSampling.isEmpty() && info.num_components > 1) {
        info.comp_info[1].h_samp_factor = encoding.secondSampling.width();
        info.comp_info[1].v_samp_factor = encoding.secondSampling.height();
    }
    info.restart_interval = static_cast<unsigned int>(encoding.restartInterval);
    info.optimize_coding = encoding.optimisedCoding;
    if (encoding.progressive)
        jpeg_simple_progression(&info);
    info.arith_code = encoding.arithmetic;
    jpeg_start_compress(&info, TRUE);
    if (!encoding.exif.isEmpty()) {
        jpeg_write_marker(&info, JPEG_APP0 + 1, reinterpret_cast<const JOCTET*>(encoding.exif.constData()),
                          unsigned(encoding.exif.size()));
    }
    if (!encoding.iccProfile.isEmpty()) {
        jpeg_write_icc_profile(&info, reinterpret_cast<const JOCTET*>(encoding.iccProfile.constData()),
                               unsigned(encoding.iccProfile.size()));
    }
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rowAt(int(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

} // namespace

int bytesPerPixel(Samples samples)
{
    switch (samples) {
    case Samples::Gray:
        return 1;
    case Samples::Rgb:
        return 3;
    case Samples::Bgrx:
    case Samples::Cmyk:
        return 4;
    }
    return 3;
}

Encoded encode(const Encoding& encoding, const std::function<const unsigned char*(int y)>& rowAt)
{
    Encoded encoded;
    ByteArrayDestination destination{};
    destination.base.init_destination = startOutput;
    destination.base.empty_output_buffer = flushOutput;
    destination.base.term_destination = endOutput;
    destination.bytes = &encoded.bytes;
    char message[JMSG_LENGTH_MAX] = {};
    if (!compress(encoding, rowAt, destination, message)) {
        encoded.bytes.clear();
        encoded.error = QString::fromLocal8Bit(message);
    }
    return encoded;
}

} // namespace jpegencoder
