#pragma once

// Every filter a list of names is weighed with, and the order it is shown
// in, as one value; and one table that says of each filter how it is kept
// in the settings, shown in a window, given on the command line and, for
// those that keep or leave out entries, which ones it keeps. A new filter is
// a member of the value and a row of the table.

#include "engine/name_number.h"

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>
#include <span>

namespace kindrell::namelist {

class NameList;

// GivenToBoth keeps the names whose smaller share of births, girls' or
// boys', is at least a tenth (NameList::givenToBoth).
enum class SexFilter { Both, Girls, Boys, GivenToBoth };

enum class HarmonyFilter {
    WithBoth,   // the verdict is Harmonious
    WithMother, // harmonious with the mother, whatever the father
    WithFather, // harmonious with the father, whatever the mother
    Any,
    Marked,       // the names the user marked, whatever any filter says (the finder's)
    MarkedByBoth, // those of them a partner's list holds too (the finder's)
};

// A name's letters, as it is written: "José" has 4, "Anne-Marie" 9.
enum class LengthFilter { Any, UpToFour, FiveToSix, SevenOrMore };

enum class SortKey { Births, Name, Sex, Number, Mother, Father, Trend };

// Each key's natural order: Births most births first; Name in code-unit
// order; Sex girls first; Number from 0 up; Mother and Father "Harmonious",
// then "Not Harmonious", then "Not Harmonious At All"; Trend the greatest
// rise first, new names above every rise. Ties, and each key's
// groups, follow the births order. Reversed turns the key round and nothing
// else: names with equal keys keep the births order among themselves (most
// births first, then name in code-unit order, girl before boy).
struct Ordering {
    SortKey key = SortKey::Births;
    bool reversed = false;

    friend bool operator==(const Ordering&, const Ordering&) = default;
};

// Which names a selection keeps, and in what order. A name without sex
// (from the user's own list) passes every sex filter: the list does not say
// which it is, and the user chose it.
struct Filter {
    SexFilter sex = SexFilter::Both;
    HarmonyFilter harmony = HarmonyFilter::WithBoth;
    // The name's first letters. Spaces around it do not count; a–z and A–Z
    // match either case, every other character only itself.
    QString prefix;
    // The name's last letters, alike.
    QString suffix;
    // A name someone likes: only its spellings pass (see FindLikedName);
    // none for any name. Spaces around it do not count.
    QString like;
    // With a liked name, the names are weighed as its middle names: "Sofia
    // Grace" for Grace (see SelectMiddleNames).
    bool middle = false;
    // One destiny number (a name without letters that count has 0); none for any.
    std::optional<DestinyNumber> number;
    LengthFilter length = LengthFilter::Any;
    Ordering ordering;

    friend bool operator==(const Filter&, const Filter&) = default;
};

// ---------------------------------------------------------------- the table

// One choice of a choice filter: its word in the settings, its text in the
// window, its value, and its word on the command line (none where the
// command line does not offer it).
struct Choice {
    const char* token = nullptr;
    const char* label = nullptr;
    int value = 0;
    const char* option = nullptr;
    bool comparing = false; // offered only while a partner's list is compared
};

enum class FieldKind { Choice, Text, Toggle };

// Where the window shows a filter: in the row of filters, or on the line of
// the name one likes.
enum class FieldPlace { Row, LikedLine };

struct FilterField {
    FieldKind kind;
    FieldPlace place;
    const char* name;    // the control's object name in the window: "sexBox"
    const char* key;     // its key in the settings
    const char* caption; // its caption in the window, "&" before the access key
    const char* option;  // its option on the command line ("sex"); none: not offered
    // Choice: the choices, the first the default; the value in a filter.
    std::span<const Choice> choices;
    int (*get)(const Filter&) = nullptr; // Choice, Toggle (0 or 1)
    void (*set)(Filter&, int) = nullptr;
    QString Filter::*text = nullptr; // Text
    // Which entries it keeps, given its value; none for a filter that keeps
    // them otherwise (harmony, the liked name) or orders them.
    bool (*keepsEntry)(const NameList&, std::int32_t index, int value) = nullptr;
    bool (*keepsName)(QStringView name, QStringView text) = nullptr;
    // Whether only the bundled list knows what it asks (sexes, spellings).
    bool bundledOnly = false;
    // Whether it orders the names rather than choosing among them.
    bool orders = false;
};

// Every filter, in the order the window shows them.
std::span<const FilterField> FilterFields();

// The choice of a choice field whose word in the settings is `token`.
const Choice* ChoiceByToken(const FilterField& field, QStringView token);
// The choice of a choice field with that value.
const Choice* ChoiceByValue(const FilterField& field, int value);

} // namespace kindrell::namelist
