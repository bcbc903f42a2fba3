// The command-line tool's text handling on arbitrary bytes: the strict UTF-8
// decoder against a reference written from the Unicode well-formedness
// table, the encoder's round trip, name decoding and JSON string output.

#include "cli/json.h"
#include "cli/names.h"
#include "cli/utf8.h"
#include "engine/name_number.h"
#include "engine/text.h"
#include "fuzz/fuzz_input.h"
#include "fuzz/reference_utf8.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace {

// What the encoder must have written for arbitrary code units: pairs as
// their code point, each lone surrogate as U+FFFD.
std::u16string WithLoneSurrogatesReplaced(std::u16string_view in) {
    std::u16string out;
    for (std::size_t i = 0; i < in.size(); ++i) {
        const char16_t unit = in[i];
        const bool high = unit >= 0xD800 && unit <= 0xDBFF;
        const bool low = unit >= 0xDC00 && unit <= 0xDFFF;
        if (high && i + 1 < in.size() && in[i + 1] >= 0xDC00 && in[i + 1] <= 0xDFFF) {
            out.push_back(unit);
            out.push_back(in[++i]);
        } else if (high || low) {
            out.push_back(u'\uFFFD');
        } else {
            out.push_back(unit);
        }
    }
    return out;
}

std::optional<unsigned> HexValue(std::string_view hex) {
    unsigned value = 0;
    for (const char c : hex) {
        value <<= 4U;
        if (c >= '0' && c <= '9') {
            value |= static_cast<unsigned>(c - '0');
        } else if (c >= 'a' && c <= 'f') {
            value |= static_cast<unsigned>(c - 'a' + 10);
        } else if (c >= 'A' && c <= 'F') {
            value |= static_cast<unsigned>(c - 'A' + 10);
        } else {
            return std::nullopt;
        }
    }
    return value;
}

// Reads back one JSON string literal as UTF-16, refusing anything a JSON
// parser would refuse and raw characters the writer promises to escape.
std::optional<std::u16string> ReadJsonString(std::string_view literal) {
    if (literal.size() < 2 || literal.front() != '"' || literal.back() != '"') {
        return std::nullopt;
    }
    literal = literal.substr(1, literal.size() - 2);
    std::string raw;
    std::u16string out;
    const auto flushRaw = [&]() -> bool {
        std::u16string decoded;
        if (!kindrell::fuzz::ReferenceDecode(raw, decoded)) {
            return false;
        }
        for (const char16_t unit : decoded) {
            if (unit < 0x20 || (unit >= 0x7F && unit <= 0x9F) || unit == 0x2028 || unit == 0x2029 ||
                unit == u'"' || unit == u'\\') {
                return false;
            }
        }
        out += decoded;
        raw.clear();
        return true;
    };
    for (std::size_t i = 0; i < literal.size(); ++i) {
        if (literal[i] != '\\') {
            raw.push_back(literal[i]);
            continue;
        }
        if (!flushRaw() || ++i == literal.size()) {
            return std::nullopt;
        }
        switch (literal[i]) {
        case '"':
            out.push_back(u'"');
            break;
        case '\\':
            out.push_back(u'\\');
            break;
        case '/':
            out.push_back(u'/');
            break;
        case 'b':
            out.push_back(u'\b');
            break;
        case 'f':
            out.push_back(u'\f');
            break;
        case 'n':
            out.push_back(u'\n');
            break;
        case 'r':
            out.push_back(u'\r');
            break;
        case 't':
            out.push_back(u'\t');
            break;
        case 'u': {
            if (literal.size() - i < 5) {
                return std::nullopt;
            }
            const auto value = HexValue(literal.substr(i + 1, 4));
            if (!value) {
                return std::nullopt;
            }
            out.push_back(static_cast<char16_t>(*value));
            i += 4;
            break;
        }
        default:
            return std::nullopt;
        }
    }
    if (!flushRaw()) {
        return std::nullopt;
    }
    return out;
}

constexpr kindrell::cli::NameRole kRoles[] = {kindrell::cli::NameRole::Child,
                                              kindrell::cli::NameRole::Father,
                                              kindrell::cli::NameRole::Mother};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    // Decoding: same verdict and text as the reference, into a buffer that
    // holds leftovers from an earlier call.
    std::u16string decoded(u"left over from before");
    const bool valid = kindrell::cli::DecodeUtf8(bytes, decoded);
    std::u16string expected;
    const bool referenceValid = kindrell::fuzz::ReferenceDecode(bytes, expected);
    KINDRELL_FUZZ_CHECK(valid == referenceValid);
    if (valid) {
        KINDRELL_FUZZ_CHECK(decoded == expected);
        KINDRELL_FUZZ_CHECK(kindrell::cli::ToUtf8(decoded) == bytes);
    }

    // Encoding arbitrary code units: always well-formed, and exact but for
    // lone surrogates. AppendUtf8 keeps what the string held.
    const std::u16string units = kindrell::fuzz::Utf16Units(kindrell::fuzz::Bytes(data, size));
    std::string encoded("kept");
    kindrell::cli::AppendUtf8(units, encoded);
    KINDRELL_FUZZ_CHECK(encoded.starts_with("kept"));
    std::u16string back;
    KINDRELL_FUZZ_CHECK(kindrell::fuzz::ReferenceDecode(std::string_view(encoded).substr(4), back));
    KINDRELL_FUZZ_CHECK(back == WithLoneSurrogatesReplaced(units));
    KINDRELL_FUZZ_CHECK(kindrell::cli::ToUtf8(units) == encoded.substr(4));

    // A command-line name: the checks in their order.
    std::u16string name(u"stale");
    const auto problem = kindrell::cli::DecodeName(bytes, name);
    if (!referenceValid) {
        KINDRELL_FUZZ_CHECK(problem == kindrell::cli::NameProblem::NotUtf8);
    } else if (expected.size() > kindrell::kMaxNameLength) {
        KINDRELL_FUZZ_CHECK(problem == kindrell::cli::NameProblem::TooLong);
    } else if (kindrell::TrimSpaces(expected).empty()) {
        KINDRELL_FUZZ_CHECK(problem == kindrell::cli::NameProblem::Blank);
    } else {
        KINDRELL_FUZZ_CHECK(!problem.has_value());
        KINDRELL_FUZZ_CHECK(name == expected);
    }
    if (problem) {
        for (const auto role : kRoles) {
            const std::string message = kindrell::cli::NameProblemMessage(role, *problem);
            KINDRELL_FUZZ_CHECK(!message.empty() && message.find('\n') == std::string::npos);
        }
    }

    // JSON output of valid text reads back to the same text.
    if (referenceValid) {
        std::string json("[");
        kindrell::cli::AppendJsonString(bytes, json);
        KINDRELL_FUZZ_CHECK(json.starts_with("["));
        const auto read = ReadJsonString(std::string_view(json).substr(1));
        KINDRELL_FUZZ_CHECK(read.has_value());
        KINDRELL_FUZZ_CHECK(*read == expected);
    }
    return 0;
}
