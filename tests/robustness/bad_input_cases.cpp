#include "bad_input_cases.h"

#include <QBuffer>
#include <QColor>
#include <QDir>
#include <QImage>
#include <QRandomGenerator>
#include <QSize>

#include "support/jpeg_fixtures.h"
#include "support/test_collection.h"

namespace robustness {
namespace {

using testsupport::JpegColours;
using testsupport::JpegFixture;

const QString MapsPath = QStringLiteral("Goroda/About/maps.txt");

QByteArray cp1251(const QString& text)
{
    QByteArray bytes;
    for (const QChar c : text) {
        const ushort u = c.unicode();
        if (u < 0x80)
            bytes.append(static_cast<char>(u));
        else if (u >= 0x0410 && u <= 0x044F)
            bytes.append(static_cast<char>(u - 0x0410 + 0xC0));
        else if (u == 0x0401)
            bytes.append('\xA8');
        else if (u == 0x0451)
            bytes.append('\xB8');
        else
            bytes.append('?');
    }
    return bytes;
}

QByteArray cityLine(const QByteArray& title, int i)
{
    return title + cp1251(QStringLiteral("@Goroda@gorod%1.jpg@%2@Автор@Описание@@3")
                              .arg(i, 3, 10, QLatin1Char('0'))
                              .arg(1700 + i));
}

QByteArray garbage(qsizetype size, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& b : bytes)
        b = static_cast<char>(random.bounded(256));
    return bytes;
}

QByteArray lines(int count, const QByteArray& line)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes += line + "\r\n";
    return bytes;
}

/// Every byte value that can stand in a title: all but the field separator, the line ends and the end-of-file byte.
QByteArray everyTitleByte()
{
    QByteArray title;
    for (int b = 0; b <= 0xFF; ++b)
        if (b != '@' && b != '\n' && b != '\r' && b != 0x1A)
            title.append(static_cast<char>(b));
    return title;
}

QByteArray aboutLines(int count)
{
    QByteArray bytes;
    for (int i = 1; i <= count; ++i)
        bytes += cp1251(QStringLiteral("Строка %1\r\n").arg(i));
    return bytes;
}

JpegFixture fixtureOfSize(QSize size)
{
    JpegFixture fixture;
    fixture.size = size;
    return fixture;
}

QByteArray validJpeg()
{
    return testsupport::makeJpeg(fixtureOfSize(QSize(48, 32)));
}

QByteArray truncatedAt(double fraction)
{
    // A busy picture, so that most of the file is the scan.
    JpegFixture fixture = fixtureOfSize(QSize(160, 120));
    fixture.pixel = [](int x, int y) {
        const auto v = static_cast<unsigned char>((x * 37 + y * 91 + x * y) % 251);
        return std::array<unsigned char, 4>{v, static_cast<unsigned char>(255 - v), static_cast<unsigned char>(v / 2),
                                            0};
    };
    const QByteArray jpeg = testsupport::makeJpeg(fixture);
    return jpeg.left(static_cast<qsizetype>(jpeg.size() * fraction));
}

QByteArray headerOnly()
{
    // The bytes up to the end of the frame header, then garbage where the scan should be.
    QByteArray jpeg = validJpeg();
    const qsizetype scan = jpeg.indexOf("\xFF\xDA");
    return jpeg.left(scan) + garbage(4000, 7);
}

QByteArray coloured(JpegColours colours, bool adobe = true)
{
    JpegFixture fixture = fixtureOfSize(QSize(40, 30));
    fixture.colours = colours;
    fixture.adobeMarker = adobe;
    return testsupport::makeJpeg(fixture);
}

// A profile whose header promises 4000 bytes and whose tags are noise; an EXIF block whose first directory lies far
// beyond its end, with a count of entries it cannot hold.
QByteArray damagedProfile()
{
    JpegFixture fixture = fixtureOfSize(QSize(48, 32));
    QByteArray profile = garbage(600, 11);
    profile[0] = 0;
    profile[1] = 0;
    profile[2] = 0x0F;
    profile[3] = static_cast<char>(0xA0);
    profile.replace(36, 4, "acsp");
    fixture.iccProfile = profile;
    return testsupport::makeJpeg(fixture);
}

