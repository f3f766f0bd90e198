#pragma once

#include <functional>

class CurrentEntry;
class QWidget;
namespace loading {
class Loader;
}

/// Creates the hidden start-up viewer window (it registers the two hand cursors) and returns how the catalogue
/// window opens the current entry's map: in a new viewer window it owns, shown modally over it. The viewers' work
/// goes through loader, which outlives the catalogue window.
[[nodiscard]] std::function<void()> installViewer(CurrentEntry& entry, loading::Loader& loader,
                                                  QWidget& catalogueWindow);
