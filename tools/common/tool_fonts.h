#pragma once

#include <QFont>
#include <QString>
#include <mutex>

namespace toolcommon {

/// Registers the Debian fonts the pictures are lettered in (DejaVu Serif and Sans, Liberation Serif) by file, so that
/// the result does not depend on the font configuration. Returns false when a font file is missing.
bool loadToolFonts(QString* error);

/// A font of the given family at an exact pixel size.
QFont pixelFont(const QString& family, int pixelSize, bool bold = false, bool italic = false);

/// Held while glyph outlines and metrics are taken from a font: the maps are drawn on several threads and the font
/// engines share their faces between them, so outlines are taken one thread at a time.
std::mutex& fontLock();

inline const QString serifFamily = QStringLiteral("DejaVu Serif");
inline const QString sansFamily = QStringLiteral("DejaVu Sans");
inline const QString bookFamily = QStringLiteral("Liberation Serif");

} // namespace toolcommon
