#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>

class QWidget;

namespace controls {
class Panel;
class PictureControl;
class TextLabel;
} // namespace controls

namespace catalogue_window {

/// The window's colours (RGB of the design's colour values).
inline const QColor WindowColour(223, 213, 191);
inline const QColor TopBarColour(135, 113, 67);
inline const QColor ListPanelColour(192, 192, 192);
inline const QColor PreviewPanelColour(202, 186, 153);
inline const QColor CaptionColour(112, 29, 0);    // captions and the highlighted row
inline const QColor RowNormalColour(68, 28, 26);  // rows and link rows
inline const QColor RowHighlightColour(112, 29, 0);
inline const QColor ValueColour(0, 0, 0);

/// A picture from the window's artwork (":/artwork/catalogue/<name>.png"); a plain picture of the given size and
/// colour stands in when the resource is missing.
QImage artwork(const QString& name, QSize size, QColor standIn);

/// A picture control at rect; with a resource name it shows that artwork at its natural size.
controls::PictureControl* makePicture(QWidget* parent, QRect rect, const QString& artworkName = {},
                                      QColor standIn = QColor(211, 206, 176));

/// A label at left, top that takes the size of its text.
controls::TextLabel* makeLabel(QWidget* parent, int left, int top, int pixelHeight, bool bold, QColor colour,
                               const QString& caption);

/// A plain coloured panel.
controls::Panel* makePanel(QWidget* parent, QRect rect, QColor colour);

} // namespace catalogue_window
