// The catalogue load on arbitrary bytes: about.dat, about2.dat and maps.txt as one input (see fuzz_input.h).
#include <cstdlib>
#include <memory>

#include "catalogue/catalogue_load.h"
#include "catalogue/categories.h"
#include "fuzz_input.h"

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const fuzzsupport::CatalogueFiles files = fuzzsupport::splitCatalogueInput(data, size);
    // The tables are large (several thousand strings); one instance for the whole run, as in the program.
    static auto tables = std::make_unique<catalogue::CatalogueData>();
    catalogue::LoadReport report;
    const catalogue::LoadInput input{files.present[0] ? &files.parts[0] : nullptr,
                                     files.present[1] ? &files.parts[1] : nullptr,
                                     files.present[2] ? &files.parts[2] : nullptr};
    catalogue::loadFromBytes(*tables, input, report);

    // Every catalogue line lands in at most one category; none is counted twice, none past the tables.
    check(tables->LineCount >= 0 && tables->LineCount <= catalogue::MaxCatalogueLines);
    int distributed = 0;
    for (int category = 1; category <= catalogue::CategoryCount; ++category) {
        const catalogue::CategoryTable* table = tables->table(category);
        check(table->NextSlot >= 1 && table->count() <= tables->LineCount);
        distributed += table->count();
    }
    check(distributed <= tables->LineCount);
    check(tables->sortList.count() == tables->LineCount);
    return 0;
}
