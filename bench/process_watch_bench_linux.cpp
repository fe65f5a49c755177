// One check of the process trigger's tick with about 500 processes running: the state of the
// process latched at 确定 (what each tick costs; goal under 50 µs), beside the walk of every
// process that the check by ID needs where the identity cannot be had.
#include <benchmark/benchmark.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/process_watch.h"

namespace {

constexpr std::size_t kRunningProcesses = 500;

std::size_t runningProcessCount(const ProcessWatch& processes) {
    return processes.runningProcessIds().value_or(std::vector<std::uint32_t>{}).size();
}

// Sleeping children that make up the count; they die with the benchmark, however it ends.
class ProcessCrowd {
  public:
    explicit ProcessCrowd(const ProcessWatch& processes) {
        for (std::size_t n = runningProcessCount(processes); n < kRunningProcesses; ++n) {
            const pid_t child = fork();
            if (child == 0) {
                prctl(PR_SET_PDEATHSIG, SIGKILL);
                pause();
                _exit(0);
            }
            if (child < 0) {
                break;
            }
            children_.push_back(child);
        }
    }
    ProcessCrowd(const ProcessCrowd&) = delete;
    ProcessCrowd& operator=(const ProcessCrowd&) = delete;
    ~ProcessCrowd() {
        for (const pid_t child : children_) {
            kill(child, SIGKILL);
            waitpid(child, nullptr, 0);
        }
    }
    std::uint32_t oneOfThem() const { return static_cast<std::uint32_t>(children_.back()); }

  private:
    std::vector<pid_t> children_;
};

void LatchedProcessCheck(benchmark::State& state) {
    const auto processes = makeSystemProcessWatch();
    const ProcessCrowd crowd(*processes);
    const std::unique_ptr<LatchedProcess> latched = processes->latch(crowd.oneOfThem());
    for (auto _ : state) {
        benchmark::DoNotOptimize(latched->state());
    }
    state.counters["processes"] = static_cast<double>(runningProcessCount(*processes));
}
BENCHMARK(LatchedProcessCheck)->Unit(benchmark::kMicrosecond);

void ProcessCheckById(benchmark::State& state) {
    const auto processes = makeSystemProcessWatch();
    const ProcessCrowd crowd(*processes);
    for (auto _ : state) {
        benchmark::DoNotOptimize(processes->runningProcessIds());
    }
    state.counters["processes"] = static_cast<double>(runningProcessCount(*processes));
}
BENCHMARK(ProcessCheckById)->Unit(benchmark::kMicrosecond);

}  // namespace
