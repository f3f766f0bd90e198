#pragma once

#include <QString>

namespace artwork {

/// Writes every picture of both windows, the two cursors and the skin under the assets folder (artwork/catalogue,
/// artwork/viewer, cursors, skin). Returns the errors, one a line; empty on success.
QString writeArtwork(const QString& assets);

} // namespace artwork
