// Whole print dialog processes, each started offscreen and ending as soon as its window has
// shown: ours with the fax pane on the demo printer beside Qt's stock print dialog. Wall time
// from the start to the end of the process, its processor time (steadier than the wall time on
// a busy machine) and its peak resident memory. The memory comes
// from GNU time, which starts the dialog: a process started straight from this one would
// inherit this (much larger) process's peak as its own.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

// Runs the program with its output discarded and its peak resident memory in KiB written to
// memoryFile; usage gets the processor time. False when it cannot be started or fails.
bool runProcess(std::vector<const char*> arguments, const char* memoryFile, rusage& usage) {
    arguments.insert(arguments.begin(), {NV_GNU_TIME, "-f", "%M", "-o", memoryFile});
    arguments.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int spawned = posix_spawn(&child, arguments.front(), &actions, nullptr,
                                    const_cast<char* const*>(arguments.data()), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return false;
    int status = 0;
    if (wait4(child, &status, 0, &usage) != child) return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void measureProcess(benchmark::State& state, const std::vector<const char*>& arguments) {
    setenv("CUPS_SERVER", "127.0.0.1:1", 1); // no CUPS server for either dialog
    char memoryFile[] = "/tmp/dialog-peak-memory-XXXXXX";
    const int descriptor = mkstemp(memoryFile);
    if (descriptor < 0) {
        state.SkipWithError("no temporary file for the peak memory");
        return;
    }
    close(descriptor);
    double peakKiB = 0;
    double processorSeconds = 0;
    for (auto _ : state) {
        rusage usage{};
        const auto start = std::chrono::steady_clock::now();
        const bool ran = runProcess(arguments, memoryFile, usage);
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        double kiB = 0;
        if (!ran || !(std::ifstream(memoryFile) >> kiB)) {
            state.SkipWithError("the dialog process failed");
            break;
        }
        peakKiB += kiB;
        for (const timeval& time : {usage.ru_utime, usage.ru_stime})
            processorSeconds += double(time.tv_sec) + double(time.tv_usec) / 1e6;
    }
    unlink(memoryFile);
    state.counters["peak_rss_MiB"] =
        benchmark::Counter(peakKiB / 1024.0, benchmark::Counter::kAvgIterations);
    state.counters["cpu_ms"] =
        benchmark::Counter(processorSeconds * 1000.0, benchmark::Counter::kAvgIterations);
}

void BM_PrintDialogProcessToShownFaxPane(benchmark::State& state) {
    measureProcess(state, {NV_PRINT_DIALOG, "--printer", "NorvaleDemoFax", "--offscreen",
                           "--quit-when-shown"});
}
BENCHMARK(BM_PrintDialogProcessToShownFaxPane)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_StockPrintDialogProcessToShown(benchmark::State& state) {
    measureProcess(state, {NV_STOCK_PRINT_DIALOG, "-platform", "offscreen"});
}
BENCHMARK(BM_StockPrintDialogProcessToShown)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
