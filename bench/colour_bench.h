#pragma once

#include <QString>

namespace bench {

/// Alternates the decode of a map as it is and of the same map carrying an embedded Adobe-RGB-like colour profile
/// (matrix and curves, converted to sRGB as the rows arrive); prints the medians and the share the conversion adds.
int colourConversionCost(const QString& name, const QString& path, int runs);

} // namespace bench
