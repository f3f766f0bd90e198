#pragma once

#include <string>

#include "failure/result.h"

namespace catalogue_window {

/// Reads a catalogue file (a name such as catalogue::MapsFile) through the collection's data-file lookup, so that it
/// is found in any letter case like every other data file. The reader the window hands to the catalogue load.
failure::Result<std::string> readCatalogueFile(const char* name);

} // namespace catalogue_window
