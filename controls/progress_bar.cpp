#include "controls/progress_bar.h"

#include <QPainter>
#include <QStyleOptionProgressBar>
#include <algorithm>

namespace controls {

ProgressBar::ProgressBar(QWidget* parent) : QProgressBar(parent)
{
    setAutoFillBackground(true);
}

void ProgressBar::setBorderWidth(int width)
{
    m_borderWidth = std::max(0, width);
    setContentsMargins(m_borderWidth, m_borderWidth, m_borderWidth, m_borderWidth);
    update();
}

void ProgressBar::paintEvent(QPaintEvent*)
{
    // The background (the border) is filled by the widget; the style draws the bar inside the border only.
    QPainter painter(this);
    painter.setClipRect(contentsRect()); // a style's shade around its frame stays off the border too
    QStyleOptionProgressBar option;
    initStyleOption(&option);
    option.rect = contentsRect();
    style()->drawControl(QStyle::CE_ProgressBar, &option, &painter, this);
}

} // namespace controls
