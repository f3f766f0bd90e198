// make_fuzz_seeds <output-folder>: small JPEG files that lead the JPEG fuzz target into the decoder's less common
// paths: embedded colour profiles (RGB, Gray, CMYK, damaged), every EXIF orientation, the Adobe marker's colour
// transforms, arithmetic coding. fuzz/make_seeds.sh adds restart markers and progressive scan scripts with jpegtran.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include <lcms2.h>

#include "jpeg_encoder/jpeg_encoder.h"

namespace {

using jpegencoder::Samples;

constexpr QSize SeedSize(40, 24);

// A picture of bands and a diagonal, so that every channel varies along both axes.
std::vector<unsigned char> samplesOf(Samples samples)
{
    const int channels = jpegencoder::bytesPerPixel(samples);
    std::vector<unsigned char> pixels(static_cast<size_t>(SeedSize.width() * SeedSize.height() * channels));
    for (int y = 0; y < SeedSize.height(); ++y)
        for (int x = 0; x < SeedSize.width(); ++x)
            for (int c = 0; c < channels; ++c)
                pixels[static_cast<size_t>((y * SeedSize.width() + x) * channels + c)] =
                    static_cast<unsigned char>((x * 6 * (c + 1) + y * 9 + (x == y) * 120) & 0xFF);
    return pixels;
}

QByteArray encoded(jpegencoder::Encoding encoding)
{
    encoding.size = SeedSize;
    encoding.quality = 70;
    const std::vector<unsigned char> pixels = samplesOf(encoding.samples);
    const int line = SeedSize.width() * jpegencoder::bytesPerPixel(encoding.samples);
    const jpegencoder::Encoded result =
        jpegencoder::encode(encoding, [&](int y) { return pixels.data() + static_cast<size_t>(y * line); });
    if (!result.error.isEmpty()) {
        std::fprintf(stderr, "make_fuzz_seeds: %s\n", qPrintable(result.error));
        std::exit(1);
    }
    return result.bytes;
}

QByteArray savedProfile(cmsHPROFILE profile)
{
    cmsUInt32Number size = 0;
    cmsSaveProfileToMem(profile, nullptr, &size);
    QByteArray bytes(static_cast<qsizetype>(size), '\0');
    cmsSaveProfileToMem(profile, bytes.data(), &size);
    cmsCloseProfile(profile);
    return bytes;
}

// Wide primaries and a plain gamma: a matrix-and-curve profile that is not sRGB.
QByteArray rgbProfile()
{
    const cmsCIExyY white = {0.3127, 0.3290, 1.0};
    const cmsCIExyYTRIPLE primaries = {{0.68, 0.31, 1.0}, {0.21, 0.71, 1.0}, {0.15, 0.06, 1.0}};
    cmsToneCurve* curve = cmsBuildGamma(nullptr, 2.2);
    cmsToneCurve* curves[3] = {curve, curve, curve};
    cmsHPROFILE profile = cmsCreateRGBProfile(&white, &primaries, curves);
    cmsFreeToneCurve(curve);
    return savedProfile(profile);
}

QByteArray grayProfile()
{
    cmsToneCurve* curve = cmsBuildGamma(nullptr, 1.8);
    cmsHPROFILE profile = cmsCreateGrayProfile(cmsD50_xyY(), curve);
    cmsFreeToneCurve(curve);
    return savedProfile(profile);
}

// Lab of a CMYK grid point: ink darkens, cyan turns towards green-blue, magenta towards red, yellow towards yellow.
cmsInt32Number cmykToLab(const cmsUInt16Number in[], cmsUInt16Number out[], void*)
{
    const double c = in[0] / 65535.0, m = in[1] / 65535.0, y = in[2] / 65535.0, k = in[3] / 65535.0;
    const cmsCIELab lab = {100 * (1 - k) * (1 - 0.3 * c) * (1 - 0.4 * m) * (1 - 0.1 * y), 60 * (m - c),
                           70 * y - 50 * c};
    cmsFloat2LabEncoded(out, &lab);
    return TRUE;
}

// An input profile for CMYK with a table from CMYK to Lab, as printers' profiles carry.
QByteArray cmykProfile()
{
    cmsHPROFILE profile = cmsCreateProfilePlaceholder(nullptr);
    cmsSetProfileVersion(profile, 4.3);
    cmsSetDeviceClass(profile, cmsSigOutputClass);
    cmsSetColorSpace(profile, cmsSigCmykData);
    cmsSetPCS(profile, cmsSigLabData);
    cmsPipeline* toLab = cmsPipelineAlloc(nullptr, 4, 3);
    cmsStage* table = cmsStageAllocCLut16bit(nullptr, 3, 4, 3, nullptr);
    cmsStageSampleCLut16bit(table, cmykToLab, nullptr, 0);
    // The form of a table that lutAtoBType can hold: curves (here the identity), the table, curves.
    cmsPipelineInsertStage(toLab, cmsAT_END, cmsStageAllocToneCurves(nullptr, 4, nullptr));
    cmsPipelineInsertStage(toLab, cmsAT_END, table);
    cmsPipelineInsertStage(toLab, cmsAT_END, cmsStageAllocToneCurves(nullptr, 3, nullptr));
    cmsWriteTag(profile, cmsSigAToB0Tag, toLab);
    cmsPipelineFree(toLab);
    cmsMLU* name = cmsMLUalloc(nullptr, 1);
    cmsMLUsetASCII(name, "en", "US", "fuzz seed CMYK");
    cmsWriteTag(profile, cmsSigProfileDescriptionTag, name);
    cmsMLUfree(name);
    cmsWriteTag(profile, cmsSigMediaWhitePointTag, cmsD50_XYZ());
    return savedProfile(profile);
}

// An EXIF segment's contents: a little-endian TIFF block whose first directory holds only the orientation.
QByteArray exifOrientation(int orientation)
{
    const unsigned char block[] = {'E',
                                   'x',
                                   'i',
                                   'f',
                                   0,
                                   0,
                                   'I',
                                   'I',
                                   42,
                                   0,
                                   8,
                                   0,
                                   0,
                                   0, // header, directory at 8
                                   1,
                                   0, // one entry
                                   0x12,
                                   0x01,
                                   3,
                                   0,
                                   1,
                                   0,
                                   0,
                                   0, // orientation, SHORT, 1
                                   static_cast<unsigned char>(orientation),
                                   0,
                                   0,
                                   0, // its value
                                   0,
                                   0,
                                   0,
                                   0}; // no next directory
    return QByteArray(reinterpret_cast<const char*>(block), sizeof block);
}

void write(const QDir& folder, const QByteArray& name, const QByteArray& bytes)
{
    QFile file(folder.filePath(QString::fromLatin1(name)));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "make_fuzz_seeds: cannot write %s\n", qPrintable(file.fileName()));
        std::exit(1);
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_fuzz_seeds <output-folder>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(out.path()))
        return 1;

    const QByteArray rgb = rgbProfile(), gray = grayProfile(), cmyk = cmykProfile();
    // Damaged profiles: cut short, its tag table pointing past the end, and a header of noise after the signature.
    QByteArray pastTheEnd = rgb;
    pastTheEnd[128 + 4 + 4] = char(0x7F);
    QByteArray noise = rgb;
    for (int i = 8; i < 36; ++i)
        noise[i] = static_cast<char>(i * 37);
    using jpegencoder::Encoding;
    const struct
    {
        QByteArray name;
        std::function<void(Encoding&)> set;
    } seeds[] = {
        {"icc_rgb", [&](Encoding& e) { e.iccProfile = rgb; }},
        {"icc_rgb_progressive", [&](Encoding& e) { e.iccProfile = rgb, e.progressive = true; }},
        {"icc_gray", [&](Encoding& e) { e.iccProfile = gray, e.samples = Samples::Gray; }},
        {"icc_gray_on_rgb", [&](Encoding& e) { e.iccProfile = gray; }},
        {"icc_rgb_on_gray", [&](Encoding& e) { e.iccProfile = rgb, e.samples = Samples::Gray; }},
        {"icc_cmyk", [&](Encoding& e) { e.iccProfile = cmyk, e.samples = Samples::Cmyk; }},
        {"icc_cmyk_ycck", [&](Encoding& e) { e.iccProfile = cmyk, e.samples = Samples::Cmyk, e.ycck = true; }},
        {"icc_cmyk_on_rgb", [&](Encoding& e) { e.iccProfile = cmyk; }},
        {"icc_truncated", [&](Encoding& e) { e.iccProfile = rgb.left(rgb.size() / 2); }},
        {"icc_tags_past_end", [&](Encoding& e) { e.iccProfile = pastTheEnd; }},
        {"icc_header_noise", [&](Encoding& e) { e.iccProfile = noise; }},
        {"exif_orientation_9", [](Encoding& e) { e.exif = exifOrientation(9); }},
        {"exif_cut_short", [](Encoding& e) { e.exif = exifOrientation(6).left(18); }},
        {"adobe_cmyk", [](Encoding& e) { e.samples = Samples::Cmyk; }},
        {"adobe_ycck", [](Encoding& e) { e.samples = Samples::Cmyk, e.ycck = true; }},
        {"cmyk_without_adobe", [](Encoding& e) { e.samples = Samples::Cmyk, e.adobeMarker = false; }},
        {"arithmetic_progressive", [](Encoding& e) { e.arithmetic = true, e.progressive = true; }},
        {"arithmetic_cmyk", [](Encoding& e) { e.arithmetic = true, e.samples = Samples::Cmyk; }},
        {"arithmetic_gray", [](Encoding& e) { e.arithmetic = true, e.samples = Samples::Gray; }},
        {"full_chroma_optimised", [](Encoding& e) { e.optimisedCoding = true, e.chroma = jpegencoder::Chroma::Full; }},
    };
    for (const auto& seed : seeds) {
        Encoding encoding;
        seed.set(encoding);
        write(out, seed.name + ".jpg", encoded(encoding));
    }
    for (int orientation = 1; orientation <= 8; ++orientation) {
        Encoding encoding;
        encoding.exif = exifOrientation(orientation);
        write(out, "exif_orientation_" + QByteArray::number(orientation) + ".jpg", encoded(encoding));
    }
    return 0;
}
