#pragma once

// Catalogue entries for the detail panel, about page, link row and file action tests.
#include "support/test_collection.h"

namespace testsupport {

inline Entry mapEntry(const QString& title, const QString& code, const QString& fileName,
                      const QString& quality = QStringLiteral("3"), const QString& author = QStringLiteral("Автор"),
                      const QString& description = QStringLiteral("Описание"))
{
    Entry e;
    e.title = title;
    e.code = code;
    e.fileName = fileName;
    e.year = QStringLiteral("1800");
    e.author = author;
    e.description = description;
    e.quality = quality;
    return e;
}

/// Folder of a category code's files, as the collection lays them out (metro in the cities folder).
inline QString folderOf(const QString& code)
{
    return code == QLatin1String("Metro") ? QStringLiteral("Goroda/") : code + QLatin1Char('/');
}

} // namespace testsupport
