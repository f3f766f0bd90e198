#include <QWidget>
#include <gtest/gtest.h>

#include "controls/control_builder.h"
#include "controls/picture_control.h"
#include "controls/text_label.h"

using namespace window_layout;

TEST(ControlBuilder, AMissingPictureShowsItsStandInAndChildrenGoIntoTheContainerGiven)
{
    QWidget window, content;
    controls::ControlBuilder built(&window, QStringLiteral(":/no/such/folder"));
    built.placeChildrenIn(QStringLiteral("Box"), &content);
    built.build({picture("Box", "", {5, 6, 70, 80}), picture("Lit", "Box", {1, 2, 30, 20}).withArtwork(QColor(1, 2, 3)),
                 picture("Dark", "Box", {3, 4, 10, 10}).withArtwork(),
                 label("Caption", "Box", {7, 8}, 11, Qt::red).withCaption("Текст").hidden()});

    auto* lit = qobject_cast<controls::PictureControl*>(built.control(QStringLiteral("Lit")));
    EXPECT_EQ(lit->parentWidget(), &content);
    ASSERT_TRUE(lit->hasPicture());
    EXPECT_EQ(lit->geometry(), QRect(1, 2, 30, 20));
    EXPECT_EQ(lit->grab().toImage().pixelColor(15, 10), QColor(1, 2, 3));
    // Without a stand-in colour the control stays empty at its place, as the viewer's controls do.
    EXPECT_FALSE(qobject_cast<controls::PictureControl*>(built.control(QStringLiteral("Dark")))->hasPicture());
    auto* caption = qobject_cast<controls::TextLabel*>(built.control(QStringLiteral("Caption")));
    EXPECT_EQ(caption->caption(), QStringLiteral("Текст"));
    EXPECT_TRUE(caption->isHidden());
}