QByteArray damagedExif()
{
    JpegFixture fixture = fixtureOfSize(QSize(48, 32));
    fixture.exif = testsupport::exifWithOrientation(6);
    fixture.exif[10] = static_cast<char>(0xF0); // IFD0 at 0xF0 + ...: past the end
    fixture.exif += QByteArray("\xFF\xFF", 2) + garbage(40, 12);
    return testsupport::makeJpeg(fixture);
}

QByteArray arithmetic()
{
    JpegFixture fixture = fixtureOfSize(QSize(40, 30));
    fixture.arithmetic = true;
    return testsupport::makeJpeg(fixture);
}

/// A progressive JPEG whose last scan is followed by thousands of tiny repeated scans: each one makes the decoder walk
/// the whole picture again.
QByteArray manyScans()
{
    JpegFixture fixture = fixtureOfSize(QSize(512, 512));
    fixture.progressive = true;
    const QByteArray jpeg = testsupport::makeJpeg(fixture);
    const qsizetype lastScan = jpeg.lastIndexOf("\xFF\xDA");
    const int headerLength = (static_cast<uchar>(jpeg[lastScan + 2]) << 8) | static_cast<uchar>(jpeg[lastScan + 3]);
    const QByteArray scan = jpeg.mid(lastScan, 2 + headerLength) + QByteArray(2, '\0');
    return jpeg.left(jpeg.size() - 2) + scan.repeated(3000) + "\xFF\xD9";
}

