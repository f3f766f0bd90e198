#include "picture/colour_profile.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

#include <lcms2.h>

#include "picture/matrix_shaper_avx2.h"
#include "picture/matrix_shaper_avx512.h"

namespace picture {
namespace {

// A matrix-and-curve RGB profile (the usual scanner and camera profiles) in integers. The profile maps each channel's
// sample through its curve into linear light, then through its colorants (adapted to D50 in the profile) into XYZ;
// sRGB's inverse matrix leads on to linear sRGB, and sRGB's curve to its 8-bit samples. All but the last step is
// linear after the curves, so each channel's sample stands for a fixed amount added to each of the three linear sRGB
// sums: one table a channel holds those three amounts packed in a 64-bit word, and one addition of three words gives
// all three sums at once. The sums, kept positive by a bias, index sRGB's encoding, whose table also clamps colours
// outside sRGB. Measured here: 1.6 ns a pixel, against 2.2 for the same steps with AVX2 gathers, 4 to 10 for Qt's
// colour transform and about 100 for Little CMS. Processors with AVX-512 byte permutes take the wide path
// (matrix_shaper_avx512.h) for all but a line's last few pixels: 0.35 ns a pixel; those with AVX2 only the narrow
// path (matrix_shaper_avx2.h): 1.07 ns against 1.62 for the one-pixel path and 0.38 for the wide one, measured on one
// busy processor that has all three. The tables are only read, so any number of threads may convert at once.
constexpr int SumBits = 13;                 // the sums' unit: linear light 1.0 is 2^13
constexpr qint64 SumBias = qint64(1) << 15; // added to each sum, so that each stays within [0, 2^16)
constexpr int FieldShift = 21;              // the three sums' places in the word: bits 0, 21 and 42
constexpr int EncodeEntries = 1 << 15;      // indexed by a sum's upper 15 bits: 2^12 steps of linear light

struct MatrixShaper
{
    std::array<std::array<quint64, 256>, 3> sums{}; // per channel R, G, B: a sample's shares of the sums R, G, B
    std::array<uchar, EncodeEntries> encode{};      // a biased sum's upper bits to its sRGB sample
};

void convertMatrixShaper(const MatrixShaper& m, uchar* line, int width)
{
    const quint64* fromRed = m.sums[0].data();
    const quint64* fromGreen = m.sums[1].data();
    const quint64* fromBlue = m.sums[2].data();
    const uchar* encode = m.encode.data();
    for (int x = 0; x < width; ++x) {
        quint32 pixel;
        std::memcpy(&pixel, line + 4 * x, 4); // 0xFFRRGGBB
        const quint64 sums = fromRed[(pixel >> 16) & 0xFF] + fromGreen[(pixel >> 8) & 0xFF] + fromBlue[pixel & 0xFF];
        pixel = 0xFF000000U | quint32(encode[(sums >> 1) & (EncodeEntries - 1)]) << 16 |
                quint32(encode[(sums >> (FieldShift + 1)) & (EncodeEntries - 1)]) << 8 |
                quint32(encode[(sums >> (2 * FieldShift + 1)) & (EncodeEntries - 1)]);
        std::memcpy(line + 4 * x, &pixel, 4);
    }
}

class MatrixShaperConversion final : public ColourConversion
{
public:
    MatrixShaperConversion(std::unique_ptr<const MatrixShaper> tables,
                           std::unique_ptr<const detail::WideMatrixShaper> wide,
                           std::unique_ptr<const detail::NarrowMatrixShaper> narrow)
        : m_tables(std::move(tables)), m_wide(std::move(wide)), m_narrow(std::move(narrow))
    {
    }

    void convertRows(unsigned char* firstLine, qsizetype bytesPerLine, int width, int rows) const override
    {
        for (int y = 0; y < rows; ++y) {
            unsigned char* line = firstLine + y * bytesPerLine;
            int done = 0;
            if (m_wide)
                done = detail::convertWide(*m_wide, line, width);
            else if (m_narrow)
                done = detail::convertNarrow(*m_narrow, line, width);
            convertMatrixShaper(*m_tables, line + 4 * done, width - done);
        }
    }

