#include "support/test_collection.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>

#include "catalogue/codepage.h"
#include "files/data_files.h"

namespace testsupport {

QString Entry::line() const
{
    return QStringList{title, code, fileName, year, author, description, spare, quality}.join(QLatin1Char('@'));
}

TestCollection::TestCollection()
{
    m_previousFolder = files::collectionFolder();
    files::setCollectionFolder(m_dir.path());
}

TestCollection::~TestCollection()
{
    files::setCollectionFolder(m_previousFolder);
}

void TestCollection::writeBytes(const QString& relative, const QByteArray& bytes)
{
    const QString full = file(relative);
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile out(full);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(full));
    out.write(bytes);
}

static QByteArray cp1251Lines(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines) {
        const std::string encoded = catalogue::utf8ToCp1251(line.toStdString());
        bytes.append(encoded.data(), static_cast<qsizetype>(encoded.size()));
        bytes.append("\r\n");
    }
    return bytes;
}

void TestCollection::writeCatalogue(const std::vector<Entry>& entries)
{
    QStringList lines;
    for (const Entry& e : entries)
        lines << e.line();
    writeBytes(QStringLiteral("Goroda/About/maps.txt"), cp1251Lines(lines));
}

void TestCollection::writeAbout(const QStringList& about, const QStringList& about2)
{
    writeBytes(QStringLiteral("Goroda/About/about.dat"), cp1251Lines(about));
    writeBytes(QStringLiteral("Goroda/About/about2.dat"), cp1251Lines(about2));
}

QByteArray TestCollection::jpegBytes(QSize size, QColor colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 90);
    return bytes;
}

QByteArray TestCollection::writeJpeg(const QString& relative, QSize size, QColor colour)
{
    const QByteArray bytes = jpegBytes(size, colour);
    writeBytes(relative, bytes);
    return bytes;
}

void TestCollection::writeMapFiles(const std::vector<Entry>& entries, QSize mapSize, QSize previewSize)
{
    for (const Entry& e : entries) {
        QString folder;
        if (e.code == QLatin1String("Goroda") || e.code == QLatin1String("Metro"))
            folder = QStringLiteral("Goroda/");
        else if (e.code == QLatin1String("Oblasti"))
            folder = QStringLiteral("Oblasti/");
        else if (e.code == QLatin1String("Russia"))
            folder = QStringLiteral("Russia/");
        else
            continue;
        if (e.fileName.isEmpty())
            continue;
        writeJpeg(folder + e.fileName, mapSize);
        writeJpeg(folder + QStringLiteral("previews/") + e.fileName, previewSize, QColor(150, 170, 200));
    }
}

void TestCollection::writeComplete(const std::vector<Entry>& entries)
{
    writeCatalogue(entries);
    QStringList about, about2;
    for (int i = 1; i <= 30; ++i)
        about << QStringLiteral("Строка %1 о собрании").arg(i);
    about2 << QStringLiteral("Издатель") << QStringLiteral("https://example.org/");
    writeAbout(about, about2);
    writeMapFiles(entries);
    writeJpeg(QStringLiteral("Articles/foto.jpg"), QSize(120, 90), QColor(120, 90, 60));
    writeJpeg(QStringLiteral("Goroda/About/about.jpg"), QSize(100, 80), QColor(90, 120, 60));
}

std::vector<Entry> cities(int n)
{
    std::vector<Entry> result;
    for (int i = 1; i <= n; ++i) {
        Entry e;
        e.title = QStringLiteral("Город %1").arg(i, 3, 10, QLatin1Char('0'));
        e.code = QStringLiteral("Goroda");
        e.fileName = QStringLiteral("gorod%1.jpg").arg(i, 3, 10, QLatin1Char('0'));
        e.year = QString::number(1700 + i);
        e.author = QStringLiteral("Автор %1").arg(i);
        e.description = QStringLiteral("Описание карты %1").arg(i);
        e.quality = QString::number(1 + (i - 1) % 5);
        result.push_back(e);
    }
    return result;
}

} // namespace testsupport
