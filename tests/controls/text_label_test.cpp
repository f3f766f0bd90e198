#include <QFontMetrics>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include "controls/text_label.h"
#include "desktop/guarded.h"
#include "qt_test_helpers.h"
#include "support/message_recorder.h"

using controls::TextLabel;

namespace {

void sendWheel(QWidget* target, int delta)
{
    QWheelEvent event(QPointF(2, 2), QPointF(2, 2), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
}

struct Beneath : QWidget
{
    int presses = 0;
    int wheels = 0;
    void mousePressEvent(QMouseEvent*) override { ++presses; }
    void wheelEvent(QWheelEvent*) override { ++wheels; }
};

} // namespace

TEST(TextLabel, FitsItsText)
{
    TextLabel label;
    label.setFontSpec(13, false);
    label.setCaption(QStringLiteral("Москва"));
    const QFontMetrics metrics(label.font());
    EXPECT_EQ(label.width(), metrics.horizontalAdvance(QStringLiteral("Москва")));
    EXPECT_EQ(label.height(), metrics.height());
    const int shortWidth = label.width();
    label.setCaption(QStringLiteral("Москва и Московская губерния"));
    EXPECT_GT(label.width(), shortWidth);
    label.setBold(true);
    EXPECT_TRUE(label.isBold());
    EXPECT_EQ(label.width(), QFontMetrics(label.font()).horizontalAdvance(label.caption())) << "refitted in bold";
    // The font asked for: 13-pixel characters of the design's face.
    EXPECT_EQ(label.font().pixelSize(), 13);
}

TEST(TextLabel, MaxWidthCutsALongText)
{
    TextLabel label;
    label.setMaxTextWidth(300);
    label.setCaption(QString(200, QLatin1Char('W')));
    EXPECT_EQ(label.width(), 300);
    label.setCaption(QStringLiteral("Тверь"));
    EXPECT_LT(label.width(), 300);
    EXPECT_GT(label.width(), 0);
}

TEST(TextLabel, FixedBoxKeepsItsSizeAndWraps)
{
    TextLabel label;
    label.setFixedBox(QSize(200, 60), true);
    label.setCaption(QString(40, QLatin1Char('x')) + QStringLiteral(" слово ") + QString(40, QLatin1Char('y')));
    EXPECT_EQ(label.size(), QSize(200, 60));
    EXPECT_TRUE(label.wordWrap());
    label.setFontSpec(16, true);
    EXPECT_EQ(label.size(), QSize(200, 60));
}

TEST(TextLabel, ShowsMarkupAsPlainText)
{
    TextLabel label;
    const QString markup = QStringLiteral("<b>Карта</b> &amp; <i>план</i>");
    label.setCaption(markup);
    EXPECT_EQ(label.caption(), markup);
    // QLabel's own layout measures what it will draw: rich text would drop the tags and come out narrower.
    EXPECT_GE(label.sizeHint().width(), QFontMetrics(label.font()).horizontalAdvance(markup));
}

TEST(TextLabel, StaysOutOfTheFocusAndIsTransparent)
{
    TextLabel label;
    EXPECT_EQ(label.focusPolicy(), Qt::NoFocus);
    EXPECT_FALSE(label.autoFillBackground());
    EXPECT_EQ(label.textInteractionFlags(), Qt::NoTextInteraction);
    label.setTextColour(QColor(112, 29, 0));
    EXPECT_EQ(label.palette().color(QPalette::WindowText), QColor(112, 29, 0));
    EXPECT_EQ(label.textColour(), QColor(112, 29, 0));
}

TEST(TextLabel, ClickDoubleClickAndWheel)
{
    TextLabel label;
    label.setCaption(QStringLiteral("Label1"));
    QStringList events;
    QObject::connect(&label, &TextLabel::clicked, [&] { events << QStringLiteral("click"); });
    QObject::connect(&label, &TextLabel::doubleClicked, [&] { events << QStringLiteral("dblclick"); });
    QObject::connect(&label, &TextLabel::wheelTurned,
                     [&](int steps) { events << QStringLiteral("wheel %1").arg(steps); });

    QTest::mouseClick(&label, Qt::LeftButton, {}, QPoint(2, 2));
    QTest::mouseClick(&label, Qt::RightButton, {}, QPoint(2, 2));
    QTest::mousePress(&label, Qt::LeftButton, {}, QPoint(2, 2));
    QTest::mouseRelease(&label, Qt::LeftButton, {}, QPoint(2, 500));
    EXPECT_EQ(events, QStringList{QStringLiteral("click")});

    events.clear();
    controlstests::doubleClickSequence(&label, QPoint(2, 2));
    EXPECT_EQ(events, (QStringList{"click", "dblclick"})) << "the second release of a double-click is no click";

    events.clear();
    sendWheel(&label, 120);
    sendWheel(&label, -240);
    sendWheel(&label, -60);
    sendWheel(&label, -60);
    EXPECT_EQ(events, (QStringList{"wheel 1", "wheel -2", "wheel -1"}));
}

TEST(TextLabel, MouseMoveTrackingOnlyWithAHandler)
{
    TextLabel label;
    int moves = 0;
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(&label, &enter);
    EXPECT_FALSE(label.hasMouseTracking());
    QObject::connect(&label, &TextLabel::mouseMoved, [&] { ++moves; });
    QApplication::sendEvent(&label, &enter);
    EXPECT_TRUE(label.hasMouseTracking());
    QMouseEvent move(QEvent::MouseMove, QPointF(1, 1), QPointF(1, 1), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&label, &move);
    EXPECT_EQ(moves, 1);
}

TEST(TextLabel, WithoutHandlersEventsGoToTheWindowBeneath)
{
    Beneath parent;
    parent.resize(100, 50);
    auto* label = new TextLabel(&parent);
    label->setCaption(QStringLiteral("Размер"));
    QTest::mousePress(label, Qt::LeftButton, {}, QPoint(2, 2));
    controlstests::platformWheel(label, QPoint(2, 2), 120);
    EXPECT_EQ(parent.presses, 1);
    EXPECT_EQ(parent.wheels, 1);
    int steps = 0;
    QObject::connect(label, &TextLabel::wheelTurned, [&](int s) { steps += s; });
    controlstests::platformWheel(label, QPoint(2, 2), -120);
    EXPECT_EQ(steps, -1);
    EXPECT_EQ(parent.wheels, 1) << "a label with a wheel handler keeps the wheel";
}

TEST(TextLabel, HandlerErrorsAreReported)
{
    testsupport::MessageRecorder::clear();
    TextLabel label;
    label.setCaption(QStringLiteral("x"));
    desktop::connectGuarded(&label, &TextLabel::clicked, &label,
                            [] { desktop::showMessage(QStringLiteral("Grid index out of range")); });
    QTest::mouseClick(&label, Qt::LeftButton, {}, QPoint(1, 1));
    EXPECT_EQ(testsupport::MessageRecorder::last(), QStringLiteral("Grid index out of range"));
}

TEST(Panel, FillsItselfWithItsColour)
{
    controls::Panel panel(nullptr, QColor(211, 206, 176));
    panel.resize(20, 10);
    EXPECT_TRUE(panel.autoFillBackground());
    EXPECT_EQ(panel.grab().toImage().pixelColor(10, 5), QColor(211, 206, 176));
}
