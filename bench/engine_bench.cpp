#include "engine/name_number.h"
#include "engine/reading.h"

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

// A name-like mix: capitals, small letters, blanks, a hyphen, an apostrophe.
std::u16string NameOfLength(std::size_t length) {
    constexpr std::u16string_view kPattern = u"Anne-Marie O'Neil Christopher Zoe ";
    std::u16string name;
    name.reserve(length);
    while (name.size() < length) {
        name.push_back(kPattern[name.size() % kPattern.size()]);
    }
    return name;
}

void BM_GetDestinyNumber(benchmark::State& state) {
    const std::u16string name = NameOfLength(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        std::u16string_view view = name;
        benchmark::DoNotOptimize(view);
        benchmark::DoNotOptimize(kindrell::GetDestinyNumber(view));
    }
    // Items are code units, so items_per_second reads as code units per second.
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetBytesProcessed(state.iterations() * state.range(0) *
                            static_cast<std::int64_t>(sizeof(char16_t)));
}
BENCHMARK(BM_GetDestinyNumber)->Arg(5)->Arg(50)->Arg(32767);

// A name past the limit: the sum stops at 32760 and every later letter is
// weighed and refused.
void BM_GetDestinyNumberAtLimit(benchmark::State& state) {
    const std::u16string name(static_cast<std::size_t>(state.range(0)), u'I');
    for (auto _ : state) {
        std::u16string_view view = name;
        benchmark::DoNotOptimize(view);
        benchmark::DoNotOptimize(kindrell::GetDestinyNumber(view));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetBytesProcessed(state.iterations() * state.range(0) *
                            static_cast<std::int64_t>(sizeof(char16_t)));
}
BENCHMARK(BM_GetDestinyNumberAtLimit)->Arg(32767);

void BM_ComposeReading(benchmark::State& state) {
    const std::u16string child = u"Christopher";
    const std::u16string father = u"Ramesh Kumar";
    const std::u16string mother = u"Anne-Marie O'Neil";
    for (auto _ : state) {
        benchmark::DoNotOptimize(kindrell::ComposeReading(child, father, mother));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ComposeReading);

} // namespace

BENCHMARK_MAIN();
