#include "cli/run.h"

#include "namelist/filters.h"

#include <QCommandLineParser>
#include <QStringList>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace kindrell::cli {
namespace {

using namespace Qt::StringLiterals;

// The filters of the table that the command line offers: --sex, --length.
std::vector<const namelist::FilterField*> ChoiceOptions() {
    std::vector<const namelist::FilterField*> offered;
    for (const namelist::FilterField& field : namelist::FilterFields()) {
        if (field.option != nullptr && field.kind == namelist::FieldKind::Choice) {
            offered.push_back(&field);
        }
    }
    return offered;
}

std::vector<std::string> SuggestOnly() {
    std::vector<std::string> options;
    for (const namelist::FilterField* field : ChoiceOptions()) {
        options.push_back("--" + std::string(field->option));
    }
    options.insert(options.end(), {"--top", "--like", "--middle-for"});
    return options;
}

// The bytes an argument was given as: see ParseArguments.
std::string Bytes(const QString& argument) {
    return argument.toLatin1().toStdString();
}

// The filters, --top, --like and --middle-for of a suggestion, as given.
std::optional<UsageError> TakeSuggestionOptions(const QCommandLineParser& parser,
                                                Options& options) {
    const auto given = [&](const QString& option) -> std::optional<std::string> {
        return parser.isSet(option) ? std::optional(Bytes(parser.value(option))) : std::nullopt;
    };
    for (const namelist::FilterField* field : ChoiceOptions()) {
        if (const auto value = given(QString::fromLatin1(field->option))) {
            options.choices[field->option] = *value;
        }
    }
    options.top = given(u"top"_s);
    options.like = given(u"like"_s);
    options.middleFor = given(u"middle-for"_s);
    if (options.like && options.middleFor) {
        return UsageError{"--like and --middle-for ask for different names: give one"};
    }
    return std::nullopt;
}

// After a clean parse: which mode the options and names ask for.
std::variant<Options, UsageError> ChooseMode(const QCommandLineParser& parser) {
    Options options{.json = parser.isSet(u"json"_s),
                    .explain = parser.isSet(u"explain"_s),
                    .harmonious = parser.isSet(u"harmonious"_s)};
    const QStringList father = parser.values(u"father"_s);
    const QStringList mother = parser.values(u"mother"_s);
    const QStringList names = parser.positionalArguments();
    const std::string missing = father.isEmpty() ? "father" : "mother";
    const std::string needsBoth = " needs the " + missing + "'s name too (--" + missing + " NAME)";
    if (parser.isSet(u"suggest"_s)) {
        if (father.isEmpty() || mother.isEmpty()) {
            return UsageError{"--suggest" + needsBoth};
        }
        if (!names.isEmpty() || options.explain || options.harmonious) {
            std::vector<std::string> taken{"--father", "--mother"};
            for (const std::string& option : SuggestOnly()) {
                taken.push_back(option);
            }
            taken.emplace_back("--json");
            return UsageError{"--suggest takes only " + Listed(taken, "and")};
        }
        options.mode = Mode::Suggest;
        if (std::optional<UsageError> refused = TakeSuggestionOptions(parser, options)) {
            return *refused;
        }
    } else if (const std::vector<std::string> suggestOnly = SuggestOnly();
               std::any_of(suggestOnly.begin(), suggestOnly.end(), [&](const std::string& o) {
                   return parser.isSet(QString::fromStdString(o.substr(2)));
               })) {
        return UsageError{Listed(suggestOnly, "and") + " go with --suggest"};
    } else if (!father.isEmpty() || !mother.isEmpty()) {
        if (father.isEmpty() || mother.isEmpty()) {
            return UsageError{"a shortlist" + needsBoth};
        }
        if (names.size() > 1) {
            return UsageError{"a shortlist takes at most one FILE, got " +
                              std::to_string(names.size()) + " arguments"};
        }
        options.mode = Mode::Shortlist;
        options.file = names.isEmpty() ? std::nullopt : std::optional(Bytes(names.front()));
    } else if (options.harmonious) {
        return UsageError{"--harmonious weighs a shortlist: give --father and --mother"};
    } else if (names.size() != 3) {
        return UsageError{"expected three names (CHILD FATHER MOTHER), got " +
                          std::to_string(names.size())};
    }
    const bool reading = options.mode == Mode::Reading; // suggestions and shortlists: no child
    options.child = reading ? Bytes(names[0]) : std::string();
    options.father = Bytes(reading ? names[1] : father.front());
    options.mother = Bytes(reading ? names[2] : mother.front());
    return options;
}

} // namespace

std::string Listed(const std::vector<std::string>& words, std::string_view last) {
    std::string listed;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (i > 0) {
            listed += i + 1 == words.size() ? " " + std::string(last) + " " : ", ";
        }
        listed += words[i];
    }
    return listed;
}

std::variant<Options, UsageError> ParseArguments(std::span<const std::string_view> args) {
    // Arguments are bytes, not always UTF-8. As Latin-1, which maps each byte
    // to one character and back, names and file names come through the parser
    // exactly as given, to be decoded (and refused) later, in their turn.
    QStringList arguments{u"kindrell-reading"_s};
    for (const std::string_view arg : args) {
        arguments.append(QString::fromLatin1(arg.data(), static_cast<qsizetype>(arg.size())));
    }
    QCommandLineParser parser;
    parser.addOptions(
        {QCommandLineOption(u"json"_s), QCommandLineOption(u"explain"_s),
         QCommandLineOption(u"harmonious"_s), QCommandLineOption(QStringList{u"h"_s, u"help"_s}),
         QCommandLineOption(u"version"_s), QCommandLineOption(u"father"_s, {}, u"NAME"_s),
         QCommandLineOption(u"mother"_s, {}, u"NAME"_s), QCommandLineOption(u"suggest"_s),
         QCommandLineOption(u"top"_s, {}, u"N"_s), QCommandLineOption(u"like"_s, {}, u"NAME"_s),
         QCommandLineOption(u"middle-for"_s, {}, u"NAME"_s)});
    QStringList valued{u"father"_s, u"mother"_s, u"top"_s, u"like"_s, u"middle-for"_s};
    for (const namelist::FilterField* field : ChoiceOptions()) {
        const QString option = QString::fromLatin1(field->option);
        parser.addOption(QCommandLineOption(option, {}, option.toUpper()));
        valued << option;
    }
    // Help and version answer even a command line the parser refuses: --help always helps.
    const bool parsed = parser.parse(arguments);
    if (parser.isSet(u"help"_s) || parser.isSet(u"version"_s)) {
        return Options{.mode = parser.isSet(u"help"_s) ? Mode::Help : Mode::Version};
    }
    if (!parsed) { // its text quotes the arguments as given, in Latin-1
        return UsageError{parser.errorText().toLatin1().toStdString()};
    }
    // The parser keeps every value given; the program has room for one.
    for (const QString& option : valued) {
        if (parser.values(option).size() > 1) {
            return UsageError{"option '--" + option.toStdString() + "' given more than once"};
        }
    }
    return ChooseMode(parser);
}

} // namespace kindrell::cli
