#pragma once

#include <QImage>
#include <QSize>

namespace democollection {

/// The about page's picture: a general map with the collection's title in the cartouche.
QImage drawAboutPicture(QSize size);
/// The articles view's picture: a map sheet, a magnifier and dividers lying on a writing desk.
QImage drawDeskPicture(QSize size);
/// The picture behind the hidden menu item: a regional map.
QImage drawLeftPicture(QSize size);

} // namespace democollection
