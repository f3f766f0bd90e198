#include "catalogue_window/article_path.h"

#include <QStringList>

#include "catalogue/categories.h"

namespace catalogue_window {

std::optional<QString> articleRelativePath(const QString& fileName)
{
    QString name = fileName;
    // Catalogues made on Windows may name files in subfolders with backslashes.
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));

    if (name.startsWith(QLatin1Char('/')))
        return std::nullopt;
    // "C:..." is absolute (or drive-relative) where the catalogue was made; it never names a file of the folder.
    if (name.size() >= 2 && name.at(1) == QLatin1Char(':') && name.at(0).isLetter())
        return std::nullopt;
    const QStringList parts = name.split(QLatin1Char('/'));
    for (const QString& part : parts) {
        if (part == QLatin1String(".."))
            return std::nullopt;
    }
    return QString::fromLatin1(catalogue::ArticlesFolder) + name;
}

} // namespace catalogue_window
