#include "program_windows.h"

#include <cstdio>

#include "desktop/error_report.h"
#include "files/data_files.h"
#include "viewer_window/viewer_launcher.h"

namespace bench {

ProgramWindows::ProgramWindows(const QString& folder)
{
    files::setCollectionFolder(folder);
    desktop::setMessageSink([](const QString& text) { std::fprintf(stderr, "%s\n", qPrintable(text)); });
    catalogueWindow.show();
    catalogueWindow.FormActivate();
    catalogueWindow.setViewerOpener(installViewer(entry, loader, catalogueWindow));
}

} // namespace bench
