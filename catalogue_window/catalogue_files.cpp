#include "catalogue_window/catalogue_files.h"

#include "catalogue/catalogue_load.h"
#include "files/data_files.h"

namespace catalogue_window {

bool readCatalogueFile(const char* name, std::string& bytes, std::string& message)
{
    QString error;
    const std::optional<QByteArray> read =
        files::readDataFile(QString::fromLatin1(name), &error, qint64(catalogue::MaxCatalogueFileBytes));
    if (!read) {
        message = error.toStdString();
        return false;
    }
    bytes.assign(read->constData(), static_cast<size_t>(read->size()));
    return true;
}

} // namespace catalogue_window
