#include <gtest/gtest.h>

#include "catalogue/orderings.h"
#include "catalogue_test_support.h"

namespace catalogue {
namespace {

using testing::cp;
using testing::freshData;

struct Entry
{
    // UTF-8; fields left out of an initializer are empty.
    std::string title{}, fileName{}, year{}, author{}, description{}, spare{}, quality{};
};

void fill(CategoryTable& table, const std::vector<Entry>& entries)
{
    int s = 1;
    for (const auto& e : entries) {
        const auto at = static_cast<size_t>(s++);
        table.Title[at] = cp(e.title);
        table.FileName[at] = cp(e.fileName);
        table.Year[at] = cp(e.year);
        table.Author[at] = cp(e.author);
        table.Description[at] = cp(e.description);
        table.Spare[at] = cp(e.spare);
        table.Quality[at] = cp(e.quality);
    }
    table.NextSlot = s;
}

/// File names of slots 1..n, which identify the entries in these tests.
std::vector<std::string> fileNames(const CategoryTable& table)
{
    std::vector<std::string> names;
    for (int s = 1; s < table.NextSlot; ++s)
        names.push_back(table.FileName[static_cast<size_t>(s)]);
    return names;
}

TEST(Orderings, SortKeyFieldOrder)
{
    auto data = freshData();
    CategoryTable& table = data->CategoryTables[Cities];
    fill(table, {{"T", "f", "1900", "", "d", "", "5"}});
    EXPECT_EQ(sortKey(table, 1, Ordering::ByName), "T@1900@f@@d@@5");
    EXPECT_EQ(sortKey(table, 1, Ordering::ByYear), "1900@T@f@@d@@5");
    EXPECT_EQ(sortKey(table, 1, Ordering::ByQuality), "5@T@f@@d@@1900");
    EXPECT_EQ(sortKey(table, 2, Ordering::ByName), "@@@@@@");
}

struct OrderingCase
{
    const char* name;
    Ordering ordering;
    std::vector<Entry> entries;
    std::vector<std::string> expected; // file names in the new order
};

TEST(Orderings, ResultOrderTable)
{
    const OrderingCase cases[] = {
        {"by name ignores case, Latin before Cyrillic",
         Ordering::ByName,
         {{"Ярославль", "1"}, {"берёзов", "2"}, {"Zurich", "3"}, {"Абакан", "4"}, {"astana", "5"}},
         {"5", "3", "4", "2", "1"}},
        {"by name: a title that begins another, the year decides between equal titles",
         Ordering::ByName,
         {{"Москва", "1", "1900"}, {"Москва река", "2", "1800"}, {"Москва", "3", "1700"}, {"Москвариум", "4"}},
         {"2", "3", "1", "4"}},
        {"by year compares text: 1800 before 900, a shorter year before a longer one",
         Ordering::ByYear,
         {{"a", "1", "900"}, {"b", "2", "1800"}, {"c", "3", "18"}, {"d", "4", ""}, {"e", "5", "180"}},
         {"4", "3", "5", "2", "1"}},
        {"by year: equal years ordered by title",
         Ordering::ByYear,
         {{"Тверь", "1", "1850"}, {"Псков", "2", "1850"}, {"Абакан", "3", "1900"}},
         {"2", "1", "3"}},
        {"by quality: best first, equal marks with titles backwards",
         Ordering::ByQuality,
         {{"А", "1", "", "", "", "", "3"},
          {"Я", "2", "", "", "", "", "3"},
          {"B", "3", "", "", "", "", "5"},
          {"Z", "4", "", "", "", "", "5"},
          {"A", "5", "", "", "", "", "5"},
          {"M", "6", "", "", "", "", "1"},
          {"N", "7", "", "", "", "", ""}},
         {"4", "3", "5", "2", "1", "6", "7"}},
    };
    for (const auto& c : cases) {
        auto data = freshData();
        CategoryTable& table = data->CategoryTables[Regions];
        fill(table, c.entries);
        sortCategory(*data, Regions, c.ordering);
        EXPECT_EQ(fileNames(table), c.expected) << c.name;
        EXPECT_EQ(table.NextSlot, static_cast<int>(c.entries.size()) + 1) << c.name;
    }
}

TEST(Orderings, EveryColumnMovesWithItsEntry)
{
    for (const Ordering ordering : {Ordering::ByName, Ordering::ByYear, Ordering::ByQuality}) {
        auto data = freshData();
        CategoryTable& table = data->CategoryTables[MetroMaps];
        fill(table, {{"b", "fb", "1901", "ab", "db", "sb", "2"}, {"a", "fa", "1900", "aa", "da", "sa", "4"}});
        sortCategory(*data, MetroMaps, ordering);
        // Each of these orderings puts "a" first: by name, by year (1900), by quality (4 best).
        EXPECT_EQ(table.Title[1], "a");
        EXPECT_EQ(table.FileName[1], "fa");
        EXPECT_EQ(table.Year[1], "1900");
        EXPECT_EQ(table.Author[1], "aa");
        EXPECT_EQ(table.Description[1], "da");
        EXPECT_EQ(table.Spare[1], "sa");
        EXPECT_EQ(table.Quality[1], "4");
        EXPECT_EQ(table.Title[2], "b");
        EXPECT_EQ(table.Year[2], "1901");
        EXPECT_EQ(table.Quality[2], "2");
    }
}

TEST(Orderings, RepeatedClicksOnEqualKeys)
{
    // Whole keys equal apart from letter case; the file names differ only in case too.
    const std::vector<Entry> entries = {{"тверь", "t.jpg", "1", "", "", "", "3"},
                                        {"ТВЕРЬ", "T.jpg", "1", "", "", "", "3"},
                                        {"Тверь", "t.JPG", "1", "", "", "", "3"},
                                        {"Абакан", "a.jpg", "2", "", "", "", "1"}};
    struct Case
    {
        Ordering ordering;
        std::vector<std::string> firstClick, secondClick; // the three equal entries, "a.jpg" left out
    };
    const std::vector<std::string> fileOrder = {"t.jpg", "T.jpg", "t.JPG"};
    const std::vector<std::string> reversed = {"t.JPG", "T.jpg", "t.jpg"};
    const Case cases[] = {
        {Ordering::ByName, reversed, fileOrder},
        {Ordering::ByYear, reversed, fileOrder},
        {Ordering::ByQuality, fileOrder, fileOrder},
    };
    const auto equalEntries = [](const CategoryTable& table) {
        std::vector<std::string> names = fileNames(table);
        std::erase(names, "a.jpg");
        return names;
    };
    for (const auto& c : cases) {
        auto data = freshData();
        CategoryTable& table = data->CategoryTables[Cities];
        fill(table, entries);
        sortCategory(*data, Cities, c.ordering);
        EXPECT_EQ(equalEntries(table), c.firstClick) << "first click, ordering " << static_cast<int>(c.ordering);
        EXPECT_EQ(table.NextSlot, 5);
        sortCategory(*data, Cities, c.ordering);
        EXPECT_EQ(equalEntries(table), c.secondClick) << "second click, ordering " << static_cast<int>(c.ordering);
        sortCategory(*data, Cities, c.ordering);
        EXPECT_EQ(equalEntries(table), c.firstClick) << "third click, ordering " << static_cast<int>(c.ordering);
    }
}

TEST(Orderings, CategoriesThatAreNotSorted)
{
    for (const int category : {int{NoCategory}, int{Articles}, int{AboutPage}, 6, -1}) {
        auto data = freshData();
        fill(data->CategoryTables[Articles], {{"b", "2"}, {"a", "1"}});
        data->SortedLines[1] = "work";
        sortCategory(*data, category, Ordering::ByName);
        EXPECT_EQ(fileNames(data->CategoryTables[Articles]), (std::vector<std::string>{"2", "1"})) << category;
        EXPECT_EQ(data->SortedLines[1], "work") << category;
    }
}

TEST(Orderings, EmptyCategoryAndSlotsAboveTheEntries)
{
    auto data = freshData();
    CategoryTable& table = data->CategoryTables[Country];
    table.Title[1] = "left over";
    sortCategory(*data, Country, Ordering::ByYear);
    EXPECT_EQ(table.NextSlot, 1);
    EXPECT_EQ(table.Title[1], "left over");

    fill(table, {{"b", "2"}, {"a", "1"}});
    table.Title[3] = "beyond";
    table.Quality[3] = "5";
    sortCategory(*data, Country, Ordering::ByQuality);
    EXPECT_EQ(table.Title[3], "beyond");
    EXPECT_EQ(table.Quality[3], "5");
    EXPECT_EQ(fileNames(table), (std::vector<std::string>{"2", "1"})); // equal marks: titles backwards
}

TEST(Orderings, FullTableAndStaleWorkAreas)
{
    auto data = freshData();
    // Left-overs of an earlier, larger sort must not leak into this one.
    for (auto& record : data->RecordTable)
        record.Title() = "stale";
    CategoryTable& table = data->CategoryTables[Cities];
    for (int s = 1; s <= MaxCatalogueLines; ++s) {
        const auto at = static_cast<size_t>(s);
        table.Title[at] = "T" + std::to_string(2000 - s);
        table.FileName[at] = std::to_string(s);
        table.Year[at] = std::to_string(s);
    }
    table.NextSlot = MaxCatalogueLines + 1;
    sortCategory(*data, Cities, Ordering::ByName);
    EXPECT_EQ(table.Title[1], "T1000");
    EXPECT_EQ(table.FileName[1], "1000");
    EXPECT_EQ(table.Title[1000], "T1999");
    EXPECT_EQ(table.Year[1000], "1");
    sortCategory(*data, Cities, Ordering::ByYear);
    EXPECT_EQ(table.Year[1], "1");
    EXPECT_EQ(table.Year[2], "10");
    EXPECT_EQ(table.Year[3], "100");
    EXPECT_EQ(table.Year[4], "1000");
    EXPECT_EQ(table.Year[5], "101");
    EXPECT_EQ(table.NextSlot, MaxCatalogueLines + 1);
}

} // namespace
} // namespace catalogue
