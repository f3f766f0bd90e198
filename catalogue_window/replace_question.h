#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace catalogue_window {

/// Asks whether an existing file may be replaced (Yes/No box). True when the user agrees.
bool confirmReplace(QWidget* parent, const QString& path);

/// Tests answer the question through a hook that receives the path; an empty hook restores the box.
using ReplaceQuestionHook = std::function<bool(const QString& path)>;
void setReplaceQuestionHook(ReplaceQuestionHook hook);

} // namespace catalogue_window