    ConversionPath path() const override
    {
        if (m_wide)
            return ConversionPath::Avx512;
        return m_narrow ? ConversionPath::Avx2 : ConversionPath::Scalar;
    }

private:
    std::unique_ptr<const MatrixShaper> m_tables;
    std::unique_ptr<const detail::WideMatrixShaper> m_wide;     // on processors that have the wide path
    std::unique_ptr<const detail::NarrowMatrixShaper> m_narrow; // on those that have AVX2 only
};

// The path named by MAPCATALOGUE_SIMD, read once; Fastest when it names none.
ConversionPath pathFromEnvironment()
{
    static const ConversionPath path = [] {
        const QByteArray name = qgetenv("MAPCATALOGUE_SIMD").toLower();
        if (name == "scalar")
            return ConversionPath::Scalar;
        if (name == "avx2")
            return ConversionPath::Avx2;
        if (name == "avx512")
            return ConversionPath::Avx512;
        return ConversionPath::Fastest;
    }();
    return path;
}

using Matrix3 = std::array<double, 9>;

Matrix3 multiply(const Matrix3& a, const Matrix3& b)
{
    Matrix3 product{};
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column)
            for (int k = 0; k < 3; ++k)
                product[3 * row + column] += a[3 * row + k] * b[3 * k + column];
    return product;
}

std::optional<Matrix3> inverse(const Matrix3& m)
{
    const double det =
        m[0] * (m[4] * m[8] - m[5] * m[7]) - m[1] * (m[3] * m[8] - m[5] * m[6]) + m[2] * (m[3] * m[7] - m[4] * m[6]);
    if (std::abs(det) < 1e-9)
        return std::nullopt;
    return Matrix3{
        (m[4] * m[8] - m[5] * m[7]) / det, (m[2] * m[7] - m[1] * m[8]) / det, (m[1] * m[5] - m[2] * m[4]) / det,
        (m[5] * m[6] - m[3] * m[8]) / det, (m[0] * m[8] - m[2] * m[6]) / det, (m[2] * m[3] - m[0] * m[5]) / det,
        (m[3] * m[7] - m[4] * m[6]) / det, (m[1] * m[6] - m[0] * m[7]) / det, (m[0] * m[4] - m[1] * m[3]) / det};
}

// The profile's colorants as the columns of its RGB-to-XYZ (D50) matrix; nothing when it has none.
std::optional<Matrix3> colorantMatrix(cmsHPROFILE profile)
{
    const cmsTagSignature tags[3] = {cmsSigRedColorantTag, cmsSigGreenColorantTag, cmsSigBlueColorantTag};
    Matrix3 m{};
    for (int channel = 0; channel < 3; ++channel) {
        const auto* xyz = static_cast<const cmsCIEXYZ*>(cmsReadTag(profile, tags[channel]));
        if (!xyz)
            return std::nullopt;
        m[channel] = xyz->X;
        m[3 + channel] = xyz->Y;
        m[6 + channel] = xyz->Z;
    }
    return m;
}

double srgbEncoded(double linear)
{
    linear = std::clamp(linear, 0.0, 1.0);
    return linear <= 0.0031308 ? 12.92 * linear : 1.055 * std::pow(linear, 1 / 2.4) - 0.055;
}

// The linear sRGB channels in terms of the profile's linear channels, and the profile's curves; nothing when the
// profile is not a matrix-and-curve RGB profile.
struct MatrixAndCurves
{
    Matrix3 toLinearSrgb{};
    std::array<const cmsToneCurve*, 3> curves{};
};

// The profile's colour space as the integer of its header field. A damaged profile may hold any four bytes there, and
// a value that is none of the enumeration's is undefined as a cmsColorSpaceSignature: it is never held as one.
std::uint32_t colourSpaceOf(cmsHPROFILE profile)
{
    return static_cast<std::uint32_t>(cmsGetColorSpace(profile));
}

std::optional<MatrixAndCurves> matrixAndCurvesOf(cmsHPROFILE profile, cmsHPROFILE sRgb)
{
    if (colourSpaceOf(profile) != std::uint32_t(cmsSigRgbData) || !cmsIsMatrixShaper(profile))
        return std::nullopt;
    const std::optional<Matrix3> source = colorantMatrix(profile), target = colorantMatrix(sRgb);
    const std::optional<Matrix3> fromXyz = target ? inverse(*target) : std::nullopt;
    if (!source || !fromXyz)
        return std::nullopt;
    MatrixAndCurves result;
    result.toLinearSrgb = multiply(*fromXyz, *source);
    const cmsTagSignature curveTags[3] = {cmsSigRedTRCTag, cmsSigGreenTRCTag, cmsSigBlueTRCTag};
    for (std::size_t channel = 0; channel < 3; ++channel) {
        result.curves[channel] = static_cast<const cmsToneCurve*>(cmsReadTag(profile, curveTags[channel]));
        if (!result.curves[channel])
            return std::nullopt;
    }
    return result;
}

double linearOf(const cmsToneCurve* curve, int sample)
{
    return std::clamp<double>(cmsEvalToneCurveFloat(curve, static_cast<cmsFloat32Number>(sample / 255.0)), 0.0, 1.0);
}

// True when the profile gives back every sample within a level: sRGB in all but name, as many scanners embed it.
bool isSrgbInAllButName(const MatrixAndCurves& profile)
{
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column)
            if (std::abs(profile.toLinearSrgb[3 * row + column] - (row == column ? 1.0 : 0.0)) > 0.002)
                return false;
    for (const cmsToneCurve* curve : profile.curves)
        for (int sample = 0; sample < 256; ++sample)
            if (std::abs(255 * srgbEncoded(linearOf(curve, sample)) - sample) > 1)
                return false;
    return true;
}

