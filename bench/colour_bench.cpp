// The cost of an embedded colour profile: the same map decoded with and without one, alternating, in one process
// (the picture's memory is reused, as when the viewer opens the next map), so that the difference is the conversion.
#include "colour_bench.h"

#include <QFile>
#include <lcms2.h>
#include <vector>

#include "measure.h"
#include "platform/jpeg_decoder.h"

namespace bench {
namespace {

// Adobe RGB (1998): its primaries, D65 and a gamma of 563/256, as scanners embed it.
QByteArray adobeLikeProfile()
{
    cmsCIExyY white;
    cmsWhitePointFromTemp(&white, 6504);
    const cmsCIExyYTRIPLE primaries = {{0.64, 0.33, 1.0}, {0.21, 0.71, 1.0}, {0.15, 0.06, 1.0}};
    cmsToneCurve* curve = cmsBuildGamma(nullptr, 563.0 / 256.0);
    cmsToneCurve* curves[3] = {curve, curve, curve};
    cmsHPROFILE profile = cmsCreateRGBProfile(&white, &primaries, curves);
    cmsUInt32Number size = 0;
    cmsSaveProfileToMem(profile, nullptr, &size);
    QByteArray bytes(static_cast<qsizetype>(size), Qt::Uninitialized);
    cmsSaveProfileToMem(profile, bytes.data(), &size);
    cmsCloseProfile(profile);
    cmsFreeToneCurve(curve);
    return bytes;
}

// The file with one APP2 segment holding the whole profile, right after the start-of-image marker.
QByteArray withProfile(const QByteArray& jpeg, const QByteArray& profile)
{
    QByteArray segment("\xFF\xE2", 2);
    const int length = 2 + 14 + static_cast<int>(profile.size());
    segment.append(static_cast<char>(length >> 8)).append(static_cast<char>(length & 0xFF));
    segment.append("ICC_PROFILE", 12).append('\x01').append('\x01').append(profile);
    return jpeg.left(2) + segment + jpeg.mid(2);
}

double decodeOnce(const QByteArray& bytes)
{
    platform::JpegDecodeOptions options;
    options.previewRows = 1016; // as the viewer
    const double start = now();
    const platform::JpegDecodeResult decoded = platform::decodeJpeg(bytes, options);
    return decoded.ok() ? now() - start : -1;
}

} // namespace

int colourConversionCost(const QString& name, const QString& path, int runs)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 1;
    const QByteArray plain = file.readAll();
    const QByteArray tagged = withProfile(plain, adobeLikeProfile());
    std::vector<double> untaggedTimes, taggedTimes;
    decodeOnce(plain); // the picture's memory present before the first measured run
    for (int i = 0; i < runs; ++i) {
        untaggedTimes.push_back(decodeOnce(plain));
        taggedTimes.push_back(decodeOnce(tagged));
        if (untaggedTimes.back() <= 0 || taggedTimes.back() <= 0)
            return 1;
    }
    const double untagged = median(untaggedTimes), withConversion = median(taggedTimes);
    emitFigure(name + "_decode_untagged", untagged * 1000, "ms", 1);
    emitFigure(name + "_decode_icc", withConversion * 1000, "ms", 1);
    emitFigure(name + "_icc_convert_ratio", (withConversion - untagged) / untagged, "x");
    return 0;
}

} // namespace bench
