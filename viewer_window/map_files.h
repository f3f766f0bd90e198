#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "viewer_window/map_loader.h"

namespace viewer {

/// The viewer's map files as the open step still asks for them: a read that returns the bytes, calling whileWaiting
/// every few milliseconds meanwhile. A thin layer over MapLoader, which does the work; it goes once the open step
/// takes the loader's signals instead. Where no threads are wanted, files are read on the calling thread and nothing
/// is read ahead.
class MapFiles
{
public:
    /// threads false: everything on the calling thread, as where no thread can be had.
    explicit MapFiles(bool threads = true);
    ~MapFiles();
    MapFiles(const MapFiles&) = delete;
    MapFiles& operator=(const MapFiles&) = delete;

    /// The bytes of the file at the collection-relative path: taken from what was read ahead (whole or in part), or
    /// read now. whileWaiting runs every few milliseconds until they are there.
    MapFile read(const QString& path, const std::function<void()>& whileWaiting);
    /// The top rows of path's picture decoded ahead; null when there are none.
    QImage takeHead(const QString& path);
    /// See MapLoader::readAhead.
    void readAhead(const QStringList& paths, int headRows);
    /// Stops the work ahead without waiting for it; what it has read is kept.
    void stop();
    void cancel() { stop(); }

    /// The loader that does the work; null without threads.
    MapLoader* loader() { return m_loader.get(); }

    static constexpr qint64 MaxAheadFileBytes = MapLoader::MaxAheadFileBytes;
    static constexpr qint64 MaxHeadBytes = MapLoader::MaxHeadBytes;

private:
    std::unique_ptr<MapLoader> m_loader;
};

} // namespace viewer
