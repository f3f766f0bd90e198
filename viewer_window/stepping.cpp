// Stepping to the next or previous map of the catalogue window's list. The catalogue's selection moves with the
// viewer, so the catalogue window shows the map last viewed when the viewer closes.
#include "catalogue/categories.h"
#include "catalogue_window/catalogue_selection.h"
#include "controls/picture_control.h"
#include "controls/string_grid.h"
#include "platform/data_files.h"
#include "platform/error_report.h"
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

void TForm2::loadSteppedMap()
{
    const int category = form1.data.CurrentCategory;
    const catalogue::CategoryTable* table = form1.data.table(category);
    if (!table)
        return;
    form1.CurrentMapPath = QString::fromStdString(catalogue::mapFolder(category)) +
                           platform::fileNameFromCatalogue(table->FileName.at(form1.CurrentRow));
    if (platform::dataFileExists(form1.CurrentMapPath))
        FormActivate();
    else
        platform::showMessage(QStringLiteral("Файл ") + shownMapPath(form1.CurrentMapPath) +
                              QStringLiteral(" не найден!"));
    ImageistinnyyClick();
}
