// Load and save of the setups' data file against plain reads and writes of the
// same number of bytes, and the heap peak of a load and save against the
// file's size.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <new>
#include <string>

#include "files/FileIO.h"
#include "GeneratedSetups.h"
#include "setups/SetupDataFile.h"

namespace {

// Live and peak heap bytes, counted by the replaced global operator new below.
std::size_t g_liveBytes = 0;
std::size_t g_peakBytes = 0;

void* Allocate(std::size_t size) {
    void* p = std::malloc(size ? size : 1);
    if (!p) throw std::bad_alloc();
    g_liveBytes += malloc_usable_size(p);
    if (g_liveBytes > g_peakBytes) g_peakBytes = g_liveBytes;
    return p;
}

void Release(void* p) {
    if (!p) return;
    g_liveBytes -= malloc_usable_size(p);
    std::free(p);
}

}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void operator delete(void* p) noexcept { Release(p); }
void operator delete[](void* p) noexcept { Release(p); }
void operator delete(void* p, std::size_t) noexcept { Release(p); }
void operator delete[](void* p, std::size_t) noexcept { Release(p); }

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// A data file of `count` setups, written once per run.
struct Fixture {
    std::string path;
    std::size_t fileBytes = 0;
};

const Fixture& GetFixture(int count) {
    static std::map<int, Fixture> fixtures;
    auto [it, added] = fixtures.try_emplace(count);
    if (added) {
        const fs::path dir = fs::temp_directory_path() / "skm-setups-bench";
        fs::create_directories(dir);
        it->second.path = (dir / ("setups-" + std::to_string(count) + ".dat")).string();
        CSetupStore store = bench::MakeStore(count);
        const std::string bytes = CSetupDataFile::Encode(store);
        files::ReplaceWholeFile(it->second.path, bytes);
        it->second.fileBytes = bytes.size();
    }
    return it->second;
}

double Seconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

void ReportRatio(benchmark::State& state, double seconds, double baselineSeconds, std::size_t fileBytes) {
    const double n = static_cast<double>(state.iterations());
    state.counters["baseline_ms"] = baselineSeconds * 1000 / n;
    state.counters["x_baseline"] = seconds / baselineSeconds;
    state.counters["file_MB"] = static_cast<double>(fileBytes) / 1e6;
}

// Each iteration reads the file plainly, then loads it; the iteration time is
// the load's, and x_baseline its ratio to the plain reads.
void BM_LoadSetups(benchmark::State& state) {
    const Fixture& fixture = GetFixture(static_cast<int>(state.range(0)));
    double loadSeconds = 0, baselineSeconds = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        {
            std::string bytes;
            files::ReadWholeFile(fixture.path, bytes, CSetupDataFile::kMaxFileBytes);
            benchmark::DoNotOptimize(bytes.data());
        }
        CSetupStore store;
        const auto t1 = Clock::now();
        CSetupDataFile file(fixture.path);
        if (file.Load(store).status != SetupLoadStatus::Loaded) state.SkipWithError("load failed");
        const auto t2 = Clock::now();
        if (store.GetCount() != static_cast<std::size_t>(state.range(0))) state.SkipWithError("wrong count");
        baselineSeconds += Seconds(t0, t1);
        loadSeconds += Seconds(t1, t2);
        state.SetIterationTime(Seconds(t1, t2));
    }
    ReportRatio(state, loadSeconds, baselineSeconds, fixture.fileBytes);
}

// Each iteration writes as many bytes through the same atomic replacement,
// then saves the store.
void BM_SaveSetups(benchmark::State& state) {
    const Fixture& fixture = GetFixture(static_cast<int>(state.range(0)));
    const std::string savePath = fixture.path + ".saved";
    const std::string plainPath = fixture.path + ".plain";
    const std::string plainBytes(fixture.fileBytes, 'x');
    CSetupStore store;
    CSetupDataFile file(fixture.path);
    file.Load(store);
    CSetupDataFile target(savePath);
    {
        CSetupStore earlier;  // loaded only so the target may be written
        target.Load(earlier);
    }
    double saveSeconds = 0, baselineSeconds = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        files::ReplaceWholeFile(plainPath, plainBytes);
        const auto t1 = Clock::now();
        if (target.Save(store).status != SetupSaveStatus::Saved) state.SkipWithError("save failed");
        const auto t2 = Clock::now();
        baselineSeconds += Seconds(t0, t1);
        saveSeconds += Seconds(t1, t2);
        state.SetIterationTime(Seconds(t1, t2));
    }
    ReportRatio(state, saveSeconds, baselineSeconds, fixture.fileBytes);
}

// Heap peak from nothing through a load and a save, against the file's size.
void BM_PeakMemory(benchmark::State& state) {
    const Fixture& fixture = GetFixture(static_cast<int>(state.range(0)));
    const std::string savePath = fixture.path + ".saved";
    std::size_t loadPeak = 0, savePeak = 0;
    for (auto _ : state) {
        const std::size_t before = g_liveBytes;
        g_peakBytes = before;
        CSetupStore store;
        CSetupDataFile file(fixture.path);
        file.Load(store);
        loadPeak = g_peakBytes - before;
        const std::size_t storeBytes = g_liveBytes - before;
        CSetupDataFile target(savePath);
        {
            CSetupStore earlier;  // loaded only so the target may be written
            target.Load(earlier);
        }
        g_peakBytes = g_liveBytes;
        target.Save(store);
        savePeak = g_peakBytes - before;
        state.counters["store_x_file"] = static_cast<double>(storeBytes) / static_cast<double>(fixture.fileBytes);
    }
    state.counters["load_peak_x_file"] = static_cast<double>(loadPeak) / static_cast<double>(fixture.fileBytes);
    state.counters["save_peak_x_file"] = static_cast<double>(savePeak) / static_cast<double>(fixture.fileBytes);
    state.counters["file_MB"] = static_cast<double>(fixture.fileBytes) / 1e6;
}

BENCHMARK(BM_LoadSetups)->Arg(10000)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveSetups)->Arg(10000)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PeakMemory)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
