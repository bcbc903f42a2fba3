#include "namelist/filters.h"

#include "engine/text.h"
#include "namelist/name_list.h"

#include <algorithm>
#include <array>

namespace kindrell::namelist {
namespace {

// Only a–z fold, as the engine counts letters.
bool SameLetters(QStringView name, QStringView letters) {
    return std::equal(name.begin(), name.end(), letters.begin(), [](QChar a, QChar b) {
        return CapitalOf(a.unicode()) == CapitalOf(b.unicode());
    });
}

bool StartsWith(QStringView name, QStringView prefix) {
    return name.size() >= prefix.size() && SameLetters(name.first(prefix.size()), prefix);
}

bool EndsWith(QStringView name, QStringView suffix) {
    return name.size() >= suffix.size() && SameLetters(name.last(suffix.size()), suffix);
}

bool KeepsSex(const NameList& list, std::int32_t index, int value) {
    const Sex sex = list.sex(index);
    if (sex == Sex::Unknown) {
        return true;
    }
    switch (static_cast<SexFilter>(value)) {
    case SexFilter::Girls:
        return sex == Sex::Girl;
    case SexFilter::Boys:
        return sex == Sex::Boy;
    case SexFilter::GivenToBoth:
        return list.givenToBoth(index);
    case SexFilter::Both:
        break;
    }
    return true;
}

bool KeepsNumber(const NameList& list, std::int32_t index, int value) {
    return list.number(index) == value;
}

// The letters of the name as it is written, each letter once whatever its
// marks: "José" has 4.
int LetterCount(QStringView name) {
    int letters = 0;
    for (const char32_t code : name.toUcs4()) {
        letters += QChar::isLetter(code) ? 1 : 0;
    }
    return letters;
}

bool KeepsLength(const NameList& list, std::int32_t index, int value) {
    const int letters = LetterCount(list.entries()[static_cast<std::size_t>(index)].name);
    switch (static_cast<LengthFilter>(value)) {
    case LengthFilter::UpToFour:
        return letters <= 4;
    case LengthFilter::FiveToSix:
        return letters >= 5 && letters <= 6;
    case LengthFilter::SevenOrMore:
        return letters >= 7;
    case LengthFilter::Any:
        break;
    }
    return true;
}

template <typename Enum> constexpr int Of(Enum value) {
    return static_cast<int>(value);
}

constexpr std::array<Choice, 4> kSexChoices{{
    {"both", "Girls and boys", Of(SexFilter::Both)},
    {"girls", "Girls", Of(SexFilter::Girls), "girl"},
    {"boys", "Boys", Of(SexFilter::Boys), "boy"},
    {"given-to-both", "Given to both", Of(SexFilter::GivenToBoth)},
}};
constexpr std::array<Choice, 6> kHarmonyChoices{{
    {"both", "With both parents", Of(HarmonyFilter::WithBoth)},
    {"mother", "With the mother", Of(HarmonyFilter::WithMother)},
    {"father", "With the father", Of(HarmonyFilter::WithFather)},
    {"any", "Any", Of(HarmonyFilter::Any)},
    {"marked", "Marked", Of(HarmonyFilter::Marked)},
    {"marked-by-both", "Marked by both of you", Of(HarmonyFilter::MarkedByBoth), nullptr, true},
}};
constexpr std::array<Choice, 10> kNumberChoices{{
    {"", "Any", -1},
    {"1", "1", 1},
    {"2", "2", 2},
    {"3", "3", 3},
    {"4", "4", 4},
    {"5", "5", 5},
    {"6", "6", 6},
    {"7", "7", 7},
    {"8", "8", 8},
    {"9", "9", 9},
}};
constexpr std::array<Choice, 4> kLengthChoices{{
    {"any", "Any", Of(LengthFilter::Any), "any"},
    {"up-to-4", "Up to 4 letters", Of(LengthFilter::UpToFour), "up-to-4"},
    {"5-6", "5 to 6 letters", Of(LengthFilter::FiveToSix), "5-6"},
    {"7-or-more", "7 or more", Of(LengthFilter::SevenOrMore), "7-or-more"},
}};
constexpr std::array<Choice, 7> kOrderChoices{{
    {"births", "Births", Of(SortKey::Births)},
    {"name", "Name", Of(SortKey::Name)},
    {"number", "Number", Of(SortKey::Number)},
    {"sex", "Sex", Of(SortKey::Sex)},
    {"mother", "Mother", Of(SortKey::Mother)},
    {"father", "Father", Of(SortKey::Father)},
    {"trend", "Trend", Of(SortKey::Trend)},
}};

const std::array<FilterField, 10> kFields{{
    {FieldKind::Choice, FieldPlace::Row, "sexBox", "Sex", "S&ex", "sex", kSexChoices,
     [](const Filter& f) { return Of(f.sex); },
     [](Filter& f, int value) { f.sex = static_cast<SexFilter>(value); }, nullptr, KeepsSex,
     nullptr, true},
    {FieldKind::Choice, FieldPlace::Row, "harmonyBox", "Harmony", "&Harmony", nullptr,
     kHarmonyChoices, [](const Filter& f) { return Of(f.harmony); },
     [](Filter& f, int value) { f.harmony = static_cast<HarmonyFilter>(value); }, nullptr, nullptr,
     nullptr},
    {FieldKind::Text,
     FieldPlace::Row,
     "prefixBox",
     "StartsWith",
     "Starts &with",
     nullptr,
     {},
     nullptr,
     nullptr,
     &Filter::prefix,
     nullptr,
     StartsWith},
    {FieldKind::Text,
     FieldPlace::Row,
     "suffixBox",
     "EndsWith",
     "Ends wi&th",
     nullptr,
     {},
     nullptr,
     nullptr,
     &Filter::suffix,
     nullptr,
     EndsWith},
    {FieldKind::Choice, FieldPlace::Row, "numberBox", "Number", "N&umber", nullptr, kNumberChoices,
     [](const Filter& f) { return f.number ? static_cast<int>(*f.number) : -1; },
     [](Filter& f, int value) {
         f.number = value >= 0 ? std::optional(static_cast<DestinyNumber>(value)) : std::nullopt;
     },
     nullptr, KeepsNumber, nullptr},
    {FieldKind::Choice, FieldPlace::Row, "lengthBox", "Length", "Len&gth", "length", kLengthChoices,
     [](const Filter& f) { return Of(f.length); },
     [](Filter& f, int value) { f.length = static_cast<LengthFilter>(value); }, nullptr,
     KeepsLength, nullptr},
    {FieldKind::Choice, FieldPlace::Row, "orderBox", "Order", "&Order", nullptr, kOrderChoices,
     [](const Filter& f) { return Of(f.ordering.key); },
     [](Filter& f, int value) { f.ordering.key = static_cast<SortKey>(value); }, nullptr, nullptr,
     nullptr, false, true},
    {FieldKind::Toggle,
     FieldPlace::Row,
     "reversedBox",
     "Reversed",
     "Re&versed",
     nullptr,
     {},
     [](const Filter& f) { return f.ordering.reversed ? 1 : 0; },
     [](Filter& f, int value) { f.ordering.reversed = value != 0; },
     nullptr,
     nullptr,
     nullptr,
     false,
     true},
    {FieldKind::Text,
     FieldPlace::LikedLine,
     "likeBox",
     "Like",
     "A name you &like",
     nullptr,
     {},
     nullptr,
     nullptr,
     &Filter::like,
     nullptr,
     nullptr,
     false},
    {FieldKind::Toggle,
     FieldPlace::LikedLine,
     "middleBox",
     "Middle",
     "Find a mi&ddle name",
     nullptr,
     {},
     [](const Filter& f) { return f.middle ? 1 : 0; },
     [](Filter& f, int value) { f.middle = value != 0; }},
}};

} // namespace

std::span<const FilterField> FilterFields() {
    return kFields;
}

const Choice* ChoiceByToken(const FilterField& field, QStringView token) {
    const auto found =
        std::find_if(field.choices.begin(), field.choices.end(),
                     [token](const Choice& c) { return token == QLatin1String(c.token); });
    return found == field.choices.end() ? nullptr : &*found;
}

const Choice* ChoiceByValue(const FilterField& field, int value) {
    const auto found = std::find_if(field.choices.begin(), field.choices.end(),
                                    [value](const Choice& c) { return c.value == value; });
    return found == field.choices.end() ? nullptr : &*found;
}

} // namespace kindrell::namelist
