#pragma once

#include <QString>

namespace bench {

/// One opening in a fresh process; prints its seconds (read, decode with progress, picture shown).
int decodeOnce(const QString& path);
/// Alternates djpeg, a first opening in a fresh process and a further opening in this one; prints the medians.
int decodeRatio(const QString& name, const QString& path, int runs);
/// Alternates djpeg -scale 1/8 and the preview decode; prints the median ratio.
int previewRatio(const QString& name, const QString& path, int runs);
/// A progressive map's decode stopped at 30 %: the median time from the stop to the end of its job.
int stopProgressiveDecode(const QString& path, int runs);
/// The machine's cost of first writes to fresh memory: mmap and memset of 400 MiB, the median of runs.
int freshMemoryCost(int runs);

} // namespace bench
