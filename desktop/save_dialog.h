#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

class QWidget;

#include "failure/result.h"
#include "files/data_files.h"

namespace desktop {

/// The one save dialog both windows share: it proposes the name chosen last in either, previews the selected
/// picture, never changes the working folder, and asks before replacing an existing file (the file
/// saveTargetName(chosen) names). Returns the chosen name, or nullopt when the user cancels the dialog or declines
/// to replace the file. The caller writes to saveTargetName(*chosen).
std::optional<QString> askSaveFileName(QWidget* parent);

/// Tests answer the dialog through a hook: it gets the proposed name and returns the chosen one (or nullopt).
using SaveDialogHook = std::function<std::optional<QString>(const QString& proposed)>;
void setSaveDialogHook(SaveDialogHook hook);

/// Tests answer the question "replace the existing file?" through a hook: it gets the existing file's name and
/// returns true to replace it. Without a hook a message box asks.
using OverwriteQuestionHook = std::function<bool(const QString& existingFile)>;
void setOverwriteQuestionHook(OverwriteQuestionHook hook);

/// The name a save writes to: ".jpg" is appended unless the name already ends so (any letter case).
QString saveTargetName(const QString& chosen);

/// Writes bytes to path (all or nothing), or fails with WriteFailed on path, with the system's text.
failure::Result<void> writeFileBytes(const QString& path, const QByteArray& bytes);

/// The save of a window's picture: with no bytes fails with NothingToSave (nothingToSave its text) before asking;
/// otherwise asks for a
/// name (askSaveFileName) and writes the bytes to saveTargetName of it. A cancelled dialog writes nothing. The bytes
/// are taken as they are when it is called: the dialog runs an event loop, in which the window's picture may change.
failure::Result<void> savePictureAs(QWidget* parent, QByteArray bytes, const QString& nothingToSave);

/// The save of a picture not held in memory: asks for a name as savePictureAs does and copies the collection's file
/// relative to it piece by piece (all or nothing), or fails as files::DataFileParts (FileChanged once the file is no
/// longer stamp, before the copy or during it) or WriteFailed.
failure::Result<void> saveDataFileAs(QWidget* parent, const QString& relative, const files::FileStamp& stamp);

} // namespace desktop
