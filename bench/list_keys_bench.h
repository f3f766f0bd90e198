#pragma once

#include <QString>

namespace bench {

/// Through the catalogue window on a disc that delivers 300 KB/s (a preview of about 170 ms), Down held through 20
/// entries at 30 keys a second: from the last key until the panel's texts show the 21st entry
/// (list_keys_slow_disc_lag_ms) and until its preview shows (list_keys_slow_disc_picture_ms). Then that entry's map
/// opened, closed with Esc and opened again: the bytes of its file read by the second opening (reopen_read_bytes).
/// The collection is written under folder.
int listKeysSlowDisc(const QString& folder);

} // namespace bench
