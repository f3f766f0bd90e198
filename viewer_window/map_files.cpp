#include "viewer_window/map_files.h"

#include <chrono>
#include <future>
#include <new>

#include "platform/data_files.h"

namespace viewer {
namespace {

constexpr std::chrono::milliseconds WaitStep{4};

MapFile readNow(const QString& path)
{
    MapFile file;
    try {
        file.bytes = platform::readDataFile(path, &file.error);
    } catch (const std::bad_alloc&) {
        file.bytes.reset();
        file.error = QStringLiteral("недостаточно памяти");
    }
    return file;
}

} // namespace

MapFiles::MapFiles(bool threads)
{
    if (threads)
        m_loader = std::make_unique<MapLoader>();
}

MapFiles::~MapFiles() = default;

void MapFiles::stop()
{
    if (m_loader)
        m_loader->stopAhead();
}

MapFile MapFiles::read(const QString& path, const std::function<void()>& whileWaiting)
{
    if (!m_loader)
        return readNow(path);
    const std::shared_future<MapFile> file = m_loader->open(path);
    while (file.wait_for(WaitStep) != std::future_status::ready)
        whileWaiting();
    try {
        return file.get();
    } catch (const std::future_error&) {
        return MapFile{std::nullopt, platform::stoppedReadText()}; // the loader went before the read started
    }
}

QImage MapFiles::takeHead(const QString& path)
{
    return m_loader ? m_loader->takeHead(path) : QImage();
}

void MapFiles::readAhead(const QStringList& paths, int headRows)
{
    if (m_loader)
        m_loader->readAhead(paths, headRows);
}

} // namespace viewer
