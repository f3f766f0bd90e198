// The loader's picture loads: every load ends with the picture or a failure on its path delivered to its owner, or
// with nothing at all once the owner is gone or has moved on, and a load stopped before it starts reads nothing.
#include <QTest>
#include <atomic>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

#include "files/data_files.h"
#include "loading/loader.h"
#include "support/test_collection.h"

using testsupport::TestCollection;

TEST(Loader, APictureLoadDeliversItsResultOrNothing)
{
    TestCollection collection;
    collection.writeBytes(QStringLiteral("Goroda/p.jpg"), TestCollection::jpegBytes(QSize(64, 48)));
    collection.writeBytes(QStringLiteral("Goroda/text.jpg"), QByteArray(100, 'x'));
    auto reads = std::make_shared<std::atomic<int>>(0);
    files::setReadPaceForTests([reads](const QString&, qint64, qint64) { ++*reads; });
    struct Case
    {
        const char* name;
        const char* path;
        qint64 maxBytes;
        bool ownerGoes;
        bool stopped;
        std::optional<failure::What> failure; // nullopt: the picture, or nothing when the owner went or stopped
    };
    const Case cases[] = {
        {"a picture", "Goroda/p.jpg", loading::Loader::MaxPictureFileBytes, false, false, std::nullopt},
        {"a missing picture", "Goroda/none.jpg", loading::Loader::MaxPictureFileBytes, false, false,
         failure::What::FileNotFound},
        {"a file above the cap", "Goroda/p.jpg", 100, false, false, failure::What::FileTooLarge},
        {"no JPEG", "Goroda/text.jpg", loading::Loader::MaxPictureFileBytes, false, false, failure::What::NotJpeg},
        {"its owner gone", "Goroda/p.jpg", loading::Loader::MaxPictureFileBytes, true, false, std::nullopt},
        {"stopped before it starts", "Goroda/p.jpg", loading::Loader::MaxPictureFileBytes, false, true, std::nullopt},
    };
    loading::Loader loader;
    for (const Case& c : cases) {
        *reads = 0;
        auto owner = std::make_unique<QObject>();
        std::stop_source stop;
        int delivered = 0;
        std::optional<failure::Result<loading::LoadedPicture>> result;
        loader.loadPicture(
            owner.get(), QString::fromLatin1(c.path), {}, stop.get_token(),
            [&](const failure::Result<loading::LoadedPicture>& loaded) { ++delivered, result = loaded; }, c.maxBytes);
        if (c.stopped)
            stop.request_stop();
        QCoreApplication::sendPostedEvents(); // the load is queued from the event loop
        if (c.ownerGoes)
            owner.reset();
        EXPECT_TRUE(loader.pool().waitForJobs(5000)) << c.name;
        QCoreApplication::sendPostedEvents();
        const bool silent = c.ownerGoes || c.stopped;
        EXPECT_EQ(delivered, silent ? 0 : 1) << c.name;
        if (c.stopped) {
            EXPECT_EQ(reads->load(), 0) << c.name;
        }
        if (!result)
            continue;
        EXPECT_EQ(result->has_value(), !c.failure) << c.name;
        if (c.failure && !result->has_value()) {
            EXPECT_EQ(result->error().what, *c.failure) << c.name;
            EXPECT_EQ(result->error().file, c.path) << c.name;
        }
    }
    files::setReadPaceForTests({});
}
