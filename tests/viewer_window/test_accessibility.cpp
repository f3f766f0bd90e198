// The viewer as a screen reader reads it, and its keys for zooming and panning.
#include <QScrollBar>

#include "support/accessibility_spy.h"
#include "viewer_window/scroll_box.h"
#include "viewer_window/viewer_fixture.h"

using namespace testsupport;

// clang-format off
static const Reading Tree[] = {
    {"Imagesvernut", QAccessible::Button, "Свернуть"}, {"Imagezakryt", QAccessible::Button, "Закрыть"},
    {"prev1", QAccessible::Button, "Предыдущая карта"}, {"ff1", QAccessible::Button, "Следующая карта"},
    {"Imageplus", QAccessible::Button, "Увеличить"}, {"Imageminus", QAccessible::Button, "Уменьшить"},
    {"Imagenaekran", QAccessible::Button, "По размеру экрана"}, {"Imageistinnyy", QAccessible::Button, "Истинный размер"},
    {"Image1", QAccessible::Graphic, "Город 002  1702"}, {"ProgressBar1", QAccessible::ProgressBar, "Загрузка карты"},
    {"MapNavigator", QAccessible::Graphic, "Обзор карты"},
    {"LabelSize", QAccessible::StaticText, "Объём файла: "},
    {"LabelDimention", QAccessible::StaticText, "Размер изображения: 3000 x 2000"},
    {"niz", QAccessible::NoRole, ""}, {"Image2", QAccessible::NoRole, ""}, {"prev2", QAccessible::NoRole, ""},
    {"Label2", QAccessible::NoRole, ""},
};
// clang-format on

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
    AccessibilitySpy spy;
};

TEST_F(ViewerAccess, TheTreeAndTheZoomKeysWithTheZoomAnnounced)
{
    TForm2& viewer = openLarge();
    expectTree(viewer, Tree);
    const QSize client = viewer.mapView->viewport()->size(); // of 3000 x 2000 at actual size
    EXPECT_EQ(QAccessible::queryAccessibleInterface(viewer.findChild<QWidget*>("MapNavigator"))
                  ->text(QAccessible::Description),
              QStringLiteral("Видна область: %1 % ширины, %2 % высоты")
                  .arg(qRound(client.width() / 30.0))
                  .arg(qRound(client.height() / 20.0)));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&viewer)->text(QAccessible::Name),
              QStringLiteral("Город 002  1702"));
    const std::tuple<Qt::Key, Qt::KeyboardModifiers, int> steps[] = {
        {Qt::Key_Minus, {}, 90}, {Qt::Key_Minus, {}, 72}, {Qt::Key_Plus, {}, 90}, {Qt::Key_0, Qt::ControlModifier, 100},
        {Qt::Key_F, {}, 33},     {Qt::Key_0, {}, 100}}; // fit: 993 of 3000
    for (const auto& [key, modifiers, zoom] : steps) {
        AccessibilitySpy::clear();
        QTest::keyClick(&viewer, key, modifiers);
        EXPECT_EQ(QAccessible::queryAccessibleInterface(viewer.mapPicture)->text(QAccessible::Value),
                  QStringLiteral("%1 %").arg(zoom));
        EXPECT_TRUE(AccessibilitySpy::heard(viewer.mapPicture, QAccessible::ValueChanged, zoom)) << zoom;
    }
}

TEST_F(ViewerAccess, PanKeysMoveTheViewAndTheArrowsAloneStillStep)
{
    TForm2& viewer = openLarge();
    const QSize view = viewer.mapView->viewport()->size() / 10;
    const QPoint end(viewer.mapView->horizontalScrollBar()->maximum(), viewer.mapView->verticalScrollBar()->maximum());
    const std::tuple<Qt::Key, Qt::KeyboardModifiers, QPoint> steps[] = {
        {Qt::Key_Down, {}, {0, view.height()}},
        {Qt::Key_Right, Qt::ShiftModifier, {view.width(), view.height()}},
        {Qt::Key_PageDown, {}, {view.width(), viewer.mapView->viewport()->height()}},
        {Qt::Key_End, {}, end},
        {Qt::Key_Up, {}, end - QPoint(0, view.height())},
        {Qt::Key_Home, {}, {0, 0}}};
    for (const auto& [key, modifiers, at] : steps) {
        QTest::keyClick(&viewer, key, modifiers);
        EXPECT_EQ(QPoint(viewer.mapView->horizontalPosition(), viewer.mapView->verticalPosition()), at) << key;
    }
    EXPECT_EQ(currentRow(), 2); // Shift with an arrow pans, never steps
    press(viewer, Qt::Key_Right);
    EXPECT_EQ(currentRow(), 3);
}
