// Save of the mission's 17 keys into a 1 MB scripts.ini, against reading and
// replacing the same file once (the least any whole-file update costs).
#include "ScriptsIni.h"
#include "files/FileIO.h"
#include "gameconfig/MissionSettings.h"
#include "gameconfig/ProfileFile.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

namespace fs = std::filesystem;

namespace {

std::string PrepareFile(const char* name) {
    const fs::path path = fs::temp_directory_path() / name;
    std::ofstream(path, std::ios::binary | std::ios::trunc) << MakeScriptsIni();
    return path.string();
}

void BM_ReadAndReplaceBaseline(benchmark::State& state) {
    const std::string path = PrepareFile("skm-bench-baseline.ini");
    std::string bytes;
    for (auto _ : state) {
        if (!files::ReadWholeFile(path, bytes, gameconfig::kMaxProfileBytes).ok ||
            files::ReplaceWholeFile(path, bytes) != 0)
            state.SkipWithError("file update failed");
    }
    fs::remove(path);
}

void BM_MissionSave(benchmark::State& state) {
    const std::string path = PrepareFile("skm-bench-save.ini");
    const CMissionSettings rounds[] = {MissionForRound(0), MissionForRound(1)};
    long round = 0;
    for (auto _ : state) {
        if (rounds[round++ % 2].SaveTo(path) != 0) state.SkipWithError("Save failed");
    }
    fs::remove(path);
}

BENCHMARK(BM_ReadAndReplaceBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MissionSave)->Unit(benchmark::kMillisecond);

// Prints the results as usual and keeps each benchmark's time per iteration.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) m_times[run.benchmark_name()] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    double Time(const std::string& name) const { return m_times.at(name); }

private:
    std::map<std::string, double> m_times;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("Mission settings: Save / read-and-replace baseline = %.2fx (target: at most 2x)\n",
                reporter.Time("BM_MissionSave") / reporter.Time("BM_ReadAndReplaceBaseline"));
    benchmark::Shutdown();
    return 0;
}
