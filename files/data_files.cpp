#include "files/data_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <limits>
#include <mutex>

#include "catalogue/codepage.h"
#include "memory/large_memory.h"

namespace files {
namespace {

// A file is read in pieces: a read that fails part way is seen where it fails, and a read that is no longer wanted
// stops between two pieces. A piece takes about 50 ms on an optical drive that gives 300 KB/s (a preview is three
// or four), 16 ms at 1 MB/s. Pieces are not sized by the speed seen:
// the part of a file already in the page cache comes at memory speed, and a piece sized by it (1 MiB, say) would then
// take a second from the disc, and a stop or the user's step would wait for it. Sequential reads of this size still
// run at a fast disk's full speed (the kernel reads ahead of them).
constexpr qint64 Piece = qint64(16) << 10;
// Once the size the file had when opened is read, reads this long find its end (or what it grew by since).
constexpr qint64 EndProbe = qint64(64) << 10;

// The test hooks are set on the test's thread and read on the reading threads.
std::mutex hooksMutex;

ReadFault& readFault()
{
    static ReadFault fault;
    return fault;
}

ReadPace& readPace()
{
    static ReadPace pace;
    return pace;
}

// Set on the GUI thread (at start, and by tests), read by the reading threads.
std::mutex folderMutex;

QString& storedFolder()
{
    static QString folder;
    return folder;
}

// The parts of a name relative to the collection, split at either separator; empty parts dropped.
QStringList components(const QString& relative)
{
    QString slashes = relative;
    slashes.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return slashes.split(QLatin1Char('/'), Qt::SkipEmptyParts);
}

bool isAbsoluteName(const QString& name)
{
    if (name.startsWith(QLatin1Char('/')) || name.startsWith(QLatin1Char('\\')))
        return true;
    // A Windows drive ("C:" or "C:\...") is absolute for the collection's own names too.
    return name.size() >= 2 && name[1] == QLatin1Char(':') && name[0].isLetter();
}

// The entries of folder named like name but for letter case, the exact name first. Sorted so that a folder holding
// several such names answers in the same order every time.
QStringList entriesIgnoringCase(const QString& folder, const QString& name)
{
    QStringList found;
    if (QFileInfo::exists(folder + QLatin1Char('/') + name))
        found << name;
    const QStringList entries =
        QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& entry : entries) {
        if (entry != name && entry.compare(name, Qt::CaseInsensitive) == 0)
            found << entry;
    }
    return found;
}

// Walks the components from index on below folder; where several folders match a component (possible here, not on
// the file systems the collection was made for), each is tried in turn. Empty when nothing matches.
QString findIgnoringCase(const QString& folder, const QStringList& parts, qsizetype index)
{
    if (index == parts.size())
        return folder;
    if (parts[index] == QLatin1String("."))
        return findIgnoringCase(folder, parts, index + 1);
    const bool last = index + 1 == parts.size();
    for (const QString& entry : entriesIgnoringCase(folder, parts[index])) {
        const QString path = folder + QLatin1Char('/') + entry;
        if (last)
            return path;
        if (QFileInfo(path).isDir()) {
            const QString found = findIgnoringCase(path, parts, index + 1);
            if (!found.isEmpty())
                return found;
        }
    }
    return {};
}

} // namespace

void setCollectionFolder(const QString& folder)
{
    QString absolute = folder.isEmpty() ? QString() : QFileInfo(folder).absoluteFilePath();
    std::lock_guard lock(folderMutex);
    storedFolder() = std::move(absolute);
}

QString collectionFolder()
{
    QString folder;
    {
        std::lock_guard lock(folderMutex);
        folder = storedFolder();
    }
    return folder.isEmpty() ? QDir::currentPath() : folder;
}

bool staysInsideFolder(const QString& relative)
{
    if (isAbsoluteName(relative))
        return false;
    return !components(relative).contains(QStringLiteral(".."));
}

QString resolveDataPath(const QString& relative)
{
    return resolvePathIn(collectionFolder(), relative);
}

QString resolvePathIn(const QString& folder, const QString& relative)
{
    const QDir root(folder);
    const QString exact = root.filePath(relative);
    if (!staysInsideFolder(relative) || QFileInfo::exists(exact))
        return exact;

    const QString found = findIgnoringCase(root.path(), components(relative), 0);
    return found.isEmpty() ? exact : found;
}

