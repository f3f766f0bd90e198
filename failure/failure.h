#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace failure {

/// What failed, for a cause outside the program. Each has one text for the user, made in one place
/// (desktop/failure_text.cpp); what a Failure's figures mean is said here, per kind.
enum class What {
    // Reading a file.
    FileNotFound,     ///< no regular file at the path (or a path that leaves the collection)
    FileNotOpened,    ///< the system refused to open it; detail: the system's text
    FileTooLarge,     ///< figures: the file's size, the most that is read
    FileGrewTooLarge, ///< the file grew past the limit while it was read; figures: the most that is read
    ReadFailed,       ///< a read failed part way (a scratched disc, a disc taken out); detail: the system's text;
                      ///< figures: the bytes read before, the file's size
    ReadStopped,      ///< the read was stopped because its result was no longer wanted
    FileChanged,      ///< the file changed since the part of it in use was read

    // Decoding a JPEG picture.
    PictureEmpty,        ///< no bytes at all
    PictureDataTooLarge, ///< more bytes than the decoder takes
    NotJpeg,             ///< the data is no JPEG (another format, or a name that lies); detail: libjpeg's text
    DamagedJpeg,         ///< libjpeg refused the data; detail: libjpeg's text
    UnsupportedJpeg,     ///< a kind of JPEG this build does not decode; detail: libjpeg's text
    JpegPrecision,       ///< samples of a precision not decoded here; figures: the bits
    TooManyScans,        ///< a progressive file with more scans than are read; figures: the most scans
    NoPixels,            ///< a picture of zero width or height
    PictureTooLarge,     ///< figures: width, height, the most pixels allowed
    NoMemoryForPicture,  ///< figures: width, height
    RowsStopped,         ///< libjpeg stopped giving rows before the picture's end
    NoHeadOfTurned,      ///< only the top rows were asked of a picture the EXIF orientation turns
    NoHeadOfProgressive, ///< only the top rows were asked of a progressive picture
    DecodeStopped,       ///< the decode was stopped because its result was no longer wanted
    DecodeInterrupted,   ///< a caller's callback failed during the decode; detail: its text, if it had one

    // Memory, the desktop.
    NoMemory,         ///< memory for an action could not be had
    ClipboardRefused, ///< the clipboard cannot be opened
    WriteFailed,      ///< a file could not be written; file: the path; detail: the system's text
    NothingToSave,    ///< a save with no picture loaded; detail: the window's own text for it

    // The text services the catalogue needs (ICU), missing from the system.
    CollatorUnavailable,  ///< detail: ICU's error name
    ConverterUnavailable, ///< detail: ICU's error name

    // The command line.
    BadOption,        ///< an option the program does not know, or one given a value; detail: the parser's text
    TooManyArguments, ///< more than one collection folder was given
    NotAFolder,       ///< file: the folder given, which does not exist or is no folder
};

/// One failure caused by the outside world: what failed, on which file, and the system's (or library's) own detail.
/// It says nothing to the user: the edge that shows it turns it into a text (desktop::failureMessage).
struct Failure
{
    What what;
    /// The file it happened on, as its caller names it (UTF-8): a collection-relative path, or one the user chose.
    /// Empty when no file is involved.
    std::string file;
    /// The system's or a library's own text (UTF-8), for the kinds that say they carry one; empty otherwise.
    std::string detail;
    /// The numbers the kind's text needs, in the order the kind lists them.
    std::vector<std::int64_t> figures;

    /// The figure at index, 0 when there is none.
    std::int64_t figure(std::size_t index) const { return index < figures.size() ? figures[index] : 0; }

    /// The same failure named after another file (a caller that knows the file by a fuller name).
    Failure onFile(std::string name) const;
};

/// A short English description for logs and test output (never shown in a window).
std::string describe(const Failure& failure);

} // namespace failure
