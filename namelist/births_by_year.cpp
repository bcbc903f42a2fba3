#include "namelist/births_by_year.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <numeric>

namespace kindrell::namelist {
namespace {

// The years whose births a trend compares: the first five and the last five.
constexpr std::size_t kTrendYears = 5;

std::int64_t Sum(const std::int32_t* first, const std::int32_t* last) {
    return std::accumulate(first, last, std::int64_t{0});
}

} // namespace

std::int64_t RoundedQuotient(std::int64_t numerator, std::int64_t denominator) {
    const std::int64_t magnitude = (2 * std::llabs(numerator) + denominator) / (2 * denominator);
    return numerator < 0 ? -magnitude : magnitude;
}

Trend TrendOf(const YearCounts& births) {
    const std::int64_t early = Sum(births.data(), births.data() + kTrendYears);
    const std::int64_t late =
        Sum(births.data() + births.size() - kTrendYears, births.data() + births.size());
    if (early == 0) {
        return {true, 0};
    }
    return {false, static_cast<std::int32_t>(RoundedQuotient(100 * (late - early), early))};
}

QString TrendText(const Trend& trend) {
    if (trend.isNew) {
        return QStringLiteral("new");
    }
    const QString sign = trend.percent > 0 ? QStringLiteral("+") : QString();
    return sign + QString::number(trend.percent) + QLatin1Char('%');
}

std::int64_t TrendRank(const std::optional<Trend>& trend) {
    if (!trend) {
        return std::numeric_limits<std::int64_t>::min();
    }
    return trend->isNew ? std::numeric_limits<std::int64_t>::max() : trend->percent;
}

SexShares SharesOf(std::int64_t girlsBirths, std::int64_t boysBirths) {
    const std::int64_t total = girlsBirths + boysBirths;
    if (total <= 0) {
        return {};
    }
    const auto girls = static_cast<int>(RoundedQuotient(100 * girlsBirths, total));
    return {girls, 100 - girls};
}

QString SharesText(const SexShares& shares) {
    return QStringLiteral("Girls %1%, boys %2%").arg(shares.girls).arg(shares.boys);
}

bool IsGivenToBoth(std::int64_t girlsBirths, std::int64_t boysBirths) {
    const std::int64_t total = girlsBirths + boysBirths;
    return total > 0 && 10 * std::min(girlsBirths, boysBirths) >= total;
}

} // namespace kindrell::namelist
