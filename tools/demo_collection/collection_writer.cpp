#include "collection_writer.h"

#include "collection_content.h"
#include "collection_pictures.h"
#include "jpeg_writer.h"

#include "catalogue/codepage.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QThread>
#include <atomic>
#include <memory>
#include <mutex>
#include <thread>

namespace democollection {

namespace {

QString writeBytes(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return QStringLiteral("Cannot write %1: %2").arg(path, file.errorString());
    return {};
}

QSize scaledSize(QSize size, bool small)
{
    return small ? QSize(std::max(64, size.width() / 8), std::max(48, size.height() / 8)) : size;
}

/// A job per picture file pair; the biggest sheets go first so that the threads finish together.
struct PictureJob
{
    const DemoEntry* entry;
    qint64 weight;
};

QString writeMapPictures(const DemoEntry& entry, const QString& root, bool small, std::uint64_t seed)
{
    toolcommon::MapSpec spec;
    spec.kind = entry.kind;
    spec.title = entry.title;
    spec.year = entry.year;
    spec.seed = seed;
    const QImage map = toolcommon::drawMap(spec, scaledSize(entry.size, small));
    const QString name = entry.diskFileName.isEmpty() ? entry.fileName : entry.diskFileName;
    const QString folder = root + QLatin1Char('/') + entry.folder();
    QString error = toolcommon::writeJpeg(map, folder + QLatin1Char('/') + name, 85, entry.progressive);
    if (!error.isEmpty())
        return error;
    const QSize previewBox = small ? QSize(150, 112) : QSize(600, 450);
    const QImage preview = map.scaled(previewBox, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return toolcommon::writeJpeg(preview, folder + QStringLiteral("/previews/") + name, 85, false);
}

QString writePictures(const std::vector<DemoEntry>& entries, const WriteOptions& options)
{
    std::vector<PictureJob> jobs;
    for (const DemoEntry& entry : entries) {
        if (!entry.size.isEmpty())
            jobs.push_back({&entry, qint64(entry.size.width()) * entry.size.height()});
    }
    std::stable_sort(jobs.begin(), jobs.end(),
                     [](const PictureJob& a, const PictureJob& b) { return a.weight > b.weight; });

    std::atomic<std::size_t> next{0};
    std::mutex errorLock;
    QString firstError;
    auto work = [&] {
        for (std::size_t i = next++; i < jobs.size(); i = next++) {
            const DemoEntry& entry = *jobs[i].entry;
            // The seed follows the entry's place in the catalogue, not the order the threads take the jobs in.
            const auto seed = std::uint64_t(&entry - entries.data()) + 101;
            const QString error = writeMapPictures(entry, options.folder, options.small, seed);
            if (!error.isEmpty()) {
                std::lock_guard guard(errorLock);
                if (firstError.isEmpty())
                    firstError = error;
            }
        }
    };
    const unsigned cores =
        options.threads > 0 ? unsigned(options.threads) : std::max(1u, std::thread::hardware_concurrency());
    // Qt's threads rather than std::thread: they letter pictures with fonts, and on Windows Qt lets go of the font
    // data of a thread it did not start from another thread after that one has ended, which crashes.
    std::vector<std::unique_ptr<QThread>> threads;
    for (unsigned t = 1; t < cores; ++t) {
        threads.emplace_back(QThread::create(work));
        threads.back()->start();
    }
    work();
    for (const std::unique_ptr<QThread>& thread : threads)
        thread->wait();
    if (!firstError.isEmpty())
        return firstError;

    const QString root = options.folder + QLatin1Char('/');
    const int scale = options.small ? 4 : 1;
    QString error = toolcommon::writeJpeg(drawAboutPicture(QSize(792, 592) / scale),
                                          root + QStringLiteral("Goroda/About/about.jpg"), 85, false);
    if (error.isEmpty())
        error = toolcommon::writeJpeg(drawDeskPicture(QSize(400, 300)), root + QStringLiteral("Articles/foto.jpg"), 88,
                                      false);
    if (error.isEmpty())
        error = toolcommon::writeJpeg(drawLeftPicture(QSize(1600, 1200) / scale), root + QStringLiteral("left.jpg"), 85,
                                      true);
    return error;
}

bool collectionComplete(const QString& folder, bool small)
{
    QFile stamp(folder + QLatin1Char('/') + stampFileName());
    if (!stamp.open(QIODevice::ReadOnly) || stamp.readAll() != stampContent(small))
        return false;
    for (const DemoEntry& entry : demoEntries()) {
        const QString name = entry.diskFileName.isEmpty() ? entry.fileName : entry.diskFileName;
        const QString path = folder + QLatin1Char('/') + entry.folder() + QLatin1Char('/');
        if (!QFile::exists(path + name) ||
            (!entry.size.isEmpty() && !QFile::exists(path + QStringLiteral("previews/") + name)))
            return false;
    }
    return true;
}

} // namespace

QString stampFileName()
{
    return QStringLiteral(".demo_collection_stamp");
}

QByteArray stampContent(bool small)
{
    return QByteArray("make_demo_collection ") + QByteArray::number(GeneratorVersion) +
           (small ? " small\n" : " full\n");
}

QByteArray encodeCatalogueText(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines) {
        const std::string encoded = catalogue::utf8ToCp1251(line.toStdString());
        bytes.append(encoded.data(), qsizetype(encoded.size()));
        bytes.append("\r\n");
    }
    return bytes;
}

QString writeCollection(const WriteOptions& options, bool* skipped)
{
    if (skipped)
        *skipped = false;
    if (collectionComplete(options.folder, options.small)) {
        if (skipped)
            *skipped = true;
        return {};
    }
    QDir root(options.folder);
    // A run that stops half-way must not leave a stamp that claims a complete collection.
    QFile::remove(root.filePath(stampFileName()));
    for (const char* folder : {"Goroda/About", "Goroda/previews", "Oblasti/previews", "Russia/previews", "Articles"}) {
        if (!root.mkpath(QString::fromLatin1(folder)))
            return QStringLiteral("Cannot create %1").arg(root.filePath(QString::fromLatin1(folder)));
    }

    const std::vector<DemoEntry> entries = demoEntries();
    QStringList catalogueLines;
    for (const DemoEntry& entry : entries)
        catalogueLines << entry.line();
    QString error =
        writeBytes(root.filePath(QStringLiteral("Goroda/About/maps.txt")), encodeCatalogueText(catalogueLines));
    if (error.isEmpty())
        error = writeBytes(root.filePath(QStringLiteral("Goroda/About/about.dat")), encodeCatalogueText(aboutLines()));
    if (error.isEmpty())
        error =
            writeBytes(root.filePath(QStringLiteral("Goroda/About/about2.dat")), encodeCatalogueText(aboutLines2()));
    for (const DemoArticle& article : demoArticles()) {
        if (error.isEmpty())
            error = writeBytes(root.filePath(QStringLiteral("Articles/") + article.fileName), article.content);
    }
    if (error.isEmpty())
        error = writePictures(entries, options);
    if (error.isEmpty())
        error = writeBytes(root.filePath(stampFileName()), stampContent(options.small));
    return error;
}

} // namespace democollection
