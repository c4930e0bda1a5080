// What a request round trip costs, against the least it can cost.
//
// Each pair (the library's path and its floor, see RoundTrip.h) runs
// repeatedly with the repetitions interleaved at random; the fastest
// repetition of each counts, and the ratios are printed at the end:
//
//   build/bench/request_bench                        # the default run
//   build/bench/request_bench --benchmark_repetitions=40
//
// With --calls=N it only makes each request N times, untimed, for an
// instruction count that the other programs on the machine cannot disturb:
//
//   valgrind --tool=callgrind --callgrind-out-file=requests.out build/bench/request_bench --calls=100000
//   callgrind_annotate --inclusive=yes requests.out | grep roundtrip::
//
// This file is built with Google Benchmark's string ABI; the requests are
// made in RoundTrip.cpp, which is built with the library's.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "bench/RoundTrip.h"

namespace {

void isNetworkEnabledLibrary(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(roundtrip::libraryIsNetworkEnabled());
    }
}
void isNetworkEnabledFloor(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(roundtrip::floorIsNetworkEnabled());
    }
}
void getValueIntLibrary(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(roundtrip::libraryGetValueInt());
    }
}
void getValueIntFloor(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(roundtrip::floorGetValueInt());
    }
}

BENCHMARK(isNetworkEnabledLibrary);
BENCHMARK(isNetworkEnabledFloor);
BENCHMARK(getValueIntLibrary);
BENCHMARK(getValueIntFloor);

struct Pair {
    const char* name;
    const char* library;
    const char* floor;
};
const Pair kPairs[] = {
    {"PICommon::isNetworkEnabled()", "isNetworkEnabledLibrary", "isNetworkEnabledFloor"},
    {"PIWindow::getValueInt()", "getValueIntLibrary", "getValueIntFloor"},
};

// Prints the usual table, and keeps the fastest repetition of each benchmark
// (nanoseconds per call) for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred || run.iterations == 0) {
                continue;
            }
            const double ns = run.real_accumulated_time * 1e9 / static_cast<double>(run.iterations);
            auto found = fastest_.find(run.run_name.function_name);
            if (found == fastest_.end() || ns < found->second) {
                fastest_[run.run_name.function_name] = ns;
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void printRatios() const {
        std::printf("\n%-30s %12s %12s %8s\n", "request (fastest repetition)", "library ns", "floor ns",
                    "ratio");
        for (const Pair& pair : kPairs) {
            const auto library = fastest_.find(pair.library);
            const auto floor = fastest_.find(pair.floor);
            if (library == fastest_.end() || floor == fastest_.end()) {
                continue;
            }
            std::printf("%-30s %12.2f %12.2f %7.3fx\n", pair.name, library->second, floor->second,
                        library->second / floor->second);
        }
    }

private:
    std::map<std::string, double> fastest_;
};

// The floors must do what the library does: same answers, same number of
// calls on the function map.
bool floorsMatchLibrary() {
    bool same = true;
    const long start = roundtrip::requestsSeen();
    const bool libraryNetwork = roundtrip::libraryIsNetworkEnabled();
    const long libraryCalls = roundtrip::requestsSeen() - start;
    const bool floorNetwork = roundtrip::floorIsNetworkEnabled();
    const long floorCalls = roundtrip::requestsSeen() - start - libraryCalls;
    same = same && libraryNetwork == floorNetwork && libraryCalls == 2 && floorCalls == 2;
    const long start2 = roundtrip::requestsSeen();
    const int libraryValue = roundtrip::libraryGetValueInt();
    const int floorValue = roundtrip::floorGetValueInt();
    same =
        same && libraryValue == floorValue && libraryValue == -1 && roundtrip::requestsSeen() - start2 == 4;
    if (!same) {
        std::fprintf(stderr, "request_bench: a floor does not match the library's request\n");
    }
    return same;
}

// Makes each request `calls` times (the floors and the library's paths alike).
void makeRequests(long calls) {
    for (long i = 0; i < calls; ++i) {
        benchmark::DoNotOptimize(roundtrip::libraryIsNetworkEnabled());
        benchmark::DoNotOptimize(roundtrip::floorIsNetworkEnabled());
        benchmark::DoNotOptimize(roundtrip::libraryGetValueInt());
        benchmark::DoNotOptimize(roundtrip::floorGetValueInt());
    }
    std::printf("made each request %ld times\n", calls);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strncmp(argv[1], "--calls=", 8) == 0) {
        roundtrip::installIdleHost();
        if (!floorsMatchLibrary()) {
            return 1;
        }
        makeRequests(std::atol(argv[1] + 8));
        return 0;
    }
    // Defaults first, so that the command line overrides them.
    std::vector<char*> args{argv[0]};
    char repetitions[] = "--benchmark_repetitions=30";
    char interleave[] = "--benchmark_enable_random_interleaving=true";
    char minTime[] = "--benchmark_min_time=0.02";
    char noColour[] = "--benchmark_color=false";
    args.insert(args.end(), {repetitions, interleave, minTime, noColour});
    args.insert(args.end(), argv + 1, argv + argc);
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data())) {
        return 2;
    }
    roundtrip::installIdleHost();
    if (!floorsMatchLibrary()) {
        return 1;
    }
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios();
    benchmark::Shutdown();
    return 0;
}
