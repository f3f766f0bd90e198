#include "jpeg_writer.h"

#include <QFile>
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace toolcommon {

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

// Holds only trivially destructible locals, since libjpeg leaves it by longjmp.
bool compress(const QImage& image, std::FILE* file, int quality, bool progressive, Chroma chroma, char* message)
{
    jpeg_compress_struct info;
    ErrorManager errors;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = errorExit;
    errors.message[0] = '\0';
    if (setjmp(errors.jump)) {
        jpeg_destroy_compress(&info);
        std::snprintf(message, JMSG_LENGTH_MAX, "%s", errors.message);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = JDIMENSION(image.width());
    info.image_height = JDIMENSION(image.height());
    info.input_components = 4;
    info.in_color_space = JCS_EXT_BGRX; // the byte order of QImage::Format_RGB32 on little-endian machines
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    info.comp_info[0].h_samp_factor = chroma == Chroma::Halved ? 2 : 1;
    info.comp_info[0].v_samp_factor = chroma == Chroma::Halved ? 2 : 1;
    info.optimize_coding = TRUE;
    if (progressive)
        jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(image.constScanLine(int(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

} // namespace

QString writeJpeg(const QImage& source, const QString& path, int quality, bool progressive, Chroma chroma)
{
    static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "JCS_EXT_BGRX matches Format_RGB32 only on little-endian machines");
    const QImage image =
        source.format() == QImage::Format_RGB32 ? source : source.convertToFormat(QImage::Format_RGB32);
    std::FILE* file = std::fopen(QFile::encodeName(path).constData(), "wb");
    if (!file)
        return QStringLiteral("Cannot create %1").arg(path);
    char message[JMSG_LENGTH_MAX] = {};
    const bool written = compress(image, file, quality, progressive, chroma, message);
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        QFile::remove(path);
        return QStringLiteral("Cannot write %1: %2")
            .arg(path, written ? QStringLiteral("write error") : QString::fromLocal8Bit(message));
    }
    return {};
}

} // namespace toolcommon
