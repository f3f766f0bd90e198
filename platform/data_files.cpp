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

// The entry of folder named like name but for letter case; empty when there is none. Sorted so that a folder
// holding several such names answers the same one every time.
QString entryIgnoringCase(const QString& folder, const QString& name)
{
    const QStringList entries =
        QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
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

    QString resolved = root.path();
    for (const QString& component : components(relative)) {
        if (component == QLatin1String("."))
            continue;
        const QString candidate = resolved + QLatin1Char('/') + component;
        if (QFileInfo::exists(candidate)) {
            resolved = candidate;
            continue;
        }
        const QString found = entryIgnoringCase(resolved, component);
        if (found.isEmpty())
            return exact;
        resolved += QLatin1Char('/') + found;
    }
    return resolved;
}

bool dataFileExists(const QString& relative)
{
    return QFileInfo(resolveDataPath(relative)).isFile();
}

std::optional<qint64> dataFileSize(const QString& relative)
{
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
    if (!QFileInfo(path).isFile())
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