// The packed tables; nothing when a colour could take a sum outside its field (a matrix far stronger than any real
// pair of RGB spaces needs).
std::unique_ptr<MatrixShaper> matrixShaperOf(const MatrixAndCurves& profile)
{
    const Matrix3& m = profile.toLinearSrgb;
    for (int row = 0; row < 3; ++row) {
        double low = 0, high = 0;
        for (int column = 0; column < 3; ++column)
            (m[3 * row + column] < 0 ? low : high) += m[3 * row + column];
        if (low * (1 << SumBits) + SumBias < 0 || high * (1 << SumBits) + SumBias >= 2 * SumBias)
            return nullptr;
    }
    auto tables = std::make_unique<MatrixShaper>();
    for (std::size_t channel = 0; channel < 3; ++channel) {
        for (int sample = 0; sample < 256; ++sample) {
            const double linear = linearOf(profile.curves[channel], sample);
            qint64 word = 0;
            for (std::size_t row = 0; row < 3; ++row) {
                qint64 share = std::llround(m[3 * row + channel] * linear * (1 << SumBits));
                if (channel == 0)
                    share += SumBias; // once a sum
                word += share * (qint64(1) << (FieldShift * row));
            }
            tables->sums[channel][static_cast<std::size_t>(sample)] = static_cast<quint64>(word);
        }
    }
    // Each entry encodes the middle of the range of linear light it stands for.
    for (int index = 0; index < EncodeEntries; ++index) {
        const double linear = static_cast<double>(2 * index + 1 - SumBias) / (1 << SumBits);
        tables->encode[static_cast<std::size_t>(index)] = static_cast<uchar>(std::lround(255 * srgbEncoded(linear)));
    }
    return tables;
}

// The bits a 16-bit sum gives linear light 1.0: 14, or 13 when a row of the matrix could reach 2; none when a row
// could reach 4.
std::optional<int> sumBitsOf(const Matrix3& m)
{
    double strongestRow = 0;
    for (int row = 0; row < 3; ++row)
        strongestRow =
            std::max(strongestRow, std::abs(m[3 * row]) + std::abs(m[3 * row + 1]) + std::abs(m[3 * row + 2]));
    if (strongestRow >= 3.99)
        return std::nullopt;
    return strongestRow < 1.99 ? 14 : 13;
}

