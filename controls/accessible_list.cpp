// The list grid's accessible interface and its items. The items are no widgets: each is an interface of its own,
// made when a screen reader first asks for its row and kept by Qt's registry until the list's interface goes.
#include "controls/accessible_list.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>

#include "controls/string_grid.h"

namespace controls {
namespace {

class AccessibleListItem : public QAccessibleInterface
{
public:
    AccessibleListItem(StringGrid* grid, int row) : m_grid(grid), m_row(row) {}

    bool isValid() const override { return m_grid && m_row < m_grid->itemCount(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return list() ? list()->window() : nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return list(); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name || !isValid())
            return {};
        QStringList shown;
        for (int column = 0; column < 2; ++column) {
            const QString cell = m_grid->cell(column, m_row).trimmed();
            if (!cell.isEmpty())
                shown << cell;
        }
        return shown.join(QStringLiteral(", "));
    }
    void setText(QAccessible::Text, const QString&) override {}

    /// The row's band across the list, where it is among the visible rows; empty where it is scrolled away.
    QRect rect() const override
    {
        if (!isValid() || !isShown())
            return {};
        const QWidget* panel = m_grid->parentWidget() ? m_grid->parentWidget() : m_grid.data();
        const int pitch = StringGrid::RowHeight + StringGrid::LineWidth;
        const QPoint top = m_grid->mapTo(panel, QPoint(0, (m_row - m_grid->topRow()) * pitch));
        return QRect(panel->mapToGlobal(QPoint(0, top.y())), QSize(top.x() + m_grid->width(), StringGrid::RowHeight));
    }

    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!isValid())
            return s;
        const bool current = m_row == m_grid->row();
        s.selectable = true;
        s.focusable = true;
        s.selected = current;
        s.focused = current && m_grid->hasFocus();
        s.offscreen = !isShown();
        s.invisible = !m_grid->isVisible();
        return s;
    }

private:
    bool isShown() const { return m_row >= m_grid->topRow() && m_row < m_grid->topRow() + StringGrid::PageRows; }
    QAccessibleInterface* list() const { return m_grid ? QAccessible::queryAccessibleInterface(m_grid) : nullptr; }

    QPointer<StringGrid> m_grid;
    int m_row;
};

class AccessibleList : public QAccessibleWidget
{
public:
    explicit AccessibleList(StringGrid* grid) : QAccessibleWidget(grid, QAccessible::List) {}
    ~AccessibleList() override
    {
        for (const QAccessible::Id id : std::as_const(m_items))
            QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return grid()->itemCount(); }
    QAccessibleInterface* child(int index) const override
    {
        if (index < 0 || index >= childCount())
            return nullptr;
        auto found = m_items.constFind(index);
        if (found != m_items.constEnd())
            return QAccessible::accessibleInterface(*found);
        auto* item = new AccessibleListItem(grid(), index);
        m_items.insert(index, QAccessible::registerAccessibleInterface(item));
        return item;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        for (auto it = m_items.constBegin(); it != m_items.constEnd(); ++it) {
            if (QAccessible::accessibleInterface(it.value()) == child)
                return it.key();
        }
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        const int first = grid()->topRow();
        for (int row = first; row < std::min(childCount(), first + StringGrid::PageRows); ++row) {
            QAccessibleInterface* item = child(row);
            if (item->rect().contains(x, y))
                return item;
        }
        return nullptr;
    }
    QAccessibleInterface* focusChild() const override { return grid()->hasFocus() ? child(grid()->row()) : nullptr; }

private:
    StringGrid* grid() const { return static_cast<StringGrid*>(widget()); }

    mutable QHash<int, QAccessible::Id> m_items;
};

} // namespace

QAccessibleInterface* makeListInterface(StringGrid* grid)
{
    return new AccessibleList(grid);
}

} // namespace controls
