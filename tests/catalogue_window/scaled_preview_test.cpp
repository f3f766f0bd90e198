// The preview on a scaled screen: CTest runs these at QT_SCALE_FACTOR 1.5 and 2 as well.
#include <gtest/gtest.h>

#include "catalogue_window/panel_entries.h"
#include "catalogue_window/window_fixture.h"
#include "controls/picture_control.h"

using namespace testsupport;

namespace {

class ScaledPreview : public CatalogueWindowTest
{
protected:
    void openWithPreview(QSize previewSize)
    {
        form.reset();
        entry.reset();
        collection.writeComplete(
            {mapEntry(QStringLiteral("Город"), QStringLiteral("Goroda"), QStringLiteral("a.jpg"))});
        collection.writeJpeg(QStringLiteral("Goroda/previews/a.jpg"), previewSize);
        openWritten();
    }
};

// The decoder's reduction is chosen for the box's device pixels (396 x 296 holds 792 x 592 at scale 2), while the
// preview keeps the place in the window it has on an unscaled screen.
TEST_F(ScaledPreview, PreviewIsDecodedForTheBoxInDevicePixelsAndKeepsItsPlace)
{
    const QSize box(396, 296);
    struct Case
    {
        QSize file;
        QSize decodedScaled; // on a screen scaled by more than 1
        QSize decodedPlain;
    };
    // A quarter of the first covers 792 x 592 (and 594 x 444), an eighth covers 396 x 296; the second is smaller
    // than the box: never enlarged, and as large in the window as on an unscaled screen.
    const Case cases[] = {
        {{3200, 2400}, {800, 600}, {400, 300}},
        {{300, 200}, {300, 200}, {300, 200}},
    };
    for (const Case& c : cases) {
        openWithPreview(c.file);
        const qreal ratio = w().devicePixelRatioF();
        const controls::PictureControl& preview = *w().previewPicture;
        const QSize decoded = ratio > 1 ? c.decodedScaled : c.decodedPlain;
        EXPECT_EQ(preview.picture().size(), decoded) << c.file.width() << " at " << ratio;
        EXPECT_EQ(preview.drawnRect(), controls::drawnRect(c.decodedPlain, box, false, true, true))
            << c.file.width() << " at " << ratio;
    }
}

} // namespace
