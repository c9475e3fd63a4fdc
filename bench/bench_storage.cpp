// Speed of reading and writing the two files in memory.
#include "catalogue/unit_catalogue.h"
#include "numbers/message_sink.h"
#include "shared/settings.h"
#include "storage/config_file.h"
#include "storage/user_file.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

/// Every slot filled, half of the texts Japanese, as a well-used file would be.
halden::UserUnits FullTable() {
    halden::UserUnits units;
    for (int u = 0; u < halden::kUserGroups; ++u) {
        units.UserGroupName[u] = u % 2 == 0 ? "Lengths " + std::to_string(u) : "日本の単位 " + std::to_string(u);
        for (int j = 0; j < halden::kUserUnitsUsed; ++j) {
            units.UserUnitName[u][j] =
                j % 2 == 0 ? "尺 [shaku] " + std::to_string(j) : "foot (ft) " + std::to_string(j);
            units.UserFactorText[u][j] = "0.30303030303";
            units.UserOffsetText[u][j] = j == 9 ? "-273.15" : "";
        }
    }
    return units;
}

void BM_CfgReadBytes(benchmark::State& state) {
    const std::string file = halden::CfgSaveBytes(halden::Settings{});
    for (auto _ : state) {
        halden::Settings settings;
        halden::RecordingSink sink;
        halden::CfgReadBytes(file, settings, sink);
        benchmark::DoNotOptimize(settings);
    }
}
BENCHMARK(BM_CfgReadBytes);

void BM_CfgSaveBytes(benchmark::State& state) {
    const halden::Settings settings;
    for (auto _ : state) {
        benchmark::DoNotOptimize(halden::CfgSaveBytes(settings));
    }
}
BENCHMARK(BM_CfgSaveBytes);

void BM_DatReadBytesFullTable(benchmark::State& state) {
    const auto file = halden::DatWriteBytes(FullTable());
    for (auto _ : state) {
        halden::UserUnits units;
        halden::RecordingSink sink;
        halden::DatReadBytes(file, units, sink);
        benchmark::DoNotOptimize(units);
    }
    state.SetBytesProcessed(static_cast<long long>(state.iterations()) * static_cast<long long>(file->size()));
}
BENCHMARK(BM_DatReadBytesFullTable);

void BM_DatWriteBytesFullTable(benchmark::State& state) {
    const halden::UserUnits units = FullTable();
    for (auto _ : state) {
        benchmark::DoNotOptimize(halden::DatWriteBytes(units));
    }
}
BENCHMARK(BM_DatWriteBytesFullTable);

}  // namespace
