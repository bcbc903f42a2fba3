#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kindrell::cli {

// Strict UTF-8 to UTF-16: overlong forms, encoded surrogates, code points
// above U+10FFFF, stray continuation bytes and truncated sequences are all
// refused. On success `out` holds exactly the decoded text; on failure its
// content is unspecified. `out` is reused so that a caller decoding many
// lines keeps one allocation.
[[nodiscard]] bool DecodeUtf8(std::string_view in, std::u16string& out);

inline constexpr std::size_t kNotUtf8 = static_cast<std::size_t>(-1);

// The same into a caller's array, which must hold in.size() code units.
// Returns the number of code units written, or kNotUtf8.
[[nodiscard]] std::size_t DecodeUtf8Into(std::string_view in, char16_t* out) noexcept;

// UTF-16 to UTF-8, appended to `out`. A lone surrogate cannot be written as
// UTF-8 and becomes U+FFFD.
void AppendUtf8(std::u16string_view in, std::string& out);

[[nodiscard]] std::string ToUtf8(std::u16string_view in);

} // namespace kindrell::cli
