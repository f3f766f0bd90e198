#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

namespace picture {

/// What a decoder's rows hold before conversion: RGB32 pixels, RGB32 pixels of a greyscale picture (its three channels
/// equal), or CMYK samples (4 bytes a pixel) as libjpeg gives them, stored inverted (255 means no ink) when
/// invertedCmyk.
enum class ProfileInput { Rgb32, Gray, Cmyk, InvertedCmyk };

/// The instructions a matrix-and-curve conversion runs on: one pixel at a time, 32 pixels in AVX2 registers, or 64 in
/// AVX-512 registers. Fastest is the widest this processor has, unless the environment variable MAPCATALOGUE_SIMD
/// (scalar, avx2 or avx512, read once) names a narrower one.
enum class ConversionPath { Fastest, Scalar, Avx2, Avx512 };

/// Turns rows of a picture from its embedded ICC profile's colours into sRGB RGB32 pixels, in place. Matrix-and-curve
/// RGB profiles (the common scanner and camera profiles) go through integer tables of this program's own, sixty to
/// three hundred times faster than Little CMS, and a greyscale picture's Gray profile through a table of its 256
/// levels; every other profile kind (table-based RGB, CMYK) through Little CMS.
class ColourConversion
{
public:
    /// The conversion for an ICC profile, or null when there is nothing to do (no profile, or one that is sRGB within a
    /// level) or the profile cannot be used: a profile that fails to parse or does not fit the picture's colours is
    /// ignored, with a warning in warning.
    /// A path the processor lacks, or one a profile's curves cannot take within a level, gives way to the next
    /// narrower.
    static std::unique_ptr<ColourConversion> fromIcc(const QByteArray& profile, ProfileInput input, QString* warning,
                                                     ConversionPath path = ConversionPath::Fastest);
    /// True when this processor can run the path.
    static bool pathAvailable(ConversionPath path);
    virtual ~ColourConversion() = default;

    /// Converts rows lines of width pixels, the first at firstLine, bytesPerLine apart. Safe to call from several
    /// threads at once.
    virtual void convertRows(unsigned char* firstLine, qsizetype bytesPerLine, int width, int rows) const = 0;

    /// The path this conversion takes for all but a line's last pixels; Scalar for those Little CMS converts.
    virtual ConversionPath path() const { return ConversionPath::Scalar; }
};

} // namespace picture
