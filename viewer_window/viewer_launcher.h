#pragma once

class TForm1;

/// Creates the hidden start-up viewer window (it registers the two hand cursors) and lets the catalogue window open
/// maps in viewer windows (TForm1::OpenViewer).
void installViewer(TForm1& form1);
