#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kindrell::cli {

enum class NameRole { Child, Father, Mother };

// The refusal the main window gives for a blank name of this role.
[[nodiscard]] std::string_view BlankNameMessage(NameRole role) noexcept;

enum class NameProblem { NotUtf8, TooLong, Blank };

// Decodes a name given on the command line into `out` and checks it: valid
// UTF-8, at most kMaxNameLength UTF-16 code units, and not blank (empty or
// spaces only). The checks run in that order.
[[nodiscard]] std::optional<NameProblem> DecodeName(std::string_view utf8, std::u16string& out);

// The one line (without newline) that tells the user a name was refused.
[[nodiscard]] std::string NameProblemMessage(NameRole role, NameProblem problem);

} // namespace kindrell::cli
