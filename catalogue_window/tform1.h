#pragma once

#include <QByteArray>
#include <QWidget>
#include <array>
#include <functional>
#include <optional>
#include <span>
#include <stop_token>

#include "catalogue/catalogue_data.h"
#include "catalogue/orderings.h"
#include "catalogue_window/row_slots.h"
#include "controls/control_builder.h"
#include "current_entry/current_entry.h"
#include "failure/result.h"
#include "window_layout/catalogue_controls.h"

class QAction;
namespace loading {
class Loader;
}
namespace picture {
struct JpegDecodeOptions;
}
class QLineEdit;
class QMenu;

namespace controls {
class FocusFrame;
class PictureControl;
class Panel;
class SkinScrollBar;
class StringGrid;
class TextLabel;
} // namespace controls

/// The catalogue window: the borderless main window with the category tabs, the 29-row list over the hidden grid,
/// the detail panel, the about page, the link rows and the preview's file actions.
///
/// Controls are owned by Qt's parent tree. The chosen entry is not kept here: the window observes the CurrentEntry
/// it is given (the list grid, the row labels and the detail panel follow it) and tells it the rows the user chooses.
class TForm1 : public QWidget
{
    Q_OBJECT
public:
    /// Reads and decodes the entries' previews through loader, which outlives the window.
    TForm1(CurrentEntry& entry, loading::Loader& loader, QWidget* parent = nullptr);
    ~TForm1() override;

    /// How a map is opened in the viewer (installed by the viewer's launcher): called for an existing map file.
    void setViewerOpener(std::function<void()> open) { m_openViewer = std::move(open); }

    QByteArray previewBytes; ///< the file bytes of the picture on show in previewPicture (what a save writes)

    // --- controls ------------------------------------------------------------------------------------------
    controls::PictureControl* windowBackground = nullptr; // window background
    controls::TextLabel* descriptionCaption = nullptr;
    controls::TextLabel* descriptionLabel = nullptr;
    controls::TextLabel* dimensionsCaption = nullptr;
    controls::TextLabel* dimensionsLabel = nullptr;
    std::array<controls::PictureControl*, 6> starPictures{}; // starPictures[1]..starPictures[5]
    controls::TextLabel* authorLabel = nullptr;
    controls::TextLabel* authorCaption = nullptr;
    controls::TextLabel* fileSizeCaption = nullptr;
    controls::TextLabel* fileSizeLabel = nullptr;
    /// The list's two columns and the link rows, numbered as row_slots.h tells.
    std::array<controls::TextLabel*, catalogue_window::LastLabel + 1> Label{};

    controls::Panel* linkPanel = nullptr;

    controls::Panel* topBar = nullptr; // top bar
    controls::PictureControl* topBarBackground = nullptr;
    controls::PictureControl* citiesHoverArea = nullptr;
    controls::PictureControl* regionsHoverArea = nullptr;
    controls::PictureControl* countryHoverArea = nullptr;
    controls::PictureControl* metroHoverArea = nullptr;
    controls::PictureControl* articlesHoverArea = nullptr;
    controls::PictureControl* minimiseButton = nullptr; // minimise
    controls::PictureControl* closeButton = nullptr;    // close
    controls::PictureControl* regionsTab = nullptr;
    controls::PictureControl* countryTab = nullptr;
    controls::PictureControl* metroTab = nullptr;
    controls::PictureControl* articlesTab = nullptr;
    controls::PictureControl* citiesTab = nullptr;

    controls::Panel* listPanel = nullptr; // list
    controls::PictureControl* listBackground = nullptr;
    controls::PictureControl* byNameButton = nullptr;
    controls::PictureControl* byYearButton = nullptr;
    controls::PictureControl* byQualityButton = nullptr;
    controls::StringGrid* listGrid = nullptr; ///< the list's hidden grid; its current row is the entry's
    controls::SkinScrollBar* listScrollBar = nullptr;
    controls::FocusFrame* listFocusFrame = nullptr; ///< outlines the chosen row while the list has the focus

    controls::Panel* previewPanel = nullptr; // preview
    controls::PictureControl* previewPicture = nullptr;

    controls::PictureControl* publisherLogo = nullptr; // publisher's logo
    controls::PictureControl* aboutButton = nullptr;   // about button

    QMenu* previewMenu = nullptr;
    QAction* openInViewerAction = nullptr;   // "Открыть в новом окне"
    QAction* openWithViewerAction = nullptr; // "Открыть с помощью просмотрщика" (never shown)
    QAction* savePreviewAction = nullptr;    // "Сохранить в файл..."
    QAction* copyFileAction = nullptr;       // "Копировать файл"
    QAction* closeWindowAction = nullptr;    // "Закрыть окно"

    // --- handlers the tests drive ------------------------------------------------------------------------
    void FormActivate();

    // category views
    void ImageGorClick();
    void ImageOblClick();
    void ImagerusClick();
    void ImageMetClick();
    void ImageArtClick();

    // row list and detail panel
    void rowClick(int slot); ///< Label1Click..Label29Click
    void OpenCurrentEntry(); ///< double-click and Enter
    void StringGrid1Click();
    void ImageMapClick();

