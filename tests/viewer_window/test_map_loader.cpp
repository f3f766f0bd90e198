// The loader of the viewer's background work on a slow medium: a read that stops at once, the user's read first, a
// neighbour read ahead in part continued where it stopped.
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <mutex>
#include <thread>
#include <vector>

#include "catalogue_window/window_fixture.h"
#include "files/data_files.h"
#include "loading/map_loader.h"

using namespace testsupport;

namespace {

// A disc that gives bytesPerSecond, logging each piece read.
class SlowDisc
{
public:
    struct Piece
    {
        QString file;
        qint64 offset;
    };

    explicit SlowDisc(qint64 bytesPerSecond)
    {
        files::setReadPaceForTests([this, bytesPerSecond](const QString& path, qint64 offset, qint64 length) {
            {
                std::lock_guard lock(m_mutex);
                m_pieces.push_back({QFileInfo(path).fileName(), offset});
            }
            std::this_thread::sleep_for(std::chrono::microseconds(length * 1'000'000 / bytesPerSecond));
        });
    }
    ~SlowDisc() { files::setReadPaceForTests({}); }

    std::vector<Piece> pieces() const
    {
        std::lock_guard lock(m_mutex);
        return m_pieces;
    }
    int count(const QString& file, qint64 offset = -1) const
    {
        int n = 0;
        for (const Piece& piece : pieces())
            n += piece.file == file && (offset < 0 || piece.offset == offset) ? 1 : 0;
        return n;
    }
    void waitForPieces(const QString& file, int n) const
    {
        for (int i = 0; i < 1000 && count(file) < n; ++i)
            QTest::qWait(5);
        ASSERT_GE(count(file), n) << file.toStdString();
    }

private:
    mutable std::mutex m_mutex;
    std::vector<Piece> m_pieces;
};

QByteArray content(int bytes, char seed)
{
    QByteArray data(bytes, Qt::Uninitialized);
    for (int i = 0; i < bytes; ++i)
        data[i] = char(seed + i * 7 + i / 4093);
    return data;
}

} // namespace

class MapLoaderTest : public CatalogueWindowTest
{
};

TEST_F(MapLoaderTest, DestroyingTheLoaderDuringASlowReadAheadReturnsAtOnceAndTheReadStops)
{
    collection.writeBytes(QStringLiteral("Goroda/a.jpg"), content(2'000'000, 'a'));
    SlowDisc disc(1'000'000); // the 2 MB file takes 2 s
    auto loader = std::make_unique<loading::MapLoader>(programLoader);
    loader->readAhead({QStringLiteral("Goroda/a.jpg")}, 0);
    disc.waitForPieces(QStringLiteral("a.jpg"), 2);
    QElapsedTimer closing;
    closing.start();
    loader.reset();
    EXPECT_LT(closing.elapsed(), 1000) << "returns before the read could have ended";
    const int piecesAtClose = disc.count(QStringLiteral("a.jpg"));
    QTest::qWait(400);
    EXPECT_LE(disc.count(QStringLiteral("a.jpg")), piecesAtClose + 1) << "the read stopped within a piece";
}

TEST_F(MapLoaderTest, TheUsersReadComesFirstAndAHalfReadNeighbourGoesOnWhereItStopped)
{
    const QByteArray a = content(1'500'000, 'a');
    const QByteArray c = content(300'000, 'c');
    collection.writeBytes(QStringLiteral("Goroda/a.jpg"), a);
    collection.writeBytes(QStringLiteral("Goroda/c.jpg"), c);
    SlowDisc disc(4'000'000);
    loading::MapLoader loader(programLoader);
    QSignalSpy read(&loader, &loading::MapLoader::mapRead);
    QSignalSpy progress(&loader, &loading::MapLoader::readProgress);
    // A result holds bytes or a failure, never nothing: QSignalSpy cannot give it back, a receiver keeps it.
    QList<QByteArray> readBytes;
    QObject::connect(&loader, &loading::MapLoader::mapRead, [&readBytes](const QString&, const loading::MapFile& file) {
        readBytes << (file ? file->bytes : QByteArray());
    });

    loader.readAhead({QStringLiteral("Goroda/a.jpg")}, 0);
    disc.waitForPieces(QStringLiteral("a.jpg"), 3);
    // The user opens another map: the read ahead gives way, and is asked for again before that map is read.
    loader.open(QStringLiteral("Goroda/c.jpg"));
    loader.readAhead({QStringLiteral("Goroda/a.jpg")}, 0);
    ASSERT_TRUE(read.wait(5000));
    ASSERT_EQ(read.count(), 1);
    EXPECT_EQ(readBytes.at(0), c);
    ASSERT_FALSE(progress.isEmpty());
    EXPECT_EQ(progress.last().at(1).toLongLong(), c.size()) << "the read's progress is reported to its end";

    loader.open(QStringLiteral("Goroda/a.jpg"));
    ASSERT_TRUE(read.wait(5000));
    EXPECT_EQ(readBytes.at(1), a);

    // On the disc: c read in one run, after at most the piece of a under way; a never read again from its start.
    const std::vector<SlowDisc::Piece> pieces = disc.pieces();
    size_t firstC = 0;
    while (firstC < pieces.size() && pieces[firstC].file != QLatin1String("c.jpg"))
        ++firstC;
    ASSERT_LT(firstC, pieces.size());
    const int cPieces = disc.count(QStringLiteral("c.jpg"));
    for (size_t i = firstC; i < firstC + size_t(cPieces); ++i)
        EXPECT_EQ(pieces.at(i).file, QLatin1String("c.jpg")) << "piece " << i;
    EXPECT_LE(firstC, 4u);
    EXPECT_EQ(disc.count(QStringLiteral("a.jpg"), 0), 1);
}

// A step while the map before is read: that read stops, and only the map opened last is reported read.
TEST_F(MapLoaderTest, AReadGivenUpForALaterOneIsNeverReported)
{
    collection.writeBytes(QStringLiteral("Goroda/a.jpg"), content(1'000'000, 'a'));
    collection.writeBytes(QStringLiteral("Goroda/c.jpg"), content(100'000, 'c'));
    SlowDisc disc(4'000'000);
    loading::MapLoader loader(programLoader);
    QSignalSpy read(&loader, &loading::MapLoader::mapRead);
    loader.open(QStringLiteral("Goroda/a.jpg"));
    disc.waitForPieces(QStringLiteral("a.jpg"), 2);
    loader.open(QStringLiteral("Goroda/c.jpg"));
    ASSERT_TRUE(read.wait(5000));
    QTest::qWait(50);
    ASSERT_EQ(read.count(), 1);
    EXPECT_EQ(read.at(0).at(0).toString(), QStringLiteral("Goroda/c.jpg"));
}
