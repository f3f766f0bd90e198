#pragma once

#include <QString>
#include <QStringList>

namespace bench {

/// Writes a collection whose cities are mapFiles, in this order (already in dir/Goroda): the catalogue and about
/// files in code page 1251 and PPM pictures for the previews and the about page, which bench/run turns into JPEG.
int makeCollection(const QString& dir, const QStringList& mapFiles);

} // namespace bench
