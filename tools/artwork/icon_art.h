#pragma once

#include <QImage>

namespace artwork {

/// The program's icon at size x size pixels: an old map sheet in the windows' red and gold, with a compass rose,
/// on transparency. Drawn afresh at each size, so the small ones stay sharp.
QImage drawAppIcon(int size);

} // namespace artwork
