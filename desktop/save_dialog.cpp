#include "desktop/save_dialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QSaveFile>
#include <memory>

#include "desktop/error_report.h"
#include "desktop/save_dialog_preview.h"

namespace desktop {
namespace {

// Both windows share one dialog state: the name chosen last in either is proposed next time.
struct SaveDialogState
{
    QString lastChosen;
    SaveDialogHook dialogHook;
    OverwriteQuestionHook overwriteHook;
};

SaveDialogState& state()
{
    static SaveDialogState current;
    return current;
}

std::optional<QString> runDialog(QWidget* parent, const QString& proposed)
{
    if (state().dialogHook)
        return state().dialogHook(proposed);
    const std::unique_ptr<QFileDialog> dialog(createSaveDialog(parent, proposed));
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return std::nullopt;
    return dialog->selectedFiles().constFirst();
}

bool mayReplace(QWidget* parent, const QString& existingFile)
{
    if (state().overwriteHook)
        return state().overwriteHook(existingFile);
    const QString question = QStringLiteral("Файл %1 уже существует.\nЗаменить его?").arg(existingFile);
    return QMessageBox::question(parent, QApplication::applicationDisplayName(), question,
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

} // namespace

void setSaveDialogHook(SaveDialogHook hook)
{
    state().dialogHook = std::move(hook);
}

void setOverwriteQuestionHook(OverwriteQuestionHook hook)
{
    state().overwriteHook = std::move(hook);
}

std::optional<QString> askSaveFileName(QWidget* parent)
{
    const std::optional<QString> chosen = runDialog(parent, state().lastChosen);
    if (!chosen || chosen->isEmpty())
        return std::nullopt;
    state().lastChosen = *chosen;
    const QString target = saveTargetName(*chosen);
    if (QFileInfo::exists(target) && !mayReplace(parent, target))
        return std::nullopt;
    return chosen;
}

QString saveTargetName(const QString& chosen)
{
    if (chosen.endsWith(QStringLiteral(".jpg"), Qt::CaseInsensitive))
        return chosen;
    return chosen + QStringLiteral(".jpg");
}

failure::Result<void> writeFileBytes(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    const auto failed = [&path, &file] {
        return failure::Failure{failure::What::WriteFailed, path.toStdString(), file.errorString().toStdString(), {}};
    };
    if (!file.open(QIODevice::WriteOnly))
        return failed();
    // An unfinished QSaveFile is discarded, so a failed write leaves any earlier file of that name intact.
    if (file.write(bytes) != bytes.size())
        return failed();
    if (!file.commit())
        return failed();
    return {};
}

failure::Result<void> savePictureAs(QWidget* parent, QByteArray bytes, const QString& nothingToSave)
{
    // Writing an empty file would report a save that saved nothing; the user learns it before choosing a name.
    if (bytes.isEmpty())
        return failure::Failure{failure::What::NothingToSave, {}, nothingToSave.toStdString(), {}};
    const std::optional<QString> chosen = askSaveFileName(parent);
    if (!chosen)
        return {};
    return writeFileBytes(saveTargetName(*chosen), bytes);
}

failure::Result<void> saveDataFileAs(QWidget* parent, const QString& relative, const files::FileStamp& stamp)
{
    const std::optional<QString> chosen = askSaveFileName(parent);
    if (!chosen)
        return {};
    failure::Result<std::unique_ptr<files::DataFileParts>> source = files::DataFileParts::open(relative, stamp);
    if (!source)
        return source.error();
    const QString path = saveTargetName(*chosen);
    QSaveFile file(path);
    const auto failed = [&path, &file] {
        return failure::Failure{failure::What::WriteFailed, path.toStdString(), file.errorString().toStdString(), {}};
    };
    if (!file.open(QIODevice::WriteOnly))
        return failed();
    // Pieces of a few megabytes: the copy of a map of a gigabyte holds no more than one of them. An unfinished
    // QSaveFile is discarded, so a copy that fails part way leaves any earlier file of that name intact.
    constexpr qint64 CopyPiece = qint64(4) << 20;
    for (qint64 offset = 0; offset < stamp.size; offset += CopyPiece) {
        const failure::Result<QByteArray> piece = (*source)->read(offset, CopyPiece);
        if (!piece)
            return piece.error();
        if (file.write(*piece) != piece->size())
            return failed();
    }
    // A file changed while it was copied is not saved as the map on show.
    if (!(*source)->unchanged())
        return failure::Failure{failure::What::FileChanged, relative.toStdString(), {}, {}};
    if (!file.commit())
        return failed();
    return {};
}

} // namespace desktop
