// Speed of the number checks, the result formatting and the evaluator.

#include "calc/evaluator.h"
#include "numbers/format_result.h"
#include "numbers/message_sink.h"
#include "numbers/number_checks.h"

#include <benchmark/benchmark.h>

namespace {

void BM_FormatResultNormal(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(halden::FormatResult(1234.5678, false, 6, 0));
}
BENCHMARK(BM_FormatResultNormal);

void BM_FormatResultScientific(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(halden::FormatResult(1234.5678, false, 6, 1));
}
BENCHMARK(BM_FormatResultScientific);

void BM_FormatResultInteger(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(halden::FormatResult(1234.5678, false, 7, 0));
}
BENCHMARK(BM_FormatResultInteger);

void BM_NonNumCheck(benchmark::State& state) {
    halden::NullSink sink;
    for (auto _ : state) benchmark::DoNotOptimize(halden::NonNumCheck("1234.5678", sink));
}
BENCHMARK(BM_NonNumCheck);

void BM_Calc_1_SIN30(benchmark::State& state) {
    halden::NullSink sink;
    for (auto _ : state) benchmark::DoNotOptimize(halden::Calc_1("SIN30", sink));
}
BENCHMARK(BM_Calc_1_SIN30);

void BM_Calc_1_PiTimesTwo(benchmark::State& state) {
    halden::NullSink sink;
    for (auto _ : state) benchmark::DoNotOptimize(halden::Calc_1("PI*2", sink));
}
BENCHMARK(BM_Calc_1_PiTimesTwo);

}  // namespace
