// The link rows of the about page, the pointer over the articles picture's neighbours, and opening articles.
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include "catalogue/categories.h"
#include "catalogue_window/article_path.h"
#include "catalogue_window/link_text.h"
#include "catalogue_window/row_slots.h"
#include "catalogue_window/tform1.h"
#include "controls/text_label.h"
#include "desktop/error_report.h"
#include "desktop/failure_text.h"
#include "desktop/shell_open.h"
#include "files/data_files.h"

using catalogue_window::isLinkRow;

void TForm1::LinkRowMouseMove(int n)
{
    if (!isLinkRow(n) || !Label[n])
        return;
    const QString text = Label[n]->caption();
    if (text.isEmpty())
        return;
    Label[n]->setCursor(catalogue_window::isLinkRowText(text) ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void TForm1::LinkRowClick(int n)
{
    if (!isLinkRow(n) || !Label[n])
        return;
    const QString address = catalogue_window::linkRowAddress(Label[n]->caption());
    if (!address.isEmpty())
        desktop::shellOpen(QUrl(address, QUrl::StrictMode));
}

void TForm1::openArticle(int slot)
{
    const catalogue::CategoryTable* table = m_entry.data().table(catalogue::Articles);
    if (!table || slot < 1 || slot > catalogue::MaxCatalogueLines)
        return;
    // Reported, not raised: Enter reaches here from the grid's key handling, which goes on after it.
    const QString fileName = files::fileNameFromCatalogue(table->FileName[slot]);
    const std::optional<QString> relative = catalogue_window::articleRelativePath(fileName);
    if (!relative) {
        desktop::showMessage(
            QStringLiteral("Статья «%1» не открывается: её файл должен лежать в папке Articles собрания.")
                .arg(fileName));
        return;
    }
    const QString shown = desktop::shownFileName(*relative);
    const QFileInfo file(files::resolveDataPath(*relative));
    if (!file.isFile()) {
        desktop::showMessage(QStringLiteral("Статья %1 не открывается: такого файла в собрании нет.").arg(shown));
        return;
    }
    // A link is followed to what it names: that file is what the desktop would open.
    const QString target = file.canonicalFilePath();
    const QString collection = QFileInfo(files::collectionFolder()).canonicalFilePath();
    // QDir compares as the file system does: without regard to letter case on Windows.
    const QString inside = collection.isEmpty() ? QString() : QDir(collection).relativeFilePath(target);
    if (target.isEmpty() || inside.isEmpty() || !files::staysInsideFolder(inside)) {
        desktop::showMessage(
            QStringLiteral("Статья %1 не открывается: её файл должен лежать в папке Articles собрания.").arg(shown));
        return;
    }
    if (!catalogue_window::isArticleType(*relative) || !catalogue_window::isArticleType(target)) {
        desktop::showMessage(QStringLiteral("Статья %1 не открывается: открываются только документы и рисунки (%2).")
                                 .arg(shown, catalogue_window::articleTypesText()));
        return;
    }
    desktop::shellOpen(QUrl::fromLocalFile(target));
}
