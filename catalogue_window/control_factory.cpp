#include "catalogue_window/control_factory.h"

#include "controls/picture_control.h"
#include "controls/text_label.h"

namespace catalogue_window {

QImage artwork(const QString& name, QSize size, QColor standIn)
{
    QImage image(QStringLiteral(":/artwork/catalogue/%1.png").arg(name));
    if (image.isNull()) {
        image = QImage(size, QImage::Format_RGB32);
        image.fill(standIn);
    }
    return image;
}

controls::PictureControl* makePicture(QWidget* parent, QRect rect, const QString& artworkName, QColor standIn)
{
    auto* picture = new controls::PictureControl(parent);
    picture->setGeometry(rect);
    if (!artworkName.isEmpty()) {
        picture->setPicture(artwork(artworkName, rect.size(), standIn));
        picture->setAutoSize(true);
    }
    return picture;
}

controls::TextLabel* makeLabel(QWidget* parent, int left, int top, int pixelHeight, bool bold, QColor colour,
                               const QString& caption)
{
    auto* label = new controls::TextLabel(parent);
    label->move(left, top);
    label->setFontSpec(pixelHeight, bold);
    label->setTextColour(colour);
    label->setCaption(caption);
    return label;
}

controls::Panel* makePanel(QWidget* parent, QRect rect, QColor colour)
{
    auto* panel = new controls::Panel(parent, colour);
    panel->setGeometry(rect);
    return panel;
}

} // namespace catalogue_window
