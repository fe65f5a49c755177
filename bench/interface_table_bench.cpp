// One raw two-call read of the system's interface table beside one full read of Interfaces
// (the same two calls plus the records and totals), so their ratio shows what the records cost.
#include <benchmark/benchmark.h>

#include <vector>

#include "netstats/CIpHelper.h"
#include "platform/interface_table.h"

namespace {

void RawTwoCallTableRead(benchmark::State& state) {
    const auto table = makeSystemInterfaceTable();
    for (auto _ : state) {
        std::uint32_t size = 0;
        table->GetIfTable(nullptr, size, false);
        std::vector<std::uint8_t> buffer(size);
        benchmark::DoNotOptimize(table->GetIfTable(buffer.data(), size, false));
        benchmark::DoNotOptimize(buffer.data());
    }
}
BENCHMARK(RawTwoCallTableRead);

void FullInterfacesRead(benchmark::State& state) {
    const auto table = makeSystemInterfaceTable();
    CIpHelper helper(*table);
    std::int32_t rows = 0;
    for (auto _ : state) {
        const auto interfaces = helper.Interfaces();
        rows = interfaces->Count();
        benchmark::DoNotOptimize(helper.BytesReceived());
    }
    state.counters["rows"] = rows;
}
BENCHMARK(FullInterfacesRead);

}  // namespace
