#pragma once

#include <QByteArray>
#include <QWidget>
#include <array>
#include <functional>
#include <optional>

#include "catalogue/catalogue_data.h"
#include "catalogue/orderings.h"
#include "catalogue_window/row_slots.h"
#include "current_entry/current_entry.h"

class QAction;
class QLineEdit;
class QMenu;

namespace controls {
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
    explicit TForm1(CurrentEntry& entry, QWidget* parent = nullptr);
    ~TForm1() override;

    /// How a map is opened in the viewer (installed by the viewer's launcher): called for an existing map file.
    void setViewerOpener(std::function<void()> open) { m_openViewer = std::move(open); }

    QByteArray ImageMapBytes; ///< the file bytes of the picture on show in ImageMap (what a save writes)

    // --- controls ------------------------------------------------------------------------------------------
    controls::PictureControl* Image5 = nullptr; // window background
    controls::PictureControl* Image3 = nullptr; // title artwork
    controls::TextLabel* LabelOpisNadpis = nullptr;
    controls::TextLabel* Labelopis = nullptr;
    controls::TextLabel* Label223 = nullptr;
    controls::TextLabel* LabelDimention = nullptr;
    std::array<controls::PictureControl*, 6> ImageZvezda{}; // ImageZvezda[1]..ImageZvezda[5]
    controls::TextLabel* Labelavtor = nullptr;
    controls::TextLabel* LabelAvtorNadpis = nullptr;
    controls::TextLabel* Label1000 = nullptr;
    controls::TextLabel* LabelSize = nullptr;
    /// The list's two columns and the link rows, numbered as row_slots.h tells.
    std::array<controls::TextLabel*, catalogue_window::LastLabel + 1> Label{};

    controls::Panel* Panel6 = nullptr;
    controls::PictureControl* Image7 = nullptr;

    controls::Panel* Panel1 = nullptr; // top bar
    controls::PictureControl* Image9 = nullptr;
    controls::PictureControl* Image10 = nullptr;
    controls::PictureControl* Image11 = nullptr;
    controls::PictureControl* Image12 = nullptr;
    controls::PictureControl* Image13 = nullptr;
    controls::PictureControl* Image14 = nullptr;
    controls::PictureControl* Image1 = nullptr; // minimise
    controls::PictureControl* Image2 = nullptr; // close
    controls::PictureControl* ImageObl = nullptr;
    controls::PictureControl* Imagerus = nullptr;
    controls::PictureControl* ImageMet = nullptr;
    controls::PictureControl* ImageArt = nullptr;
    controls::PictureControl* ImageGor = nullptr;

    controls::Panel* Panel2 = nullptr; // list
    controls::PictureControl* Image8 = nullptr;
    controls::PictureControl* ImagePoNazvaniyu = nullptr;
    controls::PictureControl* ImagePoGodu = nullptr;
    controls::PictureControl* ImagePoKa4estvy = nullptr;
    controls::StringGrid* StringGrid1 = nullptr; ///< the list's hidden grid; its current row follows the entry
    controls::SkinScrollBar* bsSkinScrollBar1 = nullptr;

    controls::Panel* Panel3 = nullptr; // preview
    controls::PictureControl* ImageMap = nullptr;

    QLineEdit* Edit1 = nullptr;
    controls::Panel* Panel4 = nullptr;
    controls::PictureControl* Image4 = nullptr; // publisher's logo
    controls::Panel* Panel5 = nullptr;
    controls::PictureControl* Image6 = nullptr; // about button

    QMenu* PopupMenu1 = nullptr;
    QAction* bvnnhgn1 = nullptr;  // "Открыть в новом окне"
    QAction* gnhgnhg1 = nullptr;  // "Открыть с помощью просмотрщика" (never shown)
    QAction* oiloiloi1 = nullptr; // "Сохранить в файл..."
    QAction* N1 = nullptr;        // "Копировать файл"
    QAction* N2 = nullptr;        // "Закрыть окно"

    // --- handlers ------------------------------------------------------------------------------------------
    // window shell
    void FormActivate();
    void Image1Click();
    void Image2Click();
    void N2Click();

    // category views and hover
    void ImageGorClick();
    void ImageOblClick();
    void ImagerusClick();
    void ImageMetClick();
    void ImageArtClick();
    void CategoryView(int category);
    void CategoryHoverMove(int category); ///< Image10MouseMove..Image14MouseMove for categories 1..5
    void Image9MouseMove();

    // row list
    void LabelClick(int slot);    ///< Label1Click..Label29Click
    void LabelDblClick(int slot); ///< Label1DblClick..Label29DblClick
    void StringGrid1TopLeftChanged();
    void StringGrid1KeyDown(int key);
    void OpenCurrentEntry(); ///< double-click and Enter

    // detail panel
    void StringGrid1Click();
    void ShowDetails();
    void ImageMapClick();
    void ImageMapMouseMove();

    // orderings
    void ImagePoNazvaniyuClick();
    void ImagePoGoduClick();
    void ImagePoKa4estvyClick();

    // about page and link rows
    void ImageAboutClick();
    void LinkRowMouseMove(int n); ///< Label30MouseMove..Label47MouseMove
    void LinkRowClick(int n);     ///< Label30Click..Label47Click
    /// Opens the article of slot (1-based) of the articles table with the desktop, when its name stays inside the
    /// Articles folder; refuses other names with a message.
    void openArticle(int slot);

    // file actions
    void bvnnhgn1Click();
    void gnhgnhg1Click();
    void oiloiloi1Click();
    void N1Click();
    void Image4Click();

    /// Shows a picture file in ImageMap and keeps its bytes. When it cannot, clears the picture and returns the
    /// message naming the file, for the caller to report.
    [[nodiscard]] std::optional<QString> loadImageMap(const QString& relativePath);
    /// Clears the preview picture (and the bytes kept for saving).
    void clearImageMap();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void createControls();     // layout.cpp
    void showInitialPreview(); // window_shell.cpp
    void connectHandlers();    // connect_handlers.cpp
    void startDrag(QPoint globalPos);
    void refillRowLabels();        // row_list.cpp: the scroll refill's caption copy
    void markChosenSlot(int slot); // row_list.cpp: highlights slot's row (none for 0)
    void setSecondColumnLeft(int left);
    /// The lit tab of a category (nullptr for other numbers).
    controls::PictureControl* categoryHighlight(int category) const;
    void applyOrdering(catalogue::Ordering ordering);
    void setPopupAttached(bool attached);
    /// Shows the entry the CurrentEntry announces: moves the grid to it, lights its slot and fills the panel.
    void showChosenEntry();

    CurrentEntry& m_entry;
    catalogue::CatalogueData& m_data;
    std::function<void()> m_openViewer;
    /// The map the panel showed last: the file actions act on it, also in the articles view.
    QString m_lastMapPath;
    QString m_lastPreviewPath;

    bool m_loaded = false;
    bool m_popupAttached = false;
    bool m_dragging = false;
    QPoint m_dragOffset;
};
