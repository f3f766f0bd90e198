#pragma once

#include "map_drawing.h"

#include <QSize>
#include <QString>
#include <QStringList>
#include <vector>

namespace democollection {

/// One catalogue entry of the demo collection with what is needed to draw its picture. Texts are UTF-8 here.
struct DemoEntry
{
    QString title, code, fileName, year, author, description, spare, quality;
    toolcommon::MapKind kind = toolcommon::MapKind::City;
    QSize size;               ///< full-size picture; empty for articles
    bool progressive = false; ///< written as a progressive JPEG
    QString diskFileName;     ///< the name on disk when it differs from the catalogue's (letter case only)

    /// The catalogue line, fields joined with "@".
    QString line() const;
    /// The folder of the picture inside the collection ("Goroda", "Oblasti", "Russia"; "Articles" for articles).
    QString folder() const;
};

std::vector<DemoEntry> demoEntries();
QStringList aboutLines();
QStringList aboutLines2();

/// An article: file name inside Articles/ and its UTF-8 content.
struct DemoArticle
{
    QString fileName;
    QByteArray content;
};
std::vector<DemoArticle> demoArticles();

inline const QString collectionTitle = QStringLiteral("Старинные карты России");
inline const QString publisherName = QStringLiteral("Картографическое собрание");

} // namespace democollection
