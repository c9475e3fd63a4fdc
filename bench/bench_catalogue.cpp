// Speed of the catalogue builder, one conversion of each rule and the number-base conversion.

#include "catalogue/convert_value.h"
#include "catalogue/radix.h"
#include "catalogue/unit_catalogue_build.h"
#include "shared/process_state.h"

#include <benchmark/benchmark.h>

namespace {

void BuildFresh() {
    halden::ResetProcessState();
    halden::BuildUnitCatalogue(halden::catalogue(), halden::userUnits(), 15);
}

void BM_BuildUnitCatalogue(benchmark::State& state) {
    halden::ResetProcessState();
    for (auto _ : state) {
        halden::BuildUnitCatalogue(halden::catalogue(), halden::userUnits(), 15);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_BuildUnitCatalogue);

void BM_ConvertValueLinearMileToMeter(benchmark::State& state) {
    BuildFresh();
    for (auto _ : state) {
        benchmark::DoNotOptimize(halden::ConvertValue(halden::catalogue(), halden::state().WarpIdx, 0, 3, 0, "3"));
    }
}
BENCHMARK(BM_ConvertValueLinearMileToMeter);

void BM_ConvertValueAffineFahrenheitToCelsius(benchmark::State& state) {
    BuildFresh();
    for (auto _ : state) {
        benchmark::DoNotOptimize(halden::ConvertValue(halden::catalogue(), halden::state().WarpIdx, 6, 2, 1, "32"));
    }
}
BENCHMARK(BM_ConvertValueAffineFahrenheitToCelsius);

void BM_ConvertValueWarpToMetersPerSecond(benchmark::State& state) {
    BuildFresh();
    halden::state().WarpIdx = 13;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            halden::ConvertValue(halden::catalogue(), halden::state().WarpIdx, 9, 13, 0, "9.9999"));
    }
}
BENCHMARK(BM_ConvertValueWarpToMetersPerSecond);

void BM_T_FormatNumberDecimalToBinary(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(halden::T_FormatNumber(0, 1, "65535"));
    }
}
BENCHMARK(BM_T_FormatNumberDecimalToBinary);

void BM_T_FormatNumberHexadecimalToOctal(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(halden::T_FormatNumber(3, 2, "7FFFFFFF"));
    }
}
BENCHMARK(BM_T_FormatNumberHexadecimalToOctal);

}  // namespace
