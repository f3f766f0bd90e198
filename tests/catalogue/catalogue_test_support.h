#pragma once

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>

#include "catalogue/catalogue_data.h"
#include "catalogue/codepage.h"

namespace catalogue::testing {

/// Code page 1251 bytes of a UTF-8 literal, as the catalogue files hold them.
inline std::string cp(const std::string& utf8)
{
    return utf8ToCp1251(utf8);
}

/// The tables are too large for the stack.
inline std::unique_ptr<CatalogueData> freshData()
{
    return std::make_unique<CatalogueData>();
}

/// A collection folder below the system's temporary folder, removed with its contents at the end of the test.
class TempCollection
{
public:
    TempCollection()
    {
        std::random_device random;
        m_root = std::filesystem::temp_directory_path() / ("mapcatalogue-test-" + std::to_string(random()));
        std::filesystem::create_directories(m_root / "Goroda" / "About");
    }
    ~TempCollection()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_root, ignored);
    }
    TempCollection(const TempCollection&) = delete;
    TempCollection& operator=(const TempCollection&) = delete;

    const std::filesystem::path& root() const { return m_root; }

    /// Writes bytes unchanged to a file below the collection folder.
    void write(const std::string& relative, const std::string& bytes) const
    {
        std::ofstream out(m_root / relative, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }

private:
    std::filesystem::path m_root;
};

} // namespace catalogue::testing
