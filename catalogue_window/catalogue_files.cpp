#include "catalogue_window/catalogue_files.h"

#include "catalogue/catalogue_load.h"
#include "files/data_files.h"

namespace catalogue_window {

failure::Result<std::string> readCatalogueFile(const char* name)
{
    const QByteArray read =
        TRY(files::readDataFile(QString::fromLatin1(name), qint64(catalogue::MaxCatalogueFileBytes)));
    return std::string(read.constData(), static_cast<size_t>(read.size()));
}

} // namespace catalogue_window
