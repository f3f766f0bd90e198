#pragma once

#include <QImage>
#include <QSize>
#include <QString>

class QFileDialog;
class QWidget;

namespace desktop {

/// Size of the preview pane beside the save dialog's file list.
inline constexpr QSize SavePreviewSize(200, 150);

/// Builds the save dialog: a Qt file dialog (the same everywhere) proposing the given name, without a type filter,
/// with "jpg" as its default suffix and a picture preview (a QLabel named "picturePreview") filled as the selection
/// changes. It never changes the working folder. The caller owns the dialog.
QFileDialog* createSaveDialog(QWidget* parent, const QString& proposed);

/// A picture file shrunk to fit box, for the preview; a null image when the file is no readable picture. JPEG files
/// are decoded with DCT scaling, so a large map previews quickly.
QImage previewPicture(const QString& path, QSize box);

} // namespace desktop
