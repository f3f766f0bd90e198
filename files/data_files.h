#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <stop_token>
#include <string>

#include "failure/result.h"

namespace files {

/// The collection folder every data path is relative to (the working directory unless the program was given one).
/// An empty folder means the working directory.
void setCollectionFolder(const QString& folder);
QString collectionFolder();

/// Absolute path of a collection-relative path such as "Goroda/previews/x.jpg". When no entry has the exact name,
/// each path component is looked up without regard to letter case (Cyrillic too), as on the Windows file systems the
/// collection was made for; the exact path is returned when nothing matches. Paths that leave the collection ("..",
/// absolute paths) are not looked up: they are returned as given, resolved against the folder.
QString resolveDataPath(const QString& relative);

/// The same lookup below another folder than the collection's.
QString resolvePathIn(const QString& folder, const QString& relative);

/// True when a relative name stays inside the folder it is taken from: not absolute, no ".." component ('/' and
/// '\\' both count as separators). An empty name names the folder itself and stays inside.
bool staysInsideFolder(const QString& relative);

/// True when a regular file (not a folder) exists at the collection-relative path. This and the two functions below
/// take a path that leaves the collection (staysInsideFolder false) for a missing file.
bool dataFileExists(const QString& relative);

/// Size in bytes of the regular file at the collection-relative path; nullopt when there is none.
std::optional<qint64> dataFileSize(const QString& relative);

/// A file's size and time of change; equal for an unchanged file. The default is a file that is not there.
struct FileStamp
{
    qint64 size = -1;
    qint64 changed = 0;
    bool operator==(const FileStamp&) const = default;
};

/// The stamp of the file at the collection-relative path (looked up as resolveDataPath does); no byte is read.
FileStamp stampOf(const QString& relative);

/// Largest file readDataFile and DataFileRead take unless told otherwise.
inline constexpr qint64 DefaultMaxFileBytes = qint64(1) << 31;

/// A data file read piece by piece, so that a read can stop between two pieces and go on later where it stopped. A
/// piece is 16 KiB: about 50 ms on a disc that gives 300 KB/s, whatever the pieces before it took. One thread at a time
/// may use it.
class DataFileRead
{
public:
    enum class State { Reading, Done, Failed };

    /// Takes each piece read in a read that hands its pieces on: it may wait (for its taker to want more), and returns
    /// false to stop the read (its taker has gone).
    using PieceTaker = std::function<bool(QByteArray piece)>;

    explicit DataFileRead(QString relative, qint64 maxBytes = DefaultMaxFileBytes);
    /// A read that keeps nothing: each piece goes to take as it is read (a file too large to hold whole streams
    /// through it); takeBytes() and bytesSoFar() are then empty.
    DataFileRead(QString relative, PieceTaker take);
    ~DataFileRead();
    DataFileRead(const DataFileRead&) = delete;
    DataFileRead& operator=(const DataFileRead&) = delete;

    /// Reads on until the file is read, the read fails or stop is requested (then the state stays Reading, the file
    /// is closed within the piece under way, and a later call opens it again and goes on from there). progress runs
    /// after each piece with the bytes read so far and the file's size.
    State readOn(std::stop_token stop, const std::function<void(qint64 done, qint64 size)>& progress = {});

    State state() const { return m_state; }
    const QString& path() const { return m_relative; }
    qint64 bytesRead() const { return m_offset; }
    /// The size the file had when it was opened; -1 before that.
    qint64 size() const { return m_size; }
    /// The file's stamp taken before its first byte was read: a file changed during the read or after it no longer
    /// has it. The default stamp before the file is opened.
    const FileStamp& stamp() const { return m_stamp; }
    /// Once Done: the file's bytes (taken, once).
    QByteArray takeBytes();
    /// The bytes read so far, shared (for another thread to use while this read is not going on).
    QByteArray bytesSoFar() const { return m_bytes; }
    /// Once Failed: why (no such file, the system refused it, a read that failed part way, a file too large), on
    /// this read's path.
    const failure::Failure& failure() const { return m_failure; }

private:
    bool open();
    State fail(failure::What what, std::string detail = {}, std::vector<std::int64_t> figures = {});

    QString m_relative;
    qint64 m_maxBytes;
    std::unique_ptr<QFile> m_file;
    QString m_resolved;
    qint64 m_size = -1;
    FileStamp m_stamp;
    qint64 m_failAt = -1;
    qint64 m_offset = 0;
    PieceTaker m_take;
    QByteArray m_bytes;
    failure::Failure m_failure{failure::What::ReadStopped, {}, {}, {}};
    State m_state = State::Reading;
};

/// Reads a whole data file, or fails (FileNotFound, FileNotOpened, a read that failed part way (a scratched disc, a
/// disc taken out): ReadFailed, a file larger than maxBytes: FileTooLarge, FileGrewTooLarge) on the path relative. A
/// stop request ends the read between two pieces as the failure ReadStopped. Nothing of a file whose read failed is
/// returned.
failure::Result<QByteArray> readDataFile(const QString& relative, qint64 maxBytes = DefaultMaxFileBytes,
                                         std::stop_token stop = {});

/// A data file opened for reads of its parts, held open while this lives (a job's length: the file is let go when
/// it ends). Opening fails as readDataFile does, and as FileChanged when the file no longer has the stamp it had when
/// it was read before.
class DataFileParts
{
public:
    static failure::Result<std::unique_ptr<DataFileParts>> open(const QString& relative, const FileStamp& stamp);
    /// Up to length bytes from offset (fewer at the file's end), or ReadFailed.
    failure::Result<QByteArray> read(qint64 offset, qint64 length);
    /// True while the file still has the stamp it was opened with.
    bool unchanged() const;

private:
    DataFileParts(QString relative, QString resolved, FileStamp stamp);

    QString m_relative;
    QString m_resolved;
    FileStamp m_stamp;
    QFile m_file;
};

/// For tests: given a data file's path, the offset at which reading it fails as on a damaged disc (EIO), or -1 for a
/// sound read. An empty function removes it.
using ReadFault = std::function<qint64(const QString& path)>;
void setReadFaultForTests(ReadFault fault);

/// For tests and benchmarks: runs before each piece of a data file is read, on the reading thread, with the file's
/// path, the offset and the length of the piece; it may sleep to play a slow medium (a disc that gives 1 MB/s sleeps
/// a millisecond a kilobyte, and cannot be interrupted, as a real read cannot). An empty function removes it.
using ReadPace = std::function<void(const QString& path, qint64 offset, qint64 length)>;
void setReadPaceForTests(ReadPace pace);

/// Turns a catalogue file name (code page 1251 bytes) into the text of a collection-relative path. A backslash
/// cannot be part of a Windows file name, so it is taken as the folder separator and becomes '/'.
QString fileNameFromCatalogue(const std::string& cp1251);

/// Converts catalogue text (code page 1251 bytes) for display.
QString displayText(const std::string& cp1251);

} // namespace files