QByteArray imageFile(const char* format)
{
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(QColor(10, 120, 200));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QByteArray gif()
{
    // One white pixel.
    static const unsigned char bytes[] = {0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x01, 0x00, 0x01, 0x00, 0x80, 0x00,
                                          0x00, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x2C, 0x00, 0x00, 0x00, 0x00,
                                          0x01, 0x00, 0x01, 0x00, 0x00, 0x02, 0x02, 0x44, 0x01, 0x00, 0x3B};
    return QByteArray(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

} // namespace

QString withCollectionMark(QString message, const QString& collectionPath)
{
    // Paths in messages are the system's own (backslashes on Windows); the cases write them with slashes.
    return QDir::fromNativeSeparators(message).replace(collectionPath, CollectionMark);
}

const std::vector<CatalogueFileCase>& catalogueFileCases()
{
    static const std::vector<CatalogueFileCase> cases = {
        {"EmptyMapsTxt", "empty maps.txt", "Goroda/About/maps.txt", [] { return QByteArray(); }, {}, 0, 30},
        {"MissingMapsTxt", "no maps.txt", "", nullptr, {QStringLiteral("File not found: ") + MapsPath}, 0, 30},
        {"MapsTxtIsAFolder",
         "maps.txt is a folder",
         "Goroda/About/maps.txt/x",
         [] { return QByteArray("x"); },
         {QStringLiteral("File not found: ") + MapsPath},
         0,
         30},
        {"BinaryGarbage",
         "64 KiB of random bytes as maps.txt",
         "Goroda/About/maps.txt",
         [] { return garbage(64 * 1024, 1); },
         {},
         0,
         30},
        {"OneLineOf10MB",
         "one line of 10 MB (a city whose description is 10 MB)",
         "Goroda/About/maps.txt",
         [] { return cityLine("Город", 1).replace("Описание", QByteArray(10 * 1024 * 1024, 'x')); },
         {},
         1,
         30},
        {"MapsTxtOver64MiB",
         "maps.txt of 64 MiB and one byte",
         "Goroda/About/maps.txt",
         [] { return QByteArray((qsizetype(64) << 20) + 1, 'x'); },
         {QStringLiteral("Файл слишком велик: 67108865 байт (можно прочитать не более 67108864 байт): ") + MapsPath},
         0,
         30},
        {"HundredThousandLines",
         "100 000 lines (cities)",
         "Goroda/About/maps.txt",
         [] { return lines(100000, cityLine(cp1251(QStringLiteral("Город")), 1)); },
         {},
         1000,
         30},
        {"NulBytes",
         "lines with 0x00 bytes in the title and between lines",
         "Goroda/About/maps.txt",
         [] { return cityLine(QByteArray("\x00\xC3\x00", 3), 1) + "\r\n" + QByteArray(5, '\0') + "\r\n"; },
         {},
         1,
         30},
        {"MoreThanEightFields",
         "a line with twelve fields",
         "Goroda/About/maps.txt",
         [] { return cityLine("A", 1) + "@9@10@11@12\r\n"; },
         {},
         1,
         30},
        {"OnlySpaces",
         "lines of spaces only",
         "Goroda/About/maps.txt",
         [] { return lines(5, QByteArray(80, ' ')); },
         {},
         0,
         30},
        {"EveryByteInATitle",
         "every byte 0x00..0xFF in a title (but @, CR, LF, 0x1A), 0x98 included",
         "Goroda/About/maps.txt",
         [] { return cityLine(everyTitleByte(), 1) + "\r\n"; },
         {},
         1,
         30},
        {"EmptyAbout", "about.dat of 0 lines", "Goroda/About/about.dat", [] { return QByteArray(); }, {}, 3, 0},
        {"AboutOf30Lines", "about.dat of 30 lines", "Goroda/About/about.dat", [] { return aboutLines(30); }, {}, 3, 30},
        {"AboutOf150Lines",
         "about.dat of 150 lines",
         "Goroda/About/about.dat",
         [] { return aboutLines(150); },
         {},
         3,
         100},
        {"About2Of150Lines",
         "about2.dat of 150 lines",
         "Goroda/About/about2.dat",
         [] { return aboutLines(150); },
         {},
         3,
         30},
    };
    return cases;
}

const std::vector<PictureCase>& pictureCases()
{
    const QString previewFile = QStringLiteral("Goroda/previews/gorod001.jpg");
    const QString map = QStringLiteral("Не удалось открыть карту Goroda/gorod001.jpg: ");
    const QString notRead = QStringLiteral("Рисунок ") + previewFile + QStringLiteral(" не удалось прочитать: ");
    const QString notJpeg = QStringLiteral("Формат файла ") + previewFile +
                            QStringLiteral(" не поддерживается: показываются только рисунки JPEG.");
    const qsizetype jpegSize = validJpeg().size();
    const QString failedRead = QStringLiteral("Ошибка чтения (Input/output error) после %1 байт из %2 — диск "
                                              "повреждён или вынут из привода")
                                   .arg(jpegSize / 2)
                                   .arg(jpegSize);
    static const std::vector<PictureCase> cases = {
        {"ZeroBytes", "a JPEG of zero bytes", [] { return QByteArray(); }, notJpeg,
         map + QStringLiteral("Не удалось прочитать JPEG: файл пуст")},
        {"TruncatedInTheHeader", "a JPEG cut after 10 % of its bytes", [] { return truncatedAt(0.1); }, QString(),
         QString()},
        {"TruncatedInTheScan", "a JPEG cut after 50 % of its bytes", [] { return truncatedAt(0.5); }, QString(),
         QString()},
        {"TruncatedBeforeTheEnd", "a JPEG cut 2 bytes before its end",
         [] {
             QByteArray j = truncatedAt(1.0);
             j.chop(2);
             return j;
         },
         QString(), QString()},
        {"GarbageAfterTheHeader", "a valid header followed by 4000 random bytes", headerOnly,
         notRead + QStringLiteral("Не удалось прочитать JPEG: файл повреждён"),
         map + QStringLiteral("Не удалось прочитать JPEG: файл повреждён")},
        {"DamagedFirstMarker", "a JPEG with three stray bytes between FF D8 and its first marker",
         [] { return validJpeg().insert(2, QByteArray("\x00\x13\x37", 3)); }, QString(), QString()},
        {"WrongExtension", "a JPEG named .png", validJpeg, QString(), QString(), QStringLiteral("gorod001.png")},
        {"Grayscale", "a grayscale JPEG", [] { return coloured(JpegColours::Gray); }, QString(), QString()},
        {"Cmyk", "a CMYK JPEG (Adobe)", [] { return coloured(JpegColours::Cmyk); }, QString(), QString()},
        {"Ycck", "a YCCK JPEG", [] { return coloured(JpegColours::Ycck); }, QString(), QString()},
        {"Precision12", "a 12-bit JPEG", [] { return testsupport::withFramePrecision(validJpeg(), 12); },
         notRead + QStringLiteral("Не удалось прочитать JPEG: рисунки с точностью 12 бит не поддерживаются"),
         map + QStringLiteral("Не удалось прочитать JPEG: рисунки с точностью 12 бит не поддерживаются")},
        {"Arithmetic", "an arithmetic-coded JPEG", arithmetic, QString(), QString()},
        {"DamagedProfile", "a JPEG whose colour profile is noise", damagedProfile, QString(), QString()},
        {"DamagedExif", "a JPEG whose EXIF block points past its end", damagedExif, QString(), QString()},
        // The map, too large to decode whole, is shown as its overview: grey past the data of its first blocks.
        {"Declared65500", "a JPEG declaring 65500 x 65500 pixels",
         [] { return testsupport::withDeclaredSize(validJpeg(), 65500, 65500); },
         notRead +
             QStringLiteral("Рисунок слишком велик: 8188 x 8188 точек (можно открыть не более 9 миллионов точек)"),
         QString()},
        {"ProgressiveDeclared65500", "a progressive JPEG declaring 65500 x 65500 pixels",
         [] {
             JpegFixture fixture = fixtureOfSize(QSize(48, 32));
             fixture.progressive = true;
             return testsupport::withDeclaredSize(testsupport::makeJpeg(fixture), 65500, 65500);
         },
         notRead +
             QStringLiteral("Рисунок слишком велик: 8188 x 8188 точек (можно открыть не более 9 миллионов точек)"),
         map +
             QStringLiteral("Рисунок слишком велик: 65500 x 65500 точек (можно открыть не более 600 миллионов точек)")},
        {"ManyScans", "a progressive JPEG with 3000 more scans", manyScans,
         notRead + QStringLiteral("Не удалось прочитать JPEG: в файле больше 500 сканов"),
         map + QStringLiteral("Не удалось прочитать JPEG: в файле больше 500 сканов")},
        {"PngNamedJpg", "a PNG named .jpg", [] { return imageFile("PNG"); }, notJpeg,
         map + QStringLiteral("Не удалось прочитать JPEG: файл не является рисунком JPEG")},
        {"GifNamedJpg", "a GIF named .jpg", gif, notJpeg,
         map + QStringLiteral("Не удалось прочитать JPEG: файл не является рисунком JPEG")},
        {"ReadFailsHalfWay", "a JPEG whose read fails with EIO half way (a scratched disc, a disc taken out)",
         validJpeg, failedRead + QStringLiteral(": ") + previewFile, map + failedRead, QStringLiteral("gorod001.jpg"),
         true},
    };
    return cases;
}

const std::vector<FileNameCase>& fileNameCases()
{
    static const std::vector<FileNameCase> cases = {
        {"CyrillicInCodePage1251",
         "a Cyrillic file name in code page 1251",
         QStringLiteral("москва.jpg"),
         QStringLiteral("москва.jpg"),
         true,
         true,
         {}},
        {"DifferentLetterCase",
         "a file name in other letter case than on disk (Cyrillic and Latin)",
         QStringLiteral("МОСКВА.JPG"),
         QStringLiteral("москва.jpg"),
         true,
         true,
         {}},
        {"DotDot",
         "a file name with \"..\" leading out of the collection to a file that exists",
         QStringLiteral("..\\..\\outside.jpg"),
         QStringLiteral("../../outside.jpg"),
         false,
         false,
         {}},
        {"AbsolutePath",
         "an absolute file name (C:\\maps\\a.jpg)",
         QStringLiteral("C:\\maps\\a.jpg"),
         QString(),
         false,
         false,
         {}},
        {"MissingFile", "a file name with no file", QStringLiteral("net.jpg"), QString(), false, false, {}},
    };
    return cases;
}

const std::vector<StartCase>& startCases()
{
    static const std::vector<StartCase> cases = {
        {"NoArgument", "no argument (the working directory)", {}, QString()},
        {"ExistingFolder", "an existing folder", {QStringLiteral("{folder}")}, QString()},
        {"MissingFolder",
         "a folder that does not exist",
         {QStringLiteral("{folder}/net")},
         QStringLiteral("mapcatalogue: {folder}/net is not a folder")},
        {"FileAsFolder",
         "a file given as the folder",
         {QStringLiteral("{folder}/file")},
         QStringLiteral("mapcatalogue: {folder}/file is not a folder")},
        {"TwoFolders",
         "two arguments",
         {QStringLiteral("{folder}"), QStringLiteral("{folder}")},
         QStringLiteral("mapcatalogue: too many arguments; give at most one collection folder")},
    };
    return cases;
}

} // namespace robustness
