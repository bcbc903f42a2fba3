#include "cli/run.h"

#include "engine/reading.h"
#include "engine/text.h"
#include "namelist/name_list.h"
#include "namelist/shortlist_file.h"
#include "namelist/spellings.h"
#include "namelist/weighing.h"
#include "platform/product.h"
#include "textrules/engine_strings.h"
#include "textrules/lines.h"
#include "textrules/name_folding.h"
#include "textrules/terminal_text.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <array>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace kindrell::cli {
namespace {

using namespace Qt::StringLiterals;

// A text file rather than QCommandLineParser's help, whose layout would change
// a text users and scripts know. Its first paragraph is the synopsis.
std::string HelpText() {
    QFile help(u":/kindrell-reading/help.txt"_s);
    return help.open(QIODevice::ReadOnly) ? help.readAll().toStdString() : std::string();
}

// What the program says may repeat what it was given, which may hold
// control characters: those are written as escapes.
void Say(int err, std::string_view what) {
    WriteAll(err, std::string(kProgramName) + ": " + text::EscapeControlCharacters(what) + "\n");
}

struct Role {
    std::string_view what;
    // Whose blank-name message, the main window's own, it gets; none for a
    // name the window does not ask for, which its option's message names.
    std::optional<NameRole> role;
    std::string_view option;
};
constexpr Role kChild{"the child's name", NameRole::Child, {}};
constexpr Role kFather{"the father's name", NameRole::Father, {}};
constexpr Role kMother{"the mother's name", NameRole::Mother, {}};
constexpr Role kLiked{"the liked name", std::nullopt, "--like"};
constexpr Role kMiddleFor{"the name for middle names", std::nullopt, "--middle-for"};

// Decodes a name given on the command line into `units` and checks it: valid
// UTF-8, at most kMaxNameLength UTF-16 code units, not blank (as the main
// window checks). Callers stop at the first refusal, the only one told.
bool DecodeName(const Role& role, const std::string& bytes, std::u16string& units, int err) {
    QStringDecoder decoder = text::StrictUtf8Decoder();
    units = QString(decoder(QByteArrayView(bytes))).toStdU16String();
    if (decoder.hasError()) {
        Say(err, std::string(role.what) + " is not valid UTF-8");
    } else if (units.size() > kMaxNameLength) {
        Say(err, std::string(role.what) + " is longer than " + std::to_string(kMaxNameLength) +
                     " UTF-16 code units");
    } else if (TrimSpaces(units).empty() && role.role) {
        WriteAll(err, text::ToQString(BlankNameMessage(*role.role)).toStdString() + "\n");
    } else if (TrimSpaces(units).empty()) {
        Say(err,
            std::string(role.what) + " is blank: " + std::string(role.option) + " needs a name");
    } else {
        return true;
    }
    return false;
}

bool DecodeParents(const Options& options, std::u16string& father, std::u16string& mother,
                   int err) {
    return DecodeName(kFather, options.father, father, err) &&
           DecodeName(kMother, options.mother, mother, err);
}

// The reading as one JSON object on one line, or as text in presentation
// order: each caption, the working for --explain, the description; then the
// verdict lines. Terminals want LF alone: CR LF CR LF becomes one empty line.
std::string FormatReading(const Reading& r, bool json, std::span<const std::u16string> working) {
    struct Person {
        QString key;
        DestinyNumber number;
        const std::u16string& caption;
        const std::u16string& description;
    };
    const std::array<Person, 3> people{{
        {u"Child"_s, r.ChildNumber, r.ChildDestinyCaption, r.ChildDescription},
        {u"Mother"_s, r.MotherNumber, r.MotherDestinyCaption, r.MotherDescription},
        {u"Father"_s, r.FatherNumber, r.FatherDestinyCaption, r.FatherDescription},
    }};
    QJsonObject object{{u"Verdict"_s, text::ToQString(TokenText(r.Verdict))},
                       {u"MotherVerdictLine"_s, text::ToQString(r.MotherVerdictLine)},
                       {u"FatherVerdictLine"_s, text::ToQString(r.FatherVerdictLine)}};
    QString text;
    for (std::size_t i = 0; i < people.size(); ++i) {
        const Person& person = people.at(i);
        object.insert(person.key + u"Number"_s, person.number);
        object.insert(person.key + u"DestinyCaption"_s, text::ToQString(person.caption));
        object.insert(person.key + u"Description"_s, text::ToQString(person.description));
        text += text::ToQString(person.caption) + u'\n';
        if (!working.empty()) {
            object.insert(person.key + u"Working"_s, text::ToQString(working[i]));
            text += text::ToQString(working[i]) + u'\n';
        }
        text +=
            person.description.empty() ? QString() : text::ToQString(person.description) + u'\n';
        text += u'\n';
    }
    if (json) {
        return QJsonDocument(object).toJson(QJsonDocument::Compact).append('\n').toStdString();
    }
    text +=
        text::ToQString(r.MotherVerdictLine) + u'\n' + text::ToQString(r.FatherVerdictLine) + u'\n';
    return text::WithLineFeeds(text).toStdString();
}

// A name given on the command line, weighed as the finder weighs it, with
// what counts nothing in it told.
text::WeighedName Weigh(const std::u16string& units, int err) {
    text::WeighedName name = text::WeighName(text::ToQString(units));
    TellUncounted(err, {}, name.written, name.uncounted);
    return name;
}

int RunReading(const Options& options, int out, int err) {
    std::u16string child;
    std::u16string father;
    std::u16string mother;
    if (!DecodeName(kChild, options.child, child, err) ||
        !DecodeParents(options, father, mother, err)) {
        return kExitRefused;
    }
    // In the order shown: child, mother, father.
    const std::array<text::WeighedName, 3> names{Weigh(child, err), Weigh(mother, err),
                                                 Weigh(father, err)};
    const Reading reading = ComposeReading(
        text::View(names[0].letters), text::View(names[2].letters), text::View(names[1].letters));
    std::vector<std::u16string> working;
    for (const text::WeighedName& name : names) {
        if (options.explain) {
            working.push_back(name.working.toStdU16String());
        }
    }
    return WriteAll(out, FormatReading(reading, options.json, working), err) ? kExitSuccess
                                                                             : kExitPartial;
}

int RunShortlistMode(const Options& options, int in, int out, int err) {
    ShortlistSettings settings{
        .json = options.json,
        .explain = options.explain,
        .harmonious = options.harmonious,
        .table = options.file && namelist::IsTableFile(QString::fromLocal8Bit(*options.file))};
    if (!DecodeParents(options, settings.father, settings.mother, err)) {
        return kExitRefused;
    }
    Weigh(settings.father, err);
    Weigh(settings.mother, err);
    const int given = in;
    if (options.file && *options.file != "-") {
        in = ::open(options.file->c_str(), O_RDONLY | O_CLOEXEC);
        if (in < 0) {
            Say(err, "cannot open '" + *options.file + "': " + std::strerror(errno));
            return kExitRefused;
        }
    }
    const int status = RunShortlist(in, out, err, settings);
    if (in != given) {
        ::close(in);
    }
    return status;
}

// The filters, --top and --like of a suggestion; nullopt, once told why, when refused.
std::optional<std::pair<namelist::Filter, std::size_t>> SuggestionFilter(const Options& options,
                                                                         int err) {
    namelist::Filter filter; // harmonious with both parents, either sex, any length
    for (const namelist::FilterField& field : namelist::FilterFields()) {
        const auto given =
            field.option != nullptr ? options.choices.find(field.option) : options.choices.end();
        if (given == options.choices.end()) {
            continue;
        }
        std::vector<std::string> words;
        const namelist::Choice* chosen = nullptr;
        for (const namelist::Choice& choice : field.choices) {
            if (choice.option != nullptr) {
                words.emplace_back(choice.option);
                chosen = given->second == choice.option ? &choice : chosen;
            }
        }
        if (chosen == nullptr) {
            Say(err, "--" + given->first + " takes " + Listed(words, "or") + ", not '" +
                         given->second + "'");
            return std::nullopt;
        }
        field.set(filter, chosen->value);
    }
    std::u16string liked;
    if (options.like && !DecodeName(kLiked, *options.like, liked, err)) {
        return std::nullopt;
    }
    filter.like = text::ToQString(liked);
    if (options.middleFor) {
        if (!DecodeName(kMiddleFor, *options.middleFor, liked, err)) {
            return std::nullopt;
        }
        filter.like = text::ToQString(liked);
        filter.middle = true;
        // A full name weighed whole needs the liked name's letters.
        if (text::WeighName(filter.like).letters.isEmpty()) {
            Say(err, "\"" + text::WeighName(filter.like).written.toStdString() +
                         "\" has no letter that counts: --middle-for needs a name that has");
            return std::nullopt;
        }
    }
    std::size_t top = 20;
    if (options.top) {
        // Into an unsigned type from_chars reads digits alone (no sign, blank
        // or base prefix), and refuses a number too large for it.
        const std::string& given = *options.top;
        const char* const last = given.data() + given.size();
        const auto [end, error] = std::from_chars(given.data(), last, top);
        if (error != std::errc() || end != last) {
            Say(err, "--top takes a whole number from 0 up, not '" + given + "'");
            return std::nullopt;
        }
    }
    return std::pair{filter, top};
}

// Why --suggest has nothing to print, in the words the finder uses above
// an empty table.
void SayWhyNoSuggestion(const namelist::NameList& list, const namelist::Weighing& weighing,
                        const namelist::Filter& filter, int err) {
    if (!weighing.pairHasRow()) {
        Say(err, namelist::NoRowExplanation(weighing).toStdString());
    } else if (namelist::CountHarmony(list, weighing, filter).withBoth == 0) {
        Say(err, "No name is in harmony with both parents; a full birth name, middle names "
                 "included, gives a number of its own.");
    } else {
        Say(err, "No name in harmony with both parents passes the filters given.");
    }
}

// One suggestion: a line (name, girl or boy, destiny number, births) or a
// JSON object. For a middle name: the full name and its number with the
// middle name's sex and births, and in JSON the middle name itself.
std::string SuggestionRecord(const namelist::NameList& list, std::int32_t row, bool json,
                             const namelist::MiddleNames* middle) {
    using namespace namelist;
    const NameEntry& entry = list.entries().at(static_cast<std::size_t>(row));
    const QString name = middle != nullptr ? middle->fullName(entry) : entry.name;
    const DestinyNumber number =
        middle != nullptr ? middle->numbers.at(static_cast<std::size_t>(row)) : entry.number;
    const int births = entry.births.value_or(0);
    if (!json) {
        return QStringList{name, SexName(entry.sex), QString::number(number),
                           QString::number(births)}
                   .join(u'\t')
                   .toStdString() +
               "\n";
    }
    const NameHistory* history = list.history(row);
    const std::optional<Trend> trend = list.trend(row);
    QJsonArray byYear;
    for (const std::int32_t count : history != nullptr ? history->births : YearCounts{}) {
        byYear.append(count);
    }
    const VerdictTexts verdict = TextsOf(CompatibilityVerdict::Harmonious);
    QJsonObject record{{u"Name"_s, name},
                       {u"Sex"_s, SexName(entry.sex)},
                       {u"ChildNumber"_s, number},
                       {u"Births"_s, births},
                       {u"BirthsByYear"_s, byYear},
                       {u"Trend"_s, trend && !trend->isNew ? QJsonValue(trend->percent) : u"new"_s},
                       {u"Verdict"_s, u"Harmonious"_s},
                       {u"MotherVerdictLine"_s, verdict.motherLine},
                       {u"FatherVerdictLine"_s, verdict.fatherLine}};
    if (middle != nullptr) {
        record.insert(u"MiddleName"_s, entry.name);
    }
    return QJsonDocument(record).toJson(QJsonDocument::Compact).toStdString() + "\n";
}

// The rows of a suggestion, with what counts nothing in a liked name and
// why there are none told on `err`.
std::vector<std::int32_t> SuggestionRows(const namelist::NameList& list,
                                         const namelist::Weighing& weighing,
                                         const namelist::Filter& filter,
                                         const namelist::MiddleNames* middle, int err) {
    using namespace namelist;
    if (!filter.like.isEmpty()) {
        const text::WeighedName likedName = text::WeighName(filter.like);
        TellUncounted(err, {}, likedName.written, likedName.uncounted);
    }
    if (middle != nullptr) {
        std::vector<std::int32_t> rows = SelectMiddleNames(list, weighing, filter, *middle);
        if (rows.empty()) {
            const QString why = NoMiddleNameExplanation(weighing, middle->liked);
            Say(err,
                why.isEmpty() ? "No middle name passes the filters given." : why.toStdString());
        }
        return rows;
    }
    const LikedName liked = FindLikedName(list, filter.like);
    if (!filter.like.isEmpty() && !liked.inList) {
        Say(err, liked.name.toStdString() + " is not in the bundled list");
    }
    std::vector<std::int32_t> rows = SelectNames(list, weighing, filter);
    if (rows.empty() && (filter.like.isEmpty() || liked.inList)) {
        SayWhyNoSuggestion(list, weighing, filter, err);
    }
    return rows;
}

// The bundled names in harmony with both parents, most births first (with
// --middle-for, as middle names of the name given).
int RunSuggest(const Options& options, int out, int err) {
    using namespace namelist;
    const auto chosen = SuggestionFilter(options, err);
    std::u16string father;
    std::u16string mother;
    if (!chosen || !DecodeParents(options, father, mother, err)) {
        return kExitRefused;
    }
    const auto& [filter, top] = *chosen;
    const Weighing weighing =
        Weighing::OfNumbers(Weigh(father, err).number, Weigh(mother, err).number);
    const NameList list = LoadBundledNames();
    const std::optional<MiddleNames> middle =
        filter.middle ? std::optional(WeighMiddleNames(list, filter.like)) : std::nullopt;
    std::vector<std::int32_t> rows =
        SuggestionRows(list, weighing, filter, middle ? &*middle : nullptr, err);
    if (top != 0 && top < rows.size()) {
        rows.resize(top);
    }
    std::string output;
    for (const std::int32_t row : rows) {
        output += SuggestionRecord(list, row, options.json, middle ? &*middle : nullptr);
    }
    return WriteAll(out, output, err) ? kExitSuccess : kExitPartial;
}

} // namespace

