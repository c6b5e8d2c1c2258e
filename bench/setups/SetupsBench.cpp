// Load and save of the setups' data file against plain reads and writes of the
// same number of bytes, the heap peak of a load and save against the file's
// size, and the heap peak of loading the crafted files that cost the most.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <ctime>
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

// A data file of `count` setups, written once per run, and the same file
// after another copy of the program changed one of its setups.
struct Fixture {
    std::string path;
    std::string bytes;
    std::string changed;
};

const Fixture& GetFixture(int count) {
    static std::map<int, Fixture> fixtures;
    auto [it, added] = fixtures.try_emplace(count);
    if (added) {
        const fs::path dir = fs::temp_directory_path() / "skm-setups-bench";
        fs::create_directories(dir);
        it->second.path = (dir / ("setups-" + std::to_string(count) + ".dat")).string();
        CSetupStore store = bench::MakeStore(count);
        it->second.bytes = CSetupDataFile::Encode(store);
        files::ReplaceWholeFile(it->second.path, it->second.bytes);
        store.Fill(std::string((*store.GetEntries().begin()).title.View()), CSetupForm());
        it->second.changed = CSetupDataFile::Encode(store);
    }
    return it->second;
}

double Seconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

// A moment by the wall clock and by this thread's processor time, which a busy
// machine stretches less.
struct Stamp {
    Clock::time_point wall;
    double cpu;
    static Stamp Now() {
        timespec cpu;
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpu);
        return {Clock::now(), static_cast<double>(cpu.tv_sec) + static_cast<double>(cpu.tv_nsec) / 1e9};
    }
};

// Seconds summed over the iterations.
struct Span {
    double wall = 0, cpu = 0;
    double Add(const Stamp& from, const Stamp& to) {
        cpu += to.cpu - from.cpu;
        const double seconds = Seconds(from.wall, to.wall);
        wall += seconds;
        return seconds;
    }
};

void ReportRatio(benchmark::State& state, const Span& measured, const Span& baseline, std::size_t fileBytes) {
    const double n = static_cast<double>(state.iterations());
    state.counters["baseline_ms"] = baseline.wall * 1000 / n;
    state.counters["x_baseline"] = measured.wall / baseline.wall;
    state.counters["x_baseline_cpu"] = measured.cpu / baseline.cpu;
    state.counters["file_MB"] = static_cast<double>(fileBytes) / 1e6;
}

// Each iteration reads the file plainly, then loads it; the iteration time is
// the load's, and x_baseline its ratio to the plain reads.
void BM_LoadSetups(benchmark::State& state) {
    const Fixture& fixture = GetFixture(static_cast<int>(state.range(0)));
    Span load, baseline;
    for (auto _ : state) {
        const Stamp t0 = Stamp::Now();
        {
            std::string bytes;
            files::ReadWholeFile(fixture.path, bytes, CSetupDataFile::kMaxFileBytes);
            benchmark::DoNotOptimize(bytes.data());
        }
        CSetupStore store;
        const Stamp t1 = Stamp::Now();
        CSetupDataFile file(fixture.path);
        if (file.Load(store).status != SetupLoadStatus::Loaded) state.SkipWithError("load failed");
        const Stamp t2 = Stamp::Now();
        if (store.GetCount() != static_cast<std::size_t>(state.range(0))) state.SkipWithError("wrong count");
        baseline.Add(t0, t1);
        state.SetIterationTime(load.Add(t1, t2));
    }
    ReportRatio(state, load, baseline, fixture.bytes.size());
}

// Each iteration writes as many bytes through the same atomic replacement,
// then saves the store into the file it was loaded from. With `changed`,
// another copy of the program has written the file meanwhile, so the save
// reads it again and merges.
void BM_SaveSetups(benchmark::State& state) {
    const Fixture& fixture = GetFixture(static_cast<int>(state.range(0)));
    const bool changed = state.range(1) != 0;
    const std::string workPath = fixture.path + ".work";
    const std::string plainPath = fixture.path + ".plain";
    const std::string plainBytes(fixture.bytes.size(), 'x');
    files::ReplaceWholeFile(workPath, fixture.bytes);
    CSetupStore store;
    CSetupDataFile file(workPath);
    file.Load(store);
    Span save, baseline;
    bool odd = false;
    for (auto _ : state) {
        if (changed) files::ReplaceWholeFile(workPath, (odd = !odd) ? fixture.changed : fixture.bytes);
        const Stamp t0 = Stamp::Now();
        files::ReplaceWholeFile(plainPath, plainBytes);
        const Stamp t1 = Stamp::Now();
        if (file.Save(store).status != SetupSaveStatus::Saved) state.SkipWithError("save failed");
        const Stamp t2 = Stamp::Now();
        baseline.Add(t0, t1);
        state.SetIterationTime(save.Add(t1, t2));
    }
    ReportRatio(state, save, baseline, fixture.bytes.size());
}

