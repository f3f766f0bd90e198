#pragma once

#include <QString>

namespace bench {

/// Writes a collection whose only city is mapFile (already in dir/Goroda): the catalogue and about files in code
/// page 1251 and PPM pictures for the preview and the about page, which bench/run turns into JPEG.
int makeCollection(const QString& dir, const QString& mapFile);

} // namespace bench
