#include "categories.h"

#include "catalogue_data.h"

namespace catalogue {

const char* categoryCode(int category)
{
    switch (category) {
    case Cities:
        return "Goroda";
    case Regions:
        return "Oblasti";
    case Country:
        return "Russia";
    case MetroMaps:
        return "Metro";
    case Articles:
        return "art";
    default:
        return "";
    }
}

std::string mapFolder(int category)
{
    switch (category) {
    case Cities:
    case MetroMaps: // metro schemes lie in the cities folder
        return "Goroda/";
    case Regions:
        return "Oblasti/";
    case Country:
        return "Russia/";
    default:
        return {};
    }
}

std::string previewFolder(int category)
{
    const std::string folder = mapFolder(category);
    return folder.empty() ? folder : folder + "previews/";
}

} // namespace catalogue
