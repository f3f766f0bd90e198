// The accessible interfaces of the skinned controls: what AT-SPI and UI Automation read of a window built from its
// control table. Qt's own interfaces serve the plain labels and the progress bar; the picture controls, which Qt can
// only call nameless clients, get their role here.
#include "controls/accessible_control.h"

#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QVariant>
#include <QWidget>

#include "controls/accessible_list.h"
#include "controls/picture_control.h"
#include "controls/skin_scroll_bar.h"
#include "controls/string_grid.h"

using window_layout::Role;

namespace controls {

namespace {

constexpr char RoleProperty[] = "mapcatalogueAccessibleRole";
constexpr char TemplateProperty[] = "mapcatalogueAccessibleTemplate";
constexpr char CaptionProperty[] = "mapcatalogueAccessibleCaption";
constexpr char PressProperty[] = "mapcatalogueAccessiblePress";
constexpr char SelectedProperty[] = "mapcatalogueAccessibleSelected";
constexpr char ShownNameProperty[] = "mapcatalogueAccessibleShownName";

AnnouncementObserver announcementObserver = nullptr;

Role roleOf(const QObject* object)
{
    const QVariant role = object->property(RoleProperty);
    return role.isValid() ? Role(role.toInt()) : Role::Stock;
}

QWidget* widgetProperty(const QObject* object, const char* property)
{
    return qobject_cast<QWidget*>(object->property(property).value<QObject*>());
}

bool isIgnored(const QAccessibleInterface* iface)
{
    return iface && iface->object() && roleOf(iface->object()) == Role::Ignored;
}

/// A click as the mouse gives it, so the control runs what its click runs, however it is bound.
void click(QWidget* target)
{
    const QPointF centre = QRectF(target->rect()).center();
    const QPointF global = target->mapToGlobal(centre);
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, centre, global, Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &event);
    }
}

class AccessibleControl : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    AccessibleControl(QWidget* widget, Role role)
        : QAccessibleWidget(widget, accessibleRole(widget, role)), m_role(role)
    {
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        if (m_role == Role::Ignored)
            s.invisible = true;
        if (m_role == Role::PageTab) {
            s.selectable = true;
            s.selected = widget()->property(SelectedProperty).toBool();
        }
        return s;
    }

    QString text(QAccessible::Text t) const override
    {
        if (m_role == Role::Ignored)
            return {};
        const auto* label = qobject_cast<const QLabel*>(widget());
        if (t == QAccessible::Value && m_role == Role::ZoomedPicture)
            return QStringLiteral("%1 %").arg(zoomPercent(widget()));
        if (t == QAccessible::Name && widget()->property(ShownNameProperty).isValid())
            return widget()->property(ShownNameProperty).toString();
        if (t != QAccessible::Name || !label)
            return QAccessibleWidget::text(t);
        if (const QWidget* caption = widgetProperty(widget(), CaptionProperty)) {
            if (const auto* captionLabel = qobject_cast<const QLabel*>(caption))
                return captionLabel->text() + QLatin1Char(' ') + label->text();
        }
        return widget()->accessibleName().isEmpty() ? label->text() : widget()->accessibleName();
    }

    // Artwork without a job is left out of its parent's children.
    int childCount() const override { return int(children().size()); }
    QAccessibleInterface* child(int index) const override
    {
        const QList<QAccessibleInterface*> shown = children();
        return index >= 0 && index < shown.size() ? shown.at(index) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return int(children().indexOf(const_cast<QAccessibleInterface*>(child)));
    }

    QStringList actionNames() const override
    {
        return pressable() ? QStringList{pressAction()} : QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override
    {
        if (!pressable() || action != pressAction())
            return QAccessibleWidget::doAction(action);
        QWidget* target = widgetProperty(widget(), PressProperty);
        click(target ? target : widget());
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface && (m_role == Role::ZoomedPicture || m_role == Role::ScrollBar))
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    // The zoom of a picture in percent, the position of a scroll bar; they are only read.
    QVariant currentValue() const override
    {
        const auto* bar = qobject_cast<const SkinScrollBar*>(widget());
        return bar ? bar->position() : zoomPercent(widget());
    }
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override
    {
        return m_role == Role::ScrollBar ? QVariant(SkinScrollBar::Max) : QVariant();
    }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 0; }

