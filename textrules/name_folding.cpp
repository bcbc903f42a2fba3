#include "textrules/name_folding.h"

#include "engine/text.h"
#include "textrules/engine_strings.h"
#include "textrules/nfc.h"

#include <QTextBoundaryFinder>

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

namespace kindrell::text {
namespace {

// The letters that do not decompose into a base letter and marks, so that
// Unicode's decomposition cannot fold them; every other letter it can.
constexpr std::array<std::pair<char16_t, const char16_t*>, 17> kUndecomposed{{
    {u'\u00DF', u"SS"}, // ß
    {u'\u1E9E', u"SS"}, // ẞ
    {u'\u00C6', u"AE"}, // Æ
    {u'\u00E6', u"AE"}, // æ
    {u'\u0152', u"OE"}, // Œ
    {u'\u0153', u"OE"}, // œ
    {u'\u00DE', u"TH"}, // Þ
    {u'\u00FE', u"TH"}, // þ
    {u'\u00D0', u"D"},  // Ð
    {u'\u00F0', u"D"},  // ð
    {u'\u0110', u"D"},  // Đ
    {u'\u0111', u"D"},  // đ
    {u'\u0141', u"L"},  // Ł
    {u'\u0142', u"L"},  // ł
    {u'\u00D8', u"O"},  // Ø
    {u'\u00F8', u"O"},  // ø
    {u'\u0131', u"I"},  // ı
}};

// What names carry between their letters without counting: spaces,
// hyphens, apostrophes, full stops, and the middle dot of "l·l".
bool Carried(QChar unit) {
    switch (unit.unicode()) {
    case u'-':
    case u'\u2010': // hyphen
    case u'\u2011': // non-breaking hyphen
    case u'\'':
    case u'\u2019': // right single quotation mark, the typographer's apostrophe
    case u'\u02BC': // modifier letter apostrophe
    case u'.':
    case u'\u00B7': // middle dot
        return true;
    default:
        return unit.isSpace();
    }
}

bool AsciiLetter(QChar unit) {
    return (unit >= u'A' && unit <= u'Z') || (unit >= u'a' && unit <= u'z');
}

// The letters one character of a decomposition counts as; nullopt when it
// counts nothing.
std::optional<QString> LettersOf(QChar unit) {
    if (AsciiLetter(unit)) {
        return QString(unit.toUpper());
    }
    if (Carried(unit) || unit.isMark()) {
        return QString();
    }
    const auto found = std::find_if(kUndecomposed.begin(), kUndecomposed.end(),
                                    [unit](const auto& entry) { return entry.first == unit; });
    if (found != kUndecomposed.end()) {
        return QString::fromUtf16(found->second);
    }
    return std::nullopt;
}

// The character as the working shows it: each of its code points in upper
// case on its own, so that ß stays one letter and é shows as É.
QString Shown(QStringView character) {
    QString shown;
    for (const char32_t code : character.toUcs4()) {
        shown +=
            QString::fromUcs4(std::array{static_cast<char32_t>(QChar::toUpper(code))}.data(), 1);
    }
    return shown;
}

bool Ascii(QStringView text) {
    return std::all_of(text.begin(), text.end(), [](QChar unit) { return unit.unicode() < 0x80; });
}

// Calls handle(character) for each grapheme of the text, or for each code
// unit (as the engine walks a name, when its letters are A to Z alone); in
// ASCII the two are the same.
template <typename Handle> void ForEachCharacter(const QString& text, bool byUnit, Handle handle) {
    if (byUnit || Ascii(text)) {
        for (qsizetype at = 0; at < text.size(); ++at) {
            handle(QStringView(text).sliced(at, 1));
        }
        return;
    }
    QTextBoundaryFinder boundaries(QTextBoundaryFinder::Grapheme, text);
    qsizetype start = 0;
    for (qsizetype end = boundaries.toNextBoundary(); end > 0; end = boundaries.toNextBoundary()) {
        handle(QStringView(text).sliced(start, end - start));
        start = end;
    }
}

// One character of a name with the letters it counts as, or none.
struct Folded {
    QStringView character;
    QString letters;
    bool counted = true; // false: it counts nothing, and is named
};

Folded Fold(QStringView character) {
    if (character.size() == 1 && character.front().unicode() < 0x80) {
        const QChar unit = character.front();
        return {character, AsciiLetter(unit) ? QString(unit.toUpper()) : QString(),
                AsciiLetter(unit) || Carried(unit)};
    }
    Folded folded{character, {}, true};
    for (const QChar unit : character.toString().normalized(QString::NormalizationForm_KD)) {
        const std::optional<QString> letters = LettersOf(unit);
        if (!letters) {
            return {character, {}, false};
        }
        folded.letters += *letters;
    }
    return folded;
}

// The working, each character with the letters it counts as: letters from
// one character are one term, their values summed ("Æ 6").
QString Working(const std::vector<Folded>& characters, const DestinyWorking& counted) {
    if (counted.Letters.empty()) {
        return ToQString(FormatWorking(counted));
    }
    QStringList terms;
    std::size_t next = 0;
    qsizetype at = 0; // where in the letters the character's own begin
    for (const Folded& character : characters) {
        const qsizetype end = at + character.letters.size();
        int value = 0;
        bool added = false;
        for (; next < counted.Letters.size() &&
               static_cast<qsizetype>(counted.Letters[next].Position) < end;
             ++next) {
            value += counted.Letters[next].Added ? counted.Letters[next].Value : 0;
            added = added || counted.Letters[next].Added;
        }
        if (end > at) {
            terms << Shown(character.character) + u' ' + QString::number(value) +
                         (added ? QString() : QStringLiteral(" (not added)"));
        }
        at = end;
    }
    return terms.join(QStringLiteral(" + ")) + ToQString(FormatSum(counted));
}

} // namespace

WeighedName WeighName(QStringView typed, Folding folding) {
    WeighedName name;
    name.written = ToQString(kindrell::TrimSpaces(View(typed)));
    if (folding == Folding::Folded && !Ascii(name.written)) {
        name.written = Nfc(name.written);
    }
    std::vector<Folded> characters;
    ForEachCharacter(name.written, folding == Folding::AToZ, [&](QStringView character) {
        Folded folded = folding == Folding::Folded || Ascii(character)
                            ? Fold(character)
                            : Folded{character, {}, false};
        if (!folded.counted && !name.uncounted.contains(character)) {
            name.uncounted << character.toString();
        }
        name.letters += folded.letters;
        characters.push_back(std::move(folded));
    });
    const DestinyWorking working = ExplainDestinyNumber(View(name.letters));
    name.number = working.Number;
    name.working = Working(characters, working);
    return name;
}

QString MatchKey(QStringView name) {
    QString key;
    const QString written = Nfc(name.toString());
    ForEachCharacter(written, false, [&key](QStringView character) {
        const Folded folded = Fold(character);
        key += folded.counted ? folded.letters : character.toString().toCaseFolded();
    });
    return key;
}

DestinyNumber FoldedNumber(QStringView name, QStringList* uncounted) {
    // Most names are ASCII, whose letters are already those the engine
    // counts: a shortlist of millions is spared as many weighings, which
    // took it from 19 to 0.5 million names a second (bench/shortlist.sh).
    QStringList ascii;
    const bool allAscii = std::all_of(name.begin(), name.end(), [&ascii](QChar unit) {
        if (unit.unicode() >= 0x80) {
            return false;
        }
        if (!AsciiLetter(unit) && !Carried(unit) && !ascii.contains(QString(unit))) {
            ascii.append(QString(unit));
        }
        return true;
    });
    if (allAscii) {
        if (uncounted != nullptr) {
            *uncounted = std::move(ascii);
        }
        return GetDestinyNumber(View(name));
    }
    WeighedName weighed = WeighName(name);
    if (uncounted != nullptr) {
        *uncounted = std::move(weighed.uncounted);
    }
    return weighed.number;
}

QString UncountedText(const QStringList& uncounted) {
    if (uncounted.isEmpty()) {
        return {};
    }
    if (uncounted.size() == 1) {
        return uncounted.front() + QStringLiteral(" counts nothing");
    }
    return uncounted.first(uncounted.size() - 1).join(QStringLiteral(", ")) +
           QStringLiteral(" and ") + uncounted.back() + QStringLiteral(" count nothing");
}

} // namespace kindrell::text
