#include "catalogue_load.h"

#include <optional>

#include "categories.h"
#include "codepage.h"
#include "line_reader.h"

namespace catalogue {

namespace {

template <size_t N> void storeLines(const ReadLines& read, std::array<std::string, N>& slots)
{
    // Slot 0 is never used; splitLines already stopped at the table's size.
    for (size_t i = 0; i < read.lines.size() && i + 1 < N; ++i)
        slots[i + 1] = read.lines[i];
}

std::string lineLimitWarning(const char* file, int limit)
{
    return std::string(file) + ": lines past " + std::to_string(limit) + " are ignored";
}

// The file's text in code page 1251, as the tables keep it; a UTF-8 file is converted.
std::optional<std::string> textOf(const std::string* bytes, const char* name, LoadReport& report)
{
    if (!bytes)
        return std::nullopt;
    Cp1251Text text = fileTextAsCp1251(*bytes);
    if (text.unmapped > 0)
        report.warnings.push_back(std::string(name) + ": " + std::to_string(text.unmapped) +
                                  " characters of this UTF-8 file have no code page 1251 form and read as '?'");
    return std::move(text.bytes);
}

void readAboutFile(const std::string* bytes, const char* name, std::array<std::string, MaxAboutLines + 1>& slots,
                   LoadReport& report)
{
    const std::optional<std::string> text = textOf(bytes, name, report);
    if (!text)
        return;
    const ReadLines read = splitLines(*text, MaxAboutLines);
    storeLines(read, slots);
    if (read.truncated)
        report.warnings.push_back(lineLimitWarning(name, MaxAboutLines));
}

void distribute(CatalogueData& data)
{
    for (int category = 1; category <= CategoryCount; ++category)
        data.table(category)->NextSlot = 1;
    for (int slot = 1; slot <= MaxCatalogueLines; ++slot) {
        MapRecord& record = data.RecordTable[static_cast<size_t>(slot)];
        for (int category = 1; category <= CategoryCount; ++category) {
            if (record.CategoryCode() != categoryCode(category))
                continue;
            CategoryTable& table = *data.table(category);
            const auto at = static_cast<size_t>(table.NextSlot);
            table.Title[at] = record.Title();
            table.FileName[at] = record.FileName();
            table.Year[at] = record.Year();
            table.Author[at] = record.Author();
            table.Description[at] = record.Description();
            table.Spare[at] = record.Spare();
            table.Quality[at] = record.Quality();
            ++table.NextSlot;
            break;
        }
    }
}

} // namespace

bool splitRecord(const std::string& line, MapRecord& record)
{
    int field = 1;
    bool surplus = false;
    for (const char c : line) {
        if (c == '@') {
            ++field;
            continue;
        }
        if (field > FieldsPerRecord) {
            surplus = true;
            continue;
        }
        record.Field[static_cast<size_t>(field)].push_back(c);
    }
    // A trailing separator opens a ninth field too, even an empty one.
    return surplus || field > FieldsPerRecord;
}

void clearTables(CatalogueData& data)
{
    for (auto& line : data.AboutLines)
        line.clear();
    for (auto& line : data.AboutLines2)
        line.clear();
    for (auto& line : data.CatalogueLines)
        line.clear();
    data.LineCount = 0;
    data.sortList.clear();
    for (auto& line : data.SortedLines)
        line.clear();
    for (auto& record : data.RecordTable)
        for (auto& field : record.Field)
            field.clear();
    for (int category = 1; category <= CategoryCount; ++category) {
        CategoryTable& table = *data.table(category);
        for (auto* column : {&table.Title, &table.FileName, &table.Year, &table.Author, &table.Description,
                             &table.Spare, &table.Quality})
            for (auto& text : *column)
                text.clear();
        table.NextSlot = 1;
    }
}

void loadFromBytes(CatalogueData& data, const LoadInput& input, LoadReport& report)
{
    // The split appends to the record fields, so the tables must start empty on every call.
    clearTables(data);

    readAboutFile(input.about, AboutFile, data.AboutLines, report);
    readAboutFile(input.about2, About2File, data.AboutLines2, report);

    if (const std::optional<std::string> maps = textOf(input.maps, MapsFile, report)) {
        const ReadLines read = splitLines(*maps, MaxCatalogueLines);
        storeLines(read, data.CatalogueLines);
        data.LineCount = static_cast<int>(read.lines.size());
        if (read.truncated)
            report.warnings.push_back(lineLimitWarning(MapsFile, MaxCatalogueLines));
    }

    for (int i = 1; i <= data.LineCount; ++i)
        data.sortList.add(data.CatalogueLines[static_cast<size_t>(i)]);
    for (int i = 1; i <= data.sortList.count(); ++i)
        data.SortedLines[static_cast<size_t>(i)] = data.sortList.at(i - 1);

    bool surplusFields = false;
    for (int i = 1; i <= data.LineCount; ++i)
        surplusFields |=
            splitRecord(data.SortedLines[static_cast<size_t>(i)], data.RecordTable[static_cast<size_t>(i)]);
    if (surplusFields)
        report.warnings.push_back(std::string(MapsFile) + ": fields past the " + std::to_string(FieldsPerRecord) +
                                  "th of a line are ignored");

    distribute(data);
}

LoadReport CatalogueLoad(CatalogueData& data, const FileReader& read)
{
    LoadReport report;
    std::string contents[3];
    const char* names[3] = {AboutFile, About2File, MapsFile};
    bool ok[3] = {};
    for (int i = 0; i < 3; ++i) {
        failure::Result<std::string> file = read(names[i]);
        ok[i] = file.has_value();
        if (ok[i])
            contents[i] = std::move(*file);
        else
            report.errors.push_back(std::move(file).error().onFile(names[i]));
    }
    const LoadInput input{ok[0] ? &contents[0] : nullptr, ok[1] ? &contents[1] : nullptr,
                          ok[2] ? &contents[2] : nullptr};
    loadFromBytes(data, input, report);
    return report;
}

} // namespace catalogue
