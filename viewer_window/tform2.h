#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>
#include <optional>

#include "platform/jpeg_decoder.h"
#include "viewer_window/map_files.h"
#include "viewer_window/zoom_steps.h"

class QAction;
class QMenu;
class QProgressBar;
class ScrollBox;
class CurrentEntry;

namespace controls {
class Panel;
class PictureControl;
class TextLabel;
} // namespace controls

/// The map viewer window: one full-size map in a maximised borderless window with a title strip, a scrolling view
/// and a control bar. It zooms along ten compounding steps, fits the map to the window, pans it with a grabbing hand
/// and steps through the catalogue's list by moving the CurrentEntry, which the catalogue window follows too.
class TForm2 : public QWidget
{
    Q_OBJECT
public:
    /// Builds the window in its initial state and runs FormCreate. The window belongs to the catalogue window, which
    /// the minimise button minimises. Once shown, it shows each entry the CurrentEntry announces.
    TForm2(CurrentEntry& entry, QWidget& catalogueWindow);
    ~TForm2() override;

    // --- controls ------------------------------------------------------------------------------------------
    ScrollBox* ScrollBox1 = nullptr;
    controls::PictureControl* Image1 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;

    controls::Panel* Panel1 = nullptr; // title strip
    controls::PictureControl* Image2 = nullptr;
    controls::PictureControl* Imagesvernut = nullptr;
    controls::PictureControl* Imagezakryt = nullptr;

    controls::Panel* Panel2 = nullptr; // control bar
    controls::PictureControl* niz = nullptr;
    controls::TextLabel* Label2 = nullptr;
    controls::TextLabel* LabelSize = nullptr;
    controls::TextLabel* Label4 = nullptr;
    controls::TextLabel* LabelDimention = nullptr;
    controls::TextLabel* LabelMestoGod = nullptr;
    // Plain buttons: transparent click areas over the glyphs of niz.
    controls::PictureControl* prev1 = nullptr;
    controls::PictureControl* ff1 = nullptr;
    controls::PictureControl* Imageplus = nullptr;
    controls::PictureControl* Imageminus = nullptr;
    controls::PictureControl* Imagenaekran = nullptr;
    controls::PictureControl* Imageistinnyy = nullptr;
    // Hover images, one over each plain button.
    controls::PictureControl* prev2 = nullptr;
    controls::PictureControl* ff2 = nullptr;
    controls::PictureControl* Imageplus2 = nullptr;
    controls::PictureControl* Imageminus2 = nullptr;
    controls::PictureControl* Imagenaekran2 = nullptr;
    controls::PictureControl* Imageistinnyy2 = nullptr;

    QMenu* PopupMenu1 = nullptr;
    QAction* gnhgnhg1 = nullptr;  // "Открыть с помощью просмотрщика" (never shown)
    QAction* oiloiloi1 = nullptr; // "Сохранить в файл..."
    QAction* N1 = nullptr;        // "Копировать файл"
    QAction* N2 = nullptr;        // "Закрыть окно"

    // --- handlers ------------------------------------------------------------------------------------------
    void FormCreate();
    /// The open step: loads the current entry's map and resets the zoom to actual size, showing its rows as
    /// they are decoded. When the map cannot be loaded it reports the file and the reason and skips the rest; the
    /// picture on show stays when the file cannot be read or its header is refused, and none is left when the decode
    /// fails later (the old picture's memory went to the new one). A step to another map that called it goes on.
    void FormActivate();
    void Image1Progress(platform::ProgressStage stage, int percent);

    void ImageminusClick();
    void ImageplusClick();
    void ImagenaekranClick();
    void ImageistinnyyClick();
    void FormMouseWheel(int delta);

    void Image1MouseDown(Qt::MouseButton button, QPoint pos);
    void Image1MouseMove(Qt::MouseButtons buttons, QPoint pos);
    void Image1MouseUp(Qt::MouseButton button, QPoint pos);
    void FormKeyDown(int key);

    /// prev1MouseMove, ff1MouseMove, ImageplusMouseMove, ImageminusMouseMove, ImagenaekranMouseMove,
    /// ImageistinnyyMouseMove: shows the hover image of the plain button.
    void PlainButtonMouseMove(controls::PictureControl* hoverImage);
    void nizMouseMove();
    void Image2MouseMove();
    void hideHoverImages();

    void ImagesvernutClick();
    void ImagezakrytClick();

    void ff1Click();
    void prev2Click();

    void oiloiloi1Click();
    void N1Click();
    void N2Click();

    /// The file's bytes of the map on show (what "Сохранить в файл..." writes).
    const QByteArray& mapBytes() const { return m_mapBytes; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();     // tform2.cpp
    void connectHandlers();    // tform2.cpp
    void layoutControls();     // tform2.cpp
    void placeWindowButtons(); // tform2.cpp
    /// Returns the message naming the file when the map cannot be loaded.
    [[nodiscard]] std::optional<QString> loadMap(const QString& relativePath); // open_step.cpp
    bool reachScreen();                                                        // open_step.cpp
    void showMapTexts(QSize natural);                                          // open_step.cpp
    void showDecodedRows(int first, int end);                                  // open_step.cpp
    void readNeighboursAhead();                                                // stepping.cpp
    void viewReset();                                                          // zoom.cpp
    void centre();                                                             // zoom.cpp
    void loadSteppedMap();                                                     // stepping.cpp

    /// Shows the entry the CurrentEntry announces (a step moved it): its map at actual size, or a message naming
    /// a missing file; the step buttons at the ends of the list are hidden.
    void showEntry(); // stepping.cpp

    CurrentEntry& m_entry;
    QWidget& m_catalogueWindow;
    QByteArray m_mapBytes;
    viewer::MapFiles m_mapFiles;
    // Rows of the map being decoded written since the view was last painted, and when that was.
    int m_unpaintedFirst = 0;
    int m_unpaintedEnd = 0;
    QElapsedTimer m_sinceRowsPainted;
    bool m_windowButtonsPlaced = false;
    viewer::WheelNotches m_wheelNotches;
};

/// The viewer window opened last; null once it is closed.
extern QPointer<TForm2> Form2;
