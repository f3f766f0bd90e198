#pragma once

#include <QCursor>

namespace controls {

/// The program's screen cursors by number: 1000 open hand, 1001 grabbing hand; registering a number again replaces
/// the earlier cursor.
void registerScreenCursor(int number, const QCursor& cursor);
QCursor screenCursor(int number);

/// The cursor set for the whole screen, overriding every control's own cursor; Qt::ArrowCursor with
/// isDefault=true puts the controls' own cursors back.
void setScreenCursor(const QCursor& cursor);
void setScreenCursorDefault();
bool screenCursorIsDefault();
/// The shape of the current screen cursor (Qt::BitmapCursor for the hands); meaningless while default.
Qt::CursorShape screenCursorShape();
int screenCursorNumber(); ///< 1000/1001 for the hands, 0 otherwise

/// Loads a cursor from a PNG resource (":/cursors/RUKARAZJATA.png"), hot spot 0,0.
QCursor loadCursorResource(const char* name);

} // namespace controls
