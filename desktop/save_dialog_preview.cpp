#include "desktop/save_dialog_preview.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>

#include "desktop/error_report.h"
#include "picture/jpeg_decoder.h"

namespace desktop {
namespace {

// A preview is not worth reading more than this: a map of the collection is far smaller.
constexpr qint64 MaxPreviewFileBytes = qint64(512) << 20;

QImage shrunkToFit(const QImage& image, QSize box)
{
    if (image.isNull() || (image.width() <= box.width() && image.height() <= box.height()))
        return image;
    return image.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

void showPreview(QLabel* label, const QString& path)
{
    const QImage picture = QFileInfo(path).isFile() ? previewPicture(path, label->size()) : QImage();
    if (picture.isNull())
        label->clear();
    else
        label->setPixmap(QPixmap::fromImage(picture));
}

} // namespace

QImage previewPicture(const QString& path, QSize box)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    if (picture::looksLikeJpeg(file.peek(3))) {
        if (file.size() > MaxPreviewFileBytes)
            return {};
        picture::JpegDecodeOptions options;
        options.fitBox = box;
        // A file that cannot be shown leaves the preview empty: the dialog only offers it.
        const failure::Result<QImage> decoded = picture::decodeJpeg(file.readAll(), options);
        return decoded ? shrunkToFit(*decoded, box) : QImage();
    }
    file.close();
    QImageReader reader(path);
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > box.width() || size.height() > box.height()))
        reader.setScaledSize(size.scaled(box, Qt::KeepAspectRatio));
    return shrunkToFit(reader.read(), box);
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

    QObject::connect(dialog, &QFileDialog::currentChanged, preview,
                     [preview](const QString& path) { runGuarded([&] { showPreview(preview, path); }); });
    return dialog;
}

} // namespace desktop
