#pragma once

#include <QString>

#include "catalogue/catalogue_data.h"
#include "catalogue_window/tform1.h"
#include "current_entry/current_entry.h"
#include "loading/loader.h"

namespace bench {

/// The program as main() makes it, over the collection in a folder: the tables, the current entry, the one loader and
/// the catalogue window shown, with the viewer installed. Messages go to stderr.
struct ProgramWindows
{
    catalogue::CatalogueData data;
    CurrentEntry entry{data};
    loading::Loader loader;
    TForm1 catalogueWindow{entry, loader};

    explicit ProgramWindows(const QString& folder);
};

} // namespace bench
