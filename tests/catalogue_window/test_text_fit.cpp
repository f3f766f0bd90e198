// Every text of both windows ends before the next control in its row begins, with either stand-in font.
#include <QFontMetrics>
#include <gtest/gtest.h>

#include "loading/loader.h"

#include "catalogue_window/tform1.h"
#include "controls/fonts.h"
#include "controls/picture_control.h"
#include "controls/text_label.h"
#include "viewer_window/tform2.h"

namespace {

struct TextRow
{
    const char* name;
    controls::TextLabel* label;
    const char* sample; // the widest value the label shows; null: its own caption
    QWidget* next;      // the next control to the right in the label's row
};

int leftInWindow(QWidget* w)
{
    return w->mapTo(w->window(), QPoint(0, 0)).x();
}

} // namespace

TEST(TextFit, EveryTextEndsBeforeTheNextControlInItsRow)
{
    // The stand-in the program picks on this machine (on Windows Microsoft Sans Serif; Liberation Sans where it is
    // installed, else DejaVu Sans).
    const QString family = controls::designFamily();
    if (family == QLatin1String("MS Sans Serif"))
        GTEST_SKIP() << "no stand-in is installed; the texts are measured in one of them";
    SCOPED_TRACE(family.toStdString());
    catalogue::CatalogueData data;
    CurrentEntry entry(data);
    loading::Loader loader;
    TForm1 f1(entry, loader);
    TForm2 f2(entry, loader, f1);
    const char* widestSize = "1023 bytes";
    const TextRow rows[] = {
        {"Label1000", f1.fileSizeCaption, nullptr, f1.fileSizeLabel},
        {"LabelAvtorNadpis", f1.authorCaption, nullptr, f1.authorLabel},
        {"LabelSize", f1.fileSizeLabel, widestSize, f1.starPictures[1]},
        {"viewer Label2", f2.fileSizeCaption, nullptr, f2.fileSizeLabel},
        {"viewer LabelSize", f2.fileSizeLabel, widestSize, f2.dimensionsCaption},
        {"viewer Label4", f2.dimensionsCaption, nullptr, f2.dimensionsLabel},
        {"viewer LabelDimention", f2.dimensionsLabel, "65535 x 65535", f2.previousHover},
    };
    for (const TextRow& r : rows) {
        const QString text = r.sample ? QString::fromUtf8(r.sample) : r.label->caption();
        const QFontMetrics metrics(r.label->font());
        const int width = std::max(metrics.horizontalAdvance(text), metrics.boundingRect(text).right() + 1);
        EXPECT_LE(leftInWindow(r.label) + width, leftInWindow(r.next))
            << r.name << ": \"" << text.toStdString() << "\" is " << width << " pixels wide";
    }
}
