#include "controls/control_builder.h"

#include <QGuiApplication>
#include <QImage>
#include <QWidget>
#include <utility>

#include "controls/accessible_control.h"
#include "controls/picture_control.h"
#include "controls/text_label.h"

namespace controls {

using window_layout::ControlRow;
using window_layout::Kind;
using window_layout::Role;

namespace {

PictureControl* makePicture(QWidget* parent, const ControlRow& row, const QString& folder)
{
    auto* picture = new PictureControl(parent);
    picture->setGeometry(row.place);
    if (row.artwork) {
        picture->setPicture(artwork(folder, QString::fromStdString(row.name), row.artworkSize(), row.colour));
        if (row.pictureSize.isEmpty())
            picture->setAutoSize(true);
        else
            picture->setStretch(true);
    }
    return picture;
}

TextLabel* makeLabel(QWidget* parent, const ControlRow& row)
{
    auto* label = new TextLabel(parent);
    label->move(row.place.topLeft());
    label->setFontSpec(row.fontHeight, row.bold, row.fixedPitch);
    label->setTextColour(row.colour);
    if (row.maxWidth > 0)
        label->setMaxTextWidth(row.maxWidth);
    label->setCaption(QString::fromUtf8(row.caption));
    if (!row.place.size().isEmpty())
        label->setFixedBox(row.place.size(), row.wordWrap);
    return label;
}

Panel* makePanel(QWidget* parent, const ControlRow& row)
{
    auto* panel = new Panel(parent, row.colour);
    panel->setGeometry(row.place);
    return panel;
}

} // namespace

QImage artwork(const QString& folder, const QString& name, QSize size, QColor standIn)
{
    // A picture is a PNG, or a JPEG where it is opaque and photographic (the faded maps).
    auto load = [&](const QString& base) {
        QImage image(base + QStringLiteral(".png"));
        if (image.isNull())
            image = QImage(base + QStringLiteral(".jpg"));
        return image;
    };
    const QString base = folder + QLatin1Char('/') + name;
    QImage image;
    // On a scaled screen the picture drawn at twice the size; its "@2x" name gives it a device pixel ratio of 2.
    if (qGuiApp && qGuiApp->devicePixelRatio() > 1.0)
        image = load(base + QStringLiteral("@2x"));
    if (image.isNull())
        image = load(base);
    if (image.isNull() && standIn.isValid()) {
        image = QImage(size, QImage::Format_RGB32);
        image.fill(standIn);
    }
    return image;
}

ControlBuilder::ControlBuilder(QWidget* window, QString artworkFolder)
    : m_window(window), m_artworkFolder(std::move(artworkFolder))
{
}

void ControlBuilder::placeChildrenIn(const QString& parent, QWidget* container)
{
    m_containers.insert(parent, container);
}

void ControlBuilder::build(const std::vector<ControlRow>& table, const Maker& makeOwn)
{
    for (const ControlRow& row : table) {
        const QString parentName = QString::fromUtf8(row.parent);
        QWidget* parent = m_window;
        if (!parentName.isEmpty()) {
            parent = m_containers.contains(parentName) ? m_containers.value(parentName) : m_controls.value(parentName);
            // A parent named before it is built is a fault of the table; the layout tests find the control in the
            // wrong place.
            Q_ASSERT_X(parent, "ControlBuilder::build", "the parent row comes first");
            if (!parent)
                parent = m_window;
        }
        QWidget* control = makeOwn ? makeOwn(row, parent) : nullptr;
        if (!control) {
            switch (row.kind) {
            case Kind::Picture:
                control = makePicture(parent, row, m_artworkFolder);
                break;
            case Kind::Label:
                control = makeLabel(parent, row);
                break;
            case Kind::Panel:
                control = makePanel(parent, row);
                break;
            case Kind::Other:
                // A kind of its own that the window did not make: its tied member finds no control of its type,
                // which the window's tie test reports.
                Q_ASSERT_X(false, "ControlBuilder::build", "the window makes the controls of its own kinds");
                control = new QWidget(parent);
                break;
            }
        }
        control->setObjectName(QString::fromStdString(row.name));
        if (!row.visible)
            control->hide();
        if (row.handCursor)
            control->setCursor(Qt::PointingHandCursor);
        m_controls.insert(control->objectName(), control);
    }
    // Roles and names once every control is there: a caption or a pressed control may come later in the table.
    makeAccessible(m_window, Role::Group, {}, nullptr, nullptr);
    for (const ControlRow& row : table) {
        const Role role = row.role == Role::Stock && row.kind == Kind::Panel ? Role::Group : row.role;
        makeAccessible(m_controls.value(QString::fromStdString(row.name)), role, QString::fromUtf8(row.accessibleName),
                       m_controls.value(QString::fromUtf8(row.captionRow)),
                       m_controls.value(QString::fromUtf8(row.pressRow)));
    }
}

} // namespace controls
