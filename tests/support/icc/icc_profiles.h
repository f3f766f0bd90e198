#pragma once

#include <QByteArray>
#include <lcms2.h>

// Colour profiles made for the files the tests and the benchmarks write, and the segment that carries one in a JPEG.
namespace iccprofiles {

/// sRGB's primaries, in the order red, green, blue.
inline constexpr cmsCIExyYTRIPLE SrgbPrimaries = {{0.64, 0.33, 1.0}, {0.30, 0.60, 1.0}, {0.15, 0.06, 1.0}};

/// A matrix-and-curve RGB profile: its white at a colour temperature, its primaries, one curve for all channels (a
/// gamma, or sRGB's curve when 0).
QByteArray rgbProfile(const cmsCIExyYTRIPLE& primaries, int whiteKelvin = 6504, double gamma = 0);

/// A Gray profile with a D50 white and a gamma curve (1.0: linear).
QByteArray grayProfile(double gamma);

/// Adobe RGB (1998): its primaries, D65 and a gamma of 563/256, as scanners embed it.
QByteArray adobeRgbProfile();

/// The profile's bytes as a JPEG file embeds them; the profile is closed.
QByteArray savedAndClosed(cmsHPROFILE profile);

/// The JPEG file with one APP2 segment holding the whole profile (up to 65 519 bytes) right after the start-of-image
/// marker.
QByteArray withProfileSegment(const QByteArray& jpeg, const QByteArray& profile);

} // namespace iccprofiles
