// Reduced copies built in the background: the same copies as the synchronous chain, and the same drawing once they
// are there; a new picture drops copies still being built.
#include <QCoreApplication>
#include <QPainter>
#include <atomic>
#include <gtest/gtest.h>

#include "controls/picture_control.h"
#include "controls/reduced_copies.h"
#include "controls/reduced_copy_builder.h"
#include "work/work_pool.h"

using controls::PictureControl;
using controls::ReducedCopies;
using controls::ReducedCopyBuilder;

namespace {

QImage pattern(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            line[x] = qRgb((x * 3 + y) & 0xFF, (x ^ y) & 0xFF, ((x / 7) * (y / 5)) & 0xFF);
    }
    return image;
}

void waitForCopies(PictureControl& control)
{
    while (control.buildingReducedCopies())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QCoreApplication::processEvents();
}

} // namespace

TEST(ReducedCopyBuilder, BuildsTheChainOfHalvedCopiesFromTheLargestReductionThatFitsTheBudget)
{
    const QImage picture = pattern({1001, 700});
    // 1001x700 -> 500x350 -> 250x175 -> 125x87; the next (62x43) would be smaller than 100x60.
    const QImage half = controls::halvedCopy(picture);
    const QImage quarter = controls::halvedCopy(half);
    const QImage eighth = controls::halvedCopy(quarter);
    const struct
    {
        qsizetype budget;
        std::vector<QImage> expected;
    } cases[] = {
        {ReducedCopyBuilder::DefaultBudgetBytes, {half, quarter, eighth}},
        {picture.sizeInBytes() / 4, {quarter, eighth}}, // the chain from half size would take a third
        {picture.sizeInBytes() / 40, {eighth}},         // from a quarter, a twelfth
    };
    for (const auto& [budget, expected] : cases) {
        std::atomic<int> calls{0};
        std::vector<QImage> copies;
        {
            work::WorkPool pool;
            ReducedCopyBuilder builder(
                picture, QSize(100, 60), [&calls] { ++calls; }, budget, &pool);
            while (!builder.finished()) {
                for (QImage& copy : builder.takeReady())
                    copies.push_back(copy);
            }
        }
        ASSERT_EQ(copies.size(), expected.size()) << budget;
        qsizetype bytes = 0;
        for (size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(copies[i], expected[i]) << budget << " copy " << i;
            bytes += copies[i].sizeInBytes();
        }
        EXPECT_LE(bytes, budget);
        EXPECT_EQ(calls.load(), int(copies.size()) + 1) << "once per copy and once at the end";
    }
}

TEST(PictureControl, LargePictureDrawsFromBackgroundCopiesOnceTheyAreReady)
{
    const QImage picture = pattern({4000, 2100}); // above the size whose copies are built in the background
    work::WorkPool pool;
    PictureControl control;
    control.setWorkPool(&pool);
    control.setStretch(true);
    control.setProportional(true);
    control.setPicture(picture);
    control.resize(700, 500);
    ASSERT_EQ(control.drawnRect(), QRect(0, 0, 700, 367));

    QImage first(control.size(), QImage::Format_RGB32);
    control.render(&first);
    waitForCopies(control);
    ASSERT_FALSE(control.reducedCopies().empty());
    QImage settled(control.size(), QImage::Format_RGB32);
    control.render(&settled);

    // What the synchronous chain gives: the smallest copy not smaller than the box, drawn smoothly.
    ReducedCopies copies;
    const QImage& source = copies.sourceFor(picture, QSize(700, 367));
    EXPECT_EQ(source.size(), QSize(1000, 525));
    QImage expected(control.size(), QImage::Format_RGB32);
    {
        QPainter painter(&expected);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
        painter.drawImage(QRectF(0, 0, 700, 367), source, QRectF(0, 0, 1000, 525));
    }
    EXPECT_EQ(settled.copy(0, 0, 700, 367), expected.copy(0, 0, 700, 367));

    // A new picture drops the copies of the old one, also while they are still being built.
    control.setPicture(pattern({4000, 2200}));
    EXPECT_TRUE(control.reducedCopies().empty());
    control.render(&first);
    control.setPicture(QImage());
    EXPECT_FALSE(control.buildingReducedCopies());
}
