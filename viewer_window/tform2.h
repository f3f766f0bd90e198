#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>
#include <optional>
#include <span>

#include "controls/control_builder.h"
#include "loading/map_loader.h"
#include "viewer_window/map_document.h"
#include "viewer_window/zoom_steps.h"

class QAction;
class QMenu;
class QProgressBar;
class ScrollBox;
class CurrentEntry;
namespace loading {
class Loader;
}
namespace viewer {
class DetailTiles;
class Navigator;
} // namespace viewer

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
    TForm2(CurrentEntry& entry, loading::Loader& loader, QWidget& catalogueWindow);
    ~TForm2() override;

    // --- controls ------------------------------------------------------------------------------------------
    ScrollBox* mapView = nullptr;
    controls::PictureControl* mapPicture = nullptr;
    QProgressBar* progressBar = nullptr;
    viewer::Navigator* mapNavigator = nullptr; // the whole map in small, while part of it is out of view
    viewer::DetailTiles* mapDetail = nullptr;  // the part in view at full detail, over a map shown as its overview

    controls::Panel* titleStrip = nullptr; // title strip
    controls::PictureControl* titleBackground = nullptr;
    controls::PictureControl* minimiseButton = nullptr;
    controls::PictureControl* closeButton = nullptr;

    controls::Panel* controlBar = nullptr; // control bar
    controls::PictureControl* controlBarBackground = nullptr;
    controls::TextLabel* fileSizeCaption = nullptr;
    controls::TextLabel* fileSizeLabel = nullptr;
    controls::TextLabel* dimensionsCaption = nullptr;
    controls::TextLabel* dimensionsLabel = nullptr;
    controls::TextLabel* titleAndYearLabel = nullptr;
    // Plain buttons: transparent click areas over the glyphs of controlBarBackground.
    controls::PictureControl* previousButton = nullptr;
    controls::PictureControl* nextButton = nullptr;
    controls::PictureControl* zoomInButton = nullptr;
    controls::PictureControl* zoomOutButton = nullptr;
    controls::PictureControl* fitButton = nullptr;
    controls::PictureControl* actualSizeButton = nullptr;
    // Hover images, one over each plain button.
    controls::PictureControl* previousHover = nullptr;
    controls::PictureControl* nextHover = nullptr;
    controls::PictureControl* zoomInHover = nullptr;
    controls::PictureControl* zoomOutHover = nullptr;
    controls::PictureControl* fitHover = nullptr;
    controls::PictureControl* actualSizeHover = nullptr;

    QAction* openWithViewerAction = nullptr; // "Открыть с помощью просмотрщика" (never shown)
    QAction* saveMapAction = nullptr;        // "Сохранить в файл..."
    QAction* copyFileAction = nullptr;       // "Копировать файл"
    QAction* closeWindowAction = nullptr;    // "Закрыть окно"

    // --- handlers the tests drive ------------------------------------------------------------------------
    /// The open step: starts the opening of the current entry's map and returns. The opening goes on in states driven
    /// by the loader's events (reading, then decoding, then reading the neighbours ahead) while the window paints and
    /// takes keys; the bar covers the read and the decode, while the title, year, file size, dimensions, Save and
    /// Copy stay with the map on show until the new map replaces it: all at once, as its rows start to show as they
    /// are decoded, at actual size. A new opening (a step) stops the one still running.
    /// When the map cannot be loaded a message names the file and the reason; the map on show stays whole, with its
    /// own texts, when the file cannot be read or its header is refused, and otherwise (the decode failed later, or
    /// the map on show was itself still being decoded) the view is left empty and names the map that failed.
    void FormActivate();
    /// True from the start of an opening until its map is shown or its failure reported.
    bool isOpening() const { return m_document.isOpening(); }
    /// The map on show and the one being opened.
    const viewer::MapDocument& mapDocument() const { return m_document; }

    void zoomOut();
    void zoomIn();
    void fitToScreen();
    void showActualSize();
    /// Zooms out (delta below 0) or in, keeping the map point at pointer (in the view's client area) where it is;
    /// the point at the view's centre when the pointer is elsewhere or not given. The buttons keep the centre's.
    void zoomByWheel(int delta, std::optional<QPoint> pointer = std::nullopt);

    void FormKeyDown(int key);
    void closeViewer();

    /// The owner of the window's background work.
    loading::MapLoader& loader() { return m_loader; }

    /// Each control of the window's table and the member that holds it.
    static std::span<const controls::ControlTie<TForm2>> controlTies();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QMenu* pictureMenu = nullptr; // only the window itself touches it; its actions are read by the tests

    // --- handlers ------------------------------------------------------------------------------------------
    void FormCreate();

    void pictureMouseDown(Qt::MouseButton button, QPoint pos);
    void pictureMouseMove(Qt::MouseButtons buttons, QPoint pos);
    void pictureMouseUp(Qt::MouseButton button, QPoint pos);

    /// A move over a plain button of the control bar shows its hover image.
    void showHoverImage(controls::PictureControl* hoverImage);
    void controlBarMouseMove();
    void titleStripMouseMove();
    void hideHoverImages();

    void minimiseProgram();

    void stepToNext();
    void stepToPrevious();

    void saveMap();
    void copyMapFile();

    // --- helpers -------------------------------------------------------------------------------------------
    void createControls();       // tform2.cpp
    void connectHandlers();      // tform2.cpp
    void connectAccessibility(); // accessibility.cpp
    void announceMap();          // accessibility.cpp: names the window and the picture by the map on show
    /// The keys that zoom and pan (keys.cpp); false for a key they leave to FormKeyDown.
    bool viewKey(int key, Qt::KeyboardModifiers modifiers);
    bool handleViewKey(QKeyEvent* event);
    void layoutControls();     // tform2.cpp
    void placeWindowButtons(); // tform2.cpp
    // What the window shows of its document (open_step.cpp).
    void showDocument();
    void showPictureOfDocument();
    void showDecodedPart(const QRect& written);
    void showOpenedMap();
    void reportFailedOpening();
    void finishOpening();
    void computeZoomSteps();         // the zoom steps' sizes for the picture on show
    void hideStepButtonsAtTheEnds(); // stepping.cpp
    void readNeighboursAhead();      // stepping.cpp
    void viewReset();                // zoom.cpp
    void centre();                   // zoom.cpp
    QPoint viewCentre() const;       // zoom.cpp
    // A zoom's change of size (zoom.cpp), run by zoomKeeping, which keeps the map point at inView in its place.
    void zoomKeeping(QPoint inView, void (TForm2::*change)());
    void stepOut();
    void stepIn();
    void stepToActualSize();
    void loadSteppedMap(); // stepping.cpp

    /// Shows the entry the CurrentEntry announces (a step moved it): its map at actual size, or a message naming
    /// a missing file; the step buttons at the ends of the list are hidden.
    void showEntry(); // stepping.cpp

    CurrentEntry& m_entry;
    QWidget& m_catalogueWindow;
    // Asks the program's loader for every job of the viewer's background work; what they post is dropped once it is
    // gone, and it goes before the window's controls.
    loading::MapLoader m_loader;
    // The map on show and the map being opened; it goes before the loader whose events drive it.
    viewer::MapDocument m_document{m_loader};
    // Rows of the map being decoded written since the view was last painted, and when that was.
    QRect m_unpainted; // decoded but not yet repainted, in the picture's pixels
    QElapsedTimer m_sinceRowsPainted;
    bool m_windowButtonsPlaced = false;
    viewer::WheelNotches m_wheelNotches;
};

/// The viewer window opened last; null once it is closed.
extern QPointer<TForm2> Form2;
