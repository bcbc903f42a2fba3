#pragma once

// A plain strict UTF-8 decoder to hold the command-line tool's own against.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kindrell::fuzz {

inline void AppendUtf16(char32_t point, std::u16string& out) {
    if (point < 0x10000) {
        out.push_back(static_cast<char16_t>(point));
    } else {
        point -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (point >> 10U)));
        out.push_back(static_cast<char16_t>(0xDC00 + (point & 0x3FFU)));
    }
}

// Well-formed byte sequences, Unicode chapter 3, table 3-7: the allowed
// range of each byte after the lead byte.
inline bool ReferenceDecode(std::string_view in, std::u16string& out) {
    out.clear();
    std::size_t i = 0;
    while (i < in.size()) {
        const auto lead = static_cast<std::uint8_t>(in[i]);
        std::size_t length = 0;
        std::uint8_t low = 0x80;
        std::uint8_t high = 0xBF;
        char32_t point = 0;
        if (lead <= 0x7F) {
            out.push_back(lead);
            ++i;
            continue;
        }
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            point = lead & 0x1FU;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            point = lead & 0x0FU;
            low = lead == 0xE0 ? 0xA0 : 0x80;
            high = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            point = lead & 0x07U;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF;
        } else {
            return false;
        }
        if (in.size() - i < length) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<std::uint8_t>(in[i + k]);
            if (next < (k == 1 ? low : 0x80) || next > (k == 1 ? high : 0xBF)) {
                return false;
            }
            point = (point << 6U) | (next & 0x3FU);
        }
        AppendUtf16(point, out);
        i += length;
    }
    return true;
}

} // namespace kindrell::fuzz
