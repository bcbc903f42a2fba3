#include "cli/run.h"

#include <QCommandLineParser>
#include <QStringList>

namespace kindrell::cli {
namespace {

using namespace Qt::StringLiterals;

// After a clean parse: which mode the options and names ask for.
std::variant<Options, UsageError> ChooseMode(const QCommandLineParser& parser) {
    Options options{.json = parser.isSet(u"json"_s),
                    .explain = parser.isSet(u"explain"_s),
                    .harmonious = parser.isSet(u"harmonious"_s)};
    const QStringList father = parser.values(u"father"_s);
    const QStringList mother = parser.values(u"mother"_s);
    QStringList names = parser.positionalArguments();
    if (parser.isSet(u"suggest"_s)) {
        if (father.isEmpty() || mother.isEmpty()) {
            const std::string missing = father.isEmpty() ? "father" : "mother";
            return UsageError{"--suggest needs the " + missing + "'s name too (--" + missing +
                              " NAME)"};
        }
        if (!names.isEmpty() || options.explain || options.harmonious) {
            return UsageError{"--suggest takes only --father, --mother, --sex, --top and --json"};
        }
        const auto bytes = [&parser](const QString& option) -> std::optional<std::string> {
            if (!parser.isSet(option)) {
                return std::nullopt;
            }
            return parser.value(option).toLatin1().toStdString();
        };
        options.mode = Mode::Suggest;
        options.sex = bytes(u"sex"_s);
        options.top = bytes(u"top"_s);
        names = QStringList{QString(), father.front(), mother.front()}; // no child
    } else if (parser.isSet(u"sex"_s) || parser.isSet(u"top"_s)) {
        return UsageError{"--sex and --top go with --suggest"};
    } else if (!father.isEmpty() || !mother.isEmpty()) {
        if (father.isEmpty() || mother.isEmpty()) {
            const std::string missing = father.isEmpty() ? "father" : "mother";
            return UsageError{"a shortlist needs the " + missing + "'s name too (--" + missing +
                              " NAME)"};
        }
        if (names.size() > 1) {
            return UsageError{"a shortlist takes at most one FILE, got " +
                              std::to_string(names.size()) + " arguments"};
        }
        options.mode = Mode::Shortlist;
        if (!names.isEmpty()) {
            options.file = names.front().toLatin1().toStdString();
        }
        names = QStringList{QString(), father.front(), mother.front()}; // no child
    } else if (options.harmonious) {
        return UsageError{"--harmonious weighs a shortlist: give --father and --mother"};
    } else if (names.size() != 3) {
        return UsageError{"expected three names (CHILD FATHER MOTHER), got " +
                          std::to_string(names.size())};
    }
    options.child = names[0].toLatin1().toStdString(); // the bytes given: see ParseArguments
    options.father = names[1].toLatin1().toStdString();
    options.mother = names[2].toLatin1().toStdString();
    return options;
}

} // namespace

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
         QCommandLineOption(u"sex"_s, {}, u"SEX"_s), QCommandLineOption(u"top"_s, {}, u"N"_s)});
    // Parses the first `count` arguments and a stand-in name, which a --father
    // or --mother at their end takes for its value.
    const auto parse = [&](qsizetype count) {
        return parser.parse(arguments.first(count + 1) << u"x"_s);
    };
    // Whether the first `count` arguments hold what ends a scan from the
    // left: a mistake, --help, --version or an option's value given twice.
    const auto endsScan = [&](qsizetype count) {
        const auto twice = [&parser](const QString& option) {
            return parser.values(option).size() > 1;
        };
        return !parse(count) || parser.isSet(u"help"_s) || parser.isSet(u"version"_s) ||
               twice(u"father"_s) || twice(u"mother"_s) || twice(u"sex"_s) || twice(u"top"_s);
    };

    const auto count = static_cast<qsizetype>(args.size());
    if (endsScan(count)) {
        // The shortest such stretch ends with the argument that ends the scan.
        // Every longer stretch holds what a shorter one does, so halving finds
        // it in a few parses however long the command line.
        qsizetype low = 1;
        qsizetype high = count;
        while (low < high) {
            const qsizetype middle = low + (high - low) / 2;
            if (endsScan(middle)) {
                high = middle;
            } else {
                low = middle + 1;
            }
        }
        const std::string_view arg = args[static_cast<std::size_t>(high - 1)];
        // The only short option is -h: the parser would take -hh for -h twice.
        const bool shortOptions = arg.size() > 2 && arg[0] == '-' && arg[1] != '-';
        if (!parse(high) || shortOptions) {
            return UsageError{"unknown option '" + std::string(arg) + "'"};
        }
        if (parser.isSet(u"help"_s) || parser.isSet(u"version"_s)) {
            return Options{.mode = parser.isSet(u"help"_s) ? Mode::Help : Mode::Version};
        }
        if (high < count || parser.parse(arguments)) {
            return UsageError{"option '" + std::string(arg.substr(0, arg.find('='))) +
                              "' given more than once"};
        }
    }
    if (!parser.parse(arguments)) { // only an option at the end, without its value
        const std::string option(args.back());
        return UsageError{"option '" + option + "' needs " +
                          (option == "--sex" || option == "--top" ? "a value" : "a name")};
    }
    return ChooseMode(parser);
}

} // namespace kindrell::cli
