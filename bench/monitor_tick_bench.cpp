// The whole monitor tick as the window runs it ten times a second (snapshots, captions, graph
// point, Draw on PIC1, selector upkeep) beside one raw two-call read of the interface table,
// so that their ratio shows what the tick costs above the system call it cannot avoid.
#include <benchmark/benchmark.h>

#include <QMetaObject>
#include <QTimer>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "bench_application.h"
#include "platform/clock.h"
#include "platform/interface_table.h"
#include "platform/monotonic_clock.h"
#include "platform/process_launcher.h"
#include "platform/process_watch.h"
#include "window/Form1.h"
#include "window/QtSettingsStore.h"

namespace {

// Nothing in a tick starts a command; should anything try, it is refused, never run.
class RefusingLauncher final : public ProcessLauncher {
  public:
    bool startMinimized(std::string_view) override { return false; }
    bool startSuspend(SuspendState, std::string_view) override { return false; }
    std::unique_ptr<ProcessLauncher> reportingTo(CommandEnded) const override {
        return std::make_unique<RefusingLauncher>();
    }
};

std::chrono::nanoseconds timed(auto&& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::steady_clock::now() - start;
}

void rawTableRead(InterfaceTable& table) {
    std::uint32_t size = 0;
    table.GetIfTable(nullptr, size, false);
    std::vector<std::uint8_t> buffer(size);
    benchmark::DoNotOptimize(table.GetIfTable(buffer.data(), size, false));
    benchmark::DoNotOptimize(buffer.data());
}

// Each iteration is one raw read and one full tick, each timed on its own; the counters give
// their mean times and how many raw reads one tick costs.
void MonitorTickBesideRawTableRead(benchmark::State& state) {
    ensureApplication();
    const auto processes = makeSystemProcessWatch();
    RefusingLauncher launcher;
    const auto table = makeSystemInterfaceTable();
    const QtSettingsStore settings;
    const auto clock = makeSystemClock();
    const auto monotonicClock = makeSystemMonotonicClock();
    Form1 window({*processes, launcher, *table, settings, *clock, *monotonicClock},
                 [](const QString&) {});
    QTimer* tmrUpdate = window.findChild<QTimer*>(QStringLiteral("tmrUpdate"));
    std::chrono::nanoseconds rawTotal{0};
    std::chrono::nanoseconds tickTotal{0};
    for (auto _ : state) {
        rawTotal += timed([&] { rawTableRead(*table); });
        tickTotal += timed([&] { QMetaObject::invokeMethod(tmrUpdate, "timeout"); });
    }
    const auto iterations = static_cast<double>(state.iterations());
    const double rawNs = static_cast<double>(rawTotal.count()) / iterations;
    const double tickNs = static_cast<double>(tickTotal.count()) / iterations;
    state.counters["raw_read_us"] = rawNs / 1000;
    state.counters["tick_us"] = tickNs / 1000;
    state.counters["tick_per_raw_read"] = tickNs / rawNs;
}
BENCHMARK(MonitorTickBesideRawTableRead);

}  // namespace
