#include "desktop/file_drop_clipboard.h"

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>
#include <QtEndian>
#include <cstdint>

#include "files/data_files.h"

namespace desktop {
namespace {

// The fields of DROPFILES, each 32 bits: pFiles, pt.x, pt.y, fNC, fWide.
constexpr std::uint32_t DropFilesHeaderSize = 5 * 4;

} // namespace

QMimeData* makeFileDropMimeData(const QString& absolutePath)
{
    const QUrl url = QUrl::fromLocalFile(absolutePath);
    auto* data = new QMimeData;
    data->setUrls({url});
    data->setData(QStringLiteral("x-special/gnome-copied-files"), QByteArray("copy\n") + url.toEncoded());
    data->setText(absolutePath);
    return data;
}

QByteArray dropFilesBlock(const QString& absolutePath)
{
    // Windows' own separators, whatever system the block is made on.
    const QString name = QString(absolutePath).replace(QLatin1Char('/'), QLatin1Char('\\'));
    const std::uint32_t header[] = {DropFilesHeaderSize, 0, 0, 0, 1};
    // The name's NUL and the list's NUL, two bytes each.
    QByteArray block(qsizetype(DropFilesHeaderSize) + 2 * (name.size() + 2), '\0');
    char* out = block.data();
    for (const std::uint32_t field : header) {
        qToLittleEndian(field, out);
        out += sizeof field;
    }
    for (const QChar c : name) {
        qToLittleEndian(c.unicode(), out);
        out += sizeof(char16_t);
    }
    return block;
}

failure::Result<void> copyCollectionFile(const QString& relativePath)
{
    if (relativePath.isEmpty() || !files::dataFileExists(relativePath))
        return {};
    return CopyFileToClipboard(QFileInfo(files::resolveDataPath(relativePath)).absoluteFilePath());
}

} // namespace desktop
