#pragma once

#include <functional>

class CurrentEntry;
class QWidget;

/// Creates the hidden start-up viewer window (it registers the two hand cursors) and returns how the catalogue
/// window opens the current entry's map: in a new viewer window it owns, shown modally over it.
[[nodiscard]] std::function<void()> installViewer(CurrentEntry& entry, QWidget& catalogueWindow);
