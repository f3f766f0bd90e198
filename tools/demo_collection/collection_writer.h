#pragma once

#include <QString>

namespace democollection {

/// Raised when the generator's output changes, so that an old collection is written anew.
inline constexpr int GeneratorVersion = 1;

struct WriteOptions
{
    QString folder;
    bool small = false; ///< pictures about an eighth of the size, for tests
    int threads = 0;    ///< 0: one per processor core
};

/// Writes the whole collection into options.folder, or nothing when the folder already holds a complete one made by
/// this version in the same mode (skipped is then set). Returns an error text, empty on success.
QString writeCollection(const WriteOptions& options, bool* skipped = nullptr);

/// The stamp file's name and its expected content for a mode.
QString stampFileName();
QByteArray stampContent(bool small);

/// Encodes lines for the catalogue files: code page 1251, every line ended with CR LF.
QByteArray encodeCatalogueText(const QStringList& lines);

} // namespace democollection
