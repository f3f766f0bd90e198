#pragma once

#include <QFont>
#include <QString>

namespace toolcommon {

/// Registers the Debian fonts the pictures are lettered in (DejaVu Serif and Sans, Liberation Serif) by file, so that
/// the result does not depend on the font configuration. Returns false when a font file is missing.
bool loadToolFonts(QString* error);

/// A font of the given family at an exact pixel size.
QFont pixelFont(const QString& family, int pixelSize, bool bold = false, bool italic = false);

inline const QString serifFamily = QStringLiteral("DejaVu Serif");
inline const QString sansFamily = QStringLiteral("DejaVu Sans");
inline const QString bookFamily = QStringLiteral("Liberation Serif");

} // namespace toolcommon
