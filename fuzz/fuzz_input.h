#pragma once

// Shared pieces of the fuzz targets: turning fuzzer bytes into the program's
// text types, and a check that stops the run with a readable reason.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>

namespace kindrell::fuzz {

// A broken property is a finding: say which one and abort, so that libFuzzer
// saves the input as a crash.
[[noreturn]] inline void Fail(const char* property, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: property broken: %s\n", file, line, property);
    std::abort();
}

#define KINDRELL_FUZZ_CHECK(condition)                                                             \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            ::kindrell::fuzz::Fail(#condition, __FILE__, __LINE__);                                \
        }                                                                                          \
    } while (false)

// Pairs of bytes, little-endian, as UTF-16 code units; an odd last byte is
// dropped. Any sequence of code units comes out, lone surrogates included.
inline std::u16string Utf16Units(std::span<const std::uint8_t> bytes) {
    std::u16string text;
    text.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        text.push_back(static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8U)));
    }
    return text;
}

inline std::span<const std::uint8_t> Bytes(const std::uint8_t* data, std::size_t size) {
    return {data, size};
}

// Cuts the input at each 0xFF 0xFE 0xFD marker, for targets that take several
// texts; missing pieces are empty.
template <std::size_t N>
std::array<std::span<const std::uint8_t>, N> SplitPieces(std::span<const std::uint8_t> bytes) {
    std::array<std::span<const std::uint8_t>, N> pieces{};
    std::size_t piece = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i + 2 < bytes.size() && piece + 1 < N; ++i) {
        if (bytes[i] == 0xFF && bytes[i + 1] == 0xFE && bytes[i + 2] == 0xFD) {
            pieces[piece++] = bytes.subspan(start, i - start);
            start = i + 3;
            i += 2;
        }
    }
    pieces[piece] = bytes.subspan(start);
    return pieces;
}

} // namespace kindrell::fuzz
