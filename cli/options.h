#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace kindrell::cli {

inline constexpr std::string_view kProgramName = "kindrell-reading";

enum class Mode {
    Reading,   // CHILD FATHER MOTHER
    Shortlist, // --father NAME --mother NAME [FILE]
    Help,
    Version,
};

// Names are kept as the raw bytes given; they are decoded and checked later,
// so that the refusals come in the child, father, mother order.
struct Options {
    Mode mode = Mode::Reading;
    bool json = false;
    bool explain = false;
    bool harmonious = false;
    std::string child;
    std::string father;
    std::string mother;
    std::optional<std::string> file; // shortlist only; none or "-" is standard input

    friend bool operator==(const Options&, const Options&) = default;
};

// A refused command line: one line saying why, without the program name.
struct UsageError {
    std::string message;
};

// `args` excludes the program name. Options may come before or after the
// names; "--" ends them. "--help" and "--version" take effect where they
// stand, so that a later mistake does not hide the help.
[[nodiscard]] std::variant<Options, UsageError>
ParseArguments(std::span<const std::string_view> args);

// The synopsis printed after a refused command line.
[[nodiscard]] std::string_view UsageSynopsis() noexcept;

// The full help, synopsis included.
[[nodiscard]] std::string_view HelpText() noexcept;

} // namespace kindrell::cli
