#include "catalogue_window/replace_question.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>

namespace catalogue_window {
namespace {

ReplaceQuestionHook& hook()
{
    static ReplaceQuestionHook current;
    return current;
}

} // namespace

void setReplaceQuestionHook(ReplaceQuestionHook newHook)
{
    hook() = std::move(newHook);
}

bool confirmReplace(QWidget* parent, const QString& path)
{
    if (hook())
        return hook()(path);
    const QString text = QStringLiteral("Файл %1 уже существует.\nЗаменить его?").arg(QDir::toNativeSeparators(path));
    const auto answer = QMessageBox::question(parent, QApplication::applicationDisplayName(), text,
                                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    return answer == QMessageBox::Yes;
}

} // namespace catalogue_window
