#include "picture/jpeg_region_encoder.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE
#include <cstdlib>

#include <jpeglib.h>

namespace picture::scan {
namespace {

struct StandardTables
{
    HuffmanSpec dc;
    HuffmanSpec ac;
    bool made = false;
};

struct Errors
{
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

[[noreturn]] void jumpOut(j_common_ptr cinfo)
{
    std::longjmp(static_cast<Errors*>(cinfo->client_data)->jump, 1);
}

void copyTable(const JHUFF_TBL* table, HuffmanSpec& spec)
{
    int count = 0;
    for (int i = 0; i < 16; ++i) {
        spec.counts[static_cast<std::size_t>(i)] = table->bits[i + 1];
        count += table->bits[i + 1];
    }
    std::copy_n(table->huffval, count, spec.symbols.begin());
    spec.symbolCount = count;
    spec.present = true;
}

// libjpeg's standard luminance tables (they code every DC category and every run and size), taken from its
// compressor's defaults. Only trivially destructible locals here: libjpeg leaves by longjmp.
void readStandardTables(StandardTables& tables, jpeg_compress_struct& cinfo, Errors& errors)
{
    cinfo.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = jumpOut;
    cinfo.client_data = &errors;
    if (setjmp(errors.jump)) {
        jpeg_destroy_compress(&cinfo);
        return;
    }
    jpeg_create_compress(&cinfo);
    cinfo.in_color_space = JCS_GRAYSCALE;
    cinfo.input_components = 1;
    jpeg_set_defaults(&cinfo);
    copyTable(cinfo.dc_huff_tbl_ptrs[0], tables.dc);
    copyTable(cinfo.ac_huff_tbl_ptrs[0], tables.ac);
    tables.made = true;
    jpeg_destroy_compress(&cinfo);
}

const StandardTables& standardTables()
{
    static const StandardTables tables = [] {
        StandardTables made;
        jpeg_compress_struct cinfo{};
        Errors errors{};
        readStandardTables(made, cinfo, errors);
        return made;
    }();
    return tables;
}

void append16(QByteArray& bytes, int value)
{
    bytes.append(static_cast<char>(value >> 8));
    bytes.append(static_cast<char>(value & 0xFF));
}

void appendSegment(QByteArray& bytes, int marker, const QByteArray& body)
{
    bytes.append('\xFF');
    bytes.append(static_cast<char>(marker));
    append16(bytes, static_cast<int>(body.size()) + 2);
    bytes.append(body);
}

QByteArray huffmanBody(int kindAndIndex, const HuffmanSpec& spec)
{
    QByteArray body;
    body.append(static_cast<char>(kindAndIndex));
    for (std::uint8_t count : spec.counts)
        body.append(static_cast<char>(count));
    body.append(reinterpret_cast<const char*>(spec.symbols.data()), spec.symbolCount);
    return body;
}

int bitLength(int value)
{
    int magnitude = value < 0 ? -value : value;
    int bits = 0;
    while (magnitude > 0) {
        ++bits;
        magnitude >>= 1;
    }
    return bits;
}

} // namespace

failure::Result<RegionEncoder> RegionEncoder::start(const Frame& frame, int width, int height)
{
    const StandardTables& tables = standardTables();
    if (!tables.made)
        return failure::Failure{failure::What::NoMemory, {}, {}, {}};
    RegionEncoder encoder;
    for (auto [spec, code] : {std::pair{&tables.dc, &encoder.m_dc}, std::pair{&tables.ac, &encoder.m_ac}}) {
        int next = 0;
        int index = 0;
        for (int length = 1; length <= 16; ++length, next <<= 1) {
            for (int i = 0; i < spec->counts[static_cast<std::size_t>(length - 1)]; ++i, ++index, ++next) {
                code->code[spec->symbols[static_cast<std::size_t>(index)]] = static_cast<std::uint16_t>(next);
                code->size[spec->symbols[static_cast<std::size_t>(index)]] = static_cast<std::uint8_t>(length);
            }
        }
    }
    QByteArray& bytes = encoder.m_bytes;
    bytes.append("\xFF\xD8", 2);
    // The same colour markers as the file, so that libjpeg takes the samples for the same colours.
    if (frame.jfif)
        appendSegment(bytes, 0xE0, QByteArray("JFIF\0\1\1\0\0\1\0\1\0\0", 14));
    if (frame.adobe) {
        QByteArray adobe("Adobe\0\x64\0\0\0\0", 11);
        adobe.append(static_cast<char>(frame.adobeTransform));
        appendSegment(bytes, 0xEE, adobe);
    }
    for (int t = 0; t < 4; ++t) {
        if (!frame.quantPresent[static_cast<std::size_t>(t)])
            continue;
        QByteArray body;
        body.append(static_cast<char>(0x10 | t));
        for (int k = 0; k < 64; ++k)
            append16(body, frame.quant[static_cast<std::size_t>(t)][zigzag[static_cast<std::size_t>(k)]]);
        appendSegment(bytes, 0xDB, body);
    }
    QByteArray sof;
    sof.append('\x08');
    append16(sof, height);
    append16(sof, width);
    sof.append(static_cast<char>(frame.components.size()));
    QByteArray sos;
    sos.append(static_cast<char>(frame.components.size()));
    for (const Component& component : frame.components) {
        sof.append(static_cast<char>(component.id));
        sof.append(static_cast<char>(component.h << 4 | component.v));
        sof.append(static_cast<char>(component.quantTable));
        sos.append(static_cast<char>(component.id));
        sos.append('\0');
    }
    sos.append("\0\x3F\0", 3);
    appendSegment(bytes, 0xC1, sof); // extended sequential: its quantisation tables may have 16-bit values
    appendSegment(bytes, 0xC4, huffmanBody(0x00, tables.dc) + huffmanBody(0x10, tables.ac));
    appendSegment(bytes, 0xDA, sos);
    return encoder;
}

void RegionEncoder::put(std::uint32_t bits, int size)
{
    m_bits = m_bits << size | (bits & ((1u << size) - 1));
    m_count += size;
    while (m_count >= 8) {
        const char byte = static_cast<char>((m_bits >> (m_count - 8)) & 0xFF);
        m_bytes.append(byte);
        if (byte == '\xFF')
            m_bytes.append('\0');
        m_count -= 8;
    }
}

void RegionEncoder::addBlock(std::size_t c, const std::int16_t* coefficients)
{
    // Values a damaged file may hold beyond what 8-bit samples give are clamped to what the tables code.
    const int dc = std::clamp<int>(coefficients[0], -1024, 1023);
    const int difference = dc - m_predictors[c];
    m_predictors[c] = dc;
    int size = bitLength(difference);
    put(m_dc.code[static_cast<std::size_t>(size)], m_dc.size[static_cast<std::size_t>(size)]);
    if (size > 0)
        put(static_cast<std::uint32_t>(difference < 0 ? difference - 1 : difference), size);
    int run = 0;
    for (int k = 1; k < 64; ++k) {
        const int value = std::clamp<int>(coefficients[zigzag[static_cast<std::size_t>(k)]], -1023, 1023);
        if (value == 0) {
            ++run;
            continue;
        }
        for (; run > 15; run -= 16)
            put(m_ac.code[0xF0], m_ac.size[0xF0]);
        size = bitLength(value);
        const std::size_t symbol = static_cast<std::size_t>(run << 4 | size);
        put(m_ac.code[symbol], m_ac.size[symbol]);
        put(static_cast<std::uint32_t>(value < 0 ? value - 1 : value), size);
        run = 0;
    }
    if (run > 0)
        put(m_ac.code[0], m_ac.size[0]);
}

QByteArray RegionEncoder::finish()
{
    if (m_count > 0)
        put(0x7F, 8 - m_count); // the last byte's free bits are ones
    m_bytes.append("\xFF\xD9", 2);
    return m_bytes;
}

} // namespace picture::scan
