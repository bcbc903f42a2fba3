#include "textrules/json_string.h"

#include <array>
#include <cstdio>

namespace kindrell::text {

void AppendJsonString(std::string_view utf8, std::string& out) {
    constexpr std::string_view kShortForms = "\"\"\\\\\bb\ff\nn\rr\tt"; // each with its letter
    out.push_back('"');
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto at = [&](std::size_t k) {
            return i + k < utf8.size() ? static_cast<unsigned char>(utf8[i + k]) : 0U;
        };
        unsigned code = at(0);
        if (code == 0xC2U && at(1) >= 0x80U && at(1) <= 0x9FU) { // a C1 control
            code = at(1);
            i += 1;
        } else if (code == 0xE2U && at(1) == 0x80U && (at(2) == 0xA8U || at(2) == 0xA9U)) {
            code = 0x2000U + at(2) - 0x80U; // U+2028, U+2029
            i += 2;
        } else if (code >= 0x20U && code != '"' && code != '\\' && code != 0x7FU) {
            out.push_back(utf8[i]);
            continue;
        }
        const auto shortForm =
            code < 0x80U ? kShortForms.find(static_cast<char>(code)) : std::string_view::npos;
        std::array<char, 7> escape{'\\', shortForm < kShortForms.size() ? kShortForms[shortForm + 1]
                                                                        : 'u'};
        if (escape[1] == 'u') {
            std::snprintf(escape.data(), escape.size(), "\\u%04x", code);
        }
        out += escape.data();
    }
    out.push_back('"');
}

} // namespace kindrell::text