// The same conversion for the wide path: 16-bit sums hold linear light 1.0 as 2^14, or 2^13 when a row of the matrix
// could reach 2; nothing when a row could reach 4.
std::unique_ptr<detail::WideMatrixShaper> wideMatrixShaperOf(const MatrixAndCurves& profile)
{
    const Matrix3& m = profile.toLinearSrgb;
    const std::optional<int> sumBits = sumBitsOf(m);
    if (!sumBits)
        return nullptr;
    auto tables = std::make_unique<detail::WideMatrixShaper>();
    tables->sumBits = *sumBits;
    // Pixel bytes are blue, green, red; the profile's channels red, green, blue.
    for (std::size_t byte = 0; byte < 3; ++byte) {
        for (int sample = 0; sample < 256; ++sample) {
            const auto linear = static_cast<int>(std::lround(linearOf(profile.curves[2 - byte], sample) * 32767));
            tables->linearLow[byte][static_cast<std::size_t>(sample)] = static_cast<std::uint8_t>(linear & 0xFF);
            tables->linearHigh[byte][static_cast<std::size_t>(sample)] = static_cast<std::uint8_t>(linear >> 8);
        }
        for (std::size_t in = 0; in < 3; ++in)
            tables->matrix[byte][in] =
                static_cast<std::int16_t>(std::lround(m[3 * (2 - byte) + (2 - in)] * (1 << tables->sumBits)));
    }
    // Each piece is the chord of sRGB's curve over its range, raised by half its sag so that the error is split evenly
    // above and below the curve. Values in 1/128 of a level; each base has half a level added, so that cutting off
    // the fraction rounds.
    const auto fill = [&](std::array<std::int16_t, 64>& base, std::array<std::int16_t, 64>& slope, int pieceBits) {
        const double piece = static_cast<double>(1 << pieceBits) / (1 << tables->sumBits);
        for (std::size_t i = 0; i < 64; ++i) {
            const double start = srgbEncoded(static_cast<double>(i) * piece);
            const double end = srgbEncoded(static_cast<double>(i + 1) * piece);
            const double sag = srgbEncoded((static_cast<double>(i) + 0.5) * piece) - (start + end) / 2;
            base[i] = static_cast<std::int16_t>(std::lround(255 * 128 * (start + sag / 2)) + 64); // 64: rounds
            slope[i] = static_cast<std::int16_t>(std::lround(255 * 128 * (end - start)));
        }
    };
    fill(tables->fineBase, tables->fineSlope, tables->sumBits - 10);
    fill(tables->coarseBase, tables->coarseSlope, tables->sumBits - 6);
    return tables;
}

// The least-squares polynomial of the given degree (at most 3) through the points (u[i], y[i]), lowest power first.
std::array<double, 4> fitPolynomial(const std::vector<double>& u, const std::vector<double>& y, int degree)
{
    const int n = degree + 1;
    double normal[4][5] = {};
    for (std::size_t i = 0; i < u.size(); ++i) {
        double powers[4] = {1, u[i], u[i] * u[i], u[i] * u[i] * u[i]};
        for (int row = 0; row < n; ++row) {
            for (int column = 0; column < n; ++column)
                normal[row][column] += powers[row] * powers[column];
            normal[row][n] += powers[row] * y[i];
        }
    }
    for (int pivot = 0; pivot < n; ++pivot)
        for (int row = 0; row < n; ++row)
            if (row != pivot) {
                const double factor = normal[row][pivot] / normal[pivot][pivot];
                for (int column = pivot; column <= n; ++column)
                    normal[row][column] -= factor * normal[pivot][column];
            }
    std::array<double, 4> coefficients{};
    for (int k = 0; k < n; ++k)
        coefficients[static_cast<std::size_t>(k)] = normal[k][n] / normal[k][k];
    return coefficients;
}

std::int16_t saturated16(double value)
{
    return static_cast<std::int16_t>(std::clamp<long>(std::lround(value), -32768, 32767));
}

