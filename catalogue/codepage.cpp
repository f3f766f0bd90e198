#include "codepage.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include <unicode/ucnv.h>
#include <unicode/ustring.h>
#include <unicode/utf16.h>
#include <unicode/utf8.h>

#include "codepage_table.h"

namespace catalogue {

namespace {

struct ConverterCloser
{
    void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterCloser>;

ConverterPtr openCp1251(UErrorCode& status)
{
    status = U_ZERO_ERROR;
    ConverterPtr converter(ucnv_open("cp1251", &status));
    // Some aliases open with a warning status; only a failure matters.
    if (U_FAILURE(status))
        converter.reset();
    return converter;
}

std::array<UChar, 256> buildTable()
{
    UErrorCode status = U_ZERO_ERROR;
    ConverterPtr converter = openCp1251(status);
    if (!converter) {
        // The program checks the converter at its start (checkCp1251): a fault of the caller.
        std::fprintf(stderr, "mapcatalogue: code page 1251 is used but its converter could not be opened\n");
        std::abort();
    }
    std::array<UChar, 256> table{};
    for (int byte = 0; byte < 256; ++byte) {
        const char in = static_cast<char>(byte);
        UChar out[4] = {};
        UErrorCode status = U_ZERO_ERROR;
        const int32_t length = ucnv_toUChars(converter.get(), out, 4, &in, 1, &status);
        // A byte without a mapping would come back as a substitute; keep U+FFFD so it stays visible.
        table[static_cast<size_t>(byte)] = (U_FAILURE(status) || length != 1) ? UChar(0xFFFD) : out[0];
    }
    return table;
}

constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";

// True for well-formed UTF-8 (no overlong forms, no surrogates) with at least one character above ASCII.
bool isUtf8BeyondAscii(std::string_view bytes)
{
    const auto length = static_cast<int32_t>(bytes.size());
    bool beyondAscii = false;
    for (int32_t i = 0; i < length;) {
        UChar32 c = 0;
        U8_NEXT(bytes.data(), i, length, c);
        if (c < 0)
            return false;
        beyondAscii = beyondAscii || c > 0x7F;
    }
    return beyondAscii;
}

} // namespace

Cp1251Text fileTextAsCp1251(std::string_view file)
{
    const bool marked = file.substr(0, Utf8Mark.size()) == Utf8Mark;
    if (!marked && (file.size() > size_t(INT32_MAX) || !isUtf8BeyondAscii(file)))
        return {std::string(file), false, 0};
    if (marked)
        file.remove_prefix(Utf8Mark.size());
    Cp1251Text text{utf8ToCp1251(file), true, 0};
    // '?' is ASCII and never part of a longer UTF-8 sequence: each one more than the file held is a substitute.
    const auto questionMarks = [](std::string_view bytes) { return std::count(bytes.begin(), bytes.end(), '?'); };
    text.unmapped = static_cast<std::size_t>(questionMarks(text.bytes) - questionMarks(file));
    return text;
}

failure::Result<void> checkCp1251()
{
    UErrorCode status = U_ZERO_ERROR;
    if (!openCp1251(status))
        return failure::Failure{failure::What::ConverterUnavailable, {}, u_errorName(status), {}};
    return {};
}

const std::array<UChar, 256>& cp1251Table()
{
    static const std::array<UChar, 256> table = buildTable();
    return table;
}

std::u16string cp1251ToUtf16(std::string_view bytes)
{
    const auto& table = cp1251Table();
    std::u16string text;
    text.reserve(bytes.size());
    for (const char c : bytes)
        text.push_back(static_cast<char16_t>(table[static_cast<unsigned char>(c)]));
    return text;
}

std::string cp1251ToUtf8(std::string_view bytes)
{
    const auto& table = cp1251Table();
    std::string utf8;
    utf8.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const UChar32 codePoint = table[static_cast<unsigned char>(c)];
        char buffer[U8_MAX_LENGTH];
        int32_t length = 0;
        // Every table entry is a valid BMP character, never a surrogate.
        U8_APPEND_UNSAFE(buffer, length, codePoint);
        utf8.append(buffer, static_cast<size_t>(length));
    }
    return utf8;
}

std::string utf8ToCp1251(std::string_view utf8)
{
    if (utf8.empty())
        return {};
    UErrorCode status = U_ZERO_ERROR;
    int32_t utf16Length = 0;
    // Invalid UTF-8 becomes U+FFFD, which then has no code page form and turns into '?'.
    u_strFromUTF8WithSub(nullptr, 0, &utf16Length, utf8.data(), static_cast<int32_t>(utf8.size()), 0xFFFD, nullptr,
                         &status);
    if (status != U_BUFFER_OVERFLOW_ERROR && U_FAILURE(status))
        return std::string(utf8.size(), '?');
    std::u16string utf16(static_cast<size_t>(utf16Length), u'\0');
    status = U_ZERO_ERROR;
    u_strFromUTF8WithSub(reinterpret_cast<UChar*>(utf16.data()), utf16Length, nullptr, utf8.data(),
                         static_cast<int32_t>(utf8.size()), 0xFFFD, nullptr, &status);
    if (U_FAILURE(status))
        return std::string(utf8.size(), '?');

    ConverterPtr converter = openCp1251(status);
    if (!converter)
        return std::string(utf8.size(), '?'); // no converter: as for text that cannot be converted
    status = U_ZERO_ERROR;
    ucnv_setSubstChars(converter.get(), "?", 1, &status);
    // A single-byte code page never needs more than one byte per UTF-16 unit.
    std::string bytes(utf16.size() + 1, '\0');
    status = U_ZERO_ERROR;
    const int32_t length =
        ucnv_fromUChars(converter.get(), bytes.data(), static_cast<int32_t>(bytes.size()),
                        reinterpret_cast<const UChar*>(utf16.data()), static_cast<int32_t>(utf16.size()), &status);
    if (U_FAILURE(status))
        return std::string(utf16.size(), '?');
    bytes.resize(static_cast<size_t>(length));
    return bytes;
}

} // namespace catalogue
