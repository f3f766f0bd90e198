#pragma once

#include <QColor>
#include <QSize>
#include <QString>
#include <QTemporaryDir>
#include <string>
#include <vector>

namespace testsupport {

/// One catalogue line, written with "@" between the fields. Texts are UTF-8 here and written in code page 1251.
struct Entry
{
    QString title, code, fileName, year, author, description, spare, quality;
    QString line() const;
};

/// A collection folder made for one test: catalogue files in code page 1251 with CR LF, small JPEG maps and
/// previews. Becomes the collection folder of the program (files::setCollectionFolder) while it lives.
class TestCollection
{
public:
    TestCollection();
    ~TestCollection();

    QString path() const { return m_dir.path(); }
    QString file(const QString& relative) const { return m_dir.filePath(relative); }

    /// Writes maps.txt from the entries, about.dat and about2.dat from the given lines.
    void writeCatalogue(const std::vector<Entry>& entries);
    void writeAbout(const QStringList& about, const QStringList& about2);
    /// Writes raw bytes to a collection-relative file, creating folders.
    void writeBytes(const QString& relative, const QByteArray& bytes);
    /// Writes a JPEG of the given size and colour (progressive when asked) and returns its bytes.
    QByteArray writeJpeg(const QString& relative, QSize size, QColor colour = QColor(200, 180, 140));
    /// Writes the map and its preview for each entry of a map category (cities folder for metro).
    void writeMapFiles(const std::vector<Entry>& entries, QSize mapSize = QSize(64, 48),
                       QSize previewSize = QSize(40, 30));
    /// Writes everything: catalogue, about files with n lines, map files, articles picture, about picture.
    void writeComplete(const std::vector<Entry>& entries);

    /// A JPEG's bytes, made in memory.
    static QByteArray jpegBytes(QSize size, QColor colour = QColor(200, 180, 140));

private:
    QTemporaryDir m_dir;
    QString m_previousFolder;
};

/// n cities named "Город 001".. with years, qualities cycling 1..5 and file names "gorod001.jpg"...
std::vector<Entry> cities(int n);

} // namespace testsupport
