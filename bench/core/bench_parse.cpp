// Time per line of the core parse over realistic beacon lines, and the number
// of heap allocations each parse makes. Global operator new is replaced in
// this binary by a counting one so that allocations can be reported as the
// counter "allocs_per_parse".
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>
#include <string_view>

#include "volarion/parse.hpp"

namespace {

std::atomic<std::size_t> allocation_count{0};

void* counted_allocation(std::size_t size) {
    allocation_count.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}

}  // namespace

void* operator new(std::size_t size) { return counted_allocation(size); }
void* operator new[](std::size_t size) { return counted_allocation(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    allocation_count.fetch_add(1, std::memory_order_relaxed);
    return std::malloc(size == 0 ? 1 : size);
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {

struct Line {
    const char* label;
    std::string_view text;
    bool parses;
};

// Typical traffic of an OGN APRS feed and a few lines that fail at
// different depths.
constexpr Line lines[] = {
    {"flarm",
     "FLRDDA5BA>OGFLR,qAS,LFMX:/160829h4415.41N/00600.03E'342/049/A=005524 id06DDA5BA -454fpm -1.1rot 8.8dB 0e "
     "+51.2kHz gps2x3",
     true},
    {"flarm_long_receiver",
     "FLRDD8F12>OGFLR,qAS,Koenigsdorf:/092113h4751.56N/01128.23E'204/067/A=004196 !W66! id22DD8F12 +198fpm "
     "+0.4rot 21.0dB 1e -3.7kHz gps1x2 s7.02 h03 rDD8F12",
     true},
    {"ogn_tracker",
     "OGN123456>OGNSKY,qAS,SafeSky:/100155h4809.60N/01133.27E'088/023/A=001949 !W84! id07123456 +020fpm "
     "+0.0rot 5.5dB 2e -0.8kHz gps3x5",
     true},
    {"adsb",
     "ICA3D1234>OGADSB,qAS,AVX1224:/101512h5004.70N/00839.62E^250/385/A=031000 !W23! id253D1234 +1792fpm "
     "FL310.00 A3:DLH4AB Sq1000",
     true},
    {"fail_callsign", "this line has no header at all and should fail on the callsign right away", false},
    {"fail_timestamp", "FLRDDA5BA>OGFLR,qAS,LFMX:/1608x9h4415.41N/00600.03E'342/049/A=005524 id06DDA5BA", false},
    {"fail_missing_id",
     "FLRDDA5BA>OGFLR,qAS,LFMX:/160829h4415.41N/00600.03E'342/049/A=005524 -454fpm -1.1rot 8.8dB 0e +51.2kHz "
     "gps2x3",
     false},
    {"fail_bad_id",
     "FLRDDA5BA>OGFLR,qAS,LFMX:/160829h4415.41N/00600.03E'342/049/A=005524 id06DDX5BA -454fpm -1.1rot", false},
};

void parse_line(benchmark::State& state, const Line& line) {
    // A line that does not behave as labelled would measure the wrong path.
    if (volarion::parse_ogn_aprs_aircraft_beacon(line.text).has_value() != line.parses) {
        state.SkipWithError("line does not parse as expected");
        return;
    }
    const std::size_t before = allocation_count.load(std::memory_order_relaxed);
    for (auto _ : state) {
        std::string_view text = line.text;
        benchmark::DoNotOptimize(text);
        auto result = volarion::parse_ogn_aprs_aircraft_beacon(text);
        benchmark::DoNotOptimize(result);
    }
    const std::size_t allocations = allocation_count.load(std::memory_order_relaxed) - before;
    state.counters["allocs_per_parse"] =
        benchmark::Counter(static_cast<double>(allocations), benchmark::Counter::kAvgIterations);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(line.text.size()));
}

// The whole mix, one line after the other, as a feed would deliver them.
void parse_mix(benchmark::State& state) {
    const std::size_t before = allocation_count.load(std::memory_order_relaxed);
    for (auto _ : state) {
        for (const Line& line : lines) {
            std::string_view text = line.text;
            benchmark::DoNotOptimize(text);
            auto result = volarion::parse_ogn_aprs_aircraft_beacon(text);
            benchmark::DoNotOptimize(result);
        }
    }
    const std::size_t allocations = allocation_count.load(std::memory_order_relaxed) - before;
    const auto count = static_cast<double>(std::size(lines));
    state.counters["allocs_per_parse"] =
        benchmark::Counter(static_cast<double>(allocations) / count, benchmark::Counter::kAvgIterations);
    state.counters["ns_per_line"] = benchmark::Counter(
        count, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

int register_benchmarks() {
    for (const Line& line : lines) {
        benchmark::RegisterBenchmark((std::string("parse/") + line.label).c_str(), parse_line, line)
            ->Repetitions(5)
            ->ReportAggregatesOnly(true);
    }
    benchmark::RegisterBenchmark("parse/mix", parse_mix)->Repetitions(5)->ReportAggregatesOnly(true);
    return 0;
}

const int registered = register_benchmarks();

}  // namespace

BENCHMARK_MAIN();
