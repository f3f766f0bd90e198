#pragma once

#include <QString>

#include "failure/failure.h"

namespace desktop {

/// The user's action a failure ended or hindered: it decides how the message box names the file.
enum class Action {
    Other,         ///< the reason alone
    LoadCatalogue, ///< the catalogue and about files read at the first activation
    ShowPicture,   ///< a picture of the catalogue window (a preview, the articles picture, the about picture)
    OpenMap,       ///< the viewer's reading and decoding of a map
    SavePicture,   ///< a save of a window's picture
    CopyFile,      ///< putting a map on the clipboard as a file
    StepToMap,     ///< the viewer's step to a map whose file is missing
};

/// The one place the texts of failures are made. The system's own texts stay as the program has always shown them
/// ("File not found", the system's text for a refused open or a failed read, "Cannot open clipboard"); the program's
/// own texts are Russian. A library's English sentence (libjpeg's) is never put into a Russian one: the kind of the
/// failure chooses the Russian text, and libjpeg's detail stays in the Failure (tests, describe()), since it names
/// markers and tables the user cannot act on.
QString failureText(const failure::Failure& failure);

/// The one way a message names a file: a collection-relative path as the collection has it, with the platform's
/// separators and no leading "./" ("Goroda/x.jpg"; "Goroda\\x.jpg" on Windows); a path the user chose the same way.
/// Every failure's file goes through it.
QString shownFileName(const QString& path);

/// The whole text of the message box for a failure of action.
QString failureMessage(Action action, const failure::Failure& failure);

/// Shows failureMessage(action, failure) through showMessage: inside a guarded handler it waits until the outermost
/// handler has returned, as every message does. A handler that reports a failure returns; nothing is thrown.
void reportFailure(Action action, const failure::Failure& failure);

} // namespace desktop
