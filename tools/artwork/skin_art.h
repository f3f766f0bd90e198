#pragma once

#include <QByteArray>

namespace artwork {

/// The skin definition of the list grid and its scroll bar, in parchment and dark red.
QByteArray skinDefinition();

} // namespace artwork
