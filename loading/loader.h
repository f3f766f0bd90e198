#pragma once

#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <stop_token>
#include <vector>

#include "loading/kept_reads.h"
#include "loading/picture_load.h"
#include "work/work_pool.h"

namespace loading {

/// The one owner of the program's background work, made once beside the current entry and handed to both windows.
/// Every job is a small class of this folder (a picture load here, a map read, a read-ahead and a decode in
/// map_jobs.h) that delivers its result through a Delivery. Its pool has one disc lane, which reads one file at a
/// time with the user's newest wish first (the viewer's map before the catalogue's preview, the preview before
/// reading ahead), and a few compute threads (decoding, the lower band, reduced copies, making a picture's pages
/// present). Jobs stop between pieces of about 50 ms. While a viewer opens a map, pictures asked for wait until its
/// read has ended; they are queued from the event loop, after whatever the same event asks of the viewer.
/// Destroying the loader stops every job; a read the system does not return from is not waited for. Lives on the
/// GUI thread.
class Loader : public QObject
{
    Q_OBJECT
public:
    /// The largest picture the catalogue window reads: a preview, an article's or the about page's picture, all
    /// shown in a box of a few hundred pixels (the collection's are tens of kilobytes).
    static constexpr qint64 MaxPictureFileBytes = qint64(32) << 20;

    explicit Loader(int computeThreads = 3, QObject* parent = nullptr);
    ~Loader() override;

    work::WorkPool& pool() { return m_pool; }
    const std::shared_ptr<KeptReads>& keptReads() const { return m_kept; }

    /// Reads the data file path (disc lane, before reading ahead; a larger file than maxBytes fails) and decodes it
    /// with options (compute lane); options.stop is set to stop. done runs on the GUI thread with the picture or the
    /// failure (on path), unless owner is gone or stop was requested by then: a stopped load calls nothing, and a
    /// load stopped before it starts reads nothing.
    void loadPicture(QObject* owner, const QString& path, picture::JpegDecodeOptions options, std::stop_token stop,
                     PictureLoad::Done done, qint64 maxBytes = MaxPictureFileBytes);

    /// The save dialog's preview of a file the user points at (any path): read on the disc lane within
    /// MaxPreviewFileBytes, shrunk to fit box on the compute lane. shown runs on the GUI thread with the picture (null
    /// for a file that is no picture, too large or unreadable), unless owner is gone or stop was requested by then.
    void loadFilePreview(QObject* owner, const QString& path, QSize box, std::stop_token stop,
                         std::function<void(const QImage&)> shown);

    /// The size of the data file path (nullopt: there is none), found on the disc lane as the user's wish, before
    /// reading ahead: done runs on the GUI thread with it, unless owner is gone or stop was requested by then.
    void measureFile(QObject* owner, const QString& path, std::stop_token stop,
                     std::function<void(std::optional<qint64>)> done);
    /// A viewer's map read begins and ends: pictures asked for meanwhile wait.
    void mapReadStarted();
    void mapReadEnded();

private:
    void startWaiting();

    std::shared_ptr<KeptReads> m_kept = std::make_shared<KeptReads>();
    int m_mapReads = 0;
    std::vector<std::shared_ptr<PictureLoad>> m_waiting;
    // Last: the pool goes first, stopping the jobs that use the rest.
    work::WorkPool m_pool;
};

} // namespace loading
