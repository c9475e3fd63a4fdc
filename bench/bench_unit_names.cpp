// Speed of unit name matching: a search over every unit as the finder runs it on each key, a
// question answered, and building the name index the finder and the command line start from.

#include "catalogue/question.h"
#include "catalogue/unit_catalogue.h"
#include "catalogue/unit_catalogue_build.h"
#include "catalogue/unit_names.h"
#include "search/search_answers.h"
#include "shared/process_state.h"

#include <benchmark/benchmark.h>

namespace {

const halden::UnitNameIndex& BuiltIndex() {
    static const halden::UnitNameIndex* index = [] {
        halden::ResetProcessState();
        halden::BuildUnitCatalogue(halden::catalogue(), halden::userUnits(), 15);
        return new halden::UnitNameIndex(halden::catalogue());
    }();
    return *index;
}

// "m" is the widest search: it is a form, begins many forms and sits in most list texts.
void BM_UnitNameSearchAllUnitsM(benchmark::State& state) {
    const halden::UnitNameIndex& index = BuiltIndex();
    for (auto _ : state) {
        benchmark::DoNotOptimize(index.Search("m", 1000));
    }
}
BENCHMARK(BM_UnitNameSearchAllUnitsM);

void BM_UnitNameSearchAllUnitsTsubo(benchmark::State& state) {
    const halden::UnitNameIndex& index = BuiltIndex();
    for (auto _ : state) {
        benchmark::DoNotOptimize(index.Search("tsubo", 50));
    }
}
BENCHMARK(BM_UnitNameSearchAllUnitsTsubo);

// Reading the names the shell is given: an exact one, one read with case ignored after no exact
// form fits, and an unknown one with its suggestions.
void BM_UnitNameResolve(benchmark::State& state) {
    const halden::UnitNameIndex& index = BuiltIndex();
    for (auto _ : state) {
        benchmark::DoNotOptimize(index.Resolve("deg Celsius"));
        benchmark::DoNotOptimize(index.Resolve("KILOGRAMS"));
        benchmark::DoNotOptimize(index.Resolve("mPa"));
    }
}
BENCHMARK(BM_UnitNameResolve);

void BM_UnitNameSuggest(benchmark::State& state) {
    const halden::UnitNameIndex& index = BuiltIndex();
    for (auto _ : state) {
        benchmark::DoNotOptimize(index.Suggest("fahrenhiet", 5));
    }
}
BENCHMARK(BM_UnitNameSuggest);

// One question as the shell and the finder answer it: feet and inches, a connector, a prefix.
void BM_QuestionFeetInchesToCentimeters(benchmark::State& state) {
    const halden::UnitNameIndex& index = BuiltIndex();
    for (auto _ : state) {
        benchmark::DoNotOptimize(halden::Answer("5 ft 11 in in cm", halden::catalogue(), index));
        benchmark::DoNotOptimize(halden::Answer("10 mi km", halden::catalogue(), index));
    }
}
BENCHMARK(BM_QuestionFeetInchesToCentimeters);

// What the desktop search provider does for one search: the result ids and the answer's meta.
void BM_SearchProviderResults(benchmark::State& state) {
    const halden::SearchTables tables{halden::catalogue(), BuiltIndex(), {}};
    for (auto _ : state) {
        benchmark::DoNotOptimize(halden::SearchResultIds("3 ft in cm", tables));
        benchmark::DoNotOptimize(halden::SearchResultMetaFor("answer:3 ft in cm", tables));
    }
}
BENCHMARK(BM_SearchProviderResults);

void BM_UnitNameIndexBuild(benchmark::State& state) {
    BuiltIndex();
    for (auto _ : state) {
        halden::UnitNameIndex index(halden::catalogue());
        benchmark::DoNotOptimize(index.units().data());
    }
}
BENCHMARK(BM_UnitNameIndexBuild);

}  // namespace
