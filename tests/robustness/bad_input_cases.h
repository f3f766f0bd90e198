#pragma once

// The bad inputs the program is tried with, as data: each table row says what is written and what the user must
// see. The tests run every row; docs/robustness.md is rendered from the same rows, so the document cannot say
// anything the tests do not check.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <ostream>
#include <vector>

namespace robustness {

/// Stands for the absolute path of the collection folder in expected messages.
inline const QString CollectionMark = QStringLiteral("{collection}");

/// A catalogue or about file with bad contents; the rest of the collection is sound.
struct CatalogueFileCase
{
    const char* name;  ///< test name
    const char* input; ///< what is tried, for the document
    const char* file;  ///< collection-relative file the bytes replace ("" for none)
    std::function<QByteArray()> bytes;
    QStringList messages; ///< every message box, in order, after the first activation
    int cityRows;         ///< rows of the cities list afterwards
    int aboutLines;       ///< about.dat lines on the about page afterwards
};
const std::vector<CatalogueFileCase>& catalogueFileCases();

/// A picture file with bad contents, tried as the preview of the first city and as its map in the viewer.
struct PictureCase
{
    const char* name;
    const char* input;
    std::function<QByteArray()> bytes;
    QString previewMessage;                            ///< empty: the preview shows, with no message
    QString mapMessage;                                ///< empty: the viewer shows the map, with no message
    QString fileName = QStringLiteral("gorod001.jpg"); ///< the name in the catalogue and on disk
    bool readFailsHalfWay = false; ///< reading the file fails with EIO after half its bytes, as on a damaged disc
};
const std::vector<PictureCase>& pictureCases();

/// A catalogue file name of the first city and the files that exist on disk.
struct FileNameCase
{
    const char* name;
    const char* input;
    QString catalogueName; ///< field 3 of the catalogue line, written in code page 1251
    QString fileOnDisk;    ///< map written below Goroda/ (its preview below Goroda/previews/); empty: none
    bool previewShown;     ///< the preview picture is on show after the first activation
    bool viewerOpens;      ///< a click on the preview opens the viewer with the map
    QStringList messages;  ///< every message box of the activation and the click
};
const std::vector<FileNameCase>& fileNameCases();

/// A command line and what the start of the program makes of it.
struct StartCase
{
    const char* name;
    const char* input;
    QStringList arguments; ///< after the program name; "{folder}" is a folder made for the test
    QString error;         ///< the text printed before the program ends; empty: it starts
};
const std::vector<StartCase>& startCases();

/// The whole document, rendered from the tables above.
QString robustnessDocument();

// Test names in GoogleTest's reports instead of the cases' bytes.
inline void PrintTo(const CatalogueFileCase& c, std::ostream* out)
{
    *out << c.name;
}
inline void PrintTo(const PictureCase& c, std::ostream* out)
{
    *out << c.name;
}
inline void PrintTo(const FileNameCase& c, std::ostream* out)
{
    *out << c.name;
}
inline void PrintTo(const StartCase& c, std::ostream* out)
{
    *out << c.name;
}

/// Replaces the collection's absolute path in a message with CollectionMark.
QString withCollectionMark(QString message, const QString& collectionPath);

} // namespace robustness
