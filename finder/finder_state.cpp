#include "finder/finder_state.h"

#include <array>
#include <utility>

namespace kindrell::finder {
namespace {

const QString kApplication = QStringLiteral("kindrell-names");
const QString kSection = QStringLiteral("Finder");

const QString kFatherKey = QStringLiteral("Father");
const QString kMotherKey = QStringLiteral("Mother");
const QString kSexKey = QStringLiteral("Sex");
const QString kHarmonyKey = QStringLiteral("Harmony");
const QString kPrefixKey = QStringLiteral("StartsWith");
const QString kSuffixKey = QStringLiteral("EndsWith");
const QString kLikeKey = QStringLiteral("Like");
const QString kNumberKey = QStringLiteral("Number");
const QString kOrderKey = QStringLiteral("Order");
const QString kReversedKey = QStringLiteral("Reversed");
const QString kGeometryKey = QStringLiteral("Geometry");
const QString kListKey = QStringLiteral("List");

// Each choice as it is stored; the first is the default.
constexpr std::array<std::pair<const char*, namelist::SexFilter>, 4> kSexTokens{{
    {"both", namelist::SexFilter::Both},
    {"girls", namelist::SexFilter::Girls},
    {"boys", namelist::SexFilter::Boys},
    {"given-to-both", namelist::SexFilter::GivenToBoth},
}};
constexpr std::array<std::pair<const char*, HarmonyChoice>, 5> kHarmonyTokens{{
    {"both", HarmonyChoice::WithBoth},
    {"mother", HarmonyChoice::WithMother},
    {"father", HarmonyChoice::WithFather},
    {"any", HarmonyChoice::Any},
    {"marked", HarmonyChoice::Marked},
}};
constexpr std::array<std::pair<const char*, namelist::SortKey>, 7> kOrderTokens{{
    {"births", namelist::SortKey::Births},
    {"name", namelist::SortKey::Name},
    {"sex", namelist::SortKey::Sex},
    {"number", namelist::SortKey::Number},
    {"mother", namelist::SortKey::Mother},
    {"father", namelist::SortKey::Father},
    {"trend", namelist::SortKey::Trend},
}};
constexpr std::array<std::pair<const char*, bool>, 2> kReversedTokens{{
    {"false", false},
    {"true", true},
}};

template <typename Choice, std::size_t Count>
QString TokenOf(const std::array<std::pair<const char*, Choice>, Count>& tokens, Choice choice) {
    for (const auto& [token, value] : tokens) {
        if (value == choice) {
            return QString::fromLatin1(token);
        }
    }
    return QString::fromLatin1(tokens.front().first);
}

// The choice a stored text names: the default when nothing was stored,
// nullopt for a text the finder does not know.
template <typename Choice, std::size_t Count>
std::optional<Choice> ChoiceOf(const std::array<std::pair<const char*, Choice>, Count>& tokens,
                               const QString& text) {
    if (text.isEmpty()) {
        return tokens.front().second;
    }
    for (const auto& [token, value] : tokens) {
        if (text == QLatin1String(token)) {
            return value;
        }
    }
    return std::nullopt;
}

// "" (0) for any number, "1" to "9" for one of them; nullopt for any other text.
std::optional<int> NumberOf(const QString& text) {
    if (text.isEmpty()) {
        return 0;
    }
    if (text.size() != 1 || text.front() < QLatin1Char('1') || text.front() > QLatin1Char('9')) {
        return std::nullopt;
    }
    return text.front().unicode() - u'0';
}

} // namespace

QString FinderSettings::value(const QString& key) {
    return backend_.read(kApplication, kSection, key);
}

std::optional<StoredState> FinderSettings::read() {
    StoredState stored;
    FinderState& state = stored.state;
    const FinderState defaults;
    // Each stored value on its own: one that is not understood stands at its
    // default, noted, with the default to store in its place.
    const auto choose = [&stored](auto parsed, auto fallback, const char* caption,
                                  const StateValue& correction) {
        if (parsed) {
            return *parsed;
        }
        stored.notUnderstood << QString::fromLatin1(caption);
        stored.corrections.push_back(correction);
        return fallback;
    };
    try {
        state.father = value(kFatherKey);
        state.mother = value(kMotherKey);
        state.prefix = value(kPrefixKey);
        state.suffix = value(kSuffixKey);
        state.like = value(kLikeKey);
        state.listPath = value(kListKey);
        state.sex =
            choose(ChoiceOf(kSexTokens, value(kSexKey)), defaults.sex, "Sex", Sex(defaults.sex));
        state.harmony = choose(ChoiceOf(kHarmonyTokens, value(kHarmonyKey)), defaults.harmony,
                               "Harmony", Harmony(defaults.harmony));
        if (const int number = choose(NumberOf(value(kNumberKey)), 0, "Number", Number({}));
            number > 0) {
            state.number = static_cast<DestinyNumber>(number);
        }
        state.ordering.key = choose(ChoiceOf(kOrderTokens, value(kOrderKey)), defaults.ordering.key,
                                    "Order", Order(defaults.ordering.key));
        state.ordering.reversed =
            choose(ChoiceOf(kReversedTokens, value(kReversedKey)), defaults.ordering.reversed,
                   "Reversed", Reversed(defaults.ordering.reversed));
        const QByteArray stored64 = value(kGeometryKey).toLatin1();
        const QByteArray geometry = QByteArray::fromBase64(stored64);
        state.geometry =
            choose(geometry.toBase64() == stored64 ? std::optional(geometry) : std::nullopt,
                   QByteArray(), "window's place", Geometry({}));
    } catch (const platform::SettingsError&) {
        return std::nullopt;
    }
    return stored;
}

QString FinderSettings::setAside(QDate today) {
    return backend_.moveAside(kApplication,
                              QStringLiteral(".unreadable-") + today.toString(Qt::ISODate));
}

bool FinderSettings::write(const StateValue& stateValue) {
    try {
        backend_.write(kApplication, kSection, stateValue.key, stateValue.text);
    } catch (const platform::SettingsError&) {
        return false;
    }
    return true;
}

StateValue FinderSettings::Father(const QString& name) {
    return {kFatherKey, name};
}

StateValue FinderSettings::Mother(const QString& name) {
    return {kMotherKey, name};
}

StateValue FinderSettings::Sex(namelist::SexFilter sex) {
    return {kSexKey, TokenOf(kSexTokens, sex)};
}

StateValue FinderSettings::Harmony(HarmonyChoice harmony) {
    return {kHarmonyKey, TokenOf(kHarmonyTokens, harmony)};
}

StateValue FinderSettings::Prefix(const QString& prefix) {
    return {kPrefixKey, prefix};
}

StateValue FinderSettings::Suffix(const QString& suffix) {
    return {kSuffixKey, suffix};
}

StateValue FinderSettings::Like(const QString& name) {
    return {kLikeKey, name};
}

StateValue FinderSettings::Number(std::optional<DestinyNumber> number) {
    return {kNumberKey, number ? QString::number(*number) : QString()};
}

StateValue FinderSettings::Order(namelist::SortKey key) {
    return {kOrderKey, TokenOf(kOrderTokens, key)};
}

StateValue FinderSettings::Reversed(bool reversed) {
    return {kReversedKey, TokenOf(kReversedTokens, reversed)};
}

StateValue FinderSettings::Geometry(const QByteArray& geometry) {
    return {kGeometryKey, QString::fromLatin1(geometry.toBase64())};
}

StateValue FinderSettings::ListPath(const QString& path) {
    return {kListKey, path};
}

} // namespace kindrell::finder
