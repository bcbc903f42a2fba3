#include "textrules/terminal_text.h"

#include "textrules/lines.h"

#include <QByteArrayView>
#include <QList>
#include <QStringDecoder>

#include <array>
#include <utility>

namespace kindrell::text {
namespace {

void AppendEscape(unsigned value, std::string& out) {
    constexpr std::array<char, 16> kDigits{'0', '1', '2', '3', '4', '5', '6', '7',
                                           '8', '9', 'A', 'B', 'C', 'D', 'E', 'F'};
    out += "\\x";
    out += kDigits.at((value >> 4U) & 0xFU);
    out += kDigits.at(value & 0xFU);
}

bool IsControl(char32_t code) {
    return code < 0x20 || (code >= 0x7F && code <= 0x9F);
}

// How long a UTF-8 sequence that starts with this byte is; 0 for a byte no
// sequence starts with.
std::size_t LengthFromLead(unsigned char lead) {
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead < 0xE0) {
        return 2;
    }
    if (lead >= 0xE0 && lead < 0xF0) {
        return 3;
    }
    return lead >= 0xF0 && lead < 0xF5 ? 4 : 0;
}

// The length and code point of the valid UTF-8 sequence at the start of
// `bytes`, as Qt's strict decoder reads it; a length of 0 when there is none.
std::pair<std::size_t, char32_t> Sequence(std::string_view bytes) {
    const std::size_t length = LengthFromLead(static_cast<unsigned char>(bytes.front()));
    if (length == 0 || length > bytes.size()) {
        return {0, 0};
    }
    QStringDecoder decoder = StrictUtf8Decoder();
    const QString decoded = decoder(QByteArrayView(bytes.data(), static_cast<qsizetype>(length)));
    if (decoder.hasError() || decoded.isEmpty()) {
        return {0, 0};
    }
    return {length, static_cast<char32_t>(decoded.toUcs4().value(0))};
}

} // namespace

std::string EscapeControlCharacters(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    while (!bytes.empty()) {
        const auto [length, code] = Sequence(bytes);
        if (length == 0) {
            AppendEscape(static_cast<unsigned char>(bytes.front()), out);
            bytes.remove_prefix(1);
            continue;
        }
        if (IsControl(code)) {
            AppendEscape(static_cast<unsigned>(code), out);
        } else {
            out.append(bytes.substr(0, length));
        }
        bytes.remove_prefix(length);
    }
    return out;
}

} // namespace kindrell::text
