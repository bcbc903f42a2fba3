#pragma once

// A bundled name's births year by year, and what is read from them: whether
// the name is rising or fading, and how a name given to both sexes is shared
// between girls and boys.

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

namespace kindrell::namelist {

inline constexpr int kFirstYear = 2000;
inline constexpr int kLastYear = 2024;
inline constexpr std::size_t kYearCount = kLastYear - kFirstYear + 1;

// Births in each year from kFirstYear on.
using YearCounts = std::array<std::int32_t, kYearCount>;

// The change from the births of the first five years to those of the last
// five: a whole percentage, or new where the first five years have none.
struct Trend {
    bool isNew = false;
    std::int32_t percent = 0;

    friend bool operator==(const Trend&, const Trend&) = default;
};

Trend TrendOf(const YearCounts& births);
// "+240%", "-35%", "0%", or "new".
QString TrendText(const Trend& trend);
// One number that orders trends: new above every rise, then the rises and
// falls from the largest; a name without births by year (nullopt) below all.
std::int64_t TrendRank(const std::optional<Trend>& trend);

// How a name's births divide between girls and boys, as whole percentages
// that add up to 100.
struct SexShares {
    int girls = 0;
    int boys = 0;

    friend bool operator==(const SexShares&, const SexShares&) = default;
};
// Of births in girls' and boys' entries; both 0 when neither has any.
SexShares SharesOf(std::int64_t girlsBirths, std::int64_t boysBirths);
// "Girls 61%, boys 39%".
QString SharesText(const SexShares& shares);
// Whether the smaller of the two shares of births is at least a tenth.
bool IsGivenToBoth(std::int64_t girlsBirths, std::int64_t boysBirths);

// numerator / denominator rounded to a whole number, halves away from zero;
// denominator > 0.
std::int64_t RoundedQuotient(std::int64_t numerator, std::int64_t denominator);

} // namespace kindrell::namelist
