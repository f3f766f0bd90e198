#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>
#include <string>

namespace platform {

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

/// Reads a whole data file; on failure returns nullopt and sets error ("File not found", the system's text, a read
/// that failed part way (a scratched disc, a disc taken out) or a refusal of a file larger than maxBytes). Nothing
/// of a file whose read failed is returned. error may be null.
std::optional<QByteArray> readDataFile(const QString& relative, QString* error, qint64 maxBytes = qint64(1) << 31);

/// For tests: given a data file's path, the offset at which reading it fails as on a damaged disc (EIO), or -1 for a
/// sound read. An empty function removes it.
using ReadFault = std::function<qint64(const QString& path)>;
void setReadFaultForTests(ReadFault fault);

/// Turns a catalogue file name (code page 1251 bytes) into the text of a collection-relative path. A backslash
/// cannot be part of a Windows file name, so it is taken as the folder separator and becomes '/'.
QString fileNameFromCatalogue(const std::string& cp1251);

/// Converts catalogue text (code page 1251 bytes) for display.
QString displayText(const std::string& cp1251);

} // namespace platform
