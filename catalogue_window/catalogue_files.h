#pragma once

#include <string>

namespace catalogue_window {

/// Reads a catalogue file (a name such as catalogue::MapsFile) through the collection's data-file lookup, so that it
/// is found in any letter case like every other data file. The reader the window hands to the catalogue load.
bool readCatalogueFile(const char* name, std::string& bytes, std::string& message);

} // namespace catalogue_window