bool dataFileExists(const QString& relative)
{
    // A catalogue name such as "..\\..\\x.jpg" must not reach files outside the collection: such names are no data
    // file.
    return staysInsideFolder(relative) && QFileInfo(resolveDataPath(relative)).isFile();
}

std::optional<qint64> dataFileSize(const QString& relative)
{
    if (!staysInsideFolder(relative))
        return std::nullopt;
    const QFileInfo info(resolveDataPath(relative));
    if (!info.isFile())
        return std::nullopt;
    return info.size();
}

namespace {

FileStamp stampOfResolved(const QString& resolved)
{
    std::error_code failed;
    const std::filesystem::path file(resolved.toStdU16String());
    const auto size = std::filesystem::file_size(file, failed);
    if (failed)
        return {};
    const auto changed = std::filesystem::last_write_time(file, failed);
    if (failed)
        return {};
    return {qint64(size), qint64(changed.time_since_epoch().count())};
}

} // namespace

FileStamp stampOf(const QString& relative)
{
    return stampOfResolved(resolveDataPath(relative));
}

void setReadFaultForTests(ReadFault fault)
{
    std::lock_guard lock(hooksMutex);
    readFault() = std::move(fault);
}

void setReadPaceForTests(ReadPace pace)
{
    std::lock_guard lock(hooksMutex);
    readPace() = std::move(pace);
}

DataFileRead::DataFileRead(QString relative, qint64 maxBytes) : m_relative(std::move(relative)), m_maxBytes(maxBytes) {}

DataFileRead::DataFileRead(QString relative, PieceTaker take)
    : m_relative(std::move(relative)), m_maxBytes(std::numeric_limits<qint64>::max() - EndProbe),
      m_take(std::move(take))
{
}

DataFileRead::~DataFileRead() = default;

DataFileRead::State DataFileRead::fail(failure::What what, std::string detail, std::vector<std::int64_t> figures)
{
    m_failure = failure::Failure{what, m_relative.toStdString(), std::move(detail), std::move(figures)};
    m_bytes = QByteArray();
    m_file.reset();
    m_state = State::Failed;
    return m_state;
}

bool DataFileRead::open()
{
    m_resolved = resolveDataPath(m_relative);
    if (!staysInsideFolder(m_relative) || !QFileInfo(m_resolved).isFile()) {
        fail(failure::What::FileNotFound);
        return false;
    }
    // Before the file is opened: a change from here on, during the read too, leaves the file with another stamp.
    const FileStamp stamp = stampOfResolved(m_resolved);
    m_file = std::make_unique<QFile>(m_resolved);
    if (!m_file->open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        fail(failure::What::FileNotOpened, m_file->errorString().toStdString());
        return false;
    }
    // A read stopped part way goes on where it stopped, in a file unchanged since; one that changed is read again
    // from its start.
    if (m_size >= 0 && stamp == m_stamp && m_file->size() == m_size && m_file->seek(m_offset))
        return true;
    if (m_take && m_offset > 0) {
        // What was handed on came from the file as it was: its taker cannot start again.
        fail(failure::What::FileChanged);
        return false;
    }
    m_stamp = stamp;
    m_bytes = QByteArray();
    m_offset = 0;
    m_size = m_file->size();
    if (m_size > m_maxBytes) {
        fail(failure::What::FileTooLarge, {}, {m_size, m_maxBytes});
        return false;
    }
    {
        std::lock_guard lock(hooksMutex);
        m_failAt = readFault() ? readFault()(m_resolved) : -1;
    }
    if (m_take)
        return true;
    // Room for the last read too, which finds the end: growing past the reserve would copy the whole file. No more
    // than that: each piece is sized to the file, so no page past its end is written.
    m_bytes.reserve(m_size + EndProbe);
    // A map of 20 MB read into fresh small pages costs more in page faults than the read itself.
    if (m_bytes.capacity() >= qsizetype(memory::LargeBlockBytes))
        memory::adviseHugePages(m_bytes.data(), static_cast<std::size_t>(m_bytes.capacity()));
    return true;
}

