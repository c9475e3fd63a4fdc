// Speed of the keystroke path: what the main window does for each edit of its input box
// (check the input, convert it, format the result), measured on 3 "mile" into "meter (m)".

#include "catalogue/convert_command.h"
#include "catalogue/unit_catalogue_build.h"
#include "numbers/message_sink.h"
#include "shared/settings.h"

#include <benchmark/benchmark.h>
#include <string>

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

}  // namespace
