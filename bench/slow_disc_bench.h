#pragma once

#include <QString>

namespace bench {

/// On a disc throttled to 1 MB/s (the reader's pace hook) with 3 MB neighbours, through the viewer's window opened
/// from the catalogue window: how long Esc and letting the window go take while a neighbour is read ahead
/// (close_during_read_ahead_ms), and how long after the user's step to the other neighbour the bar first shows its
/// read (step_during_read_ahead_ms). Medians of runs. The collection is written under folder.
int slowDiscTimes(const QString& folder, int runs);

/// Resident memory 10 s after a map's picture, its file's bytes and its reduced copies were let go, above what the
/// process had before reading it (resident_after_close_mib).
int residentAfterClose(const QString& file);

} // namespace bench
