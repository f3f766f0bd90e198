#pragma once

class CatalogueSelection;

/// Creates the hidden start-up viewer window (it registers the two hand cursors) and lets the catalogue window open
/// maps in viewer windows (CatalogueSelection::OpenViewer).
void installViewer(CatalogueSelection& form1);
