#include <gtest/gtest.h>
#include <map>
#include <vector>

#include "catalogue/catalogue_load.h"
#include "catalogue_test_support.h"

namespace catalogue {
namespace {

using testing::cp;
using testing::freshData;

/// Loads maps.txt bytes (UTF-8 here, stored as code page 1251) with empty about files.
LoadReport loadMaps(CatalogueData& data, const std::string& mapsUtf8)
{
    const std::string empty;
    const std::string maps = cp(mapsUtf8);
    LoadReport report;
    loadFromBytes(data, {&empty, &empty, &maps}, report);
    return report;
}

std::string numberedLines(int count, const std::string& suffix)
{
    std::string text;
    for (int i = 1; i <= count; ++i)
        text += "Title " + std::to_string(100000 + i) + suffix + "\r\n";
    return text;
}

TEST(CatalogueLoad, DistributesFieldsToTheirColumns)
{
    auto data = freshData();
    const LoadReport report = loadMaps(*data, "Тверь@Goroda@tver.jpg@1853@Автор@Описание@запас@4\n"
                                              "Псковская@Oblasti@pskov.jpg@1792@@@@5\n"
                                              "Империя@Russia@imp.jpg@1900@A@D@S@1\n"
                                              "Схема@Metro@metro.jpg@1935@B@E@F@2\n"
                                              "Статья@art@article.htm@@Кто@Что@@\n");
    EXPECT_TRUE(report.errors.empty());
    EXPECT_TRUE(report.warnings.empty());
    const CategoryTable& cities = data->CategoryTables[Cities];
    ASSERT_EQ(cities.NextSlot, 2);
    EXPECT_EQ(cities.Title[1], cp("Тверь"));
    EXPECT_EQ(cities.FileName[1], "tver.jpg");
    EXPECT_EQ(cities.Year[1], "1853");
    EXPECT_EQ(cities.Author[1], cp("Автор"));
    EXPECT_EQ(cities.Description[1], cp("Описание"));
    EXPECT_EQ(cities.Spare[1], cp("запас"));
    EXPECT_EQ(cities.Quality[1], "4");
    EXPECT_EQ(cities.Title[2], "");
    for (int category = Regions; category <= Articles; ++category)
        EXPECT_EQ(data->CategoryTables[static_cast<size_t>(category)].NextSlot, 2) << category;
    EXPECT_EQ(data->CategoryTables[Regions].Quality[1], "5");
    EXPECT_EQ(data->CategoryTables[Regions].Author[1], "");
    EXPECT_EQ(data->CategoryTables[MetroMaps].FileName[1], "metro.jpg");
    EXPECT_EQ(data->CategoryTables[Articles].FileName[1], "article.htm");
    EXPECT_EQ(data->LineCount, 5);
    EXPECT_EQ(data->CatalogueLines[1], cp("Тверь@Goroda@tver.jpg@1853@Автор@Описание@запас@4"));
}

TEST(CatalogueLoad, SortOrderOfTheWholeLine)
{
    auto data = freshData();
    // Case is ignored: a before B, whatever the file order.
    loadMaps(*data, "B@Goroda@b.jpg\na@Goroda@a.jpg\n");
    EXPECT_EQ(data->CategoryTables[Cities].Title[1], "a");
    EXPECT_EQ(data->CategoryTables[Cities].Title[2], "B");

    // Lines that differ only in case are both kept; the later one in the file comes first.
    loadMaps(*data, "тверь@Goroda@t.jpg@1900\nТВЕРЬ@Goroda@T.JPG@1900\nтВЕрь@Goroda@t.JPG@1900\n");
    const CategoryTable& cities = data->CategoryTables[Cities];
    ASSERT_EQ(cities.NextSlot, 4);
    EXPECT_EQ(cities.FileName[1], "t.JPG");
    EXPECT_EQ(cities.FileName[2], "T.JPG");
    EXPECT_EQ(cities.FileName[3], "t.jpg");

    // A title that begins another: the character after the shorter title decides against the separator.
    loadMaps(*data, "Москва@Goroda@m.jpg\nМосква река@Goroda@r.jpg\nМосква-2@Goroda@2.jpg\n");
    EXPECT_EQ(cities.FileName[1], "r.jpg");
    EXPECT_EQ(cities.FileName[2], "m.jpg");
    EXPECT_EQ(cities.FileName[3], "2.jpg");
}

TEST(CatalogueLoad, RecordsOutsideEveryCategory)
{
    auto data = freshData();
    loadMaps(*data, "\n"
                    "Тверь@goroda@lower.jpg\n"
                    "Тверь@Goroda @space.jpg\n"
                    "Тверь@GORODA@upper.jpg\n"
                    "Тверь@Art@art.htm\n"
                    "Тверь\n"
                    "Тверь@Goroda@ok.jpg\n");
    EXPECT_EQ(data->LineCount, 7);
    // The empty line sorts first and is passed over at distribution.
    EXPECT_EQ(data->SortedLines[1], "");
    for (int category = 1; category <= CategoryCount; ++category)
        EXPECT_EQ(data->CategoryTables[static_cast<size_t>(category)].NextSlot, category == Cities ? 2 : 1);
    EXPECT_EQ(data->CategoryTables[Cities].FileName[1], "ok.jpg");
}

TEST(CatalogueLoad, ShortLinesAndSpacesInFields)
{
    auto data = freshData();
    loadMaps(*data, "Схема метро@Metro@m.jpg\n  @Metro@  b  .jpg@ 1900 \n");
    const CategoryTable& metro = data->CategoryTables[MetroMaps];
    ASSERT_EQ(metro.NextSlot, 3);
    EXPECT_EQ(metro.Title[1], "  ");
    EXPECT_EQ(metro.FileName[1], "  b  .jpg");
    EXPECT_EQ(metro.Year[1], " 1900 ");
    EXPECT_EQ(metro.Title[2], cp("Схема метро"));
    EXPECT_EQ(metro.FileName[2], "m.jpg");
    for (const auto* column : {&metro.Year, &metro.Author, &metro.Description, &metro.Spare, &metro.Quality})
        EXPECT_EQ((*column)[2], "");
}

TEST(CatalogueLoad, EmptyCatalogue)
{
    auto data = freshData();
    const LoadReport report = loadMaps(*data, "");
    EXPECT_TRUE(report.errors.empty());
    EXPECT_TRUE(report.warnings.empty());
    EXPECT_EQ(data->LineCount, 0);
    for (int category = 1; category <= CategoryCount; ++category)
        EXPECT_EQ(data->CategoryTables[static_cast<size_t>(category)].NextSlot, 1);
}

TEST(CatalogueLoad, TableLimits)
{
    auto data = freshData();
    LoadReport report = loadMaps(*data, numberedLines(MaxCatalogueLines, "@Oblasti@x.jpg"));
    EXPECT_TRUE(report.warnings.empty());
    EXPECT_EQ(data->LineCount, 1000);
    EXPECT_EQ(data->CategoryTables[Regions].NextSlot, 1001);
    EXPECT_EQ(data->CategoryTables[Regions].Title[1000], "Title 101000");

    // A surplus line is not stored and one warning names the file and the limit.
    report = loadMaps(*data, numberedLines(MaxCatalogueLines + 5, "@Oblasti@x.jpg"));
    EXPECT_EQ(data->LineCount, 1000);
    EXPECT_EQ(data->CategoryTables[Regions].NextSlot, 1001);
    EXPECT_EQ(data->CategoryTables[Regions].Title[1000], "Title 101000");
    ASSERT_EQ(report.warnings.size(), 1u);
    EXPECT_NE(report.warnings[0].find("Goroda/About/maps.txt"), std::string::npos) << report.warnings[0];
    EXPECT_NE(report.warnings[0].find("1000"), std::string::npos) << report.warnings[0];
    EXPECT_TRUE(report.errors.empty());
}

TEST(CatalogueLoad, SurplusFieldsAreIgnoredWithOneWarning)
{
    auto data = freshData();
    const LoadReport report = loadMaps(*data, "a@Goroda@a.jpg@1@2@3@4@5@extra@more\n"
                                              "b@Goroda@b.jpg@1@2@3@4@5@\n"
                                              "c@Goroda@c.jpg@1@2@3@4@5\n");
    const CategoryTable& cities = data->CategoryTables[Cities];
    ASSERT_EQ(cities.NextSlot, 4);
    EXPECT_EQ(cities.Quality[1], "5");
    EXPECT_EQ(cities.Quality[2], "5");
    EXPECT_EQ(cities.Spare[1], "4");
    EXPECT_EQ(data->RecordTable[1].Field[8], "5");
    ASSERT_EQ(report.warnings.size(), 1u);
    EXPECT_NE(report.warnings[0].find("maps.txt"), std::string::npos);
    EXPECT_NE(report.warnings[0].find("8"), std::string::npos);
}

TEST(CatalogueLoad, AboutFiles)
{
    auto data = freshData();
    std::string about;
    for (int i = 1; i <= MaxAboutLines + 1; ++i)
        about += "line " + std::to_string(i) + "\r\n";
    const std::string about2 = cp("первая\r\n\r\nтретья");
    const std::string maps;
    LoadReport report;
    loadFromBytes(*data, {&about, &about2, &maps}, report);
    EXPECT_EQ(data->AboutLines[1], "line 1");
    EXPECT_EQ(data->AboutLines[100], "line 100");
    EXPECT_EQ(data->AboutLines2[1], cp("первая"));
    EXPECT_EQ(data->AboutLines2[2], "");
    EXPECT_EQ(data->AboutLines2[3], cp("третья"));
    EXPECT_EQ(data->AboutLines2[4], "");
    ASSERT_EQ(report.warnings.size(), 1u);
    EXPECT_NE(report.warnings[0].find("Goroda/About/about.dat"), std::string::npos) << report.warnings[0];
    EXPECT_NE(report.warnings[0].find("100"), std::string::npos) << report.warnings[0];
}

TEST(CatalogueLoad, FilesSavedAsUtf8AreReadAsUtf8)
{
    const std::string cyrillic = "Тверь@Goroda@тверь.jpg";
    const struct
    {
        std::string bytes;
        std::string line; // the first line as the tables keep it (code page 1251)
        bool warned;
    } table[] = {
        {cp(cyrillic), cp(cyrillic), false},
        {cyrillic, cp(cyrillic), false},
        {"\xEF\xBB\xBF" + cyrillic, cp(cyrillic), false},
        {"\xEF\xBB\xBFTver@Goroda", "Tver@Goroda", false},
        {"Tver?@Goroda", "Tver?@Goroda", false},
        {"Tver \xE2\x82\xAC\xE2\x84\x96", cp("Tver €№"), false},
        {"\xEF\xBB\xBF\xE4\xB8\xAD?", "??", true},
        {"\xED\xA0\x80" + cyrillic, "\xED\xA0\x80" + cyrillic, false}, // a surrogate: no UTF-8, kept
        {"\xC3\x28", "\xC3\x28", false},
    };
    for (const auto& c : table) {
        auto data = freshData();
        LoadReport report;
        loadFromBytes(*data, {&c.bytes, &c.bytes, &c.bytes}, report);
        EXPECT_EQ(data->AboutLines[1], c.line) << c.bytes;
        EXPECT_EQ(data->AboutLines2[1], c.line) << c.bytes;
        EXPECT_EQ(data->CatalogueLines[1], c.line) << c.bytes;
        EXPECT_EQ(report.warnings.size(), c.warned ? 3u : 0u) << c.bytes;
    }
}

TEST(CatalogueLoad, SecondLoadOnTheSameDataGivesTheSameTables)
{
    auto data = freshData();
    loadMaps(*data, "Тверь@Goroda@t.jpg@1853@A@D@S@3\nb@Metro@m.jpg\nc@Metro@n.jpg\n");
    loadMaps(*data, "Тверь@Goroda@t.jpg@1853@A@D@S@3\n");
    EXPECT_EQ(data->LineCount, 1);
    EXPECT_EQ(data->CategoryTables[Cities].NextSlot, 2);
    EXPECT_EQ(data->CategoryTables[Cities].FileName[1], "t.jpg");
    EXPECT_EQ(data->CategoryTables[Cities].Quality[1], "3");
    EXPECT_EQ(data->CategoryTables[MetroMaps].NextSlot, 1);
    EXPECT_EQ(data->CategoryTables[MetroMaps].FileName[1], "");
    EXPECT_EQ(data->CatalogueLines[2], "");
    EXPECT_EQ(data->SortedLines[2], "");
    EXPECT_EQ(data->sortList.count(), 1);
}

TEST(CatalogueLoadFiles, ReadsTheThreeFiles)
{
    const std::map<std::string, std::string> files = {{AboutFile, cp("О собрании\r\n")},
                                                      {About2File, cp("Второй\r\n")},
                                                      {MapsFile, cp("Тверь@Goroda@tver.jpg@1853\r\n\x1A")}};
    std::vector<std::string> asked;
    auto data = freshData();
    const LoadReport report = CatalogueLoad(*data, [&](const char* name) -> failure::Result<std::string> {
        asked.push_back(name);
        return files.at(name);
    });
    EXPECT_EQ(asked, (std::vector<std::string>{AboutFile, About2File, MapsFile}));
    EXPECT_TRUE(report.errors.empty());
    EXPECT_TRUE(report.warnings.empty());
    EXPECT_EQ(data->AboutLines[1], cp("О собрании"));
    EXPECT_EQ(data->AboutLines2[1], cp("Второй"));
    EXPECT_EQ(data->LineCount, 1);
    EXPECT_EQ(data->CategoryTables[Cities].Year[1], "1853");
}

TEST(CatalogueLoadFiles, AFailedFileIsReportedAndTheLoadGoesOn)
{
    for (const char* failed : {AboutFile, About2File, MapsFile}) {
        auto data = freshData();
        data->CategoryTables[Cities].NextSlot = 7; // a failed catalogue must still leave the tables empty
        const LoadReport report = CatalogueLoad(*data, [&](const char* name) -> failure::Result<std::string> {
            if (name != std::string(failed))
                return std::string(name == std::string(MapsFile) ? "a@Goroda@a.jpg\n" : "about\n");
            return failure::Failure{failure::What::ReadFailed, "elsewhere", "Input/output error", {3, 10}};
        });
        ASSERT_EQ(report.errors.size(), 1u) << failed;
        EXPECT_EQ(report.errors[0].file, failed) << "named as the load names it";
        EXPECT_EQ(report.errors[0].what, failure::What::ReadFailed);
        EXPECT_EQ(report.errors[0].detail, "Input/output error");

        const bool mapsFailed = std::string(failed) == MapsFile;
        EXPECT_EQ(data->CategoryTables[Cities].NextSlot, mapsFailed ? 1 : 2) << failed;
        EXPECT_EQ(data->LineCount, mapsFailed ? 0 : 1) << failed;
        EXPECT_EQ(data->AboutLines[1], std::string(failed) == AboutFile ? "" : "about") << failed;
        EXPECT_EQ(data->AboutLines2[1], std::string(failed) == About2File ? "" : "about") << failed;
        for (int category = 2; category <= CategoryCount; ++category)
            EXPECT_EQ(data->CategoryTables[static_cast<size_t>(category)].NextSlot, 1) << failed;
    }
}

TEST(CatalogueLoadFiles, MissingCollectionReportsEveryFile)
{
    auto data = freshData();
    const LoadReport report = CatalogueLoad(*data, [](const char*) -> failure::Result<std::string> {
        return failure::Failure{failure::What::FileNotFound, {}, {}, {}};
    });
    ASSERT_EQ(report.errors.size(), 3u);
    EXPECT_EQ(report.errors[0].file, AboutFile);
    EXPECT_EQ(report.errors[1].file, About2File);
    EXPECT_EQ(report.errors[2].file, MapsFile);
    for (const auto& problem : report.errors)
        EXPECT_EQ(problem.what, failure::What::FileNotFound);
}

} // namespace
} // namespace catalogue
