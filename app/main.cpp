#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QScopeGuard>
#include <QSettings>
#include <QTranslator>
#include <cstdio>
#include <variant>

#include "app/application.h"
#include "app/collection_search.h"
#include "assets/assets_init.h"
#include "catalogue/catalogue_data.h"
#include "catalogue/collation.h"
#include "catalogue_window/tform1.h"
#include "controls/fonts.h"
#include "desktop/failure_text.h"
#include "desktop/save_dialog_preview.h"
#include "files/data_files.h"
#include "loading/loader.h"
#include "memory/large_memory.h"
#include "viewer_window/viewer_launcher.h"

namespace {

/// The start options, or the status to end with at once: --help and --version answered, a usage error printed.
///
/// They are read while only a core application object exists, so that they need no display, which the windowing one
/// would. It reads the command line as the system keeps it (on Windows in wide characters, where argv would lose a
/// Cyrillic folder's name outside code page 1251).
std::variant<StartOptions, int> readCommandLine(int& argc, char** argv)
{
    const QCoreApplication commandLine(argc, argv);
    const failure::Result<StartOptions> parsed = parseStartOptions(QCoreApplication::arguments(), QDir::currentPath());
    if (!parsed) {
        std::fprintf(stderr, "%s\n%s", desktop::failureText(parsed.error()).toLocal8Bit().constData(),
                     usageText().toLocal8Bit().constData());
        return 2;
    }
    if (parsed->help) {
        std::fputs(usageText().toLocal8Bit().constData(), stdout);
        return 0;
    }
    if (parsed->version) {
        std::printf("mapcatalogue %s\n", MAPCATALOGUE_VERSION);
        return 0;
    }
    return *parsed;
}

} // namespace

int main(int argc, char** argv)
{
    memory::returnLargeBlocksWhenFreed();
    const std::variant<StartOptions, int> read = readCommandLine(argc, argv);
    if (const int* status = std::get_if<int>(&read))
        return *status;
    const StartOptions& options = std::get<StartOptions>(read);

    // Without ICU's collation and code page the catalogue can be neither read nor ordered: say so and end.
    if (const failure::Result<void> text = catalogue::checkCatalogueCollation(); !text) {
        std::fprintf(stderr, "mapcatalogue: %s\n", desktop::failureText(text.error()).toLocal8Bit().constData());
        return 1;
    }

    MapApplication app(argc, argv);
    initAssets();
    controls::installFontSubstitutions();

    QTranslator qtTranslations;
    if (qtTranslations.load(QLocale(QStringLiteral("ru_RU")), QStringLiteral("qtbase"), QStringLiteral("_"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtTranslations);

    // The last collection opened is the one setting kept between runs (~/.config/mapcatalogue/mapcatalogue.conf;
    // on Windows the registry, HKEY_CURRENT_USER\Software\mapcatalogue\mapcatalogue).
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("mapcatalogue"),
                       QStringLiteral("mapcatalogue"));
    const QString collection = chooseCollection(options.folderGiven ? options.collectionFolder : QString(),
                                                systemPlaces(QDir::currentPath()), settings, askFolderWithDialog);
    if (collection.isEmpty())
        return 0; // the user cancelled the question for the collection
    files::setCollectionFolder(collection);

    // The tables live for the whole process; the catalogue window is created first and is the main window.
    static catalogue::CatalogueData catalogueData;
    CurrentEntry currentEntry(catalogueData);
    // Every background job of the program; it goes after the windows, stopping and waiting for what still runs.
    loading::Loader loader;
    // The save dialog's preview of the file pointed at is one of its jobs.
    desktop::setPreviewLoader([&loader](QObject* owner, const QString& path, QSize box, std::stop_token stop,
                                        std::function<void(const QImage&)> shown) {
        loader.loadFilePreview(owner, path, box, std::move(stop), std::move(shown));
    });
    const auto noPreviews = qScopeGuard([] { desktop::setPreviewLoader({}); });
    TForm1 form1(currentEntry, loader);
    form1.setViewerOpener(installViewer(currentEntry, loader, form1));
    form1.show();
    // Without a window manager nothing gives the new window the keyboard; ask for it.
    form1.activateWindow();
    return app.exec();
}
