#include "platform/colour_profile.h"

#include <QColorSpace>
#include <QColorTransform>
#include <QImage>

#include <lcms2.h>

namespace platform {
namespace {

// Qt applies the transform to a picture that wraps the rows' own memory, so nothing is copied.
class QtConversion final : public ColourConversion
{
public:
    explicit QtConversion(QColorTransform transform) : m_transform(std::move(transform)) {}

    void convertRows(unsigned char* firstLine, qsizetype bytesPerLine, int width, int rows) override
    {
        QImage band(firstLine, width, rows, bytesPerLine, QImage::Format_RGB32);
        band.applyColorTransform(m_transform);
    }

private:
    QColorTransform m_transform;
};

class LcmsConversion final : public ColourConversion
{
public:
    explicit LcmsConversion(cmsHTRANSFORM transform) : m_transform(transform) {}
    ~LcmsConversion() override { cmsDeleteTransform(m_transform); }
    LcmsConversion(const LcmsConversion&) = delete;
    LcmsConversion& operator=(const LcmsConversion&) = delete;

    void convertRows(unsigned char* firstLine, qsizetype bytesPerLine, int width, int rows) override
    {
        // Input and output have four bytes a pixel, so each line converts in place.
        const auto stride = static_cast<cmsUInt32Number>(bytesPerLine);
        cmsDoTransformLineStride(m_transform, firstLine, firstLine, static_cast<cmsUInt32Number>(width),
                                 static_cast<cmsUInt32Number>(rows), stride, stride, 0, 0);
    }

private:
    cmsHTRANSFORM m_transform;
};

// Little CMS reports through a process-wide handler; a profile it cannot read is reported by the caller instead.
void quietLcms(cmsContext, cmsUInt32Number, const char*) {}

struct ProfileCloser
{
    void operator()(void* profile) const { cmsCloseProfile(profile); }
};
using ProfileHandle = std::unique_ptr<void, ProfileCloser>;

std::unique_ptr<ColourConversion> lcmsConversion(const QByteArray& profile, ProfileInput input, QString* warning)
{
    cmsSetLogErrorHandler(quietLcms);
    ProfileHandle source(cmsOpenProfileFromMem(profile.constData(), static_cast<cmsUInt32Number>(profile.size())));
    if (!source) {
        *warning = QStringLiteral("the colour profile cannot be read");
        return nullptr;
    }
    const cmsColorSpaceSignature space = cmsGetColorSpace(source.get());
    const bool cmyk = input != ProfileInput::Rgb32;
    if (space != (cmyk ? cmsSigCmykData : cmsSigRgbData)) {
        *warning = QStringLiteral("the colour profile does not describe the picture's colours");
        return nullptr;
    }
    ProfileHandle sRgb(cmsCreate_sRGBProfile());
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
        void convertRows(unsigned char* firstLine, qsizetype bytesPerLine, int width, int rows) override
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
                                                            QString* warning)
{
    QString ignored;
    if (!warning)
        warning = &ignored;
    warning->clear();
    if (profile.isEmpty())
        return nullptr;
    if (input == ProfileInput::Rgb32) {
        const QColorSpace space = QColorSpace::fromIccProfile(profile);
        if (space.isValid()) {
            if (space == QColorSpace::SRgb)
                return nullptr; // already sRGB
            return std::make_unique<QtConversion>(space.transformationToColorSpace(QColorSpace::SRgb));
        }
    }
    return lcmsConversion(profile, input, warning);
}

} // namespace platform
