#include "cli/utf8.h"

#include <cstdint>
#include <cstring>

namespace kindrell::cli {
namespace {

constexpr bool IsContinuation(unsigned char byte) noexcept {
    return (byte & 0xC0U) == 0x80U;
}

// True when the eight bytes at p are all ASCII.
inline bool AllAscii8(const unsigned char* p) noexcept {
    std::uint64_t word = 0;
    std::memcpy(&word, p, sizeof word);
    return (word & 0x8080808080808080ULL) == 0;
}

} // namespace

std::size_t DecodeUtf8Into(std::string_view in, char16_t* const out) noexcept {
    char16_t* dst = out;
    const auto* p = reinterpret_cast<const unsigned char*>(in.data());
    const unsigned char* const end = p + in.size();

    while (p < end) {
        // Names are mostly ASCII: widen them eight bytes at a time.
        while (end - p >= 8 && AllAscii8(p)) {
            for (int i = 0; i < 8; ++i) {
                dst[i] = p[i];
            }
            dst += 8;
            p += 8;
        }
        if (p == end) {
            break;
        }
        const unsigned char lead = *p;
        if (lead < 0x80U) {
            *dst++ = lead;
            ++p;
            continue;
        }
        const auto left = static_cast<std::size_t>(end - p);
        if (lead >= 0xC2U && lead <= 0xDFU) {
            if (left < 2 || !IsContinuation(p[1])) {
                return kNotUtf8;
            }
            *dst++ = static_cast<char16_t>(((lead & 0x1FU) << 6) | (p[1] & 0x3FU));
            p += 2;
        } else if (lead >= 0xE0U && lead <= 0xEFU) {
            if (left < 3 || !IsContinuation(p[1]) || !IsContinuation(p[2])) {
                return kNotUtf8;
            }
            // E0 must be followed by A0..BF (else overlong); ED by 80..9F
            // (else a surrogate half).
            if ((lead == 0xE0U && p[1] < 0xA0U) || (lead == 0xEDU && p[1] > 0x9FU)) {
                return kNotUtf8;
            }
            *dst++ = static_cast<char16_t>(((lead & 0x0FU) << 12) | ((p[1] & 0x3FU) << 6) |
                                           (p[2] & 0x3FU));
            p += 3;
        } else if (lead >= 0xF0U && lead <= 0xF4U) {
            if (left < 4 || !IsContinuation(p[1]) || !IsContinuation(p[2]) ||
                !IsContinuation(p[3])) {
                return kNotUtf8;
            }
            // F0 must be followed by 90..BF (else overlong); F4 by 80..8F
            // (else above U+10FFFF).
            if ((lead == 0xF0U && p[1] < 0x90U) || (lead == 0xF4U && p[1] > 0x8FU)) {
                return kNotUtf8;
            }
            const std::uint32_t cp = ((lead & 0x07U) << 18) | ((p[1] & 0x3FU) << 12) |
                                     ((p[2] & 0x3FU) << 6) | (p[3] & 0x3FU);
            const std::uint32_t offset = cp - 0x10000U;
            *dst++ = static_cast<char16_t>(0xD800U + (offset >> 10));
            *dst++ = static_cast<char16_t>(0xDC00U + (offset & 0x3FFU));
            p += 4;
        } else {
            // 80..BF without a lead, C0/C1 (always overlong), F5..FF.
            return kNotUtf8;
        }
    }
    return static_cast<std::size_t>(dst - out);
}

bool DecodeUtf8(std::string_view in, std::u16string& out) {
    // A UTF-8 text never has more UTF-16 code units than bytes.
    out.resize(in.size());
    const std::size_t units = DecodeUtf8Into(in, out.data());
    if (units == kNotUtf8) {
        return false;
    }
    out.resize(units);
    return true;
}

void AppendUtf8(std::u16string_view in, std::string& out) {
    out.reserve(out.size() + in.size());
    for (std::size_t i = 0; i < in.size(); ++i) {
        std::uint32_t cp = in[i];
        if (cp >= 0xD800U && cp <= 0xDBFFU && i + 1 < in.size() && in[i + 1] >= 0xDC00U &&
            in[i + 1] <= 0xDFFFU) {
            cp = 0x10000U + ((cp - 0xD800U) << 10) + (in[i + 1] - 0xDC00U);
            ++i;
        } else if (cp >= 0xD800U && cp <= 0xDFFFU) {
            cp = 0xFFFDU;
        }
        if (cp < 0x80U) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800U) {
            out.push_back(static_cast<char>(0xC0U | (cp >> 6)));
            out.push_back(static_cast<char>(0x80U | (cp & 0x3FU)));
        } else if (cp < 0x10000U) {
            out.push_back(static_cast<char>(0xE0U | (cp >> 12)));
            out.push_back(static_cast<char>(0x80U | ((cp >> 6) & 0x3FU)));
            out.push_back(static_cast<char>(0x80U | (cp & 0x3FU)));
        } else {
            out.push_back(static_cast<char>(0xF0U | (cp >> 18)));
            out.push_back(static_cast<char>(0x80U | ((cp >> 12) & 0x3FU)));
            out.push_back(static_cast<char>(0x80U | ((cp >> 6) & 0x3FU)));
            out.push_back(static_cast<char>(0x80U | (cp & 0x3FU)));
        }
    }
}

std::string ToUtf8(std::u16string_view in) {
    std::string out;
    AppendUtf8(in, out);
    return out;
}

} // namespace kindrell::cli
