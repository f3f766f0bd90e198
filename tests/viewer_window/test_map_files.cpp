// The viewer's map files read off the GUI thread and ahead, and the same without threads.
#include <QFile>

#include "platform/data_files.h"
#include "viewer_fixture.h"
#include "viewer_window/map_files.h"

using namespace testsupport;

class MapFilesTest : public ViewerTest
{
};

TEST_F(MapFilesTest, WhatWasReadAheadIsUsedAfterTheFileIsGone)
{
    openCatalogue(2);
    viewer::MapFiles files;
    files.readAhead({mapPath(2), mapPath(1)}, 10);
    QImage head;
    for (int i = 0; i < 500 && head.isNull(); ++i) {
        QTest::qWait(10);
        head = files.takeHead(mapPath(2));
    }
    ASSERT_EQ(head.size(), QSize(62, 10));
    ASSERT_TRUE(QFile::remove(platform::resolveDataPath(mapPath(2))));
    const viewer::MapFile file = files.read(mapPath(2), [] {});
    ASSERT_TRUE(file.bytes);
    EXPECT_EQ(*file.bytes, mapBytes[1]);
    EXPECT_FALSE(files.read(mapPath(2), [] {}).bytes) << "taken once, then read again";
}

TEST_F(MapFilesTest, WithoutThreadsFilesAreReadWhenAskedAndNothingAhead)
{
    openCatalogue(2);
    viewer::MapFiles files(false);
    files.readAhead({mapPath(2)}, 10);
    int waits = 0;
    const viewer::MapFile file = files.read(mapPath(2), [&waits] { ++waits; });
    ASSERT_TRUE(file.bytes);
    EXPECT_EQ(*file.bytes, mapBytes[1]);
    EXPECT_EQ(waits, 0);
    EXPECT_TRUE(files.takeHead(mapPath(2)).isNull());
    EXPECT_FALSE(files.read(QStringLiteral("Goroda/none.jpg"), [] {}).error.isEmpty());
}
