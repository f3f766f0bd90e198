#pragma once

#include <QString>

namespace bench {

/// What the disc is left with and waits for, through the program's windows over a collection written under folder:
/// the files of the collection the process holds open 100 ms after the viewer is closed during a read-ahead on a
/// 300 KB/s disc (files_held_after_close); how long a step to a map already read ahead takes to show the map while
/// the next entry's 300 KB preview reads at 100 KB/s (step_behind_preview_ms, median of runs).
int discRelease(const QString& folder, int runs);

/// From the close request to the end of a process of the program whose map read is blocked for 60 s in the read
/// hook (exit_with_hung_read_ms): program is this benchmark program, run again as the hung process.
int exitWithHungRead(const QString& program, const QString& folder);
/// The hung process: opens the map, says "hung" once its read blocks, closes its windows on a line of input.
int hungReadProcess(const QString& folder);

} // namespace bench