// What the registers compute: a rounding multiply of 16-bit lanes (u in 1/32768) and a wrapping addition.
int roundingMultiply(int a, int u)
{
    return (a * u + 0x4000) >> 15;
}
int wrapped16(int value)
{
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(value & 0xFFFF));
}

// The same conversion for the narrow path, with the wide path's sums; nothing when a row of the matrix could reach 4,
// or when a curve's quadratic pieces miss its linear light by more than MaxCurveError in 1/32768 anywhere (a curve
// with a kink or a step in a piece: such a profile takes the one-pixel path).
std::unique_ptr<detail::NarrowMatrixShaper> narrowMatrixShaperOf(const MatrixAndCurves& profile)
{
    constexpr double MaxCurveError = 3.0;
    const Matrix3& m = profile.toLinearSrgb;
    const std::optional<int> sumBits = sumBitsOf(m);
    if (!sumBits)
        return nullptr;
    auto tables = std::make_unique<detail::NarrowMatrixShaper>();
    tables->sumBits = *sumBits;
    std::vector<double> u(16), y(16);
    for (std::size_t byte = 0; byte < 3; ++byte) {
        for (std::size_t in = 0; in < 3; ++in)
            tables->matrix[byte][in] =
                static_cast<std::int16_t>(std::lround(m[3 * (2 - byte) + (2 - in)] * (1 << tables->sumBits)));
        for (int piece = 0; piece < 16; ++piece) {
            for (int low = 0; low < 16; ++low) {
                u[static_cast<std::size_t>(low)] = low / 16.0;
                y[static_cast<std::size_t>(low)] = 32767 * linearOf(profile.curves[2 - byte], 16 * piece + low);
            }
            const std::array<double, 4> fitted = fitPolynomial(u, y, 2);
            int c[3];
            for (std::size_t k = 0; k < 3; ++k) {
                c[k] = saturated16(fitted[k]);
                tables->curveLow[byte][k][static_cast<std::size_t>(piece)] = static_cast<std::uint8_t>(c[k] & 0xFF);
                tables->curveHigh[byte][k][static_cast<std::size_t>(piece)] =
                    static_cast<std::uint8_t>((c[k] >> 8) & 0xFF);
            }
            for (int low = 0; low < 16; ++low) {
                const int place = low << 11;
                const int linear =
                    wrapped16(c[0] + roundingMultiply(wrapped16(c[1] + roundingMultiply(c[2], place)), place));
                if (std::abs(linear - y[static_cast<std::size_t>(low)]) > MaxCurveError)
                    return nullptr;
            }
        }
    }
    // sRGB's encoding in 1/128 of a level, half a level added; tier t has pieces of 2^(sumBits - 3 - 3t). The pieces
    // of each tier that the next covers are fitted too, and never used.
    for (std::size_t tier = 0; tier < 3; ++tier) {
        const int pieceLength = 1 << (tables->sumBits - 3 - 3 * static_cast<int>(tier));
        u.assign(static_cast<std::size_t>(pieceLength), 0);
        y.assign(static_cast<std::size_t>(pieceLength), 0);
        for (std::size_t piece = 0; piece < 8; ++piece) {
            for (int i = 0; i < pieceLength; ++i) {
                const double sum = static_cast<double>(piece) * pieceLength + i;
                u[static_cast<std::size_t>(i)] = static_cast<double>(i) / pieceLength;
                y[static_cast<std::size_t>(i)] = 255 * 128 * srgbEncoded(sum / (1 << tables->sumBits)) + 64;
            }
            const std::array<double, 4> fitted = fitPolynomial(u, y, 3);
            for (std::size_t k = 0; k < 4; ++k)
                tables->encode[tier][k][piece] = saturated16(fitted[k]);
        }
    }
    return tables;
}

class LcmsConversion final : public ColourConversion
{
public:
    explicit LcmsConversion(cmsHTRANSFORM transform) : m_transform(transform) {}
    ~LcmsConversion() override { cmsDeleteTransform(m_transform); }
    LcmsConversion(const LcmsConversion&) = delete;
    LcmsConversion& operator=(const LcmsConversion&) = delete;

