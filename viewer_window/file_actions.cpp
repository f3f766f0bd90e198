// The picture's context menu (save, copy, close) and the title strip's window buttons.
#include "desktop/failure_text.h"
#include "desktop/file_drop_clipboard.h"
#include "desktop/main_window.h"
#include "desktop/save_dialog.h"
#include "viewer_window/tform2.h"

void TForm2::saveMap()
{
    // What the picture shows, named as the bar names it: never the bytes of another map than the one on show. A map
    // not held in memory is copied from its file, which must still be the one shown.
    const loading::MapSource source = m_document.savable();
    const failure::Result<void> saved =
        source.bytes.isEmpty() && !source.path.isEmpty()
            ? desktop::saveDataFileAs(this, source.path, source.stamp)
            : desktop::savePictureAs(this, source.bytes,
                                     QStringLiteral("Карта %1 не загружена: сохранять нечего.")
                                         .arg(desktop::shownFileName(m_document.shown().path)));
    if (!saved)
        desktop::reportFailure(desktop::Action::SavePicture, saved.error());
}

void TForm2::copyMapFile()
{
    // The map the window shows and names, as Save: not the one being opened, nor a missing one stepped over.
    if (const failure::Result<void> copied = desktop::copyCollectionFile(m_document.shown().path); !copied)
        desktop::reportFailure(desktop::Action::CopyFile, copied.error());
}

void TForm2::closeViewer()
{
    close();
}

void TForm2::minimiseProgram()
{
    desktop::minimiseProgram(m_catalogueWindow);
}
