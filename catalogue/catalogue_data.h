#pragma once

#include <array>
#include <string>
#include <vector>

#include "sort_list.h"

namespace catalogue {

// Limits of the data model. Slots are 1-based; slot 0 of every table is never used.
inline constexpr int MaxCatalogueLines = 1000;
inline constexpr int MaxAboutLines = 100;
inline constexpr int FieldsPerRecord = 8;
inline constexpr int CategoryCount = 5;

/// Category numbers as kept in CurrentCategory (owned by the chosen entry, current_entry/).
enum CategoryNumber : int {
    NoCategory = 0,
    Cities = 1,
    Regions = 2,
    Country = 3,
    MetroMaps = 4,
    Articles = 5,
    AboutPage = 99,
};

/// One catalogue line split at "@": fields 1..8 (Title, CategoryCode, FileName, Year, Author, Description, Spare,
/// Quality). Texts are code page 1251 bytes.
struct MapRecord
{
    std::array<std::string, FieldsPerRecord + 1> Field; // Field[1]..Field[8]

    std::string& Title() { return Field[1]; }
    std::string& CategoryCode() { return Field[2]; }
    std::string& FileName() { return Field[3]; }
    std::string& Year() { return Field[4]; }
    std::string& Author() { return Field[5]; }
    std::string& Description() { return Field[6]; }
    std::string& Spare() { return Field[7]; }
    std::string& Quality() { return Field[8]; }
};

/// The entries of one category in seven parallel 1-based columns.
struct CategoryTable
{
    using Column = std::array<std::string, MaxCatalogueLines + 1>;
    Column Title, FileName, Year, Author, Description, Spare, Quality;
    int NextSlot = 1;

    int count() const { return NextSlot - 1; }
};

/// The process-wide catalogue tables. The program holds one instance; tests build their own.
struct CatalogueData
{
    std::array<std::string, MaxAboutLines + 1> AboutLines;
    std::array<std::string, MaxAboutLines + 1> AboutLines2;
    std::array<std::string, MaxCatalogueLines + 1> CatalogueLines;
    int LineCount = 0;
    SortList sortList;
    std::array<std::string, MaxCatalogueLines + 1> SortedLines;
    std::array<MapRecord, MaxCatalogueLines + 1> RecordTable;
    std::array<CategoryTable, CategoryCount + 1> CategoryTables; // indexed by category number 1..5

    /// The table of a category number 1..5; nullptr for any other number (the about page, none).
    CategoryTable* table(int category);
    const CategoryTable* table(int category) const;
};

} // namespace catalogue
