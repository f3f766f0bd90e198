#include <gtest/gtest.h>

#include "catalogue/collation.h"
#include "catalogue/sort_list.h"
#include "catalogue_test_support.h"

namespace catalogue {
namespace {

using testing::cp;

struct OrderCase
{
    const char* before; // UTF-8
    const char* after;  // UTF-8
    const char* why;
};

// Each pair must compare strictly less in the first order and strictly greater in the reverse order.
const OrderCase strictOrder[] = {
    {"Zurich", "Архангельск", "Latin before Cyrillic"},
    {"z", "а", "last Latin before first Cyrillic"},
    {"a", "B", "case ignored: a before B"},
    {"b", "C", "case ignored: b before C"},
    {"Абакан", "берёзовка", "case ignored in Cyrillic"},
    {"1900", "Абакан", "digits before letters"},
    {"9", "a", "digit before Latin"},
    {"1800", "900", "digits compared as text"},
    {"Москва река", "Москва@", "space before @"},
    {"Москва река@1900", "Москва@1800", "the space after a title decides against the separator"},
    {"Москва@", "МоскваА", "@ before a letter"},
    {"Москва", "Москва@", "shorter text first"},
    {"ёж", "ель", "ё sorts with е: ж before л decides"},
    {"ежи", "ёжик", "ё after е only as a variant: base letters decide first"},
    {"е", "ё", "ё a secondary variant of е"},
    {"ёж", "жук", "ё before ж"},
    {"Ряжск", "Ярославль", "Р before Я"},
    {"Я", "я ", "trailing space significant"},
    {"a b", "ab", "space significant"},
    {"Иваново", "Йошкар-Ола", "И before Й"},
    {"Ростов", "Ростов-на-Дону", "hyphen nearly ignored: shorter first"},
    {"Ростовка", "Ростов-на-Дону", "hyphen nearly ignored: letters after it compare"},
    {"co-op", "cop", "hyphen ignored: coo before cop"},
    {"O'Reilly", "Orel", "apostrophe ignored: orei before orel"},
    {"5@", "5@a", "quality keys: shorter first"},
    {"1@Я", "2@А", "quality key decided by the mark"},
};

TEST(Collation, StrictOrderTable)
{
    for (const auto& c : strictOrder) {
        const std::string a = cp(c.before);
        const std::string b = cp(c.after);
        EXPECT_LT(compareCatalogueText(a, b), 0) << c.before << " < " << c.after << " (" << c.why << ")";
        EXPECT_GT(compareCatalogueText(b, a), 0) << c.after << " > " << c.before << " (" << c.why << ")";
    }
}

TEST(Collation, EqualTexts)
{
    const std::pair<const char*, const char*> equal[] = {
        {"МОСКВА", "москва"},
        {"Abc", "aBC"},
        {"", ""},
        {"Ёж", "ёж"},
        {"TVER@1900", "tver@1900"},
        {"co-op", "coop"},
        {"O’Brien", "OBrien"},
        {"Ростов-на-Дону", "Ростовнадону"},
        {"Ро\u00ADстов", "Ростов"},
    };
    for (const auto& [a, b] : equal)
        EXPECT_EQ(compareCatalogueText(cp(a), cp(b)), 0) << a << " == " << b;
}

TEST(Collation, TypedStartsAsTheListReadsThem)
{
    const std::tuple<std::u16string_view, std::u16string_view, bool> cases[] = {
        {u"Москва", u"мос", true},    {u"Ёлкино", u"ел", true},
        {u"Елец", u"Ё", true},        {u"Ростов-на-Дону", u"ростовн", true},
        {u"1812", u"18", true},       {u"Москва", u"", true},
        {u"Москва", u"моск ", false}, {u"Москва", u"москвар", false},
        {u"Мо", u"моск", false},      {u"Орёл", u"рё", false},
        {u"Йошкар-Ола", u"и", false},
    };
    int row = 0;
    for (const auto& [text, typed, starts] : cases)
        EXPECT_EQ(startsWithCatalogueText(text, typed), starts) << "row " << row++;
}

TEST(Collation, EveryByteOfTheCodePageCompares)
{
    // No byte may be lost in conversion: each differs from the empty text but for the ignorable ones (hyphen,
    // apostrophes, soft hyphen and two control bytes).
    const std::string ignorable = "'-\x7F\x92\x98\xAD";
    for (int byte = 0x20; byte < 256; ++byte) {
        const char c = static_cast<char>(byte);
        EXPECT_EQ(compareCatalogueText(std::string(1, c), "") == 0, ignorable.find(c) != std::string::npos) << byte;
    }
    // Nor may bytes merge: the capitals А..Я run in alphabet order, each equal to its small letter.
    for (int byte = 0xC0; byte <= 0xDF; ++byte) {
        const std::string capital(1, static_cast<char>(byte)), small(1, static_cast<char>(byte + 0x20));
        EXPECT_EQ(compareCatalogueText(capital, small), 0) << byte;
        if (byte < 0xDF) {
            EXPECT_LT(compareCatalogueText(capital, std::string(1, static_cast<char>(byte + 1))), 0) << byte;
        }
    }
}

TEST(SortList, KeepsOrderAndPutsEqualsFirst)
{
    SortList list;
    list.add(cp("Москва река"));
    list.add(cp("Абакан"));
    list.add(cp("москва"));
    list.add(cp("МОСКВА")); // equal to the entry before: goes first among its equals
    list.add(cp("Zurich"));
    list.add(cp("Москва"));
    const char* expected[] = {"Zurich", "Абакан", "Москва", "МОСКВА", "москва", "Москва река"};
    ASSERT_EQ(list.count(), 6);
    for (int i = 0; i < list.count(); ++i)
        EXPECT_EQ(list.at(i), cp(expected[i])) << i;
    list.clear();
    EXPECT_EQ(list.count(), 0);
}

/// "samesame" with the letter case spelling out number in binary: texts that compare equal but stay distinguishable.
std::string caseCoded(int number)
{
    std::string text = "samesame";
    for (size_t bit = 0; bit < text.size(); ++bit)
        if (number & (1 << bit))
            text[bit] = static_cast<char>(text[bit] - 'a' + 'A');
    return text;
}

TEST(SortList, ManyEqualEntriesStayInReverseInsertionOrder)
{
    // Bisection must find the first of a long run of equals, not any member of it.
    SortList list;
    for (int i = 0; i < 50; ++i)
        list.add((i % 3 ? "s" : "z") + std::to_string(i));
    for (int i = 0; i < 37; ++i)
        list.add(caseCoded(i));
    std::vector<std::string> equals;
    for (int i = 0; i < list.count(); ++i)
        if (compareCatalogueText(list.at(i), "samesame") == 0)
            equals.push_back(list.at(i));
    ASSERT_EQ(equals.size(), 37u);
    for (int k = 0; k < 37; ++k)
        EXPECT_EQ(equals[static_cast<size_t>(k)], caseCoded(36 - k)) << k;
    for (int i = 1; i < list.count(); ++i)
        EXPECT_LE(compareCatalogueText(list.at(i - 1), list.at(i)), 0) << i;
}

} // namespace
} // namespace catalogue