// Heap peak from nothing through a load and a save of the same file, against its size.
void BM_PeakMemory(benchmark::State& state) {
    const Fixture& fixture = GetFixture(static_cast<int>(state.range(0)));
    const std::string workPath = fixture.path + ".work";
    files::ReplaceWholeFile(workPath, fixture.bytes);
    std::size_t loadPeak = 0, savePeak = 0;
    for (auto _ : state) {
        const std::size_t before = g_liveBytes;
        g_peakBytes = before;
        CSetupStore store;
        CSetupDataFile file(workPath);
        file.Load(store);
        loadPeak = g_peakBytes - before;
        const std::size_t storeBytes = g_liveBytes - before;
        g_peakBytes = g_liveBytes;
        file.Save(store);
        savePeak = g_peakBytes - before;
        state.counters["store_x_file"] = static_cast<double>(storeBytes) / static_cast<double>(fixture.bytes.size());
    }
    state.counters["load_peak_x_file"] = static_cast<double>(loadPeak) / static_cast<double>(fixture.bytes.size());
    state.counters["save_peak_x_file"] = static_cast<double>(savePeak) / static_cast<double>(fixture.bytes.size());
    state.counters["file_MB"] = static_cast<double>(fixture.bytes.size()) / 1e6;
}

// Crafted files that cost the reader the most memory for their size: 0, a
// file at the size limit of null entries with empty titles; 1, as many null
// entries as reading takes, under distinct three-byte titles; 2, a file at
// the size limit of records with empty fields under distinct titles.
void BM_WorstCasePeak(benchmark::State& state) {
    const int kind = static_cast<int>(state.range(0));
    std::size_t entries = 0;
    std::string body;  // all but the count
    while (body.size() + 64 < CSetupDataFile::kMaxFileBytes && (kind != 1 || entries < CSetupStore::kMaxEntries)) {
        if (kind != 0) body += {'\x03', char(entries >> 16), char(entries >> 8), char(entries)};
        else body += '\0';
        if (kind == 2) body.append(entries ? "\x01\x80" : "\xFF\xFF\x01\x00\x0E\x00" "CSkirmakerData", entries ? 2 : 20).append(33, '\0');
        else body += std::string(2, '\0');
        ++entries;
    }
    std::string bytes;
    CArchive::Storing(&bytes).WriteCount(static_cast<std::uint32_t>(entries));
    bytes += body;
    body = std::string();
    const std::string path = (fs::temp_directory_path() / "skm-setups-bench" / "crafted.dat").string();
    files::ReplaceWholeFile(path, bytes);
    std::size_t peak = 0, loaded = 0;
    for (auto _ : state) {
        const std::size_t before = g_liveBytes;
        g_peakBytes = before;
        CSetupStore store;
        CSetupDataFile file(path);
        state.counters["damaged"] = file.Load(store).status == SetupLoadStatus::Damaged;
        peak = g_peakBytes - before;
        loaded = store.GetCount();
    }
    state.counters["file_MB"] = static_cast<double>(bytes.size()) / 1e6;
    state.counters["entries_in_file"] = static_cast<double>(entries);
    state.counters["entries_loaded"] = static_cast<double>(loaded);
    state.counters["peak_MB"] = static_cast<double>(peak) / 1e6;
    state.counters["peak_x_file"] = static_cast<double>(peak) / static_cast<double>(bytes.size());
}

BENCHMARK(BM_LoadSetups)->Arg(10000)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveSetups)->ArgsProduct({{10000, 100000}, {0, 1}})->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PeakMemory)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WorstCasePeak)->DenseRange(0, 2)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