private:
    static QAccessible::Role accessibleRole(const QWidget* widget, Role role)
    {
        if (widget->isWindow())
            return QAccessible::Window;
        switch (role) {
        case Role::Stock: // a value label, read with its caption
            return QAccessible::StaticText;
        case Role::Group:
            return QAccessible::Grouping;
        case Role::Ignored:
            return QAccessible::NoRole;
        case Role::Button:
            return QAccessible::Button;
        case Role::PageTab:
            return QAccessible::PageTab;
        case Role::Link:
            return QAccessible::Link;
        case Role::Picture:
        case Role::ZoomedPicture:
            return QAccessible::Graphic;
        case Role::ScrollBar:
            return QAccessible::ScrollBar;
        case Role::List:
            return QAccessible::List;
        }
        return QAccessible::NoRole;
    }

    bool pressable() const { return m_role == Role::Button || m_role == Role::PageTab || m_role == Role::Link; }

    QList<QAccessibleInterface*> children() const
    {
        QList<QAccessibleInterface*> shown;
        const int count = QAccessibleWidget::childCount();
        for (int i = 0; i < count; ++i) {
            QAccessibleInterface* c = QAccessibleWidget::child(i);
            if (c && !isIgnored(c))
                shown.append(c);
        }
        return shown;
    }

    Role m_role;
};

QAccessibleInterface* accessibleFactory(const QString&, QObject* object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    const QVariant role = object->property(RoleProperty);
    if (!role.isValid() || (Role(role.toInt()) == Role::Stock && !object->property(CaptionProperty).isValid()))
        return nullptr;
    if (auto* grid = qobject_cast<StringGrid*>(object); grid && Role(role.toInt()) == Role::List)
        return makeListInterface(grid);
    return new AccessibleControl(static_cast<QWidget*>(object), Role(role.toInt()));
}

/// Announces a zoomed picture's new zoom whenever its size or picture changes it.
class ZoomAnnouncer : public QObject
{
public:
    explicit ZoomAnnouncer(QWidget* picture) : QObject(picture), m_picture(picture) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_picture && (event->type() == QEvent::Resize || event->type() == QEvent::Show)) {
            const int percent = zoomPercent(m_picture);
            if (percent != m_announced) {
                m_announced = percent;
                QAccessibleValueChangeEvent change(m_picture, percent);
                announce(change);
            }
        }
        return false;
    }

private:
    QWidget* m_picture;
    int m_announced = -1;
};

/// An interface Qt made for the control before it was marked (a label's text set while it was built) would keep its
/// stock role: it is forgotten, and the next query makes the control's own.
void forgetCachedInterface(QWidget* control)
{
    if (QAccessibleInterface* cached = QAccessible::queryAccessibleInterface(control))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(cached));
}

} // namespace

void makeAccessible(QWidget* control, Role role, const QString& name, QWidget* caption, QWidget* pressTarget)
{
    static const bool installed = [] {
        QAccessible::installFactory(accessibleFactory);
        return true;
    }();
    Q_UNUSED(installed);
    if (role == Role::Stock && name.isEmpty() && !caption && !pressTarget)
        return;
    control->setProperty(RoleProperty, int(role));
    if (caption)
        control->setProperty(CaptionProperty, QVariant::fromValue<QObject*>(caption));
    if (pressTarget)
        control->setProperty(PressProperty, QVariant::fromValue<QObject*>(pressTarget));
    forgetCachedInterface(control);
    if (name.contains(QLatin1String("%1")))
        control->setProperty(TemplateProperty, name);
    else if (!name.isEmpty())
        control->setAccessibleName(name);
    if (role == Role::ZoomedPicture)
        control->installEventFilter(new ZoomAnnouncer(control));
}

void setAccessibleShown(QWidget* control, const QString& shown)
{
    const QString pattern = control->property(TemplateProperty).toString();
    const QString name = pattern.isEmpty() ? shown : pattern.arg(shown);
    const QVariant before = control->property(ShownNameProperty);
    if (before.isValid() && before.toString() == name)
        return;
    control->setProperty(ShownNameProperty, name);
    QAccessibleEvent event(control, QAccessible::NameChanged);
    announce(event);
}

void announce(QAccessibleEvent& event)
{
    if (announcementObserver)
        announcementObserver(&event);
    QAccessible::updateAccessibility(&event);
}

void setAnnouncementObserver(AnnouncementObserver observer)
{
    announcementObserver = observer;
}

void setAccessibleSelected(QWidget* control, bool selected)
{
    if (control->property(SelectedProperty).toBool() == selected)
        return;
    control->setProperty(SelectedProperty, selected);
    QAccessible::State changed;
    changed.selected = true;
    QAccessibleStateChangeEvent event(control, changed);
    announce(event);
    // Qt's AT-SPI bridge passes on a change of the selected state only as a selection event.
    if (selected) {
        QAccessibleEvent chosen(control, QAccessible::Selection);
        announce(chosen);
    }
}

int zoomPercent(const QWidget* picture)
{
    const auto* control = qobject_cast<const PictureControl*>(picture);
    if (!control || !control->hasPicture() || control->naturalSize().width() <= 0)
        return 0;
    return qRound(control->drawnRect().width() * 100.0 / control->naturalSize().width());
}

} // namespace controls
