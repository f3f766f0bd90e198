#include "catalogue_window/article_path.h"

#include <QStringList>

#include "catalogue/categories.h"

namespace catalogue_window {
namespace {

// Documents and pictures that the usual desktop applications only show. Not here: anything that runs (programs,
// scripts, shortcuts, launchers), and documents that carry scripts of their own outside a browser (.chm, .hta, .svg).
constexpr const char* ArticleTypes[] = {"htm", "html", "txt",  "pdf", "rtf", "doc", "docx", "odt", "djvu",
                                        "djv", "jpg",  "jpeg", "png", "gif", "bmp", "tif",  "tiff"};

} // namespace

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

bool isArticleType(const QString& fileName)
{
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    if (dot < 0 || fileName.indexOf(QLatin1Char('/'), dot) >= 0)
        return false;
    const QString suffix = fileName.mid(dot + 1);
    for (const char* type : ArticleTypes) {
        if (suffix.compare(QLatin1String(type), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

QString articleTypesText()
{
    QStringList types;
    for (const char* type : ArticleTypes)
        types << QString::fromLatin1(type);
    return types.join(QStringLiteral(", "));
}

} // namespace catalogue_window
