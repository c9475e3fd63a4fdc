// Speed of the keystroke path: what the main window does for each edit of its input box
// (check the input, convert it, format the result), measured on 3 "mile" into "meter (m)".

#include "catalogue/convert_command.h"
#include "catalogue/unit_catalogue_build.h"
#include "cli/command_line.h"
#include "numbers/message_sink.h"
#include "shared/process_state.h"

#include <benchmark/benchmark.h>
#include <string>
#include <string_view>
#include <vector>

namespace {

void BM_ConvertCommandMileToMeter(benchmark::State& state) {
    halden::ResetProcessState();
    halden::BuildUnitCatalogue(halden::catalogue(), halden::userUnits(), 15);
    halden::NullSink sink;
    halden::ConvertInput input;
    input.group = 0;
    input.from = 3;
    input.into = 0;
    input.text = "3";
    input.pnFigure = 6;
    input.pnFormFlag = 0;
    input.previousResult = "";
    // A wrong answer would make the figure meaningless: stop rather than report it.
    if (halden::ConvertCommand(halden::catalogue(), halden::state().WarpIdx, input, sink) != "4828.03") {
        state.SkipWithError("3 mile did not convert to 4828.03 m");
        return;
    }
    for (auto _ : state) {
        std::string result = halden::ConvertCommand(halden::catalogue(), halden::state().WarpIdx, input, sink);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_ConvertCommandMileToMeter);

// The command line's loop over values read a line each (--convert - mile m), without the reading
// and writing of the streams: 100,000 values a run, so values per second = 1e5 / time.
void BM_BatchConvertMileToMeter100k(benchmark::State& state) {
    constexpr int kValues = 100000;
    std::vector<std::string> lines;
    for (int i = 1; i <= kValues; ++i) {
        lines.push_back(std::to_string(i));
    }
    const std::vector<std::string_view> args{"--convert", "-", "mile", "m"};
    for (auto _ : state) {
        std::size_t next = 0;
        std::size_t written = 0;
        halden::BatchStreams streams;
        streams.readLine = [&](std::string& line) {
            if (next == lines.size()) {
                return false;
            }
            line = lines[next++];
            return true;
        };
        streams.write = [&](std::string_view text, bool) { return written += text.size(), true; };
        streams.writeError = [](std::string_view) {};
        benchmark::DoNotOptimize(halden::RunCommandLine(args, {}, &streams));
        benchmark::DoNotOptimize(written);
    }
    state.SetItemsProcessed(state.iterations() * kValues);
}
BENCHMARK(BM_BatchConvertMileToMeter100k)->Unit(benchmark::kMillisecond);

}  // namespace
