#pragma once

#include <QString>

namespace bench {

/// A map too large to decode whole: its overview (file read and scanned) against djpeg -scale 1/8 of the same file,
/// alternating; then the part of a 1920 x 1080 view at actual size decoded at full detail at the map's lower right
/// corner and one view to its left; the process's peak resident memory.
int hugeMap(const QString& name, const QString& path, int runs);

} // namespace bench
