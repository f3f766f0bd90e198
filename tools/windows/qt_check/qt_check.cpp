// Checks the cross-built Qt under Wine: the platform plugin given with -platform loads, a JPEG goes through Qt's
// JPEG plugin both ways, and a label draws Cyrillic text with a font that has its glyphs.
#include <QApplication>
#include <QBuffer>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    int faults = 0;
    auto check = [&faults](bool ok, const char* what) {
        std::printf("%s %s\n", ok ? "ok  " : "FAIL", what);
        faults += ok ? 0 : 1;
    };
    std::printf("platform %s\n", qPrintable(QGuiApplication::platformName()));

    QImage red(64, 32, QImage::Format_RGB32);
    red.fill(QColor(200, 30, 30));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    check(red.save(&buffer, "JPEG", 90), "a JPEG is written");
    const QImage back = QImage::fromData(bytes, "JPEG");
    check(back.size() == red.size() && qAbs(back.pixelColor(10, 10).red() - 200) < 8, "the JPEG reads back");

    QLabel label(QString::fromUtf8("Каталог старинных карт"));
    label.setStyleSheet("background: white; color: black");
    label.resize(300, 40);
    check(QFontMetrics(label.font()).inFont(QChar(0x0416)), "the label's font has Cyrillic letters");
    const QImage drawn = label.grab().toImage();
    int dark = 0;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x)
            dark += qGray(drawn.pixel(x, y)) < 100 ? 1 : 0;
    check(dark > 100, "the label's text is drawn");
    return faults == 0 ? 0 : 1;
}
