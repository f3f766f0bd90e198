// The chosen entry: a move notifies once, with the new row; its list follows the category on show and is already
// the new one when the move is announced.
#include <QStringList>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

#include "current_entry/current_entry.h"
#include "support/qstring_printer.h"

namespace {

void add(catalogue::CategoryTable& table, const char* title, const char* year)
{
    const int slot = table.NextSlot++;
    table.Title[slot] = title;
    table.Year[slot] = year;
}

} // namespace

TEST(CurrentEntry, AMoveNotifiesOnceAndTheListFollowsTheCategory)
{
    auto data = std::make_unique<catalogue::CatalogueData>();
    add(data->CategoryTables[catalogue::Cities], "Moskva", "1890");
    add(data->CategoryTables[catalogue::Cities], "Tver", "1902");
    add(data->CategoryTables[catalogue::Cities], "Pskov", "1915");
    add(data->CategoryTables[catalogue::Regions], "Kursk", "1870");
    data->AboutLines[1] = "Karty";
    data->AboutLines2[1] = "Ssylka";
    CurrentEntry entry(*data);
    const EntryList& list = entry.list();
    QStringList heard;
    int resets = 0;
    QObject::connect(&entry, &CurrentEntry::changed, [&](int category, int row) {
        heard << QStringLiteral("%1/%2 of %3").arg(category).arg(row).arg(list.rowCount());
    });
    QObject::connect(&list, &QAbstractItemModel::modelReset, [&] { ++resets; });

    struct Step
    {
        const char* name;
        std::function<void()> act;
        QStringList heard;
        int resets;
        int row;
        QString title, year; // of the list's row `row`
    };
    const Step steps[] = {
        {"a view shows its list", [&] { entry.show(catalogue::Cities); }, {"1/0 of 3"}, 1, 0, "Moskva", "1890"},
        {"a move, once, with the new row", [&] { entry.setRow(2); }, {"1/2 of 3"}, 0, 2, "Pskov", "1915"},
        {"no move to the row it is on", [&] { entry.setRow(2); }, {}, 0, 2, "Pskov", "1915"},
        {"another category, its rows", [&] { entry.show(catalogue::Regions); }, {"2/0 of 1"}, 1, 0, "Kursk", "1870"},
        {"the same list shown anew", [&] { entry.show(catalogue::Regions); }, {"2/0 of 1"}, 1, 1, "", ""},
        {"the about page, its lines",
         [&] { entry.show(catalogue::AboutPage, 3); },
         {"99/3 of 30"},
         1,
         0,
         "Karty",
         "Ssylka"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        heard.clear();
        resets = 0;
        step.act();
        EXPECT_EQ(heard, step.heard);
        EXPECT_EQ(resets, step.resets);
        EXPECT_EQ(list.index(step.row, EntryList::TitleColumn).data().toString(), step.title);
        EXPECT_EQ(list.text(step.row, EntryList::YearColumn), step.year);
    }
}
