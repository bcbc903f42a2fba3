#include "cli/options.h"

#include <vector>

namespace kindrell::cli {
namespace {

constexpr std::string_view kSynopsis =
    "Usage: kindrell-reading [--json] [--explain] CHILD FATHER MOTHER\n"
    "       kindrell-reading --father NAME --mother NAME [--json] [--explain] [--harmonious] "
    "[FILE]\n"
    "       kindrell-reading --help | --version\n";

constexpr std::string_view kHelpBody =
    "\n"
    "Gives the compatibility reading of a child's chosen name with the names of\n"
    "the child's father and mother: the three destiny numbers with their\n"
    "descriptions, and how the child stands with each parent.\n"
    "\n"
    "With --father and --mother it weighs a shortlist instead: candidate child\n"
    "names, one per line, from FILE or, without FILE or with FILE \"-\", from\n"
    "standard input. Each candidate is printed with its destiny number and\n"
    "verdict, separated by tabs. Blank lines are skipped; a line that is not\n"
    "valid UTF-8 or longer than 32767 UTF-16 code units is reported and skipped.\n"
    "\n"
    "Options:\n"
    "  --json          print JSON: one object for a reading, one object per line\n"
    "                  for a shortlist\n"
    "  --explain       show how each destiny number is worked out, letter by letter\n"
    "  --father NAME   the father's name (shortlist); also --father=NAME\n"
    "  --mother NAME   the mother's name (shortlist); also --mother=NAME\n"
    "  --harmonious    keep only the candidates in harmony with both parents\n"
    "  --              end of options: what follows are names even if they begin\n"
    "                  with '-'\n"
    "  -h, --help      show this help and exit\n"
    "  --version       show the version and exit\n"
    "\n"
    "Exit status: 0 done; 1 some shortlist lines were skipped, or reading or\n"
    "writing failed; 2 the command line or a name was refused.\n";

std::string BuildHelp() {
    std::string text(kSynopsis);
    text += kHelpBody;
    return text;
}

// Recognises "--father NAME" and "--father=NAME". Returns false when `arg` is
// not this option; `error` is set when it is but its name is missing.
bool TakeNamedValue(std::string_view option, std::span<const std::string_view> args,
                    std::size_t& index, std::optional<std::string>& target,
                    std::optional<UsageError>& error) {
    const std::string_view arg = args[index];
    if (!arg.starts_with(option)) {
        return false;
    }
    const std::string_view rest = arg.substr(option.size());
    std::string value;
    if (rest.empty()) {
        if (index + 1 >= args.size()) {
            error = UsageError{"option '" + std::string(option) + "' needs a name"};
            return true;
        }
        value = std::string(args[++index]);
    } else if (rest.front() == '=') {
        value = std::string(rest.substr(1));
    } else {
        return false; // e.g. "--fathers": an unknown option
    }
    if (target) {
        error = UsageError{"option '" + std::string(option) + "' given more than once"};
        return true;
    }
    target = std::move(value);
    return true;
}

} // namespace

std::variant<Options, UsageError> ParseArguments(std::span<const std::string_view> args) {
    Options options;
    std::optional<std::string> father;
    std::optional<std::string> mother;
    std::vector<std::string_view> positional;
    bool optionsEnded = false;

    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        const bool looksLikeOption = !optionsEnded && arg.size() > 1 && arg.front() == '-';
        if (!looksLikeOption) {
            positional.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            Options help;
            help.mode = Mode::Help;
            return help;
        } else if (arg == "--version") {
            Options version;
            version.mode = Mode::Version;
            return version;
        } else if (arg == "--json") {
            options.json = true;
        } else if (arg == "--explain") {
            options.explain = true;
        } else if (arg == "--harmonious") {
            options.harmonious = true;
        } else {
            std::optional<UsageError> error;
            if (TakeNamedValue("--father", args, i, father, error) ||
                TakeNamedValue("--mother", args, i, mother, error)) {
                if (error) {
                    return *error;
                }
                continue;
            }
            return UsageError{"unknown option '" + std::string(arg) + "'"};
        }
    }

    if (father || mother) {
        if (!father) {
            return UsageError{"a shortlist needs the father's name too (--father NAME)"};
        }
        if (!mother) {
            return UsageError{"a shortlist needs the mother's name too (--mother NAME)"};
        }
        if (positional.size() > 1) {
            return UsageError{"a shortlist takes at most one FILE, got " +
                              std::to_string(positional.size()) + " arguments"};
        }
        options.mode = Mode::Shortlist;
        options.father = std::move(*father);
        options.mother = std::move(*mother);
        if (!positional.empty()) {
            options.file = std::string(positional.front());
        }
        return options;
    }

    if (options.harmonious) {
        return UsageError{"--harmonious weighs a shortlist: give --father and --mother"};
    }
    if (positional.size() != 3) {
        return UsageError{"expected three names (CHILD FATHER MOTHER), got " +
                          std::to_string(positional.size())};
    }
    options.mode = Mode::Reading;
    options.child = std::string(positional[0]);
    options.father = std::string(positional[1]);
    options.mother = std::string(positional[2]);
    return options;
}

std::string_view UsageSynopsis() noexcept {
    return kSynopsis;
}

std::string_view HelpText() noexcept {
    static const std::string help = BuildHelp();
    return help;
}

} // namespace kindrell::cli
