#pragma once

#include <string>

#include "catalogue_data.h"

namespace catalogue {

/// Category code of a category number 1..5 ("Goroda", "Oblasti", "Russia", "Metro", "art"); empty otherwise.
const char* categoryCode(int category);
/// Folder of a category's full-size maps, relative to the collection, ending in '/' ("Goroda/" for metro too);
/// empty for articles and other numbers.
std::string mapFolder(int category);
/// Folder of a category's previews ("Goroda/previews/" for cities and metro); empty for articles and other numbers.
std::string previewFolder(int category);
/// Folder of the article files.
inline constexpr const char* ArticlesFolder = "Articles/";
/// True for the five categories of the catalogue, 1..5.
inline bool isCategory(int category)
{
    return category >= Cities && category <= Articles;
}
/// True for the four map categories 1..4.
inline bool isMapCategory(int category)
{
    return category >= Cities && category <= MetroMaps;
}

} // namespace catalogue
