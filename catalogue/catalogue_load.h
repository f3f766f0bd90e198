#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "catalogue_data.h"
#include "failure/result.h"

namespace catalogue {

/// File names inside the collection folder, with forward slashes.
inline constexpr const char* AboutFile = "Goroda/About/about.dat";
inline constexpr const char* About2File = "Goroda/About/about2.dat";
inline constexpr const char* MapsFile = "Goroda/About/maps.txt";

/// The outcome of one load besides the tables.
struct LoadReport
{
    /// Files that could not be read, in reading order, each on its path as given in the load (for example
    /// "Goroda/About/maps.txt"); one message box each. The load goes on past a failed about file and past a failed
    /// maps.txt.
    std::vector<failure::Failure> errors;
    std::vector<std::string> warnings; ///< input beyond the tables (surplus lines or fields); lines for standard error
};

/// Largest catalogue or about file read. A thousand lines of the catalogue take well under a megabyte; the bound keeps
/// a wrong or damaged file from taking all memory.
inline constexpr size_t MaxCatalogueFileBytes = size_t(64) << 20;

/// Reads one catalogue file, named as above, or fails (no such file, the system refused it, a file larger than
/// MaxCatalogueFileBytes). Finding the file on disc is the caller's part: the program reads through the same lookup
/// as every other data file.
using FileReader = std::function<failure::Result<std::string>(const char* name)>;

/// Reads about.dat, about2.dat and maps.txt in this order through read, sorts, splits and distributes the catalogue
/// into data. Runs the file steps, the sort, the split and the distribution; showing the cities is the window's
/// part. The tables are cleared first, so a second call gives the same result.
LoadReport CatalogueLoad(CatalogueData& data, const FileReader& read);

/// The file contents of one load. A null pointer stands for a file that could not be read; its problem is already in
/// the report.
struct LoadInput
{
    const std::string* about = nullptr;
    const std::string* about2 = nullptr;
    const std::string* maps = nullptr;
};

/// The same steps on bytes already read (used by the file version and by tests and fuzzing); adds warnings to report.
/// Each file is read as UTF-8 or code page 1251 as fileTextAsCp1251 tells.
void loadFromBytes(CatalogueData& data, const LoadInput& input, LoadReport& report);

/// Empties every table and work area of data and sets every NextSlot to 1.
void clearTables(CatalogueData& data);

/// Splits a line at "@" into fields 1..8 of record, appending to them; fields past the eighth are ignored.
/// Returns true when the line had more than eight fields.
bool splitRecord(const std::string& line, MapRecord& record);

} // namespace catalogue
