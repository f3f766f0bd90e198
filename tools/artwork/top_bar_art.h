#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <vector>

namespace artwork {

/// A category tab of the top bar: its caption and the place of its highlight picture in the bar.
struct TabPlace
{
    QString resourceName; ///< "ImageGor" ...
    QString caption;
    QRect highlight; ///< the highlight picture's place and size in the bar
    double captionCentreX;
};

/// The five tabs in bar order.
std::vector<TabPlace> tabPlaces();

/// The top bar Image9: stripes, captions, bars between them, minimise and close signs.
QImage drawTopBar(int scale);
/// A tab's highlight: the bar under it with a darker red circle and the caption in white, lined up with the bar.
QImage drawTabHighlight(const TabPlace& tab, int scale);
/// The title artwork Image3.
QImage drawTitle(const QString& title, int scale);

} // namespace artwork
