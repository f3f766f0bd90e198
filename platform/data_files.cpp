#include "platform/data_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

#include "catalogue/codepage.h"

namespace platform {
namespace {

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
    const QDir root(collectionFolder());
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
    if (!file.open(QIODevice::ReadOnly))
        return fail(file.errorString());
    const qint64 size = file.size();
    if (size > maxBytes)
        return fail(
            QStringLiteral("Файл слишком велик: %1 байт (можно прочитать не более %2 байт)").arg(size).arg(maxBytes));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return fail(file.errorString());
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
