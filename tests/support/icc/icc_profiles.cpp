#include "icc_profiles.h"

namespace iccprofiles {

namespace {

const cmsFloat64Number SrgbCurve[5] = {2.4, 1 / 1.055, 0.055 / 1.055, 1 / 12.92, 0.04045};

} // namespace

QByteArray savedAndClosed(cmsHPROFILE profile)
{
    cmsUInt32Number size = 0;
    cmsSaveProfileToMem(profile, nullptr, &size);
    QByteArray bytes(static_cast<qsizetype>(size), Qt::Uninitialized);
    cmsSaveProfileToMem(profile, bytes.data(), &size);
    cmsCloseProfile(profile);
    return bytes;
}

QByteArray rgbProfile(const cmsCIExyYTRIPLE& primaries, int whiteKelvin, double gamma)
{
    cmsCIExyY white;
    cmsWhitePointFromTemp(&white, whiteKelvin);
    cmsToneCurve* curve =
        gamma > 0 ? cmsBuildGamma(nullptr, gamma) : cmsBuildParametricToneCurve(nullptr, 4, SrgbCurve);
    cmsToneCurve* curves[3] = {curve, curve, curve};
    cmsHPROFILE profile = cmsCreateRGBProfile(&white, &primaries, curves);
    QByteArray bytes = savedAndClosed(profile);
    cmsFreeToneCurve(curve);
    return bytes;
}

QByteArray grayProfile(double gamma)
{
    cmsToneCurve* curve = cmsBuildGamma(nullptr, gamma);
    QByteArray bytes = savedAndClosed(cmsCreateGrayProfile(cmsD50_xyY(), curve));
    cmsFreeToneCurve(curve);
    return bytes;
}

QByteArray adobeRgbProfile()
{
    return rgbProfile({{0.64, 0.33, 1.0}, {0.21, 0.71, 1.0}, {0.15, 0.06, 1.0}}, 6504, 563.0 / 256.0);
}

QByteArray withProfileSegment(const QByteArray& jpeg, const QByteArray& profile)
{
    QByteArray segment("\xFF\xE2", 2);
    const int length = 2 + 14 + static_cast<int>(profile.size());
    segment.append(static_cast<char>(length >> 8)).append(static_cast<char>(length & 0xFF));
    segment.append("ICC_PROFILE", 12).append('\x01').append('\x01').append(profile);
    return jpeg.left(2) + segment + jpeg.mid(2);
}

} // namespace iccprofiles
