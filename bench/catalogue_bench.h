#pragma once

namespace bench {

/// Catalogue load of a 1000-line maps.txt from files, and each ordering of its 1000-entry cities table.
int catalogueTimes(int runs);

} // namespace bench
