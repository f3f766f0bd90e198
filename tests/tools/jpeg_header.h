#pragma once

#include <QByteArray>
#include <QSize>

/// What a JPEG file's frame header says: its size and whether it is progressive. Invalid size when no frame header
/// is found before the first scan.
struct JpegHeader
{
    QSize size;
    bool progressive = false;
};

inline JpegHeader readJpegHeader(const QByteArray& bytes)
{
    JpegHeader header;
    if (bytes.size() < 4 || quint8(bytes[0]) != 0xFF || quint8(bytes[1]) != 0xD8)
        return header;
    qsizetype at = 2;
    while (at + 4 <= bytes.size()) {
        if (quint8(bytes[at]) != 0xFF)
            return header;
        const quint8 marker = quint8(bytes[at + 1]);
        const int length = quint8(bytes[at + 2]) << 8 | quint8(bytes[at + 3]);
        if (marker == 0xC0 || marker == 0xC1 || marker == 0xC2) {
            if (at + 9 > bytes.size())
                return header;
            header.progressive = marker == 0xC2;
            header.size = QSize(quint8(bytes[at + 7]) << 8 | quint8(bytes[at + 8]),
                                quint8(bytes[at + 5]) << 8 | quint8(bytes[at + 6]));
            return header;
        }
        if (marker == 0xDA)
            return header;
        at += 2 + length;
    }
    return header;
}
