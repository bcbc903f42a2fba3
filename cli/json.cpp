#include "cli/json.h"

#include <array>

namespace kindrell::cli {
namespace {

constexpr std::array<char, 16> kHexDigits{'0', '1', '2', '3', '4', '5', '6', '7',
                                          '8', '9', 'a', 'b', 'c', 'd', 'e', 'f'};

void AppendUnicodeEscape(unsigned code, std::string& out) {
    out += "\\u";
    out.push_back(kHexDigits[(code >> 12) & 0xFU]);
    out.push_back(kHexDigits[(code >> 8) & 0xFU]);
    out.push_back(kHexDigits[(code >> 4) & 0xFU]);
    out.push_back(kHexDigits[code & 0xFU]);
}

// Bytes that may start something to escape: C0 controls, quote, backslash,
// DEL, the lead byte of the C1 controls (C2) and that of U+2028/U+2029 (E2).
constexpr std::array<bool, 256> kNeedsLook = [] {
    std::array<bool, 256> table{};
    for (unsigned i = 0; i < 0x20U; ++i) {
        table[i] = true;
    }
    table['"'] = true;
    table['\\'] = true;
    table[0x7FU] = true;
    table[0xC2U] = true;
    table[0xE2U] = true;
    return table;
}();

} // namespace

void AppendJsonString(std::string_view utf8, std::string& out) {
    out.push_back('"');
    std::size_t runStart = 0;
    std::size_t i = 0;
    const std::size_t n = utf8.size();
    while (i < n) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (!kNeedsLook[byte]) {
            ++i;
            continue;
        }
        std::size_t consumed = 1;
        bool escape = true;
        unsigned code = byte;
        if (byte == 0xC2U) {
            const bool c1 = i + 1 < n && static_cast<unsigned char>(utf8[i + 1]) >= 0x80U &&
                            static_cast<unsigned char>(utf8[i + 1]) <= 0x9FU;
            escape = c1;
            if (c1) {
                code = static_cast<unsigned char>(utf8[i + 1]);
                consumed = 2;
            }
        } else if (byte == 0xE2U) {
            const bool separator = i + 2 < n && static_cast<unsigned char>(utf8[i + 1]) == 0x80U &&
                                   (static_cast<unsigned char>(utf8[i + 2]) == 0xA8U ||
                                    static_cast<unsigned char>(utf8[i + 2]) == 0xA9U);
            escape = separator;
            if (separator) {
                code = 0x2000U + static_cast<unsigned char>(utf8[i + 2]) - 0x80U;
                consumed = 3;
            }
        }
        if (!escape) {
            ++i;
            continue;
        }
        out.append(utf8.substr(runStart, i - runStart));
        switch (code) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            AppendUnicodeEscape(code, out);
            break;
        }
        i += consumed;
        runStart = i;
    }
    out.append(utf8.substr(runStart));
    out.push_back('"');
}

} // namespace kindrell::cli