DataFileRead::State DataFileRead::readOn(std::stop_token stop,
                                         const std::function<void(qint64 done, qint64 size)>& progress)
{
    if (m_state != State::Reading || (!m_file && !open()))
        return m_state;
    // Read piece by piece: a disc that fails part way must end in a message, never in a map cut short and shown.
    while (!stop.stop_requested()) {
        const qint64 offset = m_offset;
        qint64 piece = std::min(offset < m_size ? std::min(Piece, m_size - offset) : EndProbe, m_maxBytes - offset + 1);
        if (m_failAt > offset)
            piece = std::min(piece, m_failAt - offset);
        ReadPace pace;
        {
            std::lock_guard lock(hooksMutex);
            pace = readPace();
        }
        if (pace)
            pace(m_resolved, offset, piece);
        qint64 got = -1;
        QString systemText;
        if (m_failAt >= 0 && offset >= m_failAt) {
            systemText = QString::fromLocal8Bit(std::strerror(EIO));
        } else {
            // A read that hands its pieces on holds just the piece under way.
            const qint64 at = m_take ? 0 : offset;
            m_bytes.resize(at + piece);
            got = m_file->read(m_bytes.data() + at, piece);
            systemText = m_file->errorString();
        }
        if (got < 0)
            return fail(failure::What::ReadFailed, systemText.toStdString(), {offset, m_size});
        m_offset = offset + got;
        m_bytes.resize(m_take ? got : m_offset);
        if (m_offset > m_maxBytes)
            return fail(failure::What::FileGrewTooLarge, {}, {m_maxBytes});
        if (m_take && got > 0 && !m_take(std::exchange(m_bytes, QByteArray())))
            break;
        if (got == 0) {
            m_file.reset();
            m_state = State::Done;
            if (progress)
                progress(m_offset, m_size);
            return m_state;
        }
        if (progress)
            progress(m_offset, m_size);
    }
    // Stopped (or its taker gone): the file is let go at once (a disc the user wants to eject is not held); a later
    // call opens it again.
    m_file.reset();
    return m_state;
}

QByteArray DataFileRead::takeBytes()
{
    return std::exchange(m_bytes, QByteArray());
}

DataFileParts::DataFileParts(QString relative, QString resolved, FileStamp stamp)
    : m_relative(std::move(relative)), m_resolved(std::move(resolved)), m_stamp(stamp), m_file(m_resolved)
{
}

failure::Result<std::unique_ptr<DataFileParts>> DataFileParts::open(const QString& relative, const FileStamp& stamp)
{
    const QString resolved = resolveDataPath(relative);
    if (!staysInsideFolder(relative) || !QFileInfo(resolved).isFile())
        return failure::Failure{failure::What::FileNotFound, relative.toStdString(), {}, {}};
    std::unique_ptr<DataFileParts> parts(new DataFileParts(relative, resolved, stamp));
    if (!parts->unchanged())
        return failure::Failure{failure::What::FileChanged, relative.toStdString(), {}, {}};
    if (!parts->m_file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return failure::Failure{
            failure::What::FileNotOpened, relative.toStdString(), parts->m_file.errorString().toStdString(), {}};
    return parts;
}

bool DataFileParts::unchanged() const
{
    return stampOfResolved(m_resolved) == m_stamp;
}

failure::Result<QByteArray> DataFileParts::read(qint64 offset, qint64 length)
{
    const auto failed = [&] {
        return failure::Failure{failure::What::ReadFailed,
                                m_relative.toStdString(),
                                m_file.errorString().toStdString(),
                                {offset, m_stamp.size}};
    };
    QByteArray bytes(qsizetype(std::clamp<qint64>(length, 0, std::max<qint64>(m_stamp.size - offset, 0))),
                     Qt::Uninitialized);
    if (!m_file.seek(offset))
        return failed();
    const qint64 got = m_file.read(bytes.data(), bytes.size());
    if (got < 0)
        return failed();
    bytes.resize(got);
    return bytes;
}

failure::Result<QByteArray> readDataFile(const QString& relative, qint64 maxBytes, std::stop_token stop)
{
    DataFileRead read(relative, maxBytes);
    switch (read.readOn(stop)) {
    case DataFileRead::State::Done:
        return read.takeBytes();
    case DataFileRead::State::Failed:
        return read.failure();
    case DataFileRead::State::Reading:
        break;
    }
    return failure::Failure{failure::What::ReadStopped, relative.toStdString(), {}, {}};
}

QString fileNameFromCatalogue(const std::string& cp1251)
{
    QString name = displayText(cp1251);
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return name;
}

QString displayText(const std::string& cp1251)
{
    return QString::fromStdString(catalogue::cp1251ToUtf8(cp1251));
}

} // namespace files
