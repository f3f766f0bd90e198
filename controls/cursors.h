#pragma once

#include <QCursor>

namespace controls {

/// The numbers of the two hand cursors the viewer pans with.
inline constexpr int OpenHand = 1000;
inline constexpr int GrabbingHand = 1001;

/// The program's screen cursors by number (OpenHand, GrabbingHand); registering a number again replaces
/// the earlier cursor.
void registerScreenCursor(int number, const QCursor& cursor);
/// The cursor registered under number; the arrow when none is.
QCursor screenCursor(int number);

/// The cursor set for the whole screen (the application's override cursor), overriding every control's own cursor.
/// Setting it again changes the one override; there is never more than one.
void setScreenCursor(const QCursor& cursor);
/// A stock cursor (the hourglass); without this overload a shape would quietly be taken for a cursor number.
void setScreenCursor(Qt::CursorShape shape);
/// Removes the screen cursor, so the controls' own cursors show again.
void setScreenCursorDefault();

/// Loads a cursor from a PNG resource, hot spot 0,0. name is a resource path (":/cursors/RUKARAZJATA.png") or a bare
/// resource name ("RUKARAZJATA"); on a scaled screen the picture drawn at 2x (RUKARAZJATA@2x.png) is taken when there
/// is one. Without the resource the hands fall back to Qt's open and closed hand cursors.
QCursor loadCursorResource(const char* name);

} // namespace controls
