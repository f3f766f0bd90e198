// Stepping to the next or previous map of the catalogue window's list. The catalogue's selection moves with the
// viewer, so the catalogue window shows the map last viewed when the viewer closes.
#include "catalogue/categories.h"
#include "catalogue_window/catalogue_selection.h"
#include "controls/picture_control.h"
#include "controls/string_grid.h"
#include "platform/data_files.h"
#include "platform/error_report.h"
#include "viewer_window/scroll_box.h"
#include "viewer_window/tform2.h"

namespace {

/// A map's path as the user knows it from the disc: from the collection folder, with a leading "./" (".\Goroda\").
QString shownMapPath(const QString& relative)
{
    return relative.startsWith(QLatin1String("./")) ? relative : QStringLiteral("./") + relative;
}

} // namespace

void TForm2::ff1Click()
{
    prev1->show();
    form1.CurrentRow += 1;
    form1.StringGrid1->setRow(form1.StringGrid1->row() + 1);
    form1.StringGrid1Click();
    if (!catalogue::isMapCategory(form1.data.CurrentCategory))
        return;
    if (form1.CurrentRow > form1.StringGrid1->rowCount()) {
        ff1->hide();
        ff2->hide();
        return;
    }
    loadSteppedMap();
    if (form1.CurrentRow == form1.StringGrid1->rowCount()) {
        ff1->hide();
        ff2->hide();
    }
}

void TForm2::prev2Click()
{
    form1.CurrentRow -= 1;
    form1.StringGrid1->setRow(form1.StringGrid1->row() - 1);
    form1.StringGrid1Click();
    ff1->show();
    if (!catalogue::isMapCategory(form1.data.CurrentCategory))
        return;
    if (form1.CurrentRow > form1.StringGrid1->rowCount() || form1.CurrentRow < 1) {
        prev1->hide();
        prev2->hide();
        return;
    }
    loadSteppedMap();
    if (form1.CurrentRow == 1) {
        prev1->hide();
        prev2->hide();
    }
}

std::optional<QString> TForm2::mapPathOfRow(int row) const
{
    const int category = form1.data.CurrentCategory;
    const catalogue::CategoryTable* table = form1.data.table(category);
    if (!table || row < 0 || static_cast<size_t>(row) >= table->FileName.size())
        return std::nullopt;
    return QString::fromStdString(catalogue::mapFolder(category)) +
           platform::fileNameFromCatalogue(table->FileName.at(static_cast<size_t>(row)));
}

void TForm2::readNeighboursAhead()
{
    QStringList paths;
    const int row = form1.CurrentRow;
    const bool mapList = catalogue::isMapCategory(form1.data.CurrentCategory);
    const std::optional<QString> next = mapPathOfRow(row + 1);
    const std::optional<QString> previous = mapPathOfRow(row - 1);
    if (mapList && next && row + 1 <= form1.StringGrid1->rowCount())
        paths << *next;
    if (mapList && previous && row - 1 >= 1)
        paths << *previous;
    // The rows in view at actual size, decoded ahead for the next map only: Right is the usual step.
    const bool nextFirst = !paths.isEmpty() && next && paths.front() == *next;
    m_mapFiles.readAhead(paths, nextFirst ? ScrollBox1->height() : 0);
}

void TForm2::loadSteppedMap()
{
    const std::optional<QString> path = mapPathOfRow(form1.CurrentRow);
    if (!path)
        return;
    form1.CurrentMapPath = *path;
    if (platform::dataFileExists(form1.CurrentMapPath))
        FormActivate();
    else
        platform::showMessage(QStringLiteral("Файл ") + shownMapPath(form1.CurrentMapPath) +
                              QStringLiteral(" не найден!"));
    ImageistinnyyClick();
}
