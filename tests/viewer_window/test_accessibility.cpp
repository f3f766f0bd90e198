// The viewer as a screen reader reads it, and its keys for zooming and panning.
#include <QScrollBar>

#include "support/accessibility_spy.h"
#include "viewer_window/scroll_box.h"
#include "viewer_window/viewer_fixture.h"

using namespace testsupport;

namespace {

struct Reading
{
    const char* control;
    QAccessible::Role role; // NoRole: artwork that is not in the tree
    const char* name;       // the name starts with this
};

// clang-format off
const Reading Tree[] = {
    {"Imagesvernut", QAccessible::Button, "Свернуть"}, {"Imagezakryt", QAccessible::Button, "Закрыть"},
    {"prev1", QAccessible::Button, "Предыдущая карта"}, {"ff1", QAccessible::Button, "Следующая карта"},
    {"Imageplus", QAccessible::Button, "Увеличить"},   {"Imageminus", QAccessible::Button, "Уменьшить"},
    {"Imagenaekran", QAccessible::Button, "По размеру экрана"},
    {"Imageistinnyy", QAccessible::Button, "Истинный размер"},
    {"Image1", QAccessible::Graphic, "Город 002  1702"}, {"ProgressBar1", QAccessible::ProgressBar, "Загрузка карты"},
    {"LabelSize", QAccessible::StaticText, "Объём файла: "},
    {"LabelDimention", QAccessible::StaticText, "Размер изображения: 3000 x 2000"},
    {"niz", QAccessible::NoRole, ""}, {"Image2", QAccessible::NoRole, ""}, {"prev2", QAccessible::NoRole, ""},
    {"Label2", QAccessible::NoRole, ""},
};
// clang-format on

} // namespace

class ViewerAccess : public ViewerTest
{
protected:
    TForm2& openLarge()
    {
        openCatalogue(3);
        collection.writeJpeg(mapPath(2), QSize(3000, 2000));
        TForm2& viewer = openMap(2);
        setViewSize(viewer, QSize(1000, 700));
        return viewer;
    }
    static QAccessibleInterface* readOf(QWidget* control) { return QAccessible::queryAccessibleInterface(control); }
    static QString zoomRead(TForm2& viewer) { return readOf(viewer.mapPicture)->text(QAccessible::Value); }
    static QPoint scrolled(TForm2& viewer)
    {
        return {viewer.mapView->horizontalPosition(), viewer.mapView->verticalPosition()};
    }

    AccessibilitySpy spy;
};

TEST_F(ViewerAccess, TheWindowAndItsControlsHaveTheirRolesAndNames)
{
    TForm2& viewer = openLarge();
    QAccessibleInterface* window = readOf(&viewer);
    EXPECT_EQ(window->role(), QAccessible::Window);
    EXPECT_EQ(window->text(QAccessible::Name), QStringLiteral("Город 002  1702"));
    for (const Reading& r : Tree) {
        SCOPED_TRACE(r.control);
        QWidget* control = viewer.findChild<QWidget*>(QString::fromUtf8(r.control));
        ASSERT_TRUE(control);
        EXPECT_EQ(AccessibilitySpy::reaches(window, control), r.role != QAccessible::NoRole);
        if (r.role == QAccessible::NoRole)
            continue;
        EXPECT_EQ(readOf(control)->role(), r.role);
        EXPECT_TRUE(readOf(control)->text(QAccessible::Name).startsWith(QString::fromUtf8(r.name)))
            << readOf(control)->text(QAccessible::Name).toStdString();
    }
    EXPECT_EQ(zoomRead(viewer), QStringLiteral("100 %"));
}

TEST_F(ViewerAccess, ZoomKeysChangeTheZoomAndAnnounceIt)
{
    TForm2& viewer = openLarge();
    const struct
    {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* zoom;
    } steps[] = {{Qt::Key_Minus, {}, "90 %"}, {Qt::Key_Minus, {}, "72 %"},
                 {Qt::Key_Plus, {}, "90 %"},  {Qt::Key_0, Qt::ControlModifier, "100 %"},
                 {Qt::Key_F, {}, "33 %"}, // 993 of 3000 pixels wide
                 {Qt::Key_0, {}, "100 %"}};
    for (const auto& s : steps) {
        SCOPED_TRACE(s.zoom);
        AccessibilitySpy::clear();
        QTest::keyClick(&viewer, s.key, s.modifiers);
        EXPECT_EQ(zoomRead(viewer), QString::fromUtf8(s.zoom));
        EXPECT_TRUE(AccessibilitySpy::heard(viewer.mapPicture, QAccessible::ValueChanged,
                                            QString::fromUtf8(s.zoom).chopped(2).toInt()));
    }
}

TEST_F(ViewerAccess, PanKeysMoveTheViewAndTheArrowsAloneStillStep)
{
    TForm2& viewer = openLarge();
    const QSize view = viewer.mapView->viewport()->size();
    const QPoint end(viewer.mapView->horizontalScrollBar()->maximum(), viewer.mapView->verticalScrollBar()->maximum());
    const struct
    {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        QPoint at;
    } steps[] = {
        {Qt::Key_Down, {}, {0, view.height() / 10}},
        {Qt::Key_Right, Qt::ShiftModifier, {view.width() / 10, view.height() / 10}},
        {Qt::Key_Up, {}, {view.width() / 10, 0}},
        {Qt::Key_PageDown, {}, {view.width() / 10, view.height() - view.height() / 10}},
        {Qt::Key_End, {}, end},
        {Qt::Key_Left, Qt::ShiftModifier, end - QPoint(view.width() / 10, 0)},
        {Qt::Key_PageUp, {}, QPoint(end.x() - view.width() / 10, end.y() - view.height() + view.height() / 10)},
        {Qt::Key_Home, {}, {0, 0}}};
    for (const auto& s : steps) {
        SCOPED_TRACE(s.key);
        QTest::keyClick(&viewer, s.key, s.modifiers);
        EXPECT_EQ(scrolled(viewer), s.at);
    }
    EXPECT_EQ(currentRow(), 2); // Shift with an arrow pans, never steps
    press(viewer, Qt::Key_Right);
    EXPECT_EQ(currentRow(), 3);
}
