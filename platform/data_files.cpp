#include "platform/data_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <cerrno>
#include <cstring>

#include "catalogue/codepage.h"
#include "platform/large_memory.h"

namespace platform {
namespace {

// A file is read in pieces of this size, so a read that fails part way is seen where it fails.
constexpr qint64 ReadPiece = qint64(4) << 20;
// Once the size the file had when opened is read, reads this long find its end (or what it grew by since).
constexpr qint64 EndProbe = qint64(64) << 10;

ReadFault& readFault()
{
    static ReadFault fault;
    return fault;
}

QString& storedFolder()
{
    static QString folder;
    return folder;
}

QStringList components(const QString& relative)
{
    static const QRegularExpression separators(QStringLiteral("[/\\\\]"));
    return relative.split(separators, Qt::SkipEmptyParts);
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
    storedFolder() = folder.isEmpty() ? QString() : QFileInfo(folder).absoluteFilePath();
}

QString collectionFolder()
{
    return storedFolder().isEmpty() ? QDir::currentPath() : storedFolder();
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

void setReadFaultForTests(ReadFault fault)
{
    readFault() = std::move(fault);
}

std::optional<QByteArray> readDataFile(const QString& relative, QString* error, qint64 maxBytes)
{
    const auto fail = [error](const QString& text) -> std::optional<QByteArray> {
        if (error)
            *error = text;
        return std::nullopt;
    };
    const QString path = resolveDataPath(relative);
    if (!staysInsideFolder(relative) || !QFileInfo(path).isFile())
        return fail(QStringLiteral("File not found"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return fail(file.errorString());
    const qint64 size = file.size();
    if (size > maxBytes)
        return fail(
            QStringLiteral("Файл слишком велик: %1 байт (можно прочитать не более %2 байт)").arg(size).arg(maxBytes));

    // Read piece by piece: a disc that fails part way must end in a message, never in a map cut short and shown.
    QByteArray bytes;
    // Room for the last read too, which finds the end: growing past the reserve would copy the whole file. No more
    // than that: each piece is sized to the file, so no page past its end is written.
    bytes.reserve(size + EndProbe);
    // A map of 20 MB read into fresh small pages costs more in page faults than the read itself.
    if (bytes.capacity() >= qsizetype(LargeBlockBytes))
        adviseHugePages(bytes.data(), static_cast<std::size_t>(bytes.capacity()));
    const qint64 failAt = readFault() ? readFault()(path) : -1;
    for (;;) {
        const qint64 offset = bytes.size();
        qint64 piece = std::min(offset < size ? std::min(ReadPiece, size - offset) : EndProbe, maxBytes - offset + 1);
        if (failAt > offset)
            piece = std::min(piece, failAt - offset);
        qint64 got = -1;
        QString systemText;
        if (failAt >= 0 && offset >= failAt) {
            systemText = QString::fromLocal8Bit(std::strerror(EIO));
        } else {
            bytes.resize(offset + piece);
            got = file.read(bytes.data() + offset, piece);
            systemText = file.errorString();
        }
        if (got < 0)
            return fail(QStringLiteral("Ошибка чтения (%1) после %2 байт из %3 — диск повреждён или вынут из привода")
                            .arg(systemText)
                            .arg(offset)
                            .arg(size));
        bytes.resize(offset + got);
        if (bytes.size() > maxBytes)
            return fail(QStringLiteral("Файл слишком велик: больше %1 байт").arg(maxBytes));
        if (got == 0)
            break;
    }
    if (error)
        error->clear();
    return bytes;
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

} // namespace platform
