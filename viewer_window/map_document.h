#pragma once

#include <QByteArray>
#include <QImage>
#include <QObject>
#include <QString>
#include <memory>
#include <optional>
#include <stop_token>

#include "failure/failure.h"
#include "loading/map_loader.h"
#include "picture/jpeg_decoder.h"

namespace picture {
enum class ProgressStage;
}

namespace viewer {

/// What the viewer shows and opens, as one object that changes whole: the map on show (its picture, title, file size,
/// dimensions and what Save and Copy act on all describe it) and the map being opened (only the bar's progress shows
/// it). An opening is a sequence of stages driven by the loader's events: reading, decoding (the map on show gives its
/// memory to the new one, which is on show from then on with all its texts, its rows appearing), shown. A window that
/// has shown nothing yet shows an empty view naming the map being opened. An opening that fails leaves the map on
/// show as it was when it is whole and nothing of it was let go (the file could not be read, its header was refused);
/// otherwise the map on show becomes an empty one that names the map that failed. A map is never shown with another
/// map's texts or bytes.
class MapDocument : public QObject
{
    Q_OBJECT
public:
    enum class Stage { None, Reading, Decoding, Shown, Failed };

    /// One map at a stage of its opening.
    struct Map
    {
        Stage stage = Stage::None;
        QString path; ///< collection-relative
        QString titleAndYear;
        QString fileSizeText; ///< from the read: known once it has begun (empty for a file that is not there)
        /// What the map was read from, once read: the file's bytes, or for a map that came from the disc in pieces
        /// into its decode, its file and stamp.
        loading::MapSource source;
        QImage picture; ///< from the start of its decode; whole once Shown; null in an empty view
        /// The map's size as displayed: the picture's, or for a map too large to decode whole, whose picture is its
        /// overview, the map's own.
        QSize mapSize;
        /// Map pixels a pixel of the picture stands for each way: 1, or 8, 16, ... for an overview.
        int reduction = 1;
        /// What an overview's parts are decoded from at full detail, once its scan has ended (with source).
        std::shared_ptr<const picture::OverviewDetail> detail;
    };

    explicit MapDocument(loading::MapLoader& loader, QObject* parent = nullptr);
    ~MapDocument() override;

    /// Maps of more pixels than this, in every viewer, are shown as their overview (sequential files) or refused
    /// (progressive ones). The program keeps the decoder's default; tests make it small.
    static void setFullDecodeLimit(qint64 pixels) { s_fullDecodeLimit = pixels; }

    /// Opens a map, giving up the opening still running (its decode stops; what it still posts is ignored). The
    /// early scans of a progressive file are put out for the top previewRows rows.
    void open(const QString& path, const QString& titleAndYear, int previewRows);
    /// Gives up the opening still running; the map on show stays as it is.
    void stop();

    /// The map every text of the window, Save and Copy describe: whole, being decoded, or an empty view naming a map
    /// that failed or, in a window that has shown nothing yet, the one being opened.
    const Map& shown() const { return m_shown; }
    /// True from the start of an opening until its map is shown whole or its failure reported.
    bool isOpening() const { return m_opening.stage != Stage::None; }
    /// The part of the shown picture that holds its pixels: rows from the top, or from the bottom or columns from a
    /// side for a turned map.
    QRect shownPart() const { return m_shownPart; }
    /// True while the bar shows the opening: from its start until its decode ends.
    bool showsProgress() const { return m_showsProgress; }
    /// The opening's progress, 0 to 100: the read fills the first half of the bar, the decode the rest.
    int progressPercent() const;
    /// Why the last opening failed, naming its map; none while it runs or once it succeeded.
    const std::optional<failure::Failure>& failure() const { return m_failure; }
    /// What "Сохранить в файл..." writes: the source of the map on show when it is whole, else nothing.
    loading::MapSource savable() const { return m_shown.stage == Stage::Shown ? m_shown.source : loading::MapSource(); }

signals:
    /// The shown picture is another one, or none: the view starts again from its top-left corner at actual size.
    void pictureReplaced();
    /// The stage, the texts or the progress changed.
    void changed();
    /// This part of the shown picture was just written.
    void partDecoded(const QRect& written);
    /// An opening ended with its map on show whole.
    void opened();
    /// An opening ended in a failure (failure() says why).
    void failed();

private:
    void showReadProgress(const QString& path, qint64 done, qint64 size);
    /// The opening's file holds size bytes.
    void setFileSize(qint64 size);
    void startDecode(const QString& path, const loading::MapFile& file);
    void decodeProgress(picture::ProgressStage stage, int percent);
    void letGoOfShownMap();
    void overviewStarted(QSize map, int reduction);
    void overviewScanned(std::shared_ptr<const picture::OverviewDetail> detail);
    void decodeStarted(const QImage& picture);
    void decodePart(const QRect& written, const QRect& ready);
    void decodeFinished(const failure::Result<QImage>& result);
    void fail(const failure::Failure& failure);
    void replaceShown(Map map);

    loading::MapLoader& m_loader;
    Map m_shown;
    Map m_opening;
    std::optional<failure::Failure> m_failure;
    QRect m_shownPart;
    int m_previewRows = 0;
    static inline qint64 s_fullDecodeLimit = picture::DefaultMaxPixels;
    // Counts openings: what an opening given up for a later one still posts is ignored.
    quint64 m_serial = 0;
    std::stop_source m_decodeStop;
    bool m_showsProgress = false;
    double m_readFraction = 0;
    int m_decodedPercent = 0;
};

} // namespace viewer
