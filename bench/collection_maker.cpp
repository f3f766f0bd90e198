#include "collection_maker.h"

#include <QDir>
#include <QFile>
#include <QImage>

#include "catalogue/codepage.h"
#include "map_picture.h"

namespace bench {
namespace {

bool writeText(const QString& path, const std::string& utf8)
{
    const std::string bytes = catalogue::utf8ToCp1251(utf8);
    QFile file(path);
    return file.open(QIODevice::WriteOnly) &&
           file.write(bytes.data(), static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size());
}

// Dark and flat, so the probe cannot take the preview for the map.
bool writeSolid(const QString& path, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(qRgb(40, 50, 90));
    return writePpm(image, path);
}

} // namespace

int makeCollection(const QString& dir, const QStringList& mapFiles)
{
    QDir root(dir);
    if (!root.mkpath(QStringLiteral("Goroda/About")) || !root.mkpath(QStringLiteral("Goroda/previews")) ||
        !root.mkpath(QStringLiteral("Articles")))
        return 1;
    // Titles in file order, so the list shows the maps in the order given.
    std::string maps;
    for (int i = 0; i < mapFiles.size(); ++i)
        maps += "Большая карта " + QString::number(i).rightJustified(2, QLatin1Char('0')).toStdString() + "@Goroda@" +
                mapFiles[i].toStdString() + "@1900 г.@Составитель@Карта для замера@@5\r\n";
    const bool ok = writeText(root.filePath(QStringLiteral("Goroda/About/maps.txt")), maps) &&
                    writeText(root.filePath(QStringLiteral("Goroda/About/about.dat")), "О диске\r\n") &&
                    writeText(root.filePath(QStringLiteral("Goroda/About/about2.dat")), "Замеры\r\n") &&
                    writeSolid(root.filePath(QStringLiteral("preview.ppm")), QSize(320, 240)) &&
                    writeSolid(root.filePath(QStringLiteral("about.ppm")), QSize(200, 150));
    return ok ? 0 : 1;
}

} // namespace bench