    void convertRows(unsigned char* firstLine, qsizetype bytesPerLine, int width, int rows) const override
    {
        // Input and output have four bytes a pixel, so each line converts in place.
        const auto stride = static_cast<cmsUInt32Number>(bytesPerLine);
        cmsDoTransformLineStride(m_transform, firstLine, firstLine, static_cast<cmsUInt32Number>(width),
                                 static_cast<cmsUInt32Number>(rows), stride, stride, 0, 0);
    }

private:
    cmsHTRANSFORM m_transform;
};

// A greyscale picture's levels through its Gray profile: one sRGB pixel for each of the 256 levels, looked up by the
// level libjpeg wrote into all three channels.
class GrayConversion final : public ColourConversion
{
public:
    explicit GrayConversion(const std::array<quint32, 256>& pixels) : m_pixels(pixels) {}

    void convertRows(unsigned char* firstLine, qsizetype bytesPerLine, int width, int rows) const override
    {
        for (int y = 0; y < rows; ++y) {
            unsigned char* line = firstLine + y * bytesPerLine;
            for (int x = 0; x < width; ++x)
                std::memcpy(line + 4 * x, &m_pixels[line[4 * x]], 4);
        }
    }

private:
    std::array<quint32, 256> m_pixels;
};

// Little CMS reports through a process-wide handler; a profile it cannot read is reported by the caller instead.
void quietLcms(cmsContext, cmsUInt32Number, const char*) {}

struct ProfileCloser
{
    void operator()(void* profile) const { cmsCloseProfile(profile); }
};
using ProfileHandle = std::unique_ptr<void, ProfileCloser>;

std::unique_ptr<ColourConversion> grayConversion(cmsHPROFILE source, cmsHPROFILE sRgb, QString* warning)
{
    cmsHTRANSFORM transform = cmsCreateTransform(source, TYPE_GRAY_8, sRgb, TYPE_BGRA_8, INTENT_PERCEPTUAL, 0);
    if (!transform) {
        *warning = QStringLiteral("the colour profile cannot be applied");
        return nullptr;
    }
    std::array<uchar, 256> levels{};
    for (std::size_t level = 0; level < levels.size(); ++level)
        levels[level] = static_cast<uchar>(level);
    std::array<quint32, 256> pixels{};
    cmsDoTransform(transform, levels.data(), pixels.data(), static_cast<cmsUInt32Number>(levels.size()));
    cmsDeleteTransform(transform);
    bool unchanged = true;
    for (std::size_t level = 0; level < pixels.size(); ++level) {
        // Little CMS leaves the fourth byte alone without an alpha channel in the input.
        pixels[level] = (pixels[level] & 0x00FFFFFFU) | 0xFF000000U;
        for (const int shift : {0, 8, 16})
            unchanged = unchanged && std::abs(int((pixels[level] >> shift) & 0xFF) - int(level)) <= 1;
    }
    if (unchanged)
        return nullptr; // sRGB's own curve: nothing to do
    return std::make_unique<GrayConversion>(pixels);
}

// The path a conversion asked for takes: the narrowest of that, the one the environment names and the widest this
// processor has.
ConversionPath pathFor(ConversionPath asked)
{
    ConversionPath path = asked == ConversionPath::Fastest ? pathFromEnvironment() : asked;
    if (path == ConversionPath::Fastest)
        path = ConversionPath::Avx512;
    if (path == ConversionPath::Avx512 && !detail::wideMatrixShaperAvailable())
        path = ConversionPath::Avx2;
    if (path == ConversionPath::Avx2 && !detail::narrowMatrixShaperAvailable())
        path = ConversionPath::Scalar;
    return path;
}