    // orderings
    void ImagePoNazvaniyuClick();
    void ImagePoGoduClick();
    void ImagePoKa4estvyClick();

    // about page and link rows
    void ImageAboutClick();
    void LinkRowMouseMove(int n); ///< Label30MouseMove..Label47MouseMove
    void LinkRowClick(int n);     ///< Label30Click..Label47Click

    void savePreview();

    /// Each control of the window's table and the member that holds it.
    static std::span<const controls::ControlTie<TForm1>> controlTies();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    /// Windows: the system moves the window dragged by its drag surface (the hit test answered as the caption).
    bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    // Controls only the window itself touches.
    controls::PictureControl* titleArtwork = nullptr;
    controls::PictureControl* linkPanelBackground = nullptr;
    QLineEdit* hiddenEdit = nullptr;
    controls::Panel* publisherPanel = nullptr;
    controls::Panel* aboutPanel = nullptr;

    // --- handlers ------------------------------------------------------------------------------------------
    // window shell
    void minimiseProgram();
    void closeWindow();

    // category views and hover
    void CategoryView(int category);
    void CategoryHoverMove(int category); ///< Image10MouseMove..Image14MouseMove for categories 1..5
    void backgroundMouseMove();

    // row list
    void rowDoubleClick(int slot); ///< Label1DblClick..Label29DblClick
    void StringGrid1TopLeftChanged();
    void StringGrid1KeyDown(int key);
    /// Type-ahead: chooses the first entry of the list, in its order, whose first column starts with typed (the
    /// title, or the year while the years lead); nothing moves when none does, or on the about page.
    void chooseTypedEntry(const QString& typed);

    // detail panel
    void ShowDetails();
    void previewMouseMove();

    /// Opens the article of slot (1-based) of the articles table with the desktop, when its name stays inside the
    /// Articles folder; refuses other names with a message.
    void openArticle(int slot);

    // file actions
    void openInViewer();
    void openHiddenFile();
    void copyMapFile();
    void openPublisherSite();

    /// Clears the preview picture (and the bytes kept for saving) and gives up the preview being loaded.
    void clearImageMap();
    /// Clears the preview and loads the picture file relativePath (an entry's preview, the about or the articles
    /// picture) through the loader, off the GUI thread: shown once decoded, its failure reported then (Action
    /// ShowPicture, on the file), unless another preview or picture has been asked for meanwhile, or the file is
    /// missing and mayBeMissing (an entry's preview) (detail_panel.cpp).
    void loadPreview(const QString& relativePath, bool mayBeMissing = false);
    /// Shows a decoded picture in previewPicture and keeps its file's bytes.
    void showPreviewPicture(const QImage& picture, const QByteArray& bytes);
    /// How the preview, the about and the articles pictures are decoded for the preview area.
    picture::JpegDecodeOptions previewDecodeOptions() const;

    // --- helpers -------------------------------------------------------------------------------------------
    void createControls();     // layout.cpp
    void showInitialPreview(); // window_shell.cpp
    void connectHandlers();    // connect_handlers.cpp
    void createShortcuts();    // keys.cpp
    /// What a screen reader is told of the chosen entry as it changes (accessibility.cpp).
    void connectAccessibility();
    void announceChosenEntry();
    void startDrag(QPoint globalPos);
    /// The window's own background and what lies on it transparently, and a link row that holds no link.
    bool isDragSurface(QPoint pos) const;
    /// The list's text in column 0 or 1 of row (0-based): the entry's list in the order the view shows its columns;
    /// empty past the end of the list. The grid and the row labels both read it.
    QString listText(int column, int row) const;
    void refillRowLabels();        // row_list.cpp: the scroll refill's caption copy
    void markChosenSlot(int slot); // row_list.cpp: highlights slot's row (none for 0)
    /// The slot (1..29) the current row is shown in; 0 when it is scrolled out of view.
    int visibleSlotOfCurrentRow() const;
    void setSecondColumnLeft(int left);
    /// Shows and hides the controls the view shows and hides, as the control table says.
    void showViewControls(window_layout::CatalogueView view);
    /// The lit tab of a category (nullptr for other numbers).
    controls::PictureControl* categoryHighlight(int category) const;
    void applyOrdering(catalogue::Ordering ordering);
    void setPopupAttached(bool attached);
    /// Follows the entry the CurrentEntry announces: the grid scrolls to it (StringGrid1TopLeftChanged when its top
    /// row moves), then StringGrid1Click lights its slot and fills the panel.
    void showChosenEntry();

    CurrentEntry& m_entry;
    loading::Loader& m_loader;
    // Requested when the preview being loaded is no longer wanted: another one, another picture, the window's end.
    std::stop_source m_previewStop;
    std::function<void()> m_openViewer;
    /// The by-year ordering shows the years in the list's first column until the next view or ordering.
    bool m_yearsFirst = false;
    /// The map the panel showed last: the file actions act on it, also in the articles view.
    QString m_lastMapPath;
    QString m_lastPreviewPath;

    bool m_loaded = false;
    bool m_popupAttached = false;
    bool m_dragging = false;
    QPoint m_dragOffset;
};
