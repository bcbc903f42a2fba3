// Loading the bundled list of names, and what every keystroke in a parent's
// name box costs: weighing the list against the two parents and selecting
// the filtered, ordered rows.

#include "namelist/name_list.h"
#include "namelist/weighing.h"

#include <QFile>

#include <benchmark/benchmark.h>

#include <utility>

namespace {

using namespace kindrell::namelist;

QByteArray BundledTable() {
    QFile file(QString::fromLatin1(kBundledListPath));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The whole load: the resource read, the parse, numbers and orders.
void BM_LoadBundledNames(benchmark::State& state) {
    for (auto _ : state) {
        NameList list = LoadBundledNames();
        benchmark::DoNotOptimize(list);
    }
    state.SetItemsProcessed(state.iterations() * LoadBundledNames().size());
}
BENCHMARK(BM_LoadBundledNames)->Unit(benchmark::kMillisecond);

// The parts of the load.
void BM_ReadResource(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(BundledTable());
    }
}
BENCHMARK(BM_ReadResource)->Unit(benchmark::kMillisecond);

void BM_ParseNameTable(benchmark::State& state) {
    const QByteArray table = BundledTable();
    for (auto _ : state) {
        benchmark::DoNotOptimize(ParseNameTable(table));
    }
}
BENCHMARK(BM_ParseNameTable)->Unit(benchmark::kMillisecond);

void BM_PrepareNameList(benchmark::State& state) {
    const NameTable table = ParseNameTable(BundledTable());
    for (auto _ : state) {
        std::vector<NameEntry> entries = table.entries;
        std::vector<NameHistory> histories = table.histories;
        NameList list(std::move(entries), std::move(histories));
        benchmark::DoNotOptimize(list);
    }
}
BENCHMARK(BM_PrepareNameList)->Unit(benchmark::kMillisecond);

enum Case : int {
    kDefault,
    kAnyVerdict,
    kPrefix,
    kByName,
    kByMother,
    kGirlsNumber,
    kLike,
    kSuffixBothByTrend,
};

// One keystroke: the parents weighed anew and the rows selected.
void BM_WeighAndSelect(benchmark::State& state) {
    const NameList list = LoadBundledNames();
    Filter filter;
    Ordering ordering;
    switch (state.range(0)) {
    case kAnyVerdict:
        filter.harmony = HarmonyFilter::Any;
        break;
    case kPrefix:
        filter.prefix = QStringLiteral("ma");
        break;
    case kByName:
        filter.harmony = HarmonyFilter::Any;
        ordering = {SortKey::Name, true};
        break;
    case kByMother:
        filter.harmony = HarmonyFilter::Any;
        ordering.key = SortKey::Mother;
        break;
    case kGirlsNumber:
        filter.sex = SexFilter::Girls;
        filter.harmony = HarmonyFilter::Any;
        filter.number = 3;
        break;
    case kLike:
        filter.harmony = HarmonyFilter::Any;
        filter.like = QStringLiteral("aidan");
        break;
    case kSuffixBothByTrend:
        filter.sex = SexFilter::GivenToBoth;
        filter.suffix = QStringLiteral("n");
        ordering.key = SortKey::Trend;
        break;
    default:
        break;
    }
    filter.ordering = ordering;
    std::size_t rows = 0;
    for (auto _ : state) {
        const Weighing weighing(u"John", u"Zoe");
        const std::vector<std::int32_t> selected = SelectNames(list, weighing, filter);
        rows = selected.size();
        benchmark::DoNotOptimize(selected.data());
    }
    state.counters["rows"] = static_cast<double>(rows);
    state.SetItemsProcessed(state.iterations() * list.size());
}
BENCHMARK(BM_WeighAndSelect)
    ->ArgName("case")
    ->Arg(kDefault)
    ->Arg(kAnyVerdict)
    ->Arg(kPrefix)
    ->Arg(kByName)
    ->Arg(kByMother)
    ->Arg(kGirlsNumber)
    ->Arg(kLike)
    ->Arg(kSuffixBothByTrend)
    ->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