std::unique_ptr<ColourConversion> lcmsConversion(const QByteArray& profile, ProfileInput input, QString* warning,
                                                 ConversionPath asked)
{
    cmsSetLogErrorHandler(quietLcms);
    ProfileHandle source(cmsOpenProfileFromMem(profile.constData(), static_cast<cmsUInt32Number>(profile.size())));
    if (!source) {
        *warning = QStringLiteral("the colour profile cannot be read");
        return nullptr;
    }
    ProfileHandle sRgb(cmsCreate_sRGBProfile());
    if (input == ProfileInput::Rgb32 || input == ProfileInput::Gray) {
        if (const std::optional<MatrixAndCurves> profile = matrixAndCurvesOf(source.get(), sRgb.get())) {
            if (isSrgbInAllButName(*profile))
                return nullptr;
            if (std::unique_ptr<MatrixShaper> tables = matrixShaperOf(*profile)) {
                const ConversionPath path = pathFor(asked);
                std::unique_ptr<detail::WideMatrixShaper> wide =
                    path == ConversionPath::Avx512 ? wideMatrixShaperOf(*profile) : nullptr;
                std::unique_ptr<detail::NarrowMatrixShaper> narrow =
                    !wide && path != ConversionPath::Scalar ? narrowMatrixShaperOf(*profile) : nullptr;
                return std::make_unique<MatrixShaperConversion>(std::move(tables), std::move(wide), std::move(narrow));
            }
        }
    }
    const std::uint32_t space = colourSpaceOf(source.get());
    if (input == ProfileInput::Gray && space == std::uint32_t(cmsSigGrayData))
        return grayConversion(source.get(), sRgb.get(), warning);
    // A greyscale picture with an RGB profile: its pixels are RGB pixels whose channels are equal.
    const bool cmyk = input == ProfileInput::Cmyk || input == ProfileInput::InvertedCmyk;
    if (space != std::uint32_t(cmyk ? cmsSigCmykData : cmsSigRgbData)) {
        *warning = QStringLiteral("the colour profile does not describe the picture's colours");
        return nullptr;
    }
    cmsUInt32Number inputFormat = TYPE_BGRA_8;
    if (input == ProfileInput::Cmyk)
        inputFormat = TYPE_CMYK_8;
    else if (input == ProfileInput::InvertedCmyk)
        inputFormat = TYPE_CMYK_8_REV;
    // RGB32 keeps 0xFF in the fourth byte: converting from RGB the byte is copied, from CMYK it is filled below.
    const cmsUInt32Number flags = cmyk ? 0 : cmsFLAGS_COPY_ALPHA;
    cmsHTRANSFORM transform =
        cmsCreateTransform(source.get(), inputFormat, sRgb.get(), TYPE_BGRA_8, INTENT_PERCEPTUAL, flags);
    if (!transform) {
        *warning = QStringLiteral("the colour profile cannot be applied");
        return nullptr;
    }
    if (!cmyk)
        return std::make_unique<LcmsConversion>(transform);
    // From CMYK Little CMS leaves the extra byte alone; it held the K sample and must become 0xFF.
    class CmykConversion final : public ColourConversion
    {
    public:
        explicit CmykConversion(cmsHTRANSFORM transform) : m_lcms(transform) {}
        void convertRows(unsigned char* firstLine, qsizetype bytesPerLine, int width, int rows) const override
        {
            m_lcms.convertRows(firstLine, bytesPerLine, width, rows);
            for (int y = 0; y < rows; ++y) {
                unsigned char* line = firstLine + y * bytesPerLine;
                for (int x = 0; x < width; ++x)
                    line[4 * x + 3] = 0xFF;
            }
        }

    private:
        LcmsConversion m_lcms;
    };
    return std::make_unique<CmykConversion>(transform);
}

} // namespace

std::unique_ptr<ColourConversion> ColourConversion::fromIcc(const QByteArray& profile, ProfileInput input,
                                                            QString* warning, ConversionPath path)
{
    QString ignored;
    if (!warning)
        warning = &ignored;
    warning->clear();
    if (profile.isEmpty())
        return nullptr;
    return lcmsConversion(profile, input, warning, path);
}

bool ColourConversion::pathAvailable(ConversionPath path)
{
    switch (path) {
    case ConversionPath::Avx512:
        return detail::wideMatrixShaperAvailable();
    case ConversionPath::Avx2:
        return detail::narrowMatrixShaperAvailable();
    case ConversionPath::Fastest:
    case ConversionPath::Scalar:
        break;
    }
    return true;
}

} // namespace picture