void TellUncounted(int err, std::string_view where, const QString& written,
                   const QStringList& uncounted) {
    if (!uncounted.isEmpty()) {
        Say(err, std::string(where) + "in \"" + written.toStdString() + "\", " +
                     text::UncountedText(uncounted).toStdString());
    }
}

int Run(std::span<const char* const> args, int in, int out, int err) {
    const auto parsed = ParseArguments(std::vector<std::string_view>(args.begin(), args.end()));
    if (const auto* error = std::get_if<UsageError>(&parsed)) {
        const std::string help = HelpText();
        Say(err, error->message);
        WriteAll(err, help.substr(0, help.find("\n\n") + 1) +
                          "Try 'kindrell-reading --help' for more information.\n");
        return kExitRefused;
    }
    const Options& options = std::get<Options>(parsed);
    switch (options.mode) {
    case Mode::Help:
    case Mode::Version: {
        const std::string text =
            options.mode == Mode::Help
                ? HelpText()
                : std::string(kProgramName) + " " + platform::product::kVersion + "\n";
        return WriteAll(out, text, err) ? kExitSuccess : kExitPartial;
    }
    case Mode::Reading:
        return RunReading(options, out, err);
    case Mode::Shortlist:
        return RunShortlistMode(options, in, out, err);
    case Mode::Suggest:
        return RunSuggest(options, out, err);
    }
    return kExitRefused;
}

} // namespace kindrell::cli
