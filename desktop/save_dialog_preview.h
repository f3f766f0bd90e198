#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <functional>
#include <stop_token>

class QFileDialog;
class QObject;
class QWidget;

namespace desktop {

/// Size of the preview pane beside the save dialog's file list.
inline constexpr QSize SavePreviewSize(200, 150);

/// Builds the save dialog: a Qt file dialog (the same everywhere) proposing the given name, without a type filter,
/// with "jpg" as its default suffix and a picture preview (a QLabel named "picturePreview") filled as the selection
/// changes, by the preview loader, off the GUI thread. It never changes the working folder. The caller owns the
/// dialog.
QFileDialog* createSaveDialog(QWidget* parent, const QString& proposed);

/// Loads the preview of the file at path shrunk to fit box, off the GUI thread: calls shown on the GUI thread with the
/// picture (null for a file that is no picture), unless owner is gone or stop was requested by then.
using PreviewLoader = std::function<void(QObject* owner, const QString& path, QSize box, std::stop_token stop,
                                         std::function<void(const QImage&)> shown)>;
/// The program installs the loader of its background work; without one the dialog shows no preview.
void setPreviewLoader(PreviewLoader loader);

} // namespace desktop
