#pragma once

// kindrell-reading, everything but main(): its options, its modes and the
// shortlist's weighing, on file descriptors so that tests drive it whole.

#include "engine/name_number.h"

#include <QString>
#include <QStringList>

#include <cstddef>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace kindrell::cli {

inline constexpr std::string_view kProgramName = "kindrell-reading";

// Partial: lines skipped, or reading or writing failed. Refused: the command line or a name.
enum ExitStatus : int { kExitSuccess = 0, kExitPartial = 1, kExitRefused = 2 };

// What the program is asked to do (see cli/help.txt): chosen by ParseArguments, done by Run.
enum class Mode { Reading, Shortlist, Suggest, Help, Version };

// Names are the bytes given, decoded and checked once the command line is accepted.
struct Options {
    Mode mode = Mode::Reading;
    bool json = false;
    bool explain = false;
    bool harmonious = false;
    std::string child{};
    std::string father{};
    std::string mother{};
    std::optional<std::string> file{}; // shortlist only; none or "-" is standard input
    // Suggestions only: the filters of the table that the command line
    // offers ("sex" "girl", "length" "5-6"), by option, checked by Run.
    std::map<std::string, std::string> choices{};
    std::optional<std::string> top{};  // suggestions only: a whole number, checked by Run
    std::optional<std::string> like{}; // suggestions only: a name, checked by Run
    // Suggestions only: a liked name whose middle names are asked for.
    std::optional<std::string> middleFor{};

    friend bool operator==(const Options&, const Options&) = default;
};

// A refused command line: one line saying why, without the program name.
struct UsageError {
    std::string message;
};

// `args` excludes the program name. Options may come before or after the
// names; "--" ends them. --help, then --version, answer whatever else is
// given; next come QCommandLineParser's own refusals, then the program's.
[[nodiscard]] std::variant<Options, UsageError>
ParseArguments(std::span<const std::string_view> args);

// "a, b and c" (or "a, b or c"), as a sentence lists words.
std::string Listed(const std::vector<std::string>& words, std::string_view last);

// The whole program, on file descriptors; `args` exclude the program name.
int Run(std::span<const char* const> args, int in, int out, int err);

// Writes all of `bytes`; when that fails, tells why on `err` if given and gives false.
bool WriteAll(int fd, std::string_view bytes, int err = -1);

struct ShortlistSettings {
    std::u16string father{};
    std::u16string mother{};
    bool json = false;
    bool explain = false;
    bool harmonious = false;
    // A table (a .csv file): its Name column, and its Sex column where given.
    bool table = false;
    std::size_t readBlock = std::size_t{256} * 1024; // small in tests, to end reads anywhere
};

// Weighs the names read from `in`, one per line as text::NameListReader reads them: a
// record each to `out`, a line per refused line to `err`, and one per name that holds a
// character that counts nothing. Stops at the first failed write. Gives the exit status.
int RunShortlist(int in, int out, int err, const ShortlistSettings& settings);

// Tells on `err` what counts nothing in a name, when anything does:
// "kindrell-reading: line 3: in "Wei 李", 李 counts nothing" (`where` is
// "line 3: ", or empty).
void TellUncounted(int err, std::string_view where, const QString& written,
                   const QStringList& uncounted);

} // namespace kindrell::cli
