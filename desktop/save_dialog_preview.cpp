#include "desktop/save_dialog_preview.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <memory>

#include "desktop/error_report.h"

namespace desktop {
namespace {

PreviewLoader& previewLoader()
{
    static PreviewLoader loader;
    return loader;
}

void showPreview(QLabel* label, const QImage& picture)
{
    if (picture.isNull())
        label->clear();
    else
        label->setPixmap(QPixmap::fromImage(picture));
}

} // namespace

void setPreviewLoader(PreviewLoader loader)
{
    previewLoader() = std::move(loader);
}

QFileDialog* createSaveDialog(QWidget* parent, const QString& proposed)
{
    auto* dialog = new QFileDialog(parent);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    // The replace question is asked once, by the caller, about the name actually written.
    dialog->setOption(QFileDialog::DontConfirmOverwrite);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setDefaultSuffix(QStringLiteral("jpg"));
    dialog->setSizeGripEnabled(true);
    if (!proposed.isEmpty())
        dialog->selectFile(proposed);

    auto* preview = new QLabel(dialog);
    preview->setObjectName(QStringLiteral("picturePreview"));
    preview->setFixedSize(SavePreviewSize);
    preview->setAlignment(Qt::AlignCenter);
    preview->setFrameShape(QFrame::StyledPanel);
    if (auto* grid = qobject_cast<QGridLayout*>(dialog->layout()))
        grid->addWidget(preview, 0, grid->columnCount(), grid->rowCount(), 1, Qt::AlignCenter);

    // Each change gives up the preview still loading; the picture shows once read and shrunk.
    auto loading = std::make_shared<std::stop_source>();
    QObject::connect(dialog, &QFileDialog::currentChanged, preview, [preview, loading](const QString& path) {
        runGuarded([&] {
            loading->request_stop();
            *loading = std::stop_source();
            preview->clear();
            if (previewLoader() && !path.isEmpty())
                previewLoader()(preview, path, preview->size(), loading->get_token(),
                                [preview](const QImage& picture) { showPreview(preview, picture); });
        });
    });
    QObject::connect(preview, &QObject::destroyed, [loading] { loading->request_stop(); });
    return dialog;
}

} // namespace desktop
